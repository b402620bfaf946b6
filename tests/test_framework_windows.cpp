// The framework's windows, menus and event loop, with small windows of the
// test's own: construction, the window lists, menu routing and enabling,
// and how an exception from a handler travels.

#include "framework/Application.h"
#include "framework/EditField.h"
#include "framework/MenuBar.h"
#include "framework/MenuCommands.h"
#include "framework/PushButton.h"
#include "framework/QuitMenuItem.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "tests/support/Harness.h"
#include "tools/WindowClass.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
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
            fw::SetProperties(*this, fw::Design { }.Int("Width", 220).Int("Height", 120).Str("Title", "Prøve").Bool("Visible", true));
        };
        on_create_controls = [this] {
            g_log.push_back("CreateControls");
            if (fail_in_create_controls)
                fw::RaiseNilObjectException("no controls today");
            CreateControl<fw::EditField>(*this, "Felt", fw::Design { }.Int("Left", 10).Int("Top", 10).Str("Text", "start"));
            ControlAs<fw::EditField>(*this, "Felt").on_text_change = [] { g_log.push_back("TextChange"); };
            CreateControl<fw::PushButton>(*this, "Knap", fw::Design { }.Int("Left", 10).Int("Top", 50).Bool("Default", true).Str("Caption", "OK"));
        };
        on_add_menu_handlers = [](fw::Window&) { g_log.push_back("AddMenuHandlers"); };
        on_open = [] { g_log.push_back("Open"); };
        on_close = [] { g_log.push_back("Close"); };
    }

    static inline bool fail_in_create_controls = false;
};

class OtherWindow : public TestWindow {
public:
    static const fw::ClassRecord& Lookup()
    {
        static const fw::ClassRecord record("OtherWindow.OtherWindow", &TestWindow::Lookup());
        return record;
    }
    const fw::ClassRecord& Class() const override { return Lookup(); }
};

std::shared_ptr<fw::MenuItem> Item(const std::string& name, const std::string& text, const std::string& shortcut,
    std::shared_ptr<fw::MenuItem> item = std::make_shared<fw::MenuItem>())
{
    item->SetName(name);
    item->SetAutoEnable(true);
    item->SetText(text);
    if (!shortcut.empty())
        item->SetKeyboardShortcut(shortcut);
    return item;
}

// An application with one menu: "Gør" (Ctrl+G) and "Slut" (Ctrl+Q).
std::shared_ptr<fw::Application> StartApplication()
{
    auto app = std::make_shared<fw::Application>();
    auto bar = std::make_shared<fw::MenuBar>();
    auto menu = Item("Menu", "&Menu", "");
    bar->Append(menu);
    menu->Append(Item("Do", "Gør", "Cmd+G"));
    menu->Append(Item("Quit", "Slut", "Cmd+Q", std::make_shared<fw::QuitMenuItem>()));
    app->SetMenuBar(bar);
    fw::RuntimeRegisterAppObject(app);
    return app;
}

class FrameworkWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        harness::StartRuntime();
        g_log.clear();
    }
    void TearDown() override
    {
        harness::ExpectNoPendingException();
        harness::ProcessEvents();
    }
};

TEST_F(FrameworkWindows, ConstructionRunsTheHooksInOrderThenOpensWithoutRunningControlHandlers)
{
    auto window = ImplicitInstance<TestWindow>();
    EXPECT_EQ(g_log, (std::vector<std::string> { "Layout", "CreateControls", "AddMenuHandlers", "Open" }));
    EXPECT_TRUE(window->IsOpen());
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(window->Width(), 220);
    EXPECT_EQ(window->Title(), "Prøve");
    EXPECT_EQ(ControlAs<fw::EditField>(*window, "Felt").Text(), "start");
    EXPECT_EQ(fw::Window::Get(0), window);
}

TEST_F(FrameworkWindows, TheImplicitInstanceLastsExactlyAsLongAsTheWindowIsOpen)
{
    auto first = ImplicitInstance<TestWindow>();
    EXPECT_EQ(ImplicitInstance<TestWindow>(), first);
    EXPECT_EQ(fw::WindowCount(), 1);

    first->Close();
    EXPECT_FALSE(first->IsOpen());
    EXPECT_EQ(fw::GetImplicitWindow("TestWindow.TestWindow"), nullptr);
    EXPECT_EQ(fw::WindowCount(), 0);
    harness::ProcessEvents();

    auto second = ImplicitInstance<TestWindow>();
    EXPECT_NE(second, first);
    EXPECT_EQ(g_log.back(), "Open");
}

TEST_F(FrameworkWindows, AWindowThatFailsToBuildIsNeitherOpenNorFound)
{
    TestWindow::fail_in_create_controls = true;
    EXPECT_THROW(ImplicitInstance<TestWindow>(), fw::NilObjectException);
    TestWindow::fail_in_create_controls = false;
    EXPECT_EQ(fw::WindowCount(), 0);
    EXPECT_EQ(fw::GetImplicitWindow("TestWindow.TestWindow"), nullptr);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() || !QApplication::topLevelWidgets().first()->isVisible());
}

TEST_F(FrameworkWindows, ShowBringsAWindowToTheFrontWithItsContentsKept)
{
    auto test = ImplicitInstance<TestWindow>();
    ControlAs<fw::EditField>(*test, "Felt").SetText("typed");
    auto other = ImplicitInstance<OtherWindow>();
    EXPECT_EQ(fw::Window::Get(0), other);
    EXPECT_EQ(fw::Window::Get(1), test);
    EXPECT_EQ(fw::Window::Get(2), nullptr);
    EXPECT_EQ(fw::Window::Get(-1), nullptr);

    test->Show();
    EXPECT_EQ(fw::Window::Get(0), test);
    EXPECT_EQ(ControlAs<fw::EditField>(*test, "Felt").Text(), "typed");
    EXPECT_TRUE(fw::IsA(fw::Window::Get(1).get(), TestWindow::Lookup())) << "a subclass is a TestWindow too";
}

TEST_F(FrameworkWindows, ClosingByTheUserRaisesCloseAndForgetsTheWindow)
{
    auto window = ImplicitInstance<TestWindow>();
    harness::CloseByUser(*window);
    EXPECT_EQ(g_log.back(), "Close");
    EXPECT_FALSE(window->IsOpen());
    EXPECT_FALSE(window->IsVisible());
    EXPECT_EQ(fw::WindowCount(), 0);
}

TEST_F(FrameworkWindows, ReturnPressesTheDefaultButtonOnlyWhileItIsEnabled)
{
    auto window = ImplicitInstance<TestWindow>();
    int presses = 0;
    auto& button = ControlAs<fw::PushButton>(*window, "Knap");
    button.on_action = [&] { ++presses; };
    harness::Focus(ControlNamed(*window, "Felt"));
    harness::Key(*window, Qt::Key_Return);
    harness::Key(*window, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(presses, 2);
    button.SetEnabled(false);
    harness::Key(*window, Qt::Key_Return);
    EXPECT_EQ(presses, 2);
}

TEST_F(FrameworkWindows, AMenuCommandGoesToTheControlThenTheWindowThenTheApplication)
{
    auto app = StartApplication();
    auto window = ImplicitInstance<TestWindow>();
    auto& field = ControlNamed(*window, "Felt");
    harness::Focus(field);
    std::vector<std::string> taken;
    app->AddMenuHandler("Do", [&] { taken.push_back("application"); return false; });
    auto item = app->GetMenuBar()->FindItem("Do");

    EXPECT_TRUE(fw::ChooseMenuItem(item));
    window->AddMenuHandler("Do", [&] { taken.push_back("window"); return false; });
    EXPECT_TRUE(fw::ChooseMenuItem(item));
    field.AddMenuHandler("Do", [&] { taken.push_back("control"); return false; });
    EXPECT_TRUE(fw::ChooseMenuItem(item));
    EXPECT_EQ(taken, (std::vector<std::string> { "application", "window", "control" }));
}

TEST_F(FrameworkWindows, TheEnablingPassDecidesAndADisabledItemsShortcutDoesNothing)
{
    auto app = StartApplication();
    auto window = ImplicitInstance<TestWindow>();
    auto item = app->GetMenuBar()->FindItem("Do");
    int done = 0;
    app->AddMenuHandler("Do", [&] { ++done; return false; });

    fw::RunMenuEnablingPass();
    EXPECT_TRUE(item->Enabled()) << "an item with a handler is enabled automatically";

    // The window's enabling event runs after the automatic enabling and wins.
    window->on_enable_menu_items = [&] { item->SetEnabled(false); };
    harness::Key(*window, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(done, 0);
    EXPECT_FALSE(item->Enabled());

    window->on_enable_menu_items = nullptr;
    harness::Key(*window, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(done, 1);
}

TEST_F(FrameworkWindows, OneMenuBarShowsInEveryWindowWithOneState)
{
    auto app = StartApplication();
    auto first = ImplicitInstance<TestWindow>();
    auto second = ImplicitInstance<OtherWindow>();
    auto item = app->GetMenuBar()->FindItem("Do");
    item->SetChecked(true);
    item->SetEnabled(false);
    for (const std::shared_ptr<fw::Window>& window : std::vector<std::shared_ptr<fw::Window>> { first, second }) {
        auto* bar = harness::FrameOf(*window)->findChild<QMenuBar*>();
        ASSERT_NE(bar, nullptr);
        ASSERT_EQ(bar->actions().size(), 1);
        QMenu* menu = bar->actions().first()->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), QString::fromUtf8("&Menu"));
        QAction* action = menu->actions().first();
        EXPECT_EQ(action->text(), QString::fromUtf8("Gør"));
        EXPECT_EQ(action->shortcut().toString(), QStringLiteral("Ctrl+G"));
        EXPECT_TRUE(action->isChecked());
        EXPECT_FALSE(action->isEnabled());
    }
}

TEST(FrameworkRuntime, QuitEndsTheLoopWithItsStatus)
{
    fw::RuntimeInit();
    QTimer::singleShot(0, [] { fw::Quit(0); });
    fw::RuntimeRun();
    EXPECT_EQ(fw::RuntimeExit(), 0);
}

TEST(FrameworkRuntime, AnExceptionFromAHandlerLeavesTheLoopAndIsRaisedToTheCaller)
{
    fw::RuntimeInit();
    bool later_ran = false;
    QTimer::singleShot(0, [] { fw::Deliver([] { throw fw::NilObjectException("gone"); }); });
    QTimer::singleShot(50, [&] { fw::Deliver([&] { later_ran = true; }); });
    EXPECT_THROW(fw::RuntimeRun(), fw::NilObjectException);
    EXPECT_FALSE(later_ran);
    EXPECT_EQ(fw::RuntimeExit(), 0);
}

TEST(FrameworkRuntime, AnUnhandledExceptionMakesTheExitStatusNonZero)
{
    fw::RuntimeInit();
    testing::internal::CaptureStderr();
    fw::UnhandledException(std::make_exception_ptr(fw::NilObjectException("picture 1 is missing")));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("NilObjectException: picture 1 is missing"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_EQ(fw::RuntimeExit(), 1);
}

TEST(FrameworkRuntime, TheSlutItemQuitsWithStatusZero)
{
    fw::RuntimeInit();
    auto app = StartApplication();
    auto window = ImplicitInstance<TestWindow>();
    QTimer::singleShot(0, [&] { harness::Key(*window, Qt::Key_Q, Qt::ControlModifier); });
    fw::RuntimeRun();
    window.reset();
    app.reset();
    EXPECT_EQ(fw::RuntimeExit(), 0);
}

}
