#pragma once

// Framework-internal: the application-wide keys of windows. A key that is a
// menu shortcut of the window's menu bar chooses that item (after the
// enabling pass; a disabled item does nothing) and acts on that window.
// Return and Enter press the focused push button, else the window's default
// button; Escape presses its cancel button.

#include <QObject>

namespace fw {

class CommandKeys : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}
