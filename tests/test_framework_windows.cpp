// The framework's windows, menus and event loop, with small windows of the test's own.

#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/EditField.h"
#include "framework/MenuBar.h"
#include "framework/MenuCommands.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "framework/WindowClass.h"
#include "qt/FailureBox.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<std::string> g_log;

class TestWindow : public fw::Window {
public:
    static const fw::ClassRecord& Lookup()
    {
        static const fw::ClassRecord record("TestWindow.TestWindow", &fw::Window::Lookup());
        return record;
    }
    const fw::ClassRecord& Class() const override { return Lookup(); }

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
class OtherWindow : public TestWindow {
public:
    static const fw::ClassRecord& Lookup()
    {
        static const fw::ClassRecord record("OtherWindow.OtherWindow", &TestWindow::Lookup());
        return record;
    }
    const fw::ClassRecord& Class() const override { return Lookup(); }
};

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

using FrameworkRuntime = harness::ProgramLife;

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
    TestWindow::fail_in_create_controls = false;
    EXPECT_EQ(fw::WindowCount(), 0);
    EXPECT_EQ(fw::GetImplicitWindow("TestWindow.TestWindow"), nullptr);
    harness::ProcessEvents();
    const auto shown = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::none_of(shown.begin(), shown.end(), [](QWidget* w) { return w->isVisible(); }));
}

TEST_F(FrameworkWindows, ShowBringsAWindowToTheFrontWithItsContentsKept)
{
    auto test = fw::ImplicitInstance<TestWindow>();
    ControlAs<fw::EditField>(*test, "Felt").SetText("typed");
    auto other = fw::ImplicitInstance<OtherWindow>();
    EXPECT_EQ(fw::Window::Get(0), other);
    EXPECT_EQ(fw::Window::Get(1), test);
    EXPECT_EQ(fw::Window::Get(2), nullptr);

    test->Show();
    EXPECT_EQ(fw::Window::Get(0), test);
    EXPECT_EQ(fw::Window::Get(1), other);
    EXPECT_EQ(ControlAs<fw::EditField>(*test, "Felt").Text(), "typed");
}

TEST_F(FrameworkWindows, AMenuCommandGoesToTheControlThenTheWindowThenTheApplication)
{
    auto app = StartApplication();
    auto window = fw::ImplicitInstance<TestWindow>();
    auto& field = ControlNamed(*window, "Felt");
    harness::Focus(field);
    auto item = app->GetMenuBar()->FindItem("Do");
    std::vector<std::string> taken;
    app->AddMenuHandler("Do", [&] { taken.push_back("application"); return false; });
    EXPECT_TRUE(fw::ChooseMenuItem(item));
    window->AddMenuHandler("Do", [&] { taken.push_back("window"); return false; });
    EXPECT_TRUE(fw::ChooseMenuItem(item));
    field.AddMenuHandler("Do", [&] { taken.push_back("control"); return false; });
    harness::Key(*window, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(taken, (std::vector<std::string> { "application", "window", "control" }));
}

TEST_F(FrameworkWindows, EveryWindowShowsTheOneMenuBarWhoseEnablingPassDecidesWhatAShortcutDoes)
{
    auto app = StartApplication();
    auto first = fw::ImplicitInstance<TestWindow>();
    auto front = fw::ImplicitInstance<OtherWindow>();
    auto item = app->GetMenuBar()->FindItem("Do");
    int done = 0;
    app->AddMenuHandler("Do", [&] { ++done; return false; });
    fw::RunMenuEnablingPass();
    EXPECT_TRUE(item->Enabled()) << "an item with a handler is enabled automatically";

    // The front window's enabling event runs after the automatic enabling and wins.
    front->on_enable_menu_items = [&] { item->SetEnabled(false); };
    item->SetChecked(true);
    harness::Key(*front, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(done, 0);
    for (const std::shared_ptr<fw::Window>& window : std::vector<std::shared_ptr<fw::Window>> { first, front }) {
        auto* bar = harness::FrameOf(*window)->findChild<QMenuBar*>();
        ASSERT_TRUE(bar && bar->actions().size() == 1 && bar->actions().first()->menu());
        QAction* action = bar->actions().first()->menu()->actions().first();
        EXPECT_EQ(action->text(), QString::fromUtf8("Gør"));
        EXPECT_EQ(action->shortcut().toString(), QStringLiteral("Ctrl+G"));
        EXPECT_TRUE(action->isChecked());
        EXPECT_FALSE(action->isEnabled());
    }
    front->on_enable_menu_items = nullptr;
    harness::Key(*front, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(done, 1);
}

TEST_F(FrameworkWindows, AModalWindowLetsNoCommandPastItButItsOwnAndTheFrameworksOwn)
{
    auto app = StartApplication();
    auto behind = fw::ImplicitInstance<TestWindow>();
    auto modal = fw::ImplicitInstance<OtherWindow>();
    modal->ShowModal();
    ControlAs<fw::EditField>(*behind, "Felt").SetSelLength(0);
    ControlAs<fw::EditField>(*modal, "Felt").SetSelLength(0);
    std::vector<std::string> taken;
    app->AddMenuHandler("Do", [&] { taken.push_back("application"); return false; });
    behind->AddMenuHandler("Do", [&] { taken.push_back("blocked window"); return false; });
    harness::Key(*modal, Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(fw::ChooseMenuItem(app->GetMenuBar()->FindItem("EditSelectAll"), *modal));
    EXPECT_FALSE(fw::ChooseMenuItem(app->GetMenuBar()->FindItem("Do"), *behind));
    EXPECT_FALSE(fw::ChooseMenuItem(app->GetMenuBar()->FindItem("EditSelectAll"), *behind));
    modal->AddMenuHandler("Do", [&] { taken.push_back("modal window"); return false; });
    harness::Key(*modal, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(taken, std::vector<std::string> { "modal window" });
    EXPECT_EQ(ControlAs<fw::EditField>(*modal, "Felt").SelLength(), 5) << "its field's text all selected";
    EXPECT_EQ(ControlAs<fw::EditField>(*behind, "Felt").SelLength(), 0);

    behind->Show();
    EXPECT_EQ(fw::Window::Get(0), modal);
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

TEST_F(FrameworkRuntime, ShutdownDestroysEveryWindowBeforeTheToolkitWhoeverStillHoldsIt)
{
    harness::StartRuntime();
    auto held = fw::ImplicitInstance<TestWindow>();
    auto closed = fw::ImplicitInstance<OtherWindow>();
    closed->Close();
    harness::StopRuntime();
    EXPECT_EQ(harness::FrameOf(*held), nullptr);
    EXPECT_EQ(harness::WidgetOf(ControlNamed(*held, "Felt")), nullptr);
    EXPECT_EQ(harness::FrameOf(*closed), nullptr);
    EXPECT_FALSE(held->IsOpen());
}

TEST_F(FrameworkRuntime, QuitEndsTheLoopWithItsStatus)
{
    fw::RuntimeInit();
    QTimer::singleShot(0, [] { fw::Quit(3); });
    fw::RuntimeRun();
    EXPECT_EQ(fw::RuntimeExit(), 3);
}

TEST_F(FrameworkRuntime, AnExceptionFromAHandlerLeavesTheLoopAndIsRaisedToTheCaller)
{
    fw::RuntimeInit();
    bool later_ran = false;
    QTimer::singleShot(0, [] { fw::Deliver([] { throw fw::NilObjectException("gone"); }); });
    QTimer::singleShot(50, [&] { fw::Deliver([&] { later_ran = true; }); });
    EXPECT_THROW(fw::RuntimeRun(), fw::NilObjectException);
    EXPECT_FALSE(later_ran);
    EXPECT_EQ(fw::RuntimeExit(), 0);
}

TEST_F(FrameworkRuntime, AnUnhandledExceptionSaysSoInOneLineAndMakesTheExitStatusOne)
{
    fw::RuntimeInit();
    testing::internal::CaptureStderr();
    fw::UnhandledException(std::make_exception_ptr(fw::NilObjectException("picture 1 is missing")));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("NilObjectException: picture 1 is missing"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_EQ(fw::RuntimeExit(), 1);
}

// The toolkit forgets when it goes how the framework's windows and pictures
// show to assistive technology: a second runtime in the process still shows them.
TEST_F(FrameworkRuntime, ASecondRuntimeStillShowsADialogAndAPictureToAssistiveTechnology)
{
    for (int life = 1; life <= 2; ++life) {
        SCOPED_TRACE(life);
        harness::StartRuntime();
        TestWindow::more_design = fw::Design { }.Int("Frame", 1);
        auto dialog = fw::ImplicitInstance<TestWindow>();
        TestWindow::more_design.reset();
        auto picture = dialog->NewControl<fw::Canvas>();
        dialog->AddControl("Canvas1", picture);
        picture->SetProperty("Name", "Canvas1");
        EXPECT_EQ(QAccessible::queryAccessibleInterface(harness::FrameOf(*dialog))->role(), QAccessible::Dialog);
        QAccessibleInterface* graphic = QAccessible::queryAccessibleInterface(harness::WidgetOf(*picture));
        EXPECT_EQ(graphic->role(), QAccessible::Graphic);
        EXPECT_EQ(graphic->text(QAccessible::Name).toStdString(), "Canvas1");
        harness::StopRuntime();
    }
}

// Sets an environment variable while it lives, then puts back what was there.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        setenv(name, value, 1);
    }
    ~ScopedVariable() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// The box that tells of a failure is in Danish down to the toolkit's own
// buttons, as is every text of the toolkit's that a user can meet, even in an
// English locale.
TEST_F(FrameworkRuntime, TheFailureBoxAndTheToolkitsOwnWordsAreDanishWhateverTheLocale)
{
    const ScopedVariable lc_all("LC_ALL", "en_US.UTF-8");
    const ScopedVariable language("LANGUAGE", "en");
    fw::RuntimeInit();
    {
        fw::FailureBox box("NilObjectException", "picture 1 is missing");
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
}

}
