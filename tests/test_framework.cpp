// The framework's windows, controls, menus and event loop, with small windows
// of the test's own, driven through their real widgets.

#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/EditField.h"
#include "framework/MenuBar.h"
#include "framework/MenuCommands.h"
#include "framework/Picture.h"
#include "framework/ResourceFork.h"
#include "framework/Runtime.h"
#include "framework/StaticText.h"
#include "framework/Subclass.h"
#include "framework/Window.h"
#include "framework/WindowClass.h"
#include "qt/FailureBox.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> g_log;

class TestWindow : public fw::Subclass<fw::Window, "TestWindow.TestWindow"> {
public:
    TestWindow()
    {
        on_layout = [this] {
            g_log.push_back("Layout");
            fw::SetProperties(*this, fw::Design { }.Str("Title", "Prøve").Bool("Visible", true));
            if (more_design)
                fw::SetProperties(*this, *more_design);
        };
        on_create_controls = [this] {
            g_log.push_back("CreateControls");
            if (fail_in_create_controls)
                fw::RaiseNilObjectException("no controls today");
            CreateControl<fw::EditField>(*this, "Felt", fw::Design { }.Str("Text", "start"));
            ControlAs<fw::EditField>(*this, "Felt").on_text_change = [] { g_log.push_back("TextChange"); };
        };
        on_add_menu_handlers = [](fw::Window&) { g_log.push_back("AddMenuHandlers"); };
        on_open = [] { g_log.push_back("Open"); };
        on_close = [] { g_log.push_back("Close"); };
    }

    static inline bool fail_in_create_controls = false;
    static inline std::optional<fw::DesignList> more_design;
};

// A second class of window, for the window list and the shared menu bar.
class OtherWindow : public fw::Subclass<TestWindow, "OtherWindow.OtherWindow"> { };

// An application whose one menu holds "Gør" (Ctrl+G) and the framework's "Vælg alt" (Ctrl+A).
std::shared_ptr<fw::Application> StartApplication()
{
    auto app = std::make_shared<fw::Application>();
    auto menu = std::make_shared<fw::MenuItem>();
    for (const auto& [name, text, keys] : { std::tuple { "Do", "Gør", "Cmd+G" }, { "EditSelectAll", "Vælg alt", "Cmd+A" } }) {
        auto item = std::make_shared<fw::MenuItem>();
        item->SetName(name);
        item->SetAutoEnable(true);
        item->SetText(text);
        item->SetKeyboardShortcut(keys);
        menu->Append(item);
    }
    app->SetMenuBar(std::make_shared<fw::MenuBar>());
    app->GetMenuBar()->Append(menu);
    fw::RuntimeRegisterAppObject(app);
    return app;
}

class FrameworkWindows : public harness::RuntimeTest {
protected:
    void SetUp() override { g_log.clear(); }
    void TearDown() override
    {
        TestWindow::fail_in_create_controls = false;
        TestWindow::more_design.reset();
        harness::RuntimeTest::TearDown();
    }
};

using Properties = std::vector<std::pair<std::string, fw::PropertyValue>>;

// Controls added to a plain window, their properties set in the order given, as a design list sets them.
class Controls : public harness::RuntimeTest {
protected:
    void SetUp() override
    {
        window->Construct();
        harness::ProcessEvents();
    }

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

    std::shared_ptr<fw::Window> window { std::make_shared<fw::Window>() };
};

using FrameworkRuntime = harness::ProgramLife;

}

TEST_F(FrameworkWindows, TheImplicitInstanceIsBuiltInHookOrderAndLastsExactlyWhileTheWindowIsOpen)
{
    // Built without running a control's handler for the text its design gives.
    auto first = fw::ImplicitInstance<TestWindow>();
    EXPECT_EQ(g_log, (std::vector<std::string> { "Layout", "CreateControls", "AddMenuHandlers", "Open" }));
    EXPECT_TRUE(first->IsVisible());
    EXPECT_EQ(first->Title(), "Prøve");
    EXPECT_EQ(ControlAs<fw::EditField>(*first, "Felt").Text(), "start");
    EXPECT_EQ(fw::ImplicitInstance<TestWindow>(), first);

    harness::CloseByUser(*first);
    EXPECT_EQ(g_log.back(), "Close");
    EXPECT_FALSE(first->IsOpen());
    EXPECT_EQ(fw::GetImplicitWindow("TestWindow.TestWindow"), nullptr);
    EXPECT_EQ(fw::WindowCount(), 0);
    harness::ProcessEvents();
    auto second = fw::ImplicitInstance<TestWindow>();
    EXPECT_NE(second, first);
    second->Close();

    // A window that fails to build is neither open nor found nor shown.
    TestWindow::fail_in_create_controls = true;
    EXPECT_THROW(fw::ImplicitInstance<TestWindow>(), fw::NilObjectException);
    EXPECT_EQ(fw::WindowCount(), 0);
    EXPECT_EQ(fw::GetImplicitWindow("TestWindow.TestWindow"), nullptr);
    harness::ProcessEvents();
    const auto shown = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::none_of(shown.begin(), shown.end(), [](QWidget* w) { return w->isVisible(); }));
}

TEST_F(FrameworkWindows, AMenuCommandGoesToTheControlThenTheWindowThenTheApplicationButNotPastAModalWindow)
{
    auto app = StartApplication();
    auto window = fw::ImplicitInstance<TestWindow>();
    auto& field = ControlAs<fw::EditField>(*window, "Felt");
    harness::Focus(field);
    auto item = app->GetMenuBar()->FindItem("Do");
    auto select_all = app->GetMenuBar()->FindItem("EditSelectAll");
    std::vector<std::string> taken;
    app->AddMenuHandler("Do", [&] { taken.push_back("application"); return false; });
    EXPECT_TRUE(fw::ChooseMenuItem(item));
    window->AddMenuHandler("Do", [&] { taken.push_back("window"); return false; });
    EXPECT_TRUE(fw::ChooseMenuItem(item));
    field.AddMenuHandler("Do", [&] { taken.push_back("control"); return false; });
    harness::Key(*window, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(taken, (std::vector<std::string> { "application", "window", "control" }));

    // A modal window lets no command past it but its own and the framework's own.
    auto modal = fw::ImplicitInstance<OtherWindow>();
    modal->ShowModal();
    auto& modal_field = ControlAs<fw::EditField>(*modal, "Felt");
    field.SetSelLength(0);
    modal_field.SetSelLength(0);
    taken.clear();
    harness::Key(*modal, Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(fw::ChooseMenuItem(select_all, *modal));
    EXPECT_FALSE(fw::ChooseMenuItem(item, *window));
    EXPECT_FALSE(fw::ChooseMenuItem(select_all, *window));
    modal->AddMenuHandler("Do", [&] { taken.push_back("modal window"); return false; });
    harness::Key(*modal, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(taken, std::vector<std::string> { "modal window" });
    EXPECT_EQ(modal_field.SelLength(), 5) << "its field's text all selected";
    EXPECT_EQ(field.SelLength(), 0);
}

TEST_F(FrameworkWindows, WindowChromeFollowsPlacementResizeableAndMenuBarVisible)
{
    StartApplication();
    // Too large for the toolkit to centre it of its own accord.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    TestWindow::more_design = fw::Design { }.Int("Placement", 2).Int("Width", screen.width() - 20)
        .Int("Height", screen.height() - 20).Bool("Resizeable", false).Bool("MaximizeButton", true)
        .Bool("MenuBarVisible", false);
    auto centred = fw::ImplicitInstance<TestWindow>();
    TestWindow::more_design.reset();
    const QPoint offset = harness::FrameOf(*centred)->geometry().center() - screen.center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << ", " << offset.y();
    EXPECT_FALSE(harness::FrameOf(*centred)->windowFlags() & Qt::WindowMaximizeButtonHint) << "it cannot be resized";
    EXPECT_FALSE(harness::FrameOf(*centred)->findChild<QMenuBar*>()->isVisible());
    EXPECT_EQ(harness::FrameOf(*centred)->height(), centred->Height()) << "no room kept for a bar";

    auto with_bar = fw::ImplicitInstance<OtherWindow>();
    EXPECT_TRUE(harness::FrameOf(*with_bar)->findChild<QMenuBar*>()->isVisible());
    EXPECT_GT(harness::FrameOf(*with_bar)->height(), with_bar->Height());
}

TEST_F(Controls, AFieldCountsCharactersFollowsEveryEditAndAMultiLineOneReportsLineBreaksAsCrWithinItsLimit)
{
    for (bool multi_line : { false, true }) {
        SCOPED_TRACE(multi_line ? "multi-line" : "one line");
        auto field = Add<fw::EditField>(multi_line ? "A" : "L", { { "MultiLine", multi_line } });
        std::vector<std::string> seen;
        field->on_text_change = [&] { seen.push_back(field->Text()); };
        harness::Type(*field, "ab");
        harness::Paste(*field, "c");
        field->SetText("æøå😀xy");
        // Characters, not UTF-16 units or bytes: the user selects from after the emoji with Shift+End.
        field->SetSelStart(4);
        harness::Key(*window, Qt::Key_End, Qt::ShiftModifier);
        EXPECT_EQ(field->SelLength(), 2);
        field->SetSelStart(3);
        field->SetSelLength(1);
        harness::Type(*field, "!");
        EXPECT_EQ(field->SelStart(), 4);
        field->SetSelStart(100);
        EXPECT_EQ(field->SelStart(), 6) << "beyond the end is the end";
        field->SelectAll();
        field->Cut();
        EXPECT_EQ(seen, (std::vector<std::string> { "a", "ab", "abc", "æøå😀xy", "æøå!xy", "" }));
        // A handler's exception reaches the program code that set the text.
        field->on_text_change = [] { throw std::runtime_error("from TextChange"); };
        EXPECT_THROW(field->SetText("e"), std::runtime_error);
        field->on_text_change = nullptr;
    }

    // A multi-line field shows every line break and reports each as CR. The text and the
    // limit come before MultiLine, as a design may give them, and survive the change.
    auto field = Add<fw::EditField>("Area", { { "Text", std::string("a\rb\nc\r\nd\r\re") }, { "MultiLine", true } });
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(harness::WidgetOf(*field))->document()->blockCount(), 6);
    EXPECT_EQ(field->Text(), "a\rb\rc\rd\r\re");

    // What goes over the limit is cut from the pasted text, not from the rest, and undo never goes past it.
    auto area = Add<fw::EditField>("Limited", { { "LimitText", 5 }, { "MultiLine", true } });
    area->SetText("ab");
    area->SetSelStart(1);
    harness::Paste(*area, "😀\n😀😀😀");
    EXPECT_EQ(area->Text(), "a😀\r😀b");
    EXPECT_EQ(area->SelStart(), 4) << "the insertion point stays after what was kept";
    harness::Type(*area, "z\n");
    EXPECT_EQ(area->Text(), "a😀\r😀b");
    area->Undo();
    EXPECT_EQ(area->Text(), "ab");
    area->SetProperty("LimitText", 1);
    EXPECT_EQ(area->Text(), "a");
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
    const std::pair<std::shared_ptr<fw::Control>, QRect> expected[] = {
        { none, QRect(10, 20, 50, 30) }, { right, QRect(50, 5, 50, 30) }, { all, QRect(10, 20, 90, 15) } };
    for (const auto& [control, after] : expected) {
        EXPECT_EQ(QRect(control->Left(), control->Top(), control->Width(), control->Height()), after);
        EXPECT_EQ(harness::WidgetOf(*control)->geometry(), after);
    }
}

// Drawn on a red canvas: white shows as white, then, once transparent, as the red behind it.
TEST_F(Controls, APicturesPureWhiteIsTransparentWhenItSaysSo)
{
    QTemporaryDir folder;
    fw::SetResourceFolder(folder.path().toStdString());
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(0, 0, 255));
    ASSERT_TRUE(image.save(folder.filePath("168.png")));
    auto picture = fw::AppResources()->GetPicture(168);
    ASSERT_NE(picture, nullptr);
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

// Shutdown destroys every window before the toolkit goes, whoever still holds
// it. The toolkit forgets when it goes how the framework's windows and
// pictures show to assistive technology: a second runtime still shows them.
TEST_F(FrameworkRuntime, ShutdownDestroysEveryWindowWhoeverHoldsItAndASecondRuntimeStillShowsItsDialogsAndPictures)
{
    for (int life = 1; life <= 2; ++life) {
        SCOPED_TRACE(life);
        harness::StartRuntime();
        TestWindow::more_design = fw::Design { }.Int("Frame", 1);
        auto dialog = fw::ImplicitInstance<TestWindow>();
        TestWindow::more_design.reset();
        auto closed = fw::ImplicitInstance<OtherWindow>();
        closed->Close();
        auto& picture = CreateControl<fw::Canvas>(*dialog, "Canvas1", fw::Design { }.Str("Name", "Canvas1"));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(harness::FrameOf(*dialog))->role(), QAccessible::Dialog);
        QAccessibleInterface* graphic = QAccessible::queryAccessibleInterface(harness::WidgetOf(picture));
        EXPECT_EQ(graphic->role(), QAccessible::Graphic);
        EXPECT_EQ(graphic->text(QAccessible::Name).toStdString(), "Canvas1");
        harness::StopRuntime();
        EXPECT_EQ(harness::FrameOf(*dialog), nullptr);
        EXPECT_EQ(harness::WidgetOf(ControlNamed(*dialog, "Felt")), nullptr);
        EXPECT_EQ(harness::FrameOf(*closed), nullptr);
        EXPECT_FALSE(dialog->IsOpen());
    }
}

// The box that tells of a failure is in Danish down to the toolkit's own
// buttons, as is every text of the toolkit's that a user can meet, even in an
// English locale.
TEST_F(FrameworkRuntime, TheFailureBoxAndTheToolkitsOwnWordsAreDanishWhateverTheLocale)
{
    // An English locale while the test runs; what was set before is set again after.
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved;
    for (const auto& [name, value] : { std::pair { "LC_ALL", "en_US.UTF-8" }, { "LANGUAGE", "en" } }) {
        saved.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        qputenv(name, value);
    }
    fw::RuntimeInit();
    {
        fw::FailureBox box("NilObjectException: picture 1 is missing");
        EXPECT_EQ(box.text().toStdString(), "Der opstod en uventet fejl, og programmet lukkes.");
        EXPECT_EQ(box.detailedText().toStdString(), "NilObjectException: picture 1 is missing");
        QStringList buttons;
        for (QAbstractButton* button : box.buttons())
            buttons << button->text();
        buttons.sort();
        EXPECT_EQ(buttons.join(" | ").toStdString(), "OK | Vis detaljer...");

        QMessageBox question;
        question.setStandardButtons(QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(question.button(QMessageBox::Cancel)->text().toStdString(), "Annuller");
        EXPECT_EQ(question.button(QMessageBox::No)->text().toStdString(), "&Nej");
    }
    fw::RuntimeExit();
    for (const auto& [name, value] : saved)
        value ? qputenv(name, *value) : qunsetenv(name);
}
