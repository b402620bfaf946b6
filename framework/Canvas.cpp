#include "framework/Canvas.h"

#include "framework/Window.h"
#include "qt/CanvasAccessible.h"
#include "qt/CanvasWidget.h"
#include "qt/ControlImpl.h"
#include "qt/InstallAccessible.h"
#include "qt/WindowImpl.h"

namespace fw {

Canvas::~Canvas()
{
    if (auto* widget = qobject_cast<CanvasWidget*>(m_impl->widget.data()))
        widget->Forget();
}

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture)
{
    m_backdrop = std::move(picture);
    if (m_impl->widget)
        m_impl->widget->update();
}

std::string Canvas::AccessibleName() const
{
    return HelpTag().empty() ? Name() : HelpTag();
}

void Canvas::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "EraseBackground") {
        m_erase_background = BoolOf(value, true);
        ApplyLook();
    } else if (name == "AcceptFocus") {
        m_accept_focus = BoolOf(value);
        ApplyLook();
    } else
        // AcceptTabs and UseFocusRing have no effect on this platform.
        Control::SetProperty(name, value);
}

void Canvas::CreateWidget(Window& window)
{
    InstallAccessible<CanvasWidget, CanvasAccessible>();
    m_impl->widget = new CanvasWidget(*this, window.GetImpl().Content());
    ApplyCommon();
    ApplyLook();
}

void Canvas::ApplyLook()
{
    QWidget* widget = m_impl->widget;
    if (!widget)
        return;
    widget->setAutoFillBackground(m_erase_background);
    widget->setFocusPolicy(m_accept_focus ? Qt::StrongFocus : Qt::NoFocus);
}

}
