#pragma once

// Framework-internal: a window to assistive technology: a frame, or a dialog,
// named by its title.

#include <QAccessibleWidget>

namespace fw {

class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* frame) : QAccessibleWidget(frame, QAccessible::Window) { }

    QAccessible::Role role() const override;
};

}
