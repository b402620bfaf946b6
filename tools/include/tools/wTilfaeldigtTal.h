#pragma once

#include "framework/WindowClass.h"

// The random-number window: draws a whole number from the minimum (always 1)
// to the typed maximum and shows it in large type. It shows the application's
// menu bar as its own.
class wTilfaeldigtTal : public fw::WindowClass<wTilfaeldigtTal, "wTilfaeldigtTal.wTilfaeldigtTal"> {
public:
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
