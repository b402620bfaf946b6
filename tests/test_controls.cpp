// The framework's controls and pictures, driven through their real widgets.

#include "framework/Canvas.h"
#include "framework/EditField.h"
#include "framework/Picture.h"
#include "framework/PushButton.h"
#include "framework/ResourceFork.h"
#include "framework/StaticText.h"
#include "framework/Values.h"
#include "framework/Window.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using Properties = std::vector<std::pair<std::string, fw::PropertyValue>>;

QPlainTextEdit* AreaOf(const fw::Control& field) { return qobject_cast<QPlainTextEdit*>(harness::WidgetOf(field)); }

class Controls : public harness::RuntimeTest {
protected:
    void SetUp() override
    {
        window = std::make_shared<fw::Window>();
        window->Construct();
        harness::ProcessEvents();
    }

    // The properties are set in the order given, as a design list sets them.
    template<class C>
    std::shared_ptr<C> Add(const std::string& name, const Properties& properties = { })
    {
        auto control = window->NewControl<C>();
        window->AddControl(name, control);
        for (const auto& [property, value] : properties)
            control->SetProperty(property, value);
        control->SetProperty("Name", name);
        return control;
    }

    std::shared_ptr<fw::Window> window;
};

TEST_F(Controls, MultiLineTextShowsCrLfAndCrLfAsOneLineBreakEachAndReportsEachAsCr)
{
    // The text comes before MultiLine, as a design may give it, and survives the change.
    auto field = Add<fw::EditField>("Area", { { "Text", std::string("a\rb\nc\r\nd\r\re") }, { "MultiLine", true } });
    EXPECT_EQ(AreaOf(*field)->document()->blockCount(), 6);
    EXPECT_EQ(field->Text(), "a\rb\rc\rd\r\re");

    // Typed line breaks, Shift+Return included, come back as CRs too.
    field->SetText("");
    harness::Type(*field, "x\ny");
    harness::Key(*window, Qt::Key_Return, Qt::ShiftModifier);
    harness::Type(*field, "z");
    EXPECT_EQ(field->Text(), "x\ry\rz");
}

TEST_F(Controls, LimitTextBoundsTypedAndPastedTextInCharacters)
{
    auto line = Add<fw::EditField>("Line", { { "LimitText", 4 } });
    harness::Type(*line, "123456");
    EXPECT_EQ(line->Text(), "1234");
    line->SetText("");
    harness::Paste(*line, "æøåæøå");
    EXPECT_EQ(line->Text(), "æøåæ");

    // Multi-line (the limit given before MultiLine): what goes over the limit
    // is cut from the pasted text, not from the rest.
    auto area = Add<fw::EditField>("Area", { { "LimitText", 5 }, { "MultiLine", true } });
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

TEST_F(Controls, SelectionAndTextChangeCountCharactersAndFollowTypingPastingAndSetting)
{
    for (bool multi_line : { false, true }) {
        SCOPED_TRACE(multi_line ? "multi-line" : "one line");
        auto field = Add<fw::EditField>(multi_line ? "A" : "L", { { "MultiLine", multi_line } });
        std::vector<std::string> seen;
        field->on_text_change = [&] { seen.push_back(field->Text()); };
        harness::Type(*field, "ab");
        harness::Paste(*field, "c");
        field->SetText("æøå😀xy");
        EXPECT_EQ(seen, (std::vector<std::string> { "a", "ab", "abc", "æøå😀xy" }));
        seen.clear();

        // Characters, not UTF-16 units or bytes: the user selects from after the emoji with Shift+End.
        field->SetSelStart(4);
        harness::Key(*window, Qt::Key_End, Qt::ShiftModifier);
        EXPECT_EQ(field->SelStart(), 4);
        EXPECT_EQ(field->SelLength(), 2);
        field->SetSelStart(3);
        field->SetSelLength(1);
        harness::Type(*field, "!");
        EXPECT_EQ(field->Text(), "æøå!xy");
        EXPECT_EQ(field->SelStart(), 4);
        field->SetSelStart(100);
        EXPECT_EQ(field->SelStart(), 6) << "beyond the end is the end";
        field->SelectAll();
        EXPECT_EQ(field->SelLength(), 6);
        EXPECT_EQ(fw::Len(field->Text()), 6);

        field->Cut();
        EXPECT_EQ(seen, (std::vector<std::string> { "æøå!xy", "" }));
        // A handler's exception reaches the program code that set the text.
        field->on_text_change = [] { throw std::runtime_error("from TextChange"); };
        EXPECT_THROW(field->SetText("e"), std::runtime_error);
        field->on_text_change = nullptr;
    }
}

TEST_F(Controls, EdgeLocksMoveOrStretchControlsAsTheWindowIsResized)
{
    auto with = [](Properties locks) {
        locks.insert(locks.begin(), { { "Left", 10 }, { "Top", 20 }, { "Width", 50 }, { "Height", 30 } });
        return locks;
    };
    auto none = Add<fw::StaticText>("None", with({ }));
    auto right = Add<fw::StaticText>("Right", with({ { "LockRight", true }, { "LockBottom", true } }));
    auto all = Add<fw::EditField>("All", with({ { "LockLeft", true }, { "LockTop", true }, { "LockRight", true }, { "LockBottom", true } }));

    window->SetWidth(window->Width() + 40);
    window->SetHeight(window->Height() - 15);
    harness::ProcessEvents();

    // What the program reads is what is on screen.
    auto rect = [](const fw::Control& c) { return QRect(c.Left(), c.Top(), c.Width(), c.Height()); };
    const std::pair<std::shared_ptr<fw::Control>, QRect> expected[] = {
        { none, QRect(10, 20, 50, 30) }, { right, QRect(50, 5, 50, 30) }, { all, QRect(10, 20, 90, 15) } };
    for (const auto& [control, after] : expected) {
        EXPECT_EQ(rect(*control), after);
        EXPECT_EQ(harness::WidgetOf(*control)->geometry(), after);
    }
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
    harness::Key(*window, Qt::Key_Enter, Qt::KeypadModifier);
    harness::Key(*window, Qt::Key_Escape);
    EXPECT_EQ(oks, 2);
    EXPECT_EQ(cancels, 1);

    ok->SetEnabled(false);
    cancel->SetEnabled(false);
    harness::Key(*window, Qt::Key_Return);
    harness::Key(*window, Qt::Key_Escape);
    ok->Push();
    EXPECT_EQ(oks, 2);
    EXPECT_EQ(cancels, 1);
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
    std::ofstream(folder.filePath("7.png").toStdString()) << "\x89PNG\r\n\x1a\n this is not a picture";

    auto resources = fw::AppResources();
    ASSERT_NE(resources, nullptr);
    EXPECT_EQ(resources->GetPicture(1), nullptr);
    EXPECT_EQ(resources->GetPicture(7), nullptr);
    auto picture = resources->GetPicture(168);
    ASSERT_NE(picture, nullptr);

    // Drawn on a red canvas: white shows as white, then, once transparent, as the red behind it.
    auto canvas = Add<fw::Canvas>("Canvas1", { { "Width", 8 }, { "Height", 4 } });
    QPalette red;
    red.setColor(QPalette::Window, Qt::red);
    harness::WidgetOf(*canvas)->setPalette(red);
    canvas->SetBackdrop(picture);
    auto pixel = [&](int x, int y) { return harness::WidgetOf(*canvas)->grab().toImage().pixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(pixel(3, 2), 0xFFFFFFu);
    picture->SetTransparent(1);
    EXPECT_EQ(pixel(3, 2), 0xFF0000u);
    EXPECT_EQ(pixel(0, 0), 0x0000FFu);
}


TEST_F(Controls, AFieldThatOutlivesItsWindowKeepsWhatIsSetOnItAndOffersNothingToEdit)
{
    auto gone = std::make_shared<fw::Window>();
    gone->Construct();
    auto field = gone->NewControl<fw::EditField>();
    gone->AddControl("Felt", field);
    gone->Close();
    gone.reset();
    harness::ProcessEvents();
    ASSERT_EQ(harness::WidgetOf(*field), nullptr) << "the widget goes with its window";

    field->SetText("én\rtø");
    EXPECT_EQ(field->Text(), "én\rtø");
    EXPECT_EQ(field->TextLength(), 5);
    EXPECT_TRUE(field->HasLineBreak());
    QApplication::clipboard()->setText(QStringLiteral("tre"));
    EXPECT_FALSE(field->CanPaste());
    field->SelectAll();
    field->Paste();
    EXPECT_EQ(field->SelLength(), 0);
    EXPECT_EQ(field->Text(), "én\rtø");
    field->SetProperty("MultiLine", true);
    EXPECT_EQ(harness::WidgetOf(*field), nullptr) << "no widget is made without a window";
    QApplication::clipboard()->clear();
}
}
