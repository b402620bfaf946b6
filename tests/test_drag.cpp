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

// The list with its three names, all selected, and where the first letter is in its viewport.
QPoint SelectedNames(cEditfield& list)
{
    list.SetText("Anna\rBo\rCarl");
    list.SelectAll();
    auto* area = qobject_cast<QPlainTextEdit*>(harness::WidgetOf(list));
    QTextCursor at(area->document()->firstBlock());
    at.setPosition(1);
    return area->cursorRect(at).center();
}

QWidget* Viewport(const fw::Control& list) { return qobject_cast<QPlainTextEdit*>(harness::WidgetOf(list))->viewport(); }

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
        if (event->type() == QEvent::ChildAdded && m_during) {
            auto during = std::exchange(m_during, nullptr);
            during();
        }
        return false;
    }

private:
    std::function<void()> m_during;
};

// What the field answers to a drag carrying `text` that offers `actions`, as the
// drag enters and as it drops, and the field's text after the drop.
struct Answer {
    Qt::DropAction entered;
    Qt::DropAction dropped;
    std::string text;
};

Answer DragInto(fw::EditField& field, const QString& text, Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction)
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
    QWidget* viewport = Viewport(list);
    const QPoint anna = SelectedNames(list);
    const QPoint outside(-200, anna.y());

    Mouse(viewport, QEvent::MouseButtonPress, anna);
    Mouse(viewport, QEvent::MouseMove, outside);
    ASSERT_EQ(Drags(list), 1);
    Mouse(viewport, QEvent::MouseMove, outside);
    Mouse(viewport, QEvent::MouseMove, outside + QPoint(-10, 5));
    EXPECT_EQ(Drags(list), 1);
    EXPECT_EQ(list.Text(), "Anna\rBo\rCarl");

    // The next press in the selection drags again.
    list.SelectAll();
    Mouse(viewport, QEvent::MouseButtonPress, anna);
    Mouse(viewport, QEvent::MouseMove, outside);
    EXPECT_EQ(Drags(list), 2);

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

TEST_F(Drag, ADropTheMaximumTakesOnlyInPartIsACopySoTheSourceKeepsIt)
{
    auto w = harness::Open<wTilfaeldigtTal>();
    auto& max = MaxTal(*w);
    auto into_empty = [&](const char* text, Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction) {
        max.SetText("");
        return DragInto(max, QString::fromUtf8(text), actions);
    };
    // Cut at four characters, or its line breaks dropped: a copy.
    for (const char* text : { "Anna\nBo\nCarl", "12345", "1\n2" }) {
        SCOPED_TRACE(text);
        const Answer answer = into_empty(text);
        EXPECT_EQ(answer.entered, Qt::CopyAction);
        EXPECT_EQ(answer.dropped, Qt::CopyAction);
    }
    EXPECT_EQ(into_empty("Anna\nBo\nCarl").text, "Anna");
    max.SetText("10");
    EXPECT_EQ(DragInto(max, "Anna").dropped, Qt::CopyAction);
    EXPECT_EQ(max.Text().size(), 4u);

    // Taken whole: a move.
    const Answer whole = into_empty("Bo");
    EXPECT_EQ(whole.entered, Qt::MoveAction);
    EXPECT_EQ(whole.dropped, Qt::MoveAction);
    EXPECT_EQ(whole.text, "Bo");

    // Offered only as a move, a text the field cannot take whole is refused.
    const Answer refused = into_empty("12345", Qt::MoveAction);
    EXPECT_EQ(refused.entered, Qt::IgnoreAction);
    EXPECT_EQ(refused.dropped, Qt::IgnoreAction);
    EXPECT_EQ(refused.text, "");
    EXPECT_EQ(into_empty("1234", Qt::MoveAction).dropped, Qt::MoveAction);
}

TEST_F(Drag, TheListTakesDroppedLinesWholeAsAMoveAndALimitedOneCopiesWhatItCuts)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& list = Tekstfelt(*w);
    list.SetText("");
    // Line breaks of every form stay line breaks.
    const Answer lines = DragInto(list, "10\r\nAnna\nBo");
    EXPECT_EQ(lines.entered, Qt::MoveAction);
    EXPECT_EQ(lines.dropped, Qt::MoveAction);
    EXPECT_EQ(lines.text, "10\rAnna\rBo");

    list.SetText("");
    list.SetProperty("LimitText", 6);
    const Answer cut = DragInto(list, "Anna\nBo\nCarl");
    EXPECT_EQ(cut.entered, Qt::CopyAction);
    EXPECT_EQ(cut.dropped, Qt::CopyAction);
    EXPECT_EQ(cut.text, "Anna\rB");
    list.SetText("");
    EXPECT_EQ(DragInto(list, "Anna\r\nB").dropped, Qt::MoveAction);
}

}
