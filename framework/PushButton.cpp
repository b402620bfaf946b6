#include "framework/PushButton.h"

#include "framework/Runtime.h"
#include "framework/Window.h"
#include "qt/ControlImpl.h"
#include "qt/Convert.h"
#include "qt/WindowImpl.h"

#include <QPushButton>

namespace fw {

void PushButton::SetCaption(std::string caption)
{
    m_caption = std::move(caption);
    if (auto* button = qobject_cast<QPushButton*>(m_impl->widget.data()))
        button->setText(ToQString(m_caption));
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
        if (m_impl->widget)
            m_impl->widget->setFont(FontFor(m_style));
        return;
    }
    if (name == "Caption")
        SetCaption(StringOf(value));
    else if (name == "Default") {
        m_default = BoolOf(value);
        if (auto* button = qobject_cast<QPushButton*>(m_impl->widget.data()))
            button->setDefault(m_default);
    } else if (name == "Cancel")
        m_cancel = BoolOf(value);
    else
        Control::SetProperty(name, value);
}

void PushButton::CreateWidget(Window& window)
{
    auto* button = new QPushButton(ToQString(m_caption), window.GetImpl().Content());
    // The window's key handling presses the Default and Cancel buttons; the
    // toolkit's own default-button logic stays out of it.
    button->setAutoDefault(false);
    // A click leaves the keyboard focus where it was (in the text being
    // worked on); Tab still reaches the button, and Space or Return press it.
    button->setFocusPolicy(Qt::TabFocus);
    button->setDefault(m_default);
    button->setFont(FontFor(m_style));
    m_impl->widget = button;
    QObject::connect(button, &QPushButton::clicked, m_impl->receiver.get(), [this] {
        if (auto handler = on_action)
            Deliver(handler);
    });
    ApplyCommon();
}

}
