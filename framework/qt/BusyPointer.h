#pragma once

// Framework-internal: the busy pointer over a wait the user started.

#include <QGuiApplication>

namespace fw {

// Pasting this many characters (some 50,000 lines) into a field takes about
// 0.15 s, twice as many 0.35 s, a million lines 4 s: from here on the pointer
// shows the wait. Below, it would only flicker (65,536 characters take 7 ms).
constexpr qsizetype kLongWait = qsizetype(1) << 20;

// Shows the busy pointer for its lifetime when `characters` reach kLongWait.
class BusyPointer {
public:
    explicit BusyPointer(qsizetype characters)
        : m_shown(characters >= kLongWait)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyPointer()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    bool m_shown { false };
};

}
