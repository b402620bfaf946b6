#include "framework/PushButton.h"

#include "framework/Window.h"
#include "qt/ButtonWidget.h"
#include "qt/ControlImpl.h"
#include "qt/WindowImpl.h"

namespace fw {

namespace {

ButtonWidget* ButtonOf(const Control::Impl& impl)
{
    return dynamic_cast<ButtonWidget*>(impl.widget.data());
}

}

void PushButton::SetCaption(std::string caption)
{
    m_caption = std::move(caption);
    if (auto* button = ButtonOf(*m_impl))
        button->SetCaption(m_caption);
}

void PushButton::Push()
{
    if (!Enabled() || !Visible() || !on_action)
        return;
    // A copy: the handler may close the window and with it this button.
    auto handler = on_action;
    handler();
}

void PushButton::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (m_style.Apply(name, value)) {
        if (auto* button = ButtonOf(*m_impl))
            button->SetStyle(m_style);
        return;
    }
    if (name == "Caption")
        SetCaption(StringOf(value));
    else if (name == "Default") {
        m_default = BoolOf(value);
        if (auto* button = ButtonOf(*m_impl))
            button->setDefault(m_default);
    } else if (name == "Cancel")
        m_cancel = BoolOf(value);
    else
        Control::SetProperty(name, value);
}

void PushButton::CreateWidget(Window& window)
{
    m_impl->widget = new ButtonWidget(*this, m_impl->receiver.get(), window.GetImpl().Content());
    ApplyCommon();
}

}
