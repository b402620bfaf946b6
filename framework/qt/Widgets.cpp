#include "qt/Widgets.h"

#include "qt/ControlImpl.h"
#include "qt/WindowFrame.h"
#include "qt/WindowImpl.h"

namespace fw {

QWidget* WidgetOf(const Control& control)
{
    return control.GetImpl().widget;
}

QWidget* FrameOf(const Window& window)
{
    return window.GetImpl().Frame();
}

}
