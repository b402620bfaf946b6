#pragma once

#include "framework/Window.h"

#include <memory>

// The random-number window: draws a whole number from the minimum (always 1)
// to the typed maximum and shows it in large type. It shows the application's
// menu bar as its own.
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

    virtual void AddMenuHandlers(fw::Window& w);
    virtual void Event_EnableMenuItems();
    virtual bool FileClose_Action();
    // Enables the button while the minimum is below the maximum; clears the shown number.
    virtual void SaetKnap();
};
