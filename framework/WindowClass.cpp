#include "framework/WindowClass.h"

#include "framework/Exceptions.h"

namespace fw {

Control& ControlNamed(Window& window, std::string_view name)
{
    auto control = window.ControlByName(name);
    if (!control)
        RaiseNilObjectException("control " + std::string(name) + " of window " + window.Class().Name() + " is nil");
    return *control;
}

}
