#pragma once

// Framework-internal: a canvas to assistive technology: a picture, named like the canvas.

#include <QAccessibleWidget>

namespace fw {

class CanvasWidget;

class CanvasAccessible : public QAccessibleWidget {
public:
    explicit CanvasAccessible(CanvasWidget* widget);

    QString text(QAccessible::Text kind) const override;
};

}
