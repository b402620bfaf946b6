#include "framework/QuitMenuItem.h"

#include "framework/Runtime.h"

namespace fw {

void QuitMenuItem::DefaultAction()
{
    Quit(0);
}

}
