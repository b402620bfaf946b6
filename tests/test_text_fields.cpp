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
#include <QLineEdit>
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
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using harness::MaxTal;
using harness::MinTal;
using harness::Tal;
using harness::Tekstfelt;

QString Q(const std::string& text) { return QString::fromStdString(text); }

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

// One key that types `text` (a character outside the BMP is one key, two UTF-16 units).
void TypeKey(const fw::Control& field, const QString& text)
{
    harness::Focus(field);
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(harness::WidgetOf(field), &press);
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

// A menu's entries as the user reads them: text, or "-" for a separator, and whether enabled.
std::vector<std::pair<std::string, bool>> Entries(const QMenu& menu)
{
    std::vector<std::pair<std::string, bool>> entries;
    for (const QAction* action : menu.actions())
        entries.emplace_back(action->isSeparator() ? "-" : action->text().toStdString(), action->isEnabled());
    return entries;
}

void Choose(QMenu& menu, const std::string& text)
{
    for (QAction* action : menu.actions())
        if (action->text().toStdString() == text) {
            QTest::mouseClick(&menu, Qt::LeftButton, Qt::NoModifier, menu.actionGeometry(action).center());
            harness::ProcessEvents();
            return;
        }
    ADD_FAILURE() << "no entry " << text;
}

std::shared_ptr<fw::MenuItem> Item(std::string_view name) { return fw::AppMenuItem(name); }

// What the Edit menu shows for the item, after the pass that runs before it opens.
bool Enabled(std::string_view name)
{
    fw::RunMenuEnablingPass();
    return Item(name)->Enabled();
}

std::string Clipboard() { return QApplication::clipboard()->text().toStdString(); }

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
    const std::vector<std::pair<const char*, std::function<void(const QString&)>>> ways {
        { "Ctrl+V", [&](const QString& text) { harness::Paste(field, text); } },
        { "Sæt ind", [&](const QString& text) {
             QApplication::clipboard()->setText(text);
             harness::Focus(field);
             fw::ChooseMenuItem(Item("EditPaste"));
         } },
        { "drop", [&](const QString& text) { Drop(field, text); } },
        { "input method", [&](const QString& text) { Commit(field, text); } },
        { "set", [&](const QString& text) { field.SetText(text.toStdString()); } },
    };
    // The window draws from one sequence and the rule from a twin: a draw too many or too few shows.
    fw::SetRndSource(harness::FixedSequence());
    const auto rule_draws = harness::FixedSequence();
    // Every line break of the rule (LF CR one, a lone CR or LF one) is one line break in the field.
    for (const std::string text : { "a\n\rb", "a\n\r\n\rb", "a\n\n\rb\r", "\n\r", "en\rto\n\rtre\r\r", "x\n\ry\n" }) {
        for (const auto& [way, bring_in] : ways) {
            SCOPED_TRACE(std::string(way) + ": " + text);
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
}

TEST_F(TextFields, TheMaximumTakesFourCharactersWholeAndOneLineHoweverTheyComeIn)
{
    auto w = harness::Open<wTilfaeldigtTal>();
    auto& max = MaxTal(*w);
    auto replace = [&](const std::function<void()>& bring_in) {
        max.SetText("");
        harness::Focus(max);
        bring_in();
        return max.Text();
    };
    auto paste = [&](const char* text) { return replace([&] { harness::Paste(max, Q(text)); }); };
    EXPECT_EQ(paste("123😀"), "123😀");
    EXPECT_EQ(paste("😀😀😀"), "😀😀😀");
    EXPECT_EQ(paste("12345😀"), "1234");
    EXPECT_EQ(paste("😀😀😀😀😀"), "😀😀😀😀");
    EXPECT_EQ(replace([&] { Commit(max, "𝄞𝄞𝄞𝄞𝄞"); }), "𝄞𝄞𝄞𝄞");
    EXPECT_EQ(replace([&] { max.SetText("😀😀😀😀😀"); }), "😀😀😀😀");
    EXPECT_EQ(replace([&] { Drop(max, "😀😀😀😀😀"); }), "😀😀😀😀");
    EXPECT_EQ(replace([&] { harness::Type(max, "123"); TypeKey(max, "😀"); TypeKey(max, "😀"); harness::Type(max, "4"); }),
        "123😀");

    // Line breaks are dropped, the lines joined.
    EXPECT_EQ(paste("1\n5"), "15");
    EXPECT_EQ(paste("\r\n42\r\n"), "42");
    EXPECT_EQ(replace([&] { Drop(max, "1\r5"); }), "15");
    EXPECT_EQ(replace([&] { Commit(max, "7\n8"); }), "78");

    // A paste replaces the selection; what does not fit is cut from the pasted text.
    max.SetText("10");
    max.SelectAll();
    harness::Paste(max, "😀😀😀😀😀");
    EXPECT_EQ(max.Text(), "😀😀😀😀");
    max.SetSelStart(1);
    max.SetSelLength(2);
    harness::Paste(max, "abc");
    EXPECT_EQ(max.Text(), "😀ab😀");
    EXPECT_EQ(max.SelStart(), 3);
}

TEST_F(TextFields, ContextMenusOfferTheEditMenusCommandsWithTheirTextsAndEnabling)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& field = Tekstfelt(*w);
    harness::Type(field, "to linjer\nher");
    field.SetSelStart(10);
    field.SetSelLength(3);

    QMenu* menu = ContextMenu(field);
    ASSERT_NE(menu, nullptr);
    using Shown = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(Entries(*menu), (Shown { { "Fortryd", true }, { "-", true }, { "Klip", true }, { "Kopier", true },
                                  { "Sæt ind", false }, { "Slet", true }, { "-", true }, { "Vælg alt", true } }));
    // With the Edit menu's shortcuts.
    std::vector<std::string> keys;
    for (const QAction* action : menu->actions())
        keys.push_back(action->shortcut().toString().toStdString());
    EXPECT_EQ(keys, (std::vector<std::string> { "Ctrl+Z", "", "Ctrl+X", "Ctrl+C", "Ctrl+V", "", "", "Ctrl+A" }));
    // The same enabling as the Edit menu's.
    EXPECT_TRUE(Item("EditUndo")->Enabled());
    EXPECT_FALSE(Item("EditPaste")->Enabled());

    // Each entry acts as the Edit menu's item: Vælg alt runs the field's own handler.
    Choose(*menu, "Kopier");
    EXPECT_EQ(Clipboard(), "her");
    Choose(*ContextMenu(field), "Vælg alt");
    EXPECT_EQ(field.SelStart(), 0);
    EXPECT_EQ(field.SelLength(), 13);
    menu = ContextMenu(field);
    EXPECT_TRUE(Entries(*menu)[4].second) << "Sæt ind, now that the clipboard holds text";
    EXPECT_FALSE(Entries(*menu)[7].second) << "Vælg alt, with everything selected";
    Choose(*menu, "Klip");
    EXPECT_EQ(field.Text(), "");
    EXPECT_EQ(Clipboard(), "to linjer\nher");

    // A one-line field, read-only (nothing to paste into) or not.
    auto numbers = harness::Open<wTilfaeldigtTal>();
    MinTal(*numbers).SelectAll();
    menu = ContextMenu(MinTal(*numbers));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Entries(*menu), (Shown { { "Fortryd", false }, { "-", true }, { "Klip", false }, { "Kopier", true },
                                  { "Sæt ind", false }, { "Slet", false }, { "-", true }, { "Vælg alt", true } }));
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

TEST_F(TextFields, CutCopyAndClearNeedASelectionInTheMenuAndByShortcut)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& field = Tekstfelt(*w);
    harness::Type(field, "første\nanden");
    QApplication::clipboard()->setText("før");
    for (const char* name : { "EditCut", "EditCopy", "EditClear" }) {
        EXPECT_FALSE(Enabled(name)) << name;
        EXPECT_FALSE(fw::ChooseMenuItem(Item(name))) << name;
    }
    harness::Key(*w, Qt::Key_X, Qt::ControlModifier);
    harness::Key(*w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(field.Text(), "første\randen");
    EXPECT_EQ(Clipboard(), "før");

    // Copied as the user sees it, line break included, by the menu and by Ctrl+C.
    field.SetSelStart(4);
    field.SetSelLength(4);
    EXPECT_TRUE(fw::ChooseMenuItem(Item("EditCopy")));
    EXPECT_EQ(Clipboard(), "te\na");
    field.SetSelStart(0);
    field.SetSelLength(2);
    harness::Key(*w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "fø");
    harness::Key(*w, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(field.Text(), "rste\randen");
    field.SetSelLength(4);
    EXPECT_TRUE(fw::ChooseMenuItem(Item("EditCut")));
    EXPECT_EQ(Clipboard(), "rste");
    field.SetSelLength(1);
    EXPECT_TRUE(fw::ChooseMenuItem(Item("EditClear")));
    EXPECT_EQ(field.Text(), "anden");
    EXPECT_EQ(Clipboard(), "rste");

    // Exactly as it shows: a no-break space stays one.
    field.SetText("10\xC2\xA0kr.");
    field.SelectAll();
    harness::Key(*w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "10\xC2\xA0kr.");
}

TEST_F(TextFields, PasteNeedsTextOnTheClipboardAndFortrydTakesItBackAlone)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& field = Tekstfelt(*w);
    harness::Focus(field);
    QApplication::clipboard()->clear();
    EXPECT_FALSE(Enabled("EditPaste"));
    EXPECT_FALSE(fw::ChooseMenuItem(Item("EditPaste")));
    harness::Key(*w, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field.Text(), "");

    QApplication::clipboard()->setText("æble");
    harness::Key(*w, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(fw::ChooseMenuItem(Item("EditPaste")));
    EXPECT_EQ(field.Text(), "æbleæble");
    harness::Type(field, "s");
    harness::Key(*w, Qt::Key_V, Qt::ControlModifier);
    harness::Key(*w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field.Text(), "æbleæbles");

    // The same in the one-line maximum.
    auto numbers = harness::Open<wTilfaeldigtTal>();
    QApplication::clipboard()->setText("0");
    harness::Key(*numbers, Qt::Key_End);
    harness::Key(*numbers, Qt::Key_Backspace);
    harness::Key(*numbers, Qt::Key_V, Qt::ControlModifier);
    harness::Type(MaxTal(*numbers), "5");
    EXPECT_EQ(MaxTal(*numbers).Text(), "105");
    harness::Key(*numbers, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(MaxTal(*numbers).Text(), "10");
    harness::Key(*numbers, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(MaxTal(*numbers).Text(), "1");
}

TEST_F(TextFields, UndoIsOffInAReadOnlyFieldInTheMenuAndByShortcut)
{
    for (bool multi_line : { false, true }) {
        auto& field = PlainField(multi_line);
        harness::Type(field, "abc");
        EXPECT_TRUE(Enabled("EditUndo"));
        field.SetReadOnly(true);
        EXPECT_FALSE(Enabled("EditUndo")) << multi_line;
        EXPECT_FALSE(fw::ChooseMenuItem(Item("EditUndo")));
        harness::Key(*plain, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(field.Text(), "abc");

        field.SetReadOnly(false);
        harness::Key(*plain, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(field.Text(), "");
    }
}

TEST_F(TextFields, TabTypesATabInTheRandomOrderText)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& field = Tekstfelt(*w);
    // Two lines: the button takes the focus too, and Tab stays in the text all the same.
    harness::Type(field, "en\nto");
    harness::Key(*w, Qt::Key_Tab);
    harness::Type(field, "tre");
    EXPECT_EQ(field.Text(), "en\rto\ttre");
    EXPECT_TRUE(harness::WidgetOf(field)->hasFocus());
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
    // The selection in characters, read from the widget's own text and positions.
    auto selection = [](const fw::EditField& field) {
        QWidget* widget = harness::WidgetOf(field);
        QString units;
        int start = 0, end = 0;
        if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
            units = edit->document()->toRawText();
            start = edit->textCursor().selectionStart();
            end = edit->textCursor().selectionEnd();
        } else {
            auto* one = qobject_cast<QLineEdit*>(widget);
            units = one->text();
            start = one->hasSelectedText() ? one->selectionStart() : one->cursorPosition();
            end = one->hasSelectedText() ? one->selectionEnd() : start;
        }
        return std::pair { fw::Len(units.left(start).toStdString()), fw::Len(units.mid(start, end - start).toStdString()) };
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
            EXPECT_EQ(Enabled("EditCopy"), selected > 0);
            EXPECT_EQ(Item("EditSelectAll")->Enabled(),
                field == &area ? (t.empty() ? false : selected < fw::Len(t)) : !t.empty());
        }
    }
}

// Whether every line of the text's first block but its last ends at a space.
bool WrapsAtSpaces(QPlainTextEdit& edit)
{
    const QTextBlock block = edit.document()->firstBlock();
    edit.document()->documentLayout()->blockBoundingRect(block);
    const QString text = block.text();
    QTextLayout* layout = block.layout();
    for (int i = 0; i + 1 < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        if (text.at(line.textStart() + line.textLength() - 1) != u' ')
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
    field.SetText(words);
    EXPECT_TRUE(WrapsAtSpaces(edit)) << "an ordinary long line wraps at its spaces";

    // A hash or a base64 text without spaces: every line of the text wraps at the edge.
    harness::Focus(field);
    harness::Key(*w, Qt::Key_End, Qt::ControlModifier);
    harness::Paste(field, "\n" + QString(6000, u'y'));
    EXPECT_FALSE(WrapsAtSpaces(edit));
    harness::Key(*w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(WrapsAtSpaces(edit)) << "the run is gone";

    // Made or split by typing.
    field.SetText(words + "\r" + std::string(4999, 'y'));
    EXPECT_TRUE(WrapsAtSpaces(edit));
    harness::Key(*w, Qt::Key_End, Qt::ControlModifier);
    harness::Type(field, "y");
    EXPECT_FALSE(WrapsAtSpaces(edit));
    field.SetSelStart(fw::Len(words) + 2500);
    harness::Type(field, " ");
    EXPECT_TRUE(WrapsAtSpaces(edit));
}

}

namespace {

// Invisible characters people meet in pasted text.
const std::vector<QChar> kInvisible { QChar(0xFEFF), QChar(0x200B), QChar(0x00AD), QChar(0x2060) };

std::string S(const QString& text) { return text.toStdString(); }

// The pressed text as lines, in order.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (const char c : text)
        if (c == '\r')
            lines.emplace_back();
        else
            lines.back().push_back(c);
    return lines;
}

}

TEST_F(TextFields, InvisibleCharactersAtTheEdgesOfTextAndLinesComeBackExactly)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& list = Tekstfelt(*w);
    for (const QChar c : kInvisible) {
        SCOPED_TRACE(int(c.unicode()));
        const std::string x = S(QString(c) + "x" + c), y = S(QString(c) + "y" + c);
        // Set and read back, in both kinds of field.
        for (fw::EditField* field : { &PlainField(), &PlainField(true) }) {
            field->SetText(x + "\r" + y);
            EXPECT_EQ(field->Text(), x + "\r" + y);
        }

        // Pasted from another program, which offers the text as UTF-8 bytes.
        for (fw::EditField* field : { static_cast<fw::EditField*>(&list), &PlainField() }) {
            auto* offered = new QMimeData;
            for (const char* format : { "text/plain", "text/plain;charset=utf-8" })
                offered->setData(format, QByteArray::fromStdString(x + "\n" + y));
            QApplication::clipboard()->setMimeData(offered);
            field->SetText("");
            harness::Focus(*field);
            QTest::keyClick(harness::WidgetOf(*field), Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(field->Text(), field == &list ? x + "\r" + y : x + y);
        }

        // Pressed until each line has come first.
        std::set<std::string> pressed;
        for (const double draw : { 0.0, std::nextafter(1.0, 0.0) }) {
            fw::SetRndSource([draw] { return draw; });
            list.SetText(x + "\n" + y);
            w->TilfaeldigRaekkefoelge_Action();
            pressed.insert(list.Text());
        }
        fw::SetRndSource({ });
        EXPECT_EQ(pressed, (std::set<std::string> { x + "\r" + y, y + "\r" + x }));

        // Copied out of the list field and the one-line field.
        list.SelectAll();
        harness::Key(*w, Qt::Key_C, Qt::ControlModifier);
        std::string copied = list.Text();
        std::replace(copied.begin(), copied.end(), '\r', '\n');
        EXPECT_EQ(Clipboard(), copied);
        PlainField().SetText(x);
        PlainField().SelectAll();
        PlainField().Copy();
        EXPECT_EQ(Clipboard(), x);
    }

    // A long text is pressed in the background: every line comes back whole.
    std::vector<std::string> lines;
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        const QChar c = kInvisible[i % kInvisible.size()];
        lines.push_back(S(QString(c) + QString::number(i) + c));
        text += (i ? "\r" : "") + lines.back();
    }
    list.SetText(text);
    w->TilfaeldigRaekkefoelge_Action();
    EXPECT_TRUE(list.IsBusy());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list.IsBusy(); }, 120000));
    std::vector<std::string> back = Lines(list.Text());
    std::sort(back.begin(), back.end());
    std::sort(lines.begin(), lines.end());
    EXPECT_TRUE(back == lines);
}

TEST_F(TextFields, TheLimitHoldsForInvisibleCharactersAndForTextSetThroughTheAccessibilityInterface)
{
    auto w = harness::Open<wTilfaeldigtTal>();
    auto& max = MaxTal(*w);
    auto& area = PlainField(true);
    area.SetProperty("LimitText", int32_t(4));
    for (const QChar c : { QChar(0x200B), QChar(0x00AD), QChar(0xFEFF), QChar(0xE000) }) {
        SCOPED_TRACE(int(c.unicode()));
        for (fw::EditField* field : { &max, &area }) {
            field->SetText("1234");
            field->SetSelStart(4);
            TypeKey(*field, c);
            EXPECT_EQ(field->Text(), "1234") << "a character that does not fit is refused";
            field->SetText("123");
            field->SetSelStart(3);
            TypeKey(*field, c);
            EXPECT_EQ(field->Text(), S("123" + QString(c))) << "one that fits goes in";
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

    harness::Paste(list, "kort\ntekst");
    EXPECT_EQ(shapes, std::vector<int> { -1 });
    shapes.clear();
    harness::Paste(list, lines);
    EXPECT_EQ(shapes, std::vector<int> { Qt::WaitCursor });
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "restored once the text is in";
    shapes.clear();
    list.SetText(S(lines));
    EXPECT_EQ(shapes, std::vector<int> { Qt::WaitCursor });
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(TextFields, ASoftLineBreakIsCopiedAsALineBreak)
{
    auto w = harness::Open<wTilfaeldigRaekkefoelge>();
    auto& list = Tekstfelt(*w);
    list.SetText("");
    harness::Type(list, "a");
    harness::Key(*w, Qt::Key_Return, Qt::ShiftModifier);
    harness::Type(list, "b");
    harness::Key(*w, Qt::Key_A, Qt::ControlModifier);
    harness::Key(*w, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "a\nb");
}

TEST_F(TextFields, EscapeInTheRandomNumberWindowDrawsNothing)
{
    auto w = harness::Open<wTilfaeldigtTal>();
    int draws = 0;
    fw::SetRndSource([&draws] { ++draws; return 0.0; });
    harness::Key(*w, Qt::Key_Escape);
    EXPECT_EQ(Tal(*w), "");
    EXPECT_EQ(draws, 0);
    harness::Key(*w, Qt::Key_Return);
    EXPECT_EQ(Tal(*w), "1") << "Return does draw";
    fw::SetRndSource({ });
}
