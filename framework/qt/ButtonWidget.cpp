#include "qt/ButtonWidget.h"

#include "framework/Runtime.h"
#include "qt/Convert.h"

namespace fw {

ButtonWidget::ButtonWidget(PushButton& button, QObject* receiver, QWidget* content)
    : QPushButton(ToQString(button.Caption()), content)
{
    // The window's key handling presses the Default and Cancel buttons; the
    // toolkit's own default-button logic stays out of it.
    setAutoDefault(false);
    // A click leaves the keyboard focus where it was (in the text being
    // worked on); Tab still reaches the button, and Space or Return press it.
    setFocusPolicy(Qt::TabFocus);
    setDefault(button.IsDefault());
    SetStyle(button.Style());
    connect(this, &QPushButton::clicked, receiver, [&button] {
        if (auto handler = button.on_action)
            Deliver(handler);
    });
}

void ButtonWidget::SetCaption(const std::string& caption)
{
    setText(ToQString(caption));
}

void ButtonWidget::SetStyle(const TextStyle& style)
{
    setFont(FontFor(style));
}

}
