#include "tools/WindowClass.h"

#include "framework/Exceptions.h"

fw::Control& ControlNamed(fw::Window& window, std::string_view name)
{
    auto control = window.ControlByName(name);
    if (!control)
        fw::RaiseNilObjectException("control " + std::string(name) + " of window " + window.Class().Name() + " is nil");
    return *control;
}
