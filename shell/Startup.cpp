#include "shell/Startup.h"

#include "framework/Object.h"
#include "framework/Runtime.h"
#include "shell/App.h"
#include "shell/FileTypes.h"
#include "shell/Hapsavibillede64x64.h"
#include "shell/MenuBar1.h"
#include "shell/wHapsavi.h"
#include "shell/wOm.h"
#include "tools/cEditfield.h"
#include "tools/wTilfaeldigRaekkefoelge.h"
#include "tools/wTilfaeldigtTal.h"

#include <exception>
#include <memory>

void initialize()
{
    // The desktop's name for the program (its window class, its name to a
    // screen reader), before any window is made.
    fw::SetAppName("Hapsavi");
    fw::RegisterFrameworkClasses();
    wTilfaeldigtTal::ctblinit();
    MenuBar1::ctblinit();
    App::ctblinit();
    cEditfield::ctblinit();
    wTilfaeldigRaekkefoelge::ctblinit();
    wOm::ctblinit();
    wHapsavi::ctblinit();
}

// The program's only exception handler: whatever escapes a start-up step or
// the event loop ends the sequence and goes to the runtime's unhandled-exception
// path; then shutdown runs as after a normal quit. An exception raised by that
// path itself leaves Main.
void Main()
{
    try {
        fw::InitPluginEntrypoints();
        InitFileTypes();
        NewAppInstance();
        ApplicationAddMenuHandlers();
        MakeDefaultView();
        fw::RuntimeRun();
    } catch (...) {
        fw::UnhandledException(std::current_exception());
    }
}

void finalize()
{
    Hapsavibillede64x64::_permapic.Exit();
    fw::ReleaseImplicitWindowList();
    fw::ReleaseDirtyWindows();
    fw::ReleaseWindowList();
    FileTypes::pText.Exit();
    MenuBar1::_implicitInstance.Exit();
}

void InitFileTypes()
{
    FileTypes::Initialize();
}

// The menu bar is the application's before the application is registered.
void NewAppInstance()
{
    auto app = std::make_shared<App>();
    auto bar = MenuBar1::Get();
    app->SetMenuBar(bar);
    fw::RuntimeRegisterAppObject(app);
}

// The die is every window's icon. The launcher shows itself: its design says Visible.
void MakeDefaultView()
{
    fw::SetAppIcon(*Hapsavibillede64x64::Get());
    wHapsavi::Get();
}
