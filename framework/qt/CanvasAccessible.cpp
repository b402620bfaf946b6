#include "qt/CanvasAccessible.h"

#include "framework/Canvas.h"
#include "qt/CanvasWidget.h"
#include "qt/Convert.h"

namespace fw {

CanvasAccessible::CanvasAccessible(CanvasWidget* widget)
    : QAccessibleWidget(widget, QAccessible::Graphic)
{
}

QString CanvasAccessible::text(QAccessible::Text kind) const
{
    auto* widget = static_cast<CanvasWidget*>(this->widget());
    if (kind == QAccessible::Name && widget->Owner())
        return ToQString(widget->Owner()->AccessibleName());
    return QAccessibleWidget::text(kind);
}

}
