#pragma once

#include "framework/PushButton.h"
#include "framework/Subclass.h"

namespace fw {

// A bevelled command button. Its bevel, icon and menu properties are taken
// without effect: it is drawn as the platform's own push button.
class BevelButton : public Subclass<PushButton, "BevelButton"> { };

}
