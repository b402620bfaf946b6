// The framework's controls and pictures, driven through their real widgets.

#include "framework/Canvas.h"
#include "framework/EditField.h"
#include "framework/Picture.h"
#include "framework/PushButton.h"
#include "framework/ResourceFork.h"
#include "framework/StaticText.h"
#include "framework/Values.h"
#include "framework/Window.h"
#include "tests/support/Harness.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

QPlainTextEdit* AreaOf(const fw::Control& field) { return qobject_cast<QPlainTextEdit*>(harness::WidgetOf(field)); }
QLineEdit* LineOf(const fw::Control& field) { return qobject_cast<QLineEdit*>(harness::WidgetOf(field)); }

class Controls : public ::testing::Test {
protected:
    static void SetUpTestSuite() { harness::StartRuntime(); }

    void SetUp() override
    {
        window = std::make_shared<fw::Window>();
        window->Construct();
        harness::ProcessEvents();
    }

    void TearDown() override
    {
        window->Close();
        window.reset();
        harness::ProcessEvents();
        harness::ExpectNoPendingException();
        fw::SetResourceFolder("");
    }

    template<class C>
    std::shared_ptr<C> Add(const std::string& name, std::vector<std::pair<std::string, fw::PropertyValue>> properties = { })
    {
        auto control = window->NewControl<C>();
        window->AddControl(name, control);
        for (const auto& [property, value] : properties)
            control->SetProperty(property, value);
        control->SetProperty("Name", name);
        return control;
    }

    std::shared_ptr<fw::EditField> Area(int32_t limit = 0)
    {
        return Add<fw::EditField>("Area", { { "Width", 200 }, { "Height", 100 }, { "LimitText", limit }, { "MultiLine", true } });
    }

    std::shared_ptr<fw::Window> window;
};

TEST_F(Controls, MultiLineTextShowsCrLfAndCrLfAsLineBreaksAndReportsEachAsOneCr)
{
    auto field = Area();
    field->SetText("a\rb\nc\r\nd\r\re");
    EXPECT_EQ(AreaOf(*field)->document()->blockCount(), 6);
    EXPECT_EQ(AreaOf(*field)->document()->findBlockByNumber(4).text(), "");
    EXPECT_EQ(field->Text(), "a\rb\rc\rd\r\re");

    // Typed line breaks, Shift+Return included, come back as CRs too.
    field->SetText("");
    harness::Type(*field, "x\ny");
    harness::Key(*window, Qt::Key_Return, Qt::ShiftModifier);
    harness::Type(*field, "z");
    EXPECT_EQ(field->Text(), "x\ry\rz");
    EXPECT_EQ(fw::Len(field->Text()), 5);
}

TEST_F(Controls, TheTextSurvivesTheFieldBecomingMultiLine)
{
    // The design may give the text before MultiLine; the field keeps it and its events.
    auto field = Add<fw::EditField>("Field", { { "Text", std::string("eins\rzwei") }, { "LimitText", 6 } });
    int changes = 0;
    field->on_text_change = [&] { ++changes; };
    field->SetProperty("MultiLine", true);
    ASSERT_NE(AreaOf(*field), nullptr);
    EXPECT_EQ(AreaOf(*field)->document()->blockCount(), 2);
    EXPECT_EQ(field->Text(), "eins\rz");
    EXPECT_EQ(changes, 0);
    field->SelectAll();
    harness::Type(*field, "q");
    EXPECT_EQ(changes, 1);
    harness::Type(*field, "1234567");
    EXPECT_EQ(field->Text(), "q12345") << "the limit goes with the field";
}

TEST_F(Controls, LimitTextBoundsTypedAndPastedTextInCharacters)
{
    auto line = Add<fw::EditField>("Line", { { "LimitText", 4 } });
    harness::Type(*line, "123456");
    EXPECT_EQ(line->Text(), "1234");
    line->SetText("");
    harness::Paste(*line, "æøåæøå");
    EXPECT_EQ(line->Text(), "æøåæ");

    // Multi-line: what goes over the limit is cut from the pasted text, not from the rest.
    auto area = Area(5);
    area->SetText("ab");
    area->SetSelStart(1);
    harness::Paste(*area, "😀\n😀😀😀");
    EXPECT_EQ(area->Text(), "a😀\r😀b");
    EXPECT_EQ(area->SelStart(), 4) << "the insertion point stays after what was kept";
    harness::Type(*area, "z\n");
    EXPECT_EQ(area->Text(), "a😀\r😀b");

    // Undo brings back what was there before the paste, never more than the limit.
    area->Undo();
    EXPECT_EQ(area->Text(), "ab");
    area->SetProperty("LimitText", 1);
    EXPECT_EQ(area->Text(), "a");
}

TEST_F(Controls, SelectionCountsCharactersNotUtf16UnitsOrBytes)
{
    for (bool multi_line : { false, true }) {
        SCOPED_TRACE(multi_line ? "multi-line" : "one line");
        auto field = Add<fw::EditField>(multi_line ? "A" : "L", { { "MultiLine", multi_line } });
        field->SetText("æøå😀xy");
        field->SetSelStart(3);
        field->SetSelLength(2);
        EXPECT_EQ(field->SelStart(), 3);
        EXPECT_EQ(field->SelLength(), 2);
        const QString selected = multi_line ? AreaOf(*field)->textCursor().selectedText() : LineOf(*field)->selectedText();
        EXPECT_EQ(selected, QString::fromUtf8("😀x"));

        // Selected by the user: Shift+End from after the emoji.
        field->SetSelStart(4);
        harness::Focus(*field);
        harness::Key(*window, Qt::Key_End, Qt::ShiftModifier);
        EXPECT_EQ(field->SelStart(), 4);
        EXPECT_EQ(field->SelLength(), 2);

        field->SelectAll();
        EXPECT_EQ(field->SelStart(), 0);
        EXPECT_EQ(field->SelLength(), fw::Len(field->Text()));
        EXPECT_EQ(field->SelLength(), 6);

        // Beyond the end is the end.
        field->SetSelStart(100);
        EXPECT_EQ(field->SelStart(), 6);
        EXPECT_EQ(field->SelLength(), 0);
    }
}

TEST_F(Controls, TextChangeIsRaisedForTypingPastingAndSetting)
{
    for (bool multi_line : { false, true }) {
        SCOPED_TRACE(multi_line ? "multi-line" : "one line");
        auto field = Add<fw::EditField>(multi_line ? "A" : "L", { { "MultiLine", multi_line } });
        std::vector<std::string> seen;
        field->on_text_change = [&] { seen.push_back(field->Text()); };
        harness::Type(*field, "ab");
        harness::Paste(*field, "c");
        field->SetText("d");
        field->SelectAll();
        field->Cut();
        EXPECT_EQ(seen, (std::vector<std::string> { "a", "ab", "abc", "d", "" }));

        // A handler's exception reaches the program code that set the text.
        field->on_text_change = [] { throw std::runtime_error("from TextChange"); };
        EXPECT_THROW(field->SetText("e"), std::runtime_error);
        field->on_text_change = nullptr;
    }
}

TEST_F(Controls, EdgeLocksMoveOrStretchControlsAsTheWindowIsResized)
{
    using Props = std::vector<std::pair<std::string, fw::PropertyValue>>;
    const Props box { { "Left", 10 }, { "Top", 20 }, { "Width", 50 }, { "Height", 30 } };
    auto with = [&](Props extra) { extra.insert(extra.begin(), box.begin(), box.end()); return extra; };
    auto none = Add<fw::StaticText>("None", box);
    auto left = Add<fw::StaticText>("Left", with({ { "LockLeft", true }, { "LockTop", true } }));
    auto right = Add<fw::StaticText>("Right", with({ { "LockRight", true }, { "LockBottom", true } }));
    auto all = Add<fw::EditField>("All", with({ { "LockLeft", true }, { "LockTop", true }, { "LockRight", true }, { "LockBottom", true } }));

    window->SetWidth(window->Width() + 40);
    window->SetHeight(window->Height() - 15);
    harness::ProcessEvents();

    auto rect = [](const fw::Control& c) { return std::vector<int> { c.Left(), c.Top(), c.Width(), c.Height() }; };
    EXPECT_EQ(rect(*none), (std::vector<int> { 10, 20, 50, 30 }));
    EXPECT_EQ(rect(*left), (std::vector<int> { 10, 20, 50, 30 }));
    EXPECT_EQ(rect(*right), (std::vector<int> { 50, 5, 50, 30 }));
    EXPECT_EQ(rect(*all), (std::vector<int> { 10, 20, 90, 15 }));
    EXPECT_EQ(harness::WidgetOf(*all)->geometry(), QRect(10, 20, 90, 15));
    EXPECT_EQ(harness::WidgetOf(*right)->geometry(), QRect(50, 5, 50, 30));
}

TEST_F(Controls, CanvasRaisesMouseUpOnlyAfterAMouseDownThatReturnedTrue)
{
    auto canvas = Add<fw::Canvas>("Canvas1", { { "Width", 64 }, { "Height", 64 } });
    bool take = false;
    std::vector<std::pair<int, int>> downs, ups;
    canvas->on_mouse_down = [&](int32_t x, int32_t y) { downs.emplace_back(x, y); return take; };
    canvas->on_mouse_up = [&](int32_t x, int32_t y) { ups.emplace_back(x, y); };

    harness::Press(*canvas, 5, 6);
    harness::Release(*canvas, 7, 8);
    EXPECT_EQ(downs, (std::vector<std::pair<int, int>> { { 5, 6 } }));
    EXPECT_TRUE(ups.empty());

    // Taken: the release is reported wherever it is, outside the canvas too.
    take = true;
    harness::Press(*canvas, 10, 11);
    harness::Release(*canvas, 200, -9);
    EXPECT_EQ(ups, (std::vector<std::pair<int, int>> { { 200, -9 } }));

    // A release without a press of its own reports nothing.
    harness::Release(*canvas, 1, 1);
    EXPECT_EQ(ups.size(), 1u);
}

TEST_F(Controls, ReturnAndEscapePressTheEnabledDefaultAndCancelButtons)
{
    auto field = Add<fw::EditField>("Field");
    auto ok = Add<fw::PushButton>("OK", { { "Caption", std::string("OK") }, { "Default", true } });
    auto cancel = Add<fw::PushButton>("Cancel", { { "Caption", std::string("Annullér") }, { "Cancel", true }, { "Top", 30 } });
    int oks = 0, cancels = 0;
    ok->on_action = [&] { ++oks; };
    cancel->on_action = [&] { ++cancels; };

    harness::Focus(*field);
    harness::Key(*window, Qt::Key_Return);
    harness::Key(*window, Qt::Key_Enter);
    harness::Key(*window, Qt::Key_Escape);
    EXPECT_EQ(oks, 2);
    EXPECT_EQ(cancels, 1);

    ok->SetEnabled(false);
    harness::Key(*window, Qt::Key_Return);
    ok->Push();
    EXPECT_EQ(oks, 2);
    harness::Click(*cancel);
    EXPECT_EQ(cancels, 2);
}

TEST_F(Controls, FontsFollowTheTextStyle)
{
    const int system = QApplication::font().pointSize();
    auto plain = Add<fw::StaticText>("Plain", { { "TextFont", std::string("System") }, { "TextSize", 0 } });
    auto big = Add<fw::StaticText>("Big", { { "TextSize", 96 }, { "Bold", true }, { "TextAlign", 1 } });
    auto small = Add<fw::StaticText>("Small", { { "TextFont", std::string("SmallSystem") } });
    EXPECT_EQ(harness::WidgetOf(*plain)->font().pointSize(), system);
    EXPECT_EQ(harness::WidgetOf(*big)->font().pointSize(), 96);
    EXPECT_TRUE(harness::WidgetOf(*big)->font().bold());
    EXPECT_TRUE(qobject_cast<QLabel*>(harness::WidgetOf(*big))->alignment() & Qt::AlignHCenter);
    EXPECT_LT(harness::WidgetOf(*small)->font().pointSize(), system);
}

TEST_F(Controls, AssistiveTechnologySeesTheCanvasAsANamedPictureAndButtonsByCaption)
{
    auto canvas = Add<fw::Canvas>("Canvas1");
    auto button = Add<fw::PushButton>("Knap", { { "Caption", std::string("Find tilfældigt tal") } });
    QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(harness::WidgetOf(*canvas));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->role(), QAccessible::Graphic);
    EXPECT_EQ(picture->text(QAccessible::Name), "Canvas1");
    canvas->SetProperty("HelpTag", std::string("Om Hapsavi"));
    EXPECT_EQ(picture->text(QAccessible::Name), "Om Hapsavi");
    QAccessibleInterface* knap = QAccessible::queryAccessibleInterface(harness::WidgetOf(*button));
    EXPECT_EQ(knap->text(QAccessible::Name), QString::fromUtf8("Find tilfældigt tal"));
}

TEST_F(Controls, PicturesComeFromTheResourceFolderAndAMissingOrCorruptOneIsNil)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    fw::SetResourceFolder(folder.path().toStdString() + "/absent");
    EXPECT_EQ(fw::AppResources(), nullptr);

    fw::SetResourceFolder(folder.path().toStdString());
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(0, 0, 255));
    ASSERT_TRUE(image.save(folder.filePath("168.png")));
    QFile corrupt(folder.filePath("7.png"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("\x89PNG\r\n\x1a\n this is not a picture");
    corrupt.close();

    auto resources = fw::AppResources();
    ASSERT_NE(resources, nullptr);
    EXPECT_EQ(resources->GetPicture(1), nullptr);
    EXPECT_EQ(resources->GetPicture(7), nullptr);
    auto picture = resources->GetPicture(168);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 8);
    EXPECT_EQ(picture->Height(), 4);

    // Drawn on a red canvas: white shows as white, then, once transparent, as the red behind it.
    auto canvas = Add<fw::Canvas>("Canvas1", { { "Width", 8 }, { "Height", 4 } });
    QPalette red;
    red.setColor(QPalette::Window, Qt::red);
    harness::WidgetOf(*canvas)->setPalette(red);
    canvas->SetBackdrop(picture);
    auto pixel = [&](int x, int y) { return harness::WidgetOf(*canvas)->grab().toImage().pixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(pixel(3, 2), 0xFFFFFFu);
    picture->SetTransparent(1);
    EXPECT_EQ(picture->Transparent(), 1);
    EXPECT_EQ(pixel(3, 2), 0xFF0000u);
    EXPECT_EQ(pixel(0, 0), 0x0000FFu);
    picture->SetTransparent(0);
    EXPECT_EQ(pixel(3, 2), 0xFFFFFFu);
}

}
