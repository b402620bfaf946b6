#include "qt/ControlImpl.h"

#include "qt/CaptionFitter.h"
#include "qt/Convert.h"

#include <QAccessible>
#include <QLabel>

namespace fw {

Control::Impl::~Impl()
{
    // The connections go first: a dying widget may still emit signals.
    receiver.reset();
    delete widget.data();
}

void Control::Impl::ApplyName(const std::string& window_title)
{
    if (!widget)
        return;
    // The toolkit names a widget by the label whose buddy it is, unless it has a name of its own.
    if (auto* tag = qobject_cast<QLabel*>(label.data())) {
        tag->setBuddy(widget);
        widget->setAccessibleName({ });
        return;
    }
    const QAccessibleInterface* described = QAccessible::queryAccessibleInterface(widget);
    if (described && described->role() == QAccessible::EditableText)
        widget->setAccessibleName(ToQString(window_title));
}

void Control::Impl::FitCaption()
{
    if (auto* button = qobject_cast<QPushButton*>(widget.data()))
        CaptionFitter::Watch(*button);
}

void Control::Impl::DropWidget()
{
    receiver = std::make_unique<QObject>();
    delete widget.data();
    widget = nullptr;
}

}

namespace fw {

void SetDesignColor(QPalette& palette, QPalette::ColorRole role, Rgb colour, Rgb design_default)
{
    if (colour != design_default)
        palette.setColor(role, ToQColor(colour));
}

}
