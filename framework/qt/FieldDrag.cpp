#include "qt/FieldDrag.h"

#include <QDrag>
#include <QDropEvent>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>

namespace fw {

bool FieldDrag::Allows(const QMouseEvent& move) const
{
    return !Running() && !(m_ended && (move.buttons() & Qt::LeftButton));
}

bool FieldDrag::Run(const std::function<void()>& handler)
{
    // The toolkit makes its drag a child of the field (or of its viewport);
    // one that is left from an earlier drag may wait for its deletion.
    const QList<QDrag*> before = m_field.findChildren<QDrag*>();
    struct Depth {
        Depth() { ++s_running; }
        ~Depth() { --s_running; }
    } depth;
    handler();
    const QList<QDrag*> after = m_field.findChildren<QDrag*>();
    const bool ran = std::any_of(after.cbegin(), after.cend(), [&](QDrag* drag) { return !before.contains(drag); });
    if (ran)
        m_ended = true;
    return ran;
}

bool FieldDrag::MayTake(const QDropEvent& event, bool whole)
{
    return whole || (event.possibleActions() & Qt::CopyAction);
}

void FieldDrag::Answer(QDropEvent& event, bool whole)
{
    if (whole || !event.isAccepted())
        return;
    if (MayTake(event, whole))
        event.setDropAction(Qt::CopyAction);
    else
        event.ignore();
}

}
