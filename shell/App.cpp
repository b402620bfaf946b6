#include "shell/App.h"

#include "framework/Exceptions.h"
#include "framework/MenuItem.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "shell/MenuBar1.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <string>

std::shared_ptr<App> App::Get()
{
    return fw::CheckCast<App>(fw::GetAppObject());
}

App::App()
{
    on_enable_menu_items = [this] { Event_EnableMenuItems(); };
}

namespace {

const std::string kTheApplication = "the application object";

// The handler is kept by the application it calls, so a plain pointer cannot dangle.
// Calling through the member pointer reaches an override in a subclass.
void AddAppMenuHandler(const std::string& name, bool (App::*handler)())
{
    App& receiver = fw::Require(App::Get(), kTheApplication);
    App* target = &fw::Require(App::Get(), kTheApplication);
    receiver.AddMenuHandler(name, [target, handler] { return (target->*handler)(); });
}

// Whether the frontmost window is of the class; fetched afresh for every test.
bool FrontWindowIs(const fw::ClassRecord& window_class)
{
    return fw::IsA(fw::Window::Get(0).get(), window_class);
}

struct WindowItem {
    std::shared_ptr<fw::MenuItem> (*item)();
    const char* name;
    const fw::ClassRecord& (*window_class)();
};

const WindowItem kWindowItems[] = {
    { VindueHapsavi, "VindueHapsavi", wHapsavi::Lookup },
    { VindueTilfaeldigtTal, "VindueTilfaeldigtTal", wTilfaeldigtTal::Lookup },
    { VindueTilfaeldigRaekkefoelge, "VindueTilfaeldigRaekkefoelge", wTilfaeldigRaekkefoelge::Lookup },
};

fw::MenuItem& ItemOf(const WindowItem& row)
{
    return fw::Require(row.item(), std::string("menu item ") + row.name);
}

}

void ApplicationAddMenuHandlers()
{
    AddAppMenuHandler("VindueTilfaeldigtTal", &App::VindueTilfaeldigtTal_Action);
    AddAppMenuHandler("VindueTilfaeldigRaekkefoelge", &App::VindueTilfaeldigRaekkefoelge_Action);
    AddAppMenuHandler("AppleAbout", &App::AppleAbout_Action);
    AddAppMenuHandler("VindueHapsavi", &App::VindueHapsavi_Action);
}

// The item of the frontmost window is checked and disabled, the other two
// unchecked and enabled; About is always enabled. Items are looked up anew
// for every assignment, so a failure part-way leaves the earlier ones made.
void App::Event_EnableMenuItems()
{
    fw::Require(AppleAbout(), "menu item AppleAbout").Enable();
    if (fw::WindowCount() > 0) {
        for (const WindowItem& row : kWindowItems) {
            ItemOf(row).SetEnabled(!FrontWindowIs(row.window_class()));
            ItemOf(row).SetChecked(FrontWindowIs(row.window_class()));
        }
    } else {
        for (const WindowItem& row : kWindowItems) {
            ItemOf(row).Enable();
            ItemOf(row).SetChecked(false);
        }
    }
}

bool App::VindueTilfaeldigtTal_Action()
{
    fw::Require(wTilfaeldigtTal::Get(), "window wTilfaeldigtTal").Show();
    return false;
}

bool App::VindueTilfaeldigRaekkefoelge_Action()
{
    fw::Require(wTilfaeldigRaekkefoelge::Get(), "window wTilfaeldigRaekkefoelge").Show();
    return false;
}

bool App::AppleAbout_Action()
{
    fw::Require(wOm::Get(), "window wOm").ShowModal();
    return false;
}

bool App::VindueHapsavi_Action()
{
    fw::Require(wHapsavi::Get(), "window wHapsavi").Show();
    return false;
}
