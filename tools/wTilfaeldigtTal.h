#pragma once

#include "framework/AppleMenuItem.h"
#include "framework/MenuItem.h"
#include "framework/QuitMenuItem.h"
#include "framework/Window.h"

#include <memory>

// The random-number window: draws a whole number from the minimum (always 1)
// to the typed maximum and shows it in large type. It shows the shared menu
// bar as its own and reaches its items through accessors of its own.
class wTilfaeldigtTal : public fw::Window {
public:
    static const fw::ClassRecord& Lookup();
    const fw::ClassRecord& Class() const override { return Lookup(); }
    static void ctblinit() { Lookup(); }

    // The open window of this class, or a new one built from its design; never shown here.
    static std::shared_ptr<wTilfaeldigtTal> Get();

    wTilfaeldigtTal();

    virtual void Layout();
    virtual void CreateControls();
    virtual void CreateControls0();
    virtual void MinTal_TextChange();
    virtual void MaxTal_TextChange();
    virtual void Knap_Action();

    // The item of that Name in the window's menu bar, found afresh on every call.
    virtual std::shared_ptr<fw::MenuItem> WindowMenu();
    virtual std::shared_ptr<fw::AppleMenuItem> AppleAbout();
    virtual std::shared_ptr<fw::MenuItem> VindueTilfaeldigRaekkefoelge();
    virtual std::shared_ptr<fw::MenuItem> VindueTilfaeldigtTal();
    virtual std::shared_ptr<fw::MenuItem> UntitledMenu0();
    virtual std::shared_ptr<fw::MenuItem> VindueHapsavi();
    virtual std::shared_ptr<fw::MenuItem> EditMenu();
    virtual std::shared_ptr<fw::MenuItem> EditSelectAll();
    virtual std::shared_ptr<fw::MenuItem> UntitledMenu1();
    virtual std::shared_ptr<fw::MenuItem> EditClear();
    virtual std::shared_ptr<fw::MenuItem> EditPaste();
    virtual std::shared_ptr<fw::MenuItem> EditCopy();
    virtual std::shared_ptr<fw::MenuItem> EditCut();
    virtual std::shared_ptr<fw::MenuItem> UntitledMenu2();
    virtual std::shared_ptr<fw::MenuItem> EditUndo();
    virtual std::shared_ptr<fw::MenuItem> FileMenu();
    virtual std::shared_ptr<fw::QuitMenuItem> FileQuit();
    virtual std::shared_ptr<fw::MenuItem> UntitledMenu3();
    virtual std::shared_ptr<fw::MenuItem> FileClose();

    virtual void AddMenuHandlers(fw::Window& w);
    virtual void Event_EnableMenuItems();
    virtual bool FileClose_Action();
    // Enables the button while the minimum is below the maximum; clears the shown number.
    virtual void SaetKnap();
};
