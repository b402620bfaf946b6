// Text dragged out of and into the text fields. Offscreen, a drag ends as
// soon as it starts (as if the button were released at once) and nothing is
// dropped, so the tests count the drags a field starts, and send the drag and
// drop events a target gets, reading the action it answers: on a move, the
// source deletes its selection.

#include "framework/Window.h"
#include "tests/support/Controls.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using harness::MaxTal;
using harness::Tekstfelt;

// Drags the field has started. The toolkit deletes each later, in the event loop, which these tests never run.
qsizetype Drags(const fw::Control& field) { return harness::WidgetOf(field)->findChildren<QDrag*>().size(); }

// A mouse event with the left button (down, unless released) where the field takes them.
void Mouse(QWidget* surface, QEvent::Type type, QPoint at)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, surface->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(surface, &event);
}

// Runs `during` once, inside the first drag the widget starts, as a timer would in the drag's own event loop.
class InsideDrag : public QObject {
public:
    InsideDrag(QWidget* widget, std::function<void()> during)
        : m_during(std::move(during))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded && m_during)
            std::exchange(m_during, nullptr)();
        return false;
    }

private:
    std::function<void()> m_during;
};

// What the field answers to a drag carrying `text` that offers `actions`, as
// the drag enters and as it drops, and the field's text after the drop.
using Answer = std::tuple<Qt::DropAction, Qt::DropAction, std::string>;

Answer DragInto(fw::EditField& field, const QString& text, Qt::DropActions actions)
{
    QWidget* widget = harness::WidgetOf(field);
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    QWidget* surface = area ? area->viewport() : widget;
    QMimeData data;
    data.setText(text);
    const QPoint point = surface->rect().center();
    // With Shift, the drag proposes a move, as a drag from the list does.
    QDragEnterEvent enter(point, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(surface, &enter);
    QDropEvent drop(point, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(surface, &drop);
    return { enter.isAccepted() ? enter.dropAction() : Qt::IgnoreAction,
        drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction, field.Text() };
}

using Drag = harness::AppTest;

// The auto-scroll timer of the list sends moves with the button down while
// the pointer is outside it, during a drag and after the drag took the release.
TEST_F(Drag, AFieldStartsOneDragForAPressAndNoneWhileOneRuns)
{
    auto n = harness::Open<wTilfaeldigtTal>();
    auto& max = MaxTal(*n);
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& list = Tekstfelt(*w);
    // The list's three names, all selected, pressed at the first letter and dragged outside.
    list.SetText("Anna\rBo\rCarl");
    auto* area = qobject_cast<QPlainTextEdit*>(harness::WidgetOf(list));
    QWidget* viewport = area->viewport();
    QTextCursor first(area->document()->firstBlock());
    first.setPosition(1);
    const QPoint anna = area->cursorRect(first).center();
    const QPoint outside(-200, anna.y());

    for (const qsizetype drags : { 1, 2 }) {
        list.SelectAll();
        Mouse(viewport, QEvent::MouseButtonPress, anna);
        Mouse(viewport, QEvent::MouseMove, outside);
        Mouse(viewport, QEvent::MouseMove, outside);
        Mouse(viewport, QEvent::MouseMove, outside + QPoint(-10, 5));
        EXPECT_EQ(Drags(list), drags) << "the next press in the selection drags again";
        EXPECT_EQ(list.Text(), "Anna\rBo\rCarl");
    }

    // While a drag from the list runs, neither its own moves nor the
    // maximum's (pressed in its selection) start another. The one-line field
    // drags no text, the toolkit's default; made to, it is held the same way.
    max.SetText("10");
    max.SelectAll();
    auto* line = qobject_cast<QLineEdit*>(harness::WidgetOf(max));
    line->setDragEnabled(true);
    const QPoint ten = line->inputMethodQuery(Qt::ImCursorRectangle).toRect().center() - QPoint(3, 0);
    Mouse(line, QEvent::MouseButtonPress, ten);
    list.SelectAll();
    Mouse(viewport, QEvent::MouseButtonPress, anna);
    InsideDrag inside(viewport, [&] {
        Mouse(viewport, QEvent::MouseMove, outside + QPoint(-20, 0));
        Mouse(line, QEvent::MouseMove, ten + QPoint(40, 0));
    });
    Mouse(viewport, QEvent::MouseMove, outside);
    EXPECT_EQ(Drags(list), 3);
    EXPECT_EQ(Drags(max), 0);
}

// Taken whole, a drop is a move. Cut at the limit or without its line breaks,
// it is a copy, so the source keeps it; offered only as a move, it is refused.
TEST_F(Drag, ADropAFieldTakesOnlyInPartIsACopySoTheSourceKeepsIt)
{
    auto n = harness::Open<wTilfaeldigtTal>();
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    fw::EditField& max = MaxTal(*n);
    fw::EditField& list = Tekstfelt(*w);
    const auto both = Qt::CopyAction | Qt::MoveAction;
    constexpr auto Copy = Qt::CopyAction, Move = Qt::MoveAction, None = Qt::IgnoreAction;
    struct Case {
        fw::EditField& field;
        int32_t limit;
        std::string before;
        const char* text;
        Qt::DropActions offered;
        Answer answer;
    };
    for (const Case& c : std::vector<Case> {
             { max, 4, "", "Anna\nBo\nCarl", both, { Copy, Copy, "Anna" } },
             { max, 4, "", "12345", both, { Copy, Copy, "1234" } },
             { max, 4, "", "1\n2", both, { Copy, Copy, "12" } },
             { max, 4, "10", "Anna", both, { Copy, Copy, "10An" } },
             { max, 4, "", "Bo", both, { Move, Move, "Bo" } },
             { max, 4, "", "12345", Move, { None, None, "" } },
             { max, 4, "", "1234", Move, { Move, Move, "1234" } },
             // Line breaks of every form stay line breaks in the list.
             { list, 0, "", "10\r\nAnna\nBo", both, { Move, Move, "10\rAnna\rBo" } },
             { list, 6, "", "Anna\nBo\nCarl", both, { Copy, Copy, "Anna\rB" } },
             { list, 6, "", "Anna\nBo\nCarl", Move, { None, None, "" } },
             { list, 6, "", "Anna\r\nB", both, { Move, Move, "Anna\rB" } },
         }) {
        SCOPED_TRACE(c.text);
        c.field.SetProperty("LimitText", c.limit);
        c.field.SetText(c.before);
        EXPECT_EQ(DragInto(c.field, QString::fromUtf8(c.text), c.offered), c.answer);
    }
}

}
