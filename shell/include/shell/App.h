#pragma once

#include "framework/Application.h"
#include "framework/Subclass.h"

#include <memory>

// The application object: the Window menu's three window commands and About,
// and the rule that checks the Window-menu item of the frontmost window.
class App : public fw::Subclass<fw::Application, "App"> {
public:
    // The registered application object, fetched from the runtime on every
    // call; nil when none is registered (callers raise NilObjectException).
    static std::shared_ptr<App> Get();

    App();

    virtual void Event_EnableMenuItems();

    // Menu handlers: each brings its window to the front and returns false.
    virtual bool VindueTilfaeldigtTal_Action();
    virtual bool VindueTilfaeldigRaekkefoelge_Action();
    virtual bool AppleAbout_Action();
    virtual bool VindueHapsavi_Action();
};

// Registers the four handlers above with the application object, in a fixed order.
void ApplicationAddMenuHandlers();
