#pragma once

// Framework-internal: the busy pointer over a wait the user started.

#include <QGuiApplication>

namespace fw {

// Putting this many characters or more into a field takes about a fifth of
// a second or longer (a million lines take seconds): the pointer shows the
// wait. Below, it would only flicker.
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
