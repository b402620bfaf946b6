// The text fields as the user meets them in the program's windows, with the
// application object and its menu bar made as start-up makes them: line
// breaks and the character limit at every way text comes in, the Edit
// commands through the menu, their shortcuts and the fields' context menu,
// and the counts the menu-enabling pass uses.

#include "framework/Application.h"
#include "framework/MenuCommands.h"
#include "framework/MenuItem.h"
#include "framework/Values.h"
#include "tests/support/Controls.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tests/support/LiteralShuffle.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <ranges>
#include <string>
#include <utility>
#include <vector>

namespace {

using harness::MaxTal;
using harness::MinTal;
using harness::Tal;
using harness::Tekstfelt;

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

// Where the widget takes mouse events and drops: a text area's viewport.
QWidget* Surface(const fw::Control& field)
{
    QWidget* widget = harness::WidgetOf(field);
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    return area ? area->viewport() : widget;
}

// Text dropped at the field's insertion point (as dragged from another program).
void Drop(const fw::Control& field, const QString& text)
{
    QMimeData data;
    data.setText(text);
    QWidget* surface = Surface(field);
    const QPoint point = harness::WidgetOf(field)->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &enter);
    QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &drop);
}

// Text committed by an input method at the insertion point.
void Commit(const fw::Control& field, const QString& text)
{
    harness::Focus(field);
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(harness::WidgetOf(field), &event);
}

std::shared_ptr<fw::MenuItem> Item(std::string_view name) { return fw::AppMenuItem(name); }

std::string Clipboard() { return S(QApplication::clipboard()->text()); }

// Every way the user brings text in at a field's insertion point, and the program's setting of its text.
std::vector<std::pair<std::string, std::function<void(const QString&)>>> WaysIn(fw::EditField& field)
{
    return {
        { "Ctrl+V", [&field](const QString& text) { harness::Paste(field, text); } },
        { "Sæt ind", [&field](const QString& text) {
             QApplication::clipboard()->setText(text);
             harness::Focus(field);
             fw::ChooseMenuItem(Item("EditPaste"));
         } },
        { "drop", [&field](const QString& text) { Drop(field, text); } },
        { "input method", [&field](const QString& text) { Commit(field, text); } },
        { "set", [&field](const QString& text) { field.SetText(S(text)); } },
    };
}

// The field's context menu, opened with a right click in it.
QMenu* ContextMenu(const fw::Control& field)
{
    QWidget* surface = Surface(field);
    const QPoint point(4, 4);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, surface->mapToGlobal(point));
    QApplication::sendEvent(surface, &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// A menu's entries as the user reads them, with their shortcuts: "-" for a separator, a disabled one in brackets.
std::string Entries(const QMenu& menu)
{
    QStringList entries;
    for (const QAction* action : menu.actions()) {
        const QString entry = action->isSeparator() ? "-" : (action->text() + ' ' + action->shortcut().toString()).trimmed();
        entries << (action->isEnabled() ? entry : '(' + entry + ')');
    }
    return S(entries.join(" | "));
}

void Choose(QMenu& menu, const std::string& text)
{
    const QList<QAction*> actions = menu.actions();
    const auto entry = std::ranges::find_if(actions, [&](const QAction* action) { return S(action->text()) == text; });
    ASSERT_NE(entry, actions.end()) << text;
    QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, menu.actionGeometry(*entry).center());
    harness::ProcessEvents();
}

class TextFields : public harness::AppTest {
protected:
    // A window of the framework's own with a one-line and a multi-line field, showing the application's menu bar.
    fw::EditField& PlainField(bool multi_line = false)
    {
        if (!plain) {
            plain = std::make_shared<fw::Window>();
            plain->Construct();
            plain->AddControl("Linje", plain->NewControl<fw::EditField>());
            plain->AddControl("Flere", plain->NewControl<fw::EditField>());
            ControlNamed(*plain, "Flere").SetProperty("MultiLine", true);
            harness::ProcessEvents();
        }
        return ControlAs<fw::EditField>(*plain, multi_line ? "Flere" : "Linje");
    }

    std::shared_ptr<fw::Window> plain;
};

TEST_F(TextFields, LinesThatComeInAreTheLinesTheShuffleRuleReadsInThePastedText)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& field = Tekstfelt(*w);
    // The window draws from one sequence and the rule from a twin: a draw too many or too few shows.
    fw::SetRndSource(harness::FixedSequence());
    const auto rule_draws = harness::FixedSequence();
    // Every line break of the rule (LF CR one, a lone CR or LF one) is one line break in the field.
    for (const std::string text : { "a\n\rb", "a\n\r\n\rb", "a\n\n\rb\r", "\n\r", "en\rto\n\rtre\r\r", "x\n\ry\n" }) {
        for (const auto& [way, bring_in] : WaysIn(field)) {
            SCOPED_TRACE(way + ": " + text);
            field.SetText("");
            bring_in(Q(text));
            EXPECT_EQ(field.Text(), literal::Normalise(text));
            // Shuffled, it gives the items the rule gives on the pasted text, in the rule's order.
            w->TilfaeldigRaekkefoelge_Action();
            EXPECT_EQ(field.Text(), literal::ShuffleLines(text, rule_draws).value());
        }
    }
    // CR LF is one line break, and so are the line and paragraph separators.
    field.SetText("");
    harness::Paste(field, Q("a\r\nb\xE2\x80\xA8" "c\xE2\x80\xA9" "d"));
    EXPECT_EQ(field.Text(), "a\rb\rc\rd");
    // Tab types a tab, though the button (enabled by the lines) takes the focus too.
    harness::Key(*w, Qt::Key_Tab);
    harness::Type(field, "e");
    EXPECT_EQ(field.Text(), "a\rb\rc\rd\te");
}

TEST_F(TextFields, TheLimitCountsCharactersNeverHalvesOneAndHoldsHoweverTextComesIn)
{
    auto w = harness::Open<wTilfaeldigtTal>();
    auto& max = MaxTal(*w);
    // The maximum takes four characters and one line: the lines the user brings in are joined.
    for (const auto& [way, bring_in] : WaysIn(max)) {
        for (const auto& [text, kept] : std::vector<std::pair<std::string, std::string>> { { "123😀", "123😀" },
                 { "😀𝄞😀", "😀𝄞😀" }, { "12345😀", "1234" }, { "😀😀😀😀😀", "😀😀😀😀" }, { "1\n5", "15" },
                 { "\r\n42\r\n", "42" }, { "7\r8", "78" } }) {
            if (way == "set" && text.find_first_of("\r\n") != std::string::npos)
                continue; // the program's own text keeps its lines
            SCOPED_TRACE(way + ": " + text);
            max.SetText("");
            bring_in(Q(text));
            EXPECT_EQ(max.Text(), kept);
        }
    }
    // A paste replaces the selection; what does not fit is cut from the pasted text.
    max.SetText("😀😀😀😀");
    max.SetSelStart(1);
    max.SetSelLength(2);
    harness::Paste(max, "abc");
    EXPECT_EQ(max.Text(), "😀ab😀");
    EXPECT_EQ(max.SelStart(), 3);

    // A key that does not fit is refused, a format or private-use character too; one that fits goes in.
    auto& area = PlainField(true);
    area.SetProperty("LimitText", int32_t(4));
    for (const QStringView typed : { u"\u200B", u"\u00AD", u"\uFEFF", u"\uE000", u"😀" }) {
        for (fw::EditField* field : { &max, &area }) {
            for (const std::string before : { "123", "1234" }) {
                SCOPED_TRACE(testing::Message() << before << " + U+" << std::hex << typed.toString().toUcs4()[0]);
                field->SetText(before);
                field->SetSelStart(int32_t(before.size()));
                harness::Focus(*field);
                // One key, whatever it types (a character outside the BMP is one key, two UTF-16 units).
                QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, typed.toString());
                QApplication::sendEvent(harness::WidgetOf(*field), &key);
                EXPECT_EQ(field->Text(), before == "123" ? before + S(typed.toString()) : before);
            }
        }
    }

    // Through the interface screen readers use: text set as a whole is cut at the limit.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(harness::WidgetOf(max));
    ASSERT_NE(accessible, nullptr);
    accessible->setText(QAccessible::Value, "123456");
    EXPECT_EQ(max.Text(), "1234");
    QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
    ASSERT_NE(editable, nullptr);
    max.SetText("12");
    editable->insertText(1, "abcd");
    EXPECT_EQ(max.Text(), "1abc");
    editable->replaceText(0, 1, "😀😀");
    EXPECT_EQ(max.Text(), "😀😀ab");
}

TEST_F(TextFields, ContextMenusOfferTheEditMenusCommandsWithTheirShortcutsAndEnabling)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& field = Tekstfelt(*w);
    harness::Type(field, "to linjer\nher");
    field.SetSelStart(10);
    field.SetSelLength(3);

    QMenu* menu = ContextMenu(field);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Entries(*menu), "Fortryd Ctrl+Z | - | Klip Ctrl+X | Kopier Ctrl+C | (Sæt ind Ctrl+V) | Slet | - | Vælg alt Ctrl+A");

    // Each entry acts as the Edit menu's item: Vælg alt runs the field's own handler.
    Choose(*menu, "Kopier");
    EXPECT_EQ(Clipboard(), "her");
    Choose(*ContextMenu(field), "Vælg alt");
    EXPECT_EQ(field.SelLength(), 13);
    // Sæt ind, now that the clipboard holds text; not Vælg alt, with everything selected.
    menu = ContextMenu(field);
    EXPECT_EQ(Entries(*menu), "Fortryd Ctrl+Z | - | Klip Ctrl+X | Kopier Ctrl+C | Sæt ind Ctrl+V | Slet | - | (Vælg alt Ctrl+A)");
    Choose(*menu, "Klip");
    EXPECT_EQ(field.Text(), "");
    EXPECT_EQ(Clipboard(), "to linjer\nher");

    // A one-line field, read-only (nothing to paste into) or not.
    auto numbers = harness::Open<wTilfaeldigtTal>();
    MinTal(*numbers).SelectAll();
    menu = ContextMenu(MinTal(*numbers));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Entries(*menu), "(Fortryd Ctrl+Z) | - | (Klip Ctrl+X) | Kopier Ctrl+C | (Sæt ind Ctrl+V) | (Slet) | - | Vælg alt Ctrl+A");
    menu->close();
    // The window opened with the maximum selected: the paste replaces it, one line, cut at four characters.
    Choose(*ContextMenu(MaxTal(*numbers)), "Sæt ind");
    EXPECT_EQ(MaxTal(*numbers).Text(), "to l");

    // A right click in a window behind acts in that window.
    field.SetText("igen");
    Choose(*ContextMenu(field), "Vælg alt");
    EXPECT_EQ(field.SelLength(), 4);
    EXPECT_EQ(MaxTal(*numbers).SelLength(), 0);
}

TEST_F(TextFields, CutCopyAndClearActOnTheSelectionAndCopyTheTextAsItShows)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& field = Tekstfelt(*w);
    harness::Type(field, "første\nanden");
    QApplication::clipboard()->setText("før");
    // By the menu and by the shortcut; without a selection the items are off and nothing happens.
    struct Step {
        std::string how;
        int32_t start, length;
        std::string text, clipboard;
    };
    for (const Step& step : std::vector<Step> { { "EditCut", 3, 0, "første\randen", "før" },
             { "EditCopy", 3, 0, "første\randen", "før" }, { "EditClear", 3, 0, "første\randen", "før" },
             { "Ctrl+X", 3, 0, "første\randen", "før" }, { "Ctrl+C", 3, 0, "første\randen", "før" },
             { "EditCopy", 4, 4, "første\randen", "te\na" }, { "Ctrl+C", 0, 2, "første\randen", "fø" },
             { "Ctrl+X", 0, 2, "rste\randen", "fø" }, { "EditCut", 0, 4, "\randen", "rste" },
             { "EditClear", 0, 1, "anden", "rste" } }) {
        SCOPED_TRACE(step.how + " of " + std::to_string(step.length));
        field.SetSelStart(step.start);
        field.SetSelLength(step.length);
        if (step.how.starts_with("Ctrl+"))
            QTest::keySequence(harness::WidgetOf(field), QKeySequence(Q(step.how)));
        else
            EXPECT_EQ(fw::ChooseMenuItem(Item(step.how)), step.length > 0);
        EXPECT_EQ(field.Text(), step.text);
        EXPECT_EQ(Clipboard(), step.clipboard);
    }

    // Exactly as it shows: a no-break space stays one, a soft line break (Shift+Return) is a line break.
    field.SetText("10\xC2\xA0kr.");
    harness::Key(*w, Qt::Key_End, Qt::ControlModifier);
    harness::Key(*w, Qt::Key_Return, Qt::ShiftModifier);
    harness::Type(field, "b");
    harness::Key(*w, Qt::Key_A, Qt::ControlModifier);
    harness::Key(*w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "10\xC2\xA0kr.\nb");
}

TEST_F(TextFields, APasteNeedsTextOnTheClipboardAndIsAnUndoStepOfItsOwnUndoneUnlessReadOnly)
{
    auto order = harness::Open<wTilfaeldigRaekkefoelge>();
    auto numbers = harness::Open<wTilfaeldigtTal>();
    for (fw::EditField* field : { static_cast<fw::EditField*>(&Tekstfelt(*order)), &MaxTal(*numbers) }) {
        const fw::Window& w = *field->GetWindow();
        SCOPED_TRACE(w.Title());
        field->SetText("");
        harness::Focus(*field);
        QApplication::clipboard()->clear();
        EXPECT_FALSE(fw::ChooseMenuItem(Item("EditPaste")));
        harness::Key(w, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field->Text(), "");

        harness::Type(*field, "1");
        harness::Paste(*field, "2");
        // In a one-line field, typing right after the paste is a step of its own too.
        if (!qobject_cast<QPlainTextEdit*>(harness::WidgetOf(*field))) {
            harness::Type(*field, "3");
            harness::Key(w, Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(field->Text(), "12");
        }
        harness::Key(w, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(field->Text(), "1");

        // Read-only, Fortryd is off in the menu and by its shortcut.
        field->SetReadOnly(true);
        EXPECT_FALSE(fw::ChooseMenuItem(Item("EditUndo")));
        harness::Key(w, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(field->Text(), "1");
        field->SetReadOnly(false);
        harness::Key(w, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(field->Text(), "");
    }
}

// The counts the enabling pass reads, taken from the widget without copying
// the text out, against the rule read literally from the whole text.
TEST_F(TextFields, EnablingAnswersAreThoseOfTheRuleOnTheWholeText)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& area = Tekstfelt(*w);
    auto& line = PlainField();
    std::mt19937 random(7);
    const std::vector<std::string> pieces { "a", "æ", "😀", "𝄞", " ", "\r", "\n", "\r\n", "\n\r", "\xE2\x80\xA8", "\t" };
    auto text = [&] {
        std::string t;
        for (int n = random() % 12; n > 0; --n)
            t += pieces[random() % pieces.size()];
        return t;
    };
    // The selection in characters, from the widget's own text and positions as a screen reader reads them.
    auto selection = [](const fw::EditField& field) {
        QAccessibleTextInterface* read = QAccessible::queryAccessibleInterface(harness::WidgetOf(field))->textInterface();
        int start = read->cursorPosition(), end = start;
        if (read->selectionCount() > 0)
            read->selection(0, &start, &end);
        const QString units = read->text(0, read->characterCount());
        return std::pair { fw::Len(S(units.left(start))), fw::Len(S(units.mid(start, end - start))) };
    };

    for (int round = 0; round < 300; ++round) {
        for (fw::EditField* field : { static_cast<fw::EditField*>(&area), &line }) {
            field->GetWindow()->Show();
            harness::Focus(*field);
            switch (random() % 4) {
            case 0: field->SetText(text()); break;
            case 1: harness::Paste(*field, Q(text())); break;
            case 2: harness::Key(*field->GetWindow(), Qt::Key_Z, Qt::ControlModifier); break;
            case 3: harness::Key(*field->GetWindow(), Qt::Key_Backspace); break;
            }
            const int32_t length = fw::Len(field->Text());
            field->SetSelStart(int32_t(random() % (length + 2)));
            field->SetSelLength(int32_t(random() % (length + 2)));
            if (random() % 2)
                harness::Key(*field->GetWindow(), random() % 2 ? Qt::Key_Left : Qt::Key_Right, Qt::ShiftModifier);

            const std::string t = field->Text();
            const auto [start, selected] = selection(*field);
            SCOPED_TRACE(t);
            ASSERT_EQ(field->TextLength(), fw::Len(t));
            ASSERT_EQ(field->SelStart(), start);
            ASSERT_EQ(field->SelLength(), selected);
            fw::RunMenuEnablingPass();
            EXPECT_EQ(Item("EditCopy")->Enabled(), selected > 0);
            EXPECT_EQ(Item("EditSelectAll")->Enabled(), field == &area ? !t.empty() && selected < fw::Len(t) : !t.empty());
        }
    }
}

// Whether every line of the text's first block but its last ends at a space.
bool WrapsAtSpaces(QPlainTextEdit& edit)
{
    const QTextBlock block = edit.document()->firstBlock();
    edit.document()->documentLayout()->blockBoundingRect(block);
    QTextLayout* layout = block.layout();
    for (int i = 0; i + 1 < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        if (block.text().at(line.textStart() + line.textLength() - 1) != u' ')
            return false;
    }
    return layout->lineCount() > 1;
}

TEST_F(TextFields, ALongRunWithoutSpacesWrapsEveryLineAtTheEdgeWhileTheTextHoldsIt)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& field = Tekstfelt(*w);
    QPlainTextEdit& edit = *qobject_cast<QPlainTextEdit*>(harness::WidgetOf(field));
    std::string words;
    for (int i = 0; i < 100; ++i)
        words += "ord" + std::to_string(i) + " ";
    field.SetText(words + "\r" + std::string(4999, 'y'));
    EXPECT_TRUE(WrapsAtSpaces(edit)) << "an ordinary long line wraps at its spaces";

    // A hash or a base64 text without spaces, pasted and undone, or made and split by typing.
    harness::Focus(field);
    harness::Key(*w, Qt::Key_End, Qt::ControlModifier);
    harness::Paste(field, "\n" + QString(6000, u'y'));
    EXPECT_FALSE(WrapsAtSpaces(edit));
    harness::Key(*w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(WrapsAtSpaces(edit)) << "the run is gone";
    harness::Key(*w, Qt::Key_End, Qt::ControlModifier);
    harness::Type(field, "y");
    EXPECT_FALSE(WrapsAtSpaces(edit));
    field.SetSelStart(fw::Len(words) + 2500);
    harness::Type(field, " ");
    EXPECT_TRUE(WrapsAtSpaces(edit));
}

// The text's lines, sorted.
std::vector<std::string> SortedLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (const auto line : std::views::split(text, '\r'))
        lines.emplace_back(line.begin(), line.end());
    std::ranges::sort(lines);
    return lines;
}

TEST_F(TextFields, InvisibleCharactersAtTheEdgesOfTextAndLinesComeBackExactly)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& list = Tekstfelt(*w);
    fw::SetRndSource([] { return std::nextafter(1.0, 0.0); });
    // Invisible characters people meet in pasted text.
    const std::vector<QChar> invisible { QChar(0xFEFF), QChar(0x200B), QChar(0x00AD), QChar(0x2060) };
    for (const QChar c : invisible) {
        SCOPED_TRACE(int(c.unicode()));
        const std::string x = S(QString(c) + "x" + c), y = S(QString(c) + "y" + c);
        // Set and read back; pasted over it from another program, which offers UTF-8 bytes; copied back out.
        for (fw::EditField* field : { static_cast<fw::EditField*>(&list), &PlainField() }) {
            field->SetText(y + "\r" + x);
            EXPECT_EQ(field->Text(), y + "\r" + x);
            auto* offered = new QMimeData;
            for (const char* format : { "text/plain", "text/plain;charset=utf-8" })
                offered->setData(format, QByteArray::fromStdString(x + "\n" + y));
            QApplication::clipboard()->setMimeData(offered);
            QWidget* widget = harness::WidgetOf(*field);
            harness::Focus(*field);
            QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(field->Text(), field == &list ? x + "\r" + y : x + y);
            QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(widget, Qt::Key_C, Qt::ControlModifier);
            EXPECT_EQ(Clipboard(), field == &list ? x + "\n" + y : x + y);
        }

        // Pressed, the last line drawn first.
        w->TilfaeldigRaekkefoelge_Action();
        EXPECT_EQ(list.Text(), y + "\r" + x);
    }

    // A long text is pressed in the background: every line comes back whole, the
    // first drawn first, so that the result starts with its U+FEFF.
    fw::SetRndSource([] { return 0.0; });
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        const QChar c = invisible[i % invisible.size()];
        text += (i ? "\r" : "") + S(QString(c) + QString::number(i) + c);
    }
    list.SetText(text);
    w->TilfaeldigRaekkefoelge_Action();
    EXPECT_TRUE(list.IsBusy());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list.IsBusy(); }, 120000));
    EXPECT_TRUE(SortedLines(list.Text()) == SortedLines(text));
}

TEST_F(TextFields, ALongPasteOrTextShowsTheBusyPointerWhileItGoesInAndAShortOneDoesNot)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& list = Tekstfelt(*w);
    // The pointer's shape whenever the text changes (-1: no override).
    std::vector<int> shapes;
    QObject watch;
    QObject::connect(qobject_cast<QPlainTextEdit*>(harness::WidgetOf(list)), &QPlainTextEdit::textChanged, &watch, [&] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        shapes.push_back(cursor ? cursor->shape() : -1);
    });
    QString lines;
    while (lines.size() < (1 << 20))
        lines += QStringLiteral("en linje af tekst\n");
    for (const auto& [bring_in, shape] : std::vector<std::pair<std::function<void()>, int>> {
             { [&] { harness::Paste(list, "kort\ntekst"); }, -1 }, { [&] { harness::Paste(list, lines); }, Qt::WaitCursor },
             { [&] { list.SetText(S(lines)); }, Qt::WaitCursor } }) {
        shapes.clear();
        bring_in();
        EXPECT_EQ(shapes, std::vector<int> { shape });
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "restored once the text is in";
    }
}

TEST_F(TextFields, EscapeInTheRandomNumberWindowDrawsNothing)
{
    auto w = harness::Open<wTilfaeldigtTal>();
    fw::SetRndSource([] { return 0.0; });
    harness::Key(*w, Qt::Key_Escape);
    EXPECT_EQ(Tal(*w), "");
}

}
