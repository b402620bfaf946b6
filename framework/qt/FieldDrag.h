#pragma once

// Framework-internal: text dragged out of and into the text fields.

#include <functional>

class QDropEvent;
class QMouseEvent;
class QWidget;

namespace fw {

// The toolkit starts a field's drag from the field's mouse move (or timer)
// event and runs it there, in a nested event loop that takes the button's
// release. The multi-line field's auto-scroll timer sends moves with the
// button down, during the drag and after it: each starts another drag, which
// waits for a release that has come already, with the pointer grabbed. So no
// move reaches a field while a drag runs, and none with the button down
// reaches the field a drag came from until the next press there.
class FieldDrag {
public:
    explicit FieldDrag(QWidget& field)
        : m_field(field)
    {
    }

    // Whether a drag started from a field runs now.
    static bool Running() { return s_running > 0; }
    void Pressed() { m_ended = false; }
    // Whether the move may go to the toolkit.
    bool Allows(const QMouseEvent& move) const;
    // Runs the toolkit's handler of an event that may start a drag; true when one ran, and ended, in it.
    bool Run(const std::function<void()>& handler);

    // A field that would not take the dragged text whole (cut at its limit,
    // or without its line breaks) takes it as a copy, or not at all: as a
    // move, the source would delete all of it. Whether the field may take it
    // at all; and the answer to the drag or drop, after the toolkit's.
    static bool MayTake(const QDropEvent& event, bool whole);
    static void Answer(QDropEvent& event, bool whole);

private:
    QWidget& m_field;
    bool m_ended { false };
    // Fields' handlers that may start a drag, on the stack: the only nested
    // event loop such a handler runs is the drag's.
    static inline int s_running { 0 };
};

}
