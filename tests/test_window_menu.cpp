#include "framework/EditField.h"
#include "framework/Exceptions.h"
#include "framework/MenuCommands.h"
#include "framework/MenuItem.h"
#include "framework/PushButton.h"
#include "framework/Runtime.h"
#include "framework/StaticText.h"
#include "framework/Values.h"
#include "shell/App.h"
#include "shell/MenuBar1.h"
#include "shell/Startup.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tests/support/Harness.h"
#include "tools/WindowClass.h"
#include "tools/cEditfield.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const char* const kWindowItems[] = { "VindueHapsavi", "VindueTilfaeldigtTal", "VindueTilfaeldigRaekkefoelge" };

// Runs the enabling pass and checks the Window menu: the item named `front`
// (none if nullptr) checked and disabled, the other two unchecked and enabled.
void ExpectWindowMenu(const char* front)
{
    fw::RunMenuEnablingPass();
    for (const char* name : kWindowItems) {
        SCOPED_TRACE(name);
        auto item = MenuBar1::Get()->FindItem(name);
        const bool is_front = front && std::string(front) == name;
        EXPECT_EQ(item->Checked(), is_front);
        EXPECT_EQ(item->Enabled(), !is_front);
    }
    EXPECT_TRUE(AppleAbout()->Enabled());
}

// The application with a handler that counts, so a test sees whether a command ran.
class CountingApp : public App {
public:
    bool VindueHapsavi_Action() override
    {
        ++hapsavi_actions;
        return App::VindueHapsavi_Action();
    }
    int hapsavi_actions { 0 };
};

class WindowMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        harness::StartRuntime();
        fw::InitPluginEntrypoints();
        app = std::make_shared<CountingApp>();
        app->SetMenuBar(MenuBar1::Get());
        fw::RuntimeRegisterAppObject(app);
        ApplicationAddMenuHandlers();
        MakeDefaultView();
        launcher = wHapsavi::Get();
    }
    void TearDown() override { harness::ExpectNoPendingException(); }

    std::shared_ptr<CountingApp> app;
    std::shared_ptr<wHapsavi> launcher;
};

// The program's real sequence with a scripted user in its event loop; then
// shutdown. Returns the exit status.
int RunProgram(const std::function<void()>& user, std::vector<std::string>& released)
{
    fw::RuntimeInit();
    initialize();
    QTimer::singleShot(0, [&] {
        try {
            user();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "the script raised: " << e.what();
        }
    });
    QTimer::singleShot(10000, [] {
        ADD_FAILURE() << "the program did not quit";
        fw::Quit(2);
    });
    Main();
    fw::SetReleaseObserver([&](const std::string& name) { released.push_back(name); });
    finalize();
    fw::SetReleaseObserver({ });
    return fw::RuntimeExit();
}

const std::vector<std::string> kReleaseOrder = {
    "Hapsavibillede64x64._permapic", "_mImplicitWindowList", "_WindowSupport.mDirtyWindows",
    "_WindowSupport.Windows", "Introspection.ArrayInfo.mArrayMap", "Introspection.ClassInfo.sClassRefMap",
    "Introspection.ClassInfo.sClassFQNToRefMap", "FileTypes.pText", "MenuBar1._implicitInstance",
};

std::vector<std::string> SortedLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (int32_t n = 1; n <= fw::CountFields(text, "\r"); ++n)
        lines.push_back(fw::NthField(text, "\r", n));
    std::sort(lines.begin(), lines.end());
    return lines;
}

}

TEST_F(WindowMenu, ChecksAndDisablesTheItemOfTheFrontmostWindow)
{
    ExpectWindowMenu("VindueHapsavi");

    auto numbers = wTilfaeldigtTal::Get();
    numbers->Show();
    ExpectWindowMenu("VindueTilfaeldigtTal");
    wTilfaeldigRaekkefoelge::Get()->Show();
    ExpectWindowMenu("VindueTilfaeldigRaekkefoelge");
    numbers->Show();
    ExpectWindowMenu("VindueTilfaeldigtTal");

    auto about = wOm::Get();
    about->ShowModal();
    ExpectWindowMenu(nullptr);
    about->Close();
    ExpectWindowMenu("VindueTilfaeldigtTal");

    // With no window open every item is unchecked and enabled.
    while (auto window = fw::Window::Get(0))
        window->Close();
    harness::ProcessEvents();
    ASSERT_EQ(fw::WindowCount(), 0);
    for (const char* name : kWindowItems)
        MenuBar1::Get()->FindItem(name)->SetChecked(true);
    ExpectWindowMenu(nullptr);
}

TEST_F(WindowMenu, TheShortcutOfADisabledItemDoesNothing)
{
    harness::Key(*launcher, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(app->hapsavi_actions, 0);
    EXPECT_FALSE(fw::ChooseMenuItem(VindueHapsavi()));
    EXPECT_EQ(app->hapsavi_actions, 0);

    // From another window the same shortcut runs the handler, an override included.
    auto numbers = wTilfaeldigtTal::Get();
    numbers->Show();
    harness::Key(*numbers, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(app->hapsavi_actions, 1);
    EXPECT_EQ(fw::Window::Get(0), launcher);
}

TEST_F(WindowMenu, HandlersAreRegisteredInOrderAndEachReturnsFalse)
{
    EXPECT_EQ(fw::GetAppObject()->Handlers().Names(), (std::vector<std::string> {
        "VindueTilfaeldigtTal", "VindueTilfaeldigRaekkefoelge", "AppleAbout", "VindueHapsavi" }));

    struct Case {
        const char* item;
        const fw::ClassRecord& window_class;
    };
    for (const Case& each : { Case { "VindueTilfaeldigtTal", wTilfaeldigtTal::Lookup() },
             Case { "VindueTilfaeldigRaekkefoelge", wTilfaeldigRaekkefoelge::Lookup() },
             Case { "VindueHapsavi", wHapsavi::Lookup() }, Case { "AppleAbout", wOm::Lookup() } }) {
        SCOPED_TRACE(each.item);
        const fw::MenuHandler* handler = app->Handlers().Find(each.item);
        ASSERT_TRUE(handler);
        // Once building the window, once bringing the same window back.
        EXPECT_FALSE((*handler)());
        auto shown = fw::Window::Get(0);
        EXPECT_TRUE(fw::IsA(shown.get(), each.window_class));
        EXPECT_FALSE((*handler)());
        EXPECT_EQ(fw::Window::Get(0), shown);
    }
    EXPECT_EQ(fw::WindowCount(), 4);
    EXPECT_TRUE(fw::Window::Get(0)->IsModal());
}

TEST(WindowMenuRegistration, RaisesNilObjectExceptionWithoutAnApplicationObject)
{
    harness::StartRuntime();
    EXPECT_THROW(ApplicationAddMenuHandlers(), fw::NilObjectException);
}

TEST(WindowMenuSession, AUserWorksThroughBothToolsAndClosesTheLauncher)
{
    std::vector<std::string> released;
    const int status = RunProgram([] {
        auto launcher = fw::Window::Get(0);
        ASSERT_TRUE(launcher);
        ExpectWindowMenu("VindueHapsavi");

        harness::Key(*launcher, Qt::Key_1, Qt::ControlModifier);
        auto numbers = fw::Window::Get(0);
        ASSERT_TRUE(fw::IsA(numbers.get(), wTilfaeldigtTal::Lookup()));
        auto& maximum = ControlAs<fw::EditField>(*numbers, "MaxTal");
        harness::Focus(maximum);
        harness::Key(*numbers, Qt::Key_A, Qt::ControlModifier);
        harness::Type(maximum, "6");
        ASSERT_EQ(maximum.Text(), "6");
        harness::Key(*numbers, Qt::Key_Return);
        const int32_t drawn = fw::ToInt32(fw::Val(ControlAs<fw::StaticText>(*numbers, "Tal").Text()));
        EXPECT_GE(drawn, 1);
        EXPECT_LE(drawn, 6);

        harness::Key(*numbers, Qt::Key_2, Qt::ControlModifier);
        auto order = fw::Window::Get(0);
        ASSERT_TRUE(fw::IsA(order.get(), wTilfaeldigRaekkefoelge::Lookup()));
        auto& text = ControlAs<cEditfield>(*order, "Tekstfelt");
        harness::Paste(text, "en\nto\ntre\nfire");
        const std::string typed = text.Text();
        ASSERT_EQ(typed, "en\rto\rtre\rfire");
        fw::SetRndSource([] { return 0.99; });
        harness::Click(ControlAs<fw::PushButton>(*order, "TilfaeldigRaekkefoelge"));
        fw::SetRndSource({ });
        EXPECT_NE(text.Text(), typed);
        EXPECT_EQ(SortedLines(text.Text()), SortedLines(typed));

        harness::Focus(text);
        harness::Key(*order, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(text.SelStart(), 0);
        EXPECT_EQ(text.SelLength(), fw::Len(text.Text()));
        ExpectWindowMenu("VindueTilfaeldigRaekkefoelge");
        EXPECT_FALSE(EditSelectAll()->Enabled()) << "all is selected already";

        harness::Key(*order, Qt::Key_0, Qt::ControlModifier);
        EXPECT_EQ(fw::Window::Get(0), launcher);
        ExpectWindowMenu("VindueHapsavi");

        // Each tool window comes back as it was, and Ctrl+W closes it.
        harness::Key(*launcher, Qt::Key_1, Qt::ControlModifier);
        EXPECT_EQ(fw::Window::Get(0), numbers);
        EXPECT_EQ(maximum.Text(), "6");
        harness::Key(*numbers, Qt::Key_W, Qt::ControlModifier);
        EXPECT_FALSE(numbers->IsOpen());
        harness::Key(*launcher, Qt::Key_2, Qt::ControlModifier);
        EXPECT_EQ(fw::Window::Get(0), order);
        harness::Key(*order, Qt::Key_W, Qt::ControlModifier);
        EXPECT_FALSE(order->IsOpen());
        EXPECT_EQ(fw::WindowCount(), 1);

        EXPECT_TRUE(fw::ChooseMenuItem(AppleAbout()));
        auto about = fw::Window::Get(0);
        ASSERT_TRUE(fw::IsA(about.get(), wOm::Lookup()));
        EXPECT_TRUE(about->IsModal());
        harness::Key(*about, Qt::Key_Escape);
        EXPECT_FALSE(about->IsOpen());

        harness::CloseByUser(*launcher);
    }, released);
    EXPECT_EQ(released, kReleaseOrder);
    EXPECT_EQ(status, 0);
}

TEST(WindowMenuSession, SlutQuitsFromAToolWindow)
{
    std::vector<std::string> released;
    const int status = RunProgram([] {
        harness::Key(*fw::Window::Get(0), Qt::Key_1, Qt::ControlModifier);
        auto numbers = fw::Window::Get(0);
        ASSERT_TRUE(fw::IsA(numbers.get(), wTilfaeldigtTal::Lookup()));
        harness::Key(*numbers, Qt::Key_Q, Qt::ControlModifier);
    }, released);
    EXPECT_EQ(released, kReleaseOrder);
    EXPECT_EQ(status, 0);
}
