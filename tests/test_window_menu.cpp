#include "framework/Exceptions.h"
#include "framework/MenuCommands.h"
#include "framework/MenuItem.h"
#include "framework/Runtime.h"
#include "shell/App.h"
#include "shell/MenuBar1.h"
#include "shell/Startup.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <gtest/gtest.h>

#include <string>

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

class WindowMenu : public harness::RuntimeTest {
protected:
    void SetUp() override
    {
        fw::InitPluginEntrypoints();
        app = std::make_shared<CountingApp>();
        app->SetMenuBar(MenuBar1::Get());
        fw::RuntimeRegisterAppObject(app);
        ApplicationAddMenuHandlers();
        MakeDefaultView();
        launcher = wHapsavi::Get();
    }

    std::shared_ptr<CountingApp> app;
    std::shared_ptr<wHapsavi> launcher;
};

using WindowMenuRegistration = harness::RuntimeTest;

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

    // While the About window is open, nothing in the menu reaches past it.
    auto about = wOm::Get();
    about->ShowModal();
    fw::RunMenuEnablingPass();
    for (const char* name : kWindowItems) {
        EXPECT_FALSE(MenuBar1::Get()->FindItem(name)->Checked()) << name;
        EXPECT_FALSE(MenuBar1::Get()->FindItem(name)->Enabled()) << name;
    }
    EXPECT_FALSE(AppleAbout()->Enabled());
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

    // From another window the same shortcut runs the handler, an override included.
    auto numbers = wTilfaeldigtTal::Get();
    numbers->Show();
    harness::Key(*numbers, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(app->hapsavi_actions, 1);
    EXPECT_EQ(fw::Window::Get(0), launcher);
}

TEST_F(WindowMenuRegistration, RaisesNilObjectExceptionWithoutAnApplicationObject)
{
    EXPECT_THROW(ApplicationAddMenuHandlers(), fw::NilObjectException);
}
