#pragma once

#include "tools/ToolWindow.h"

// The random-number window: draws a whole number from the minimum (always 1)
// to the typed maximum and shows it in large type. It shows the application's
// menu bar as its own.
class wTilfaeldigtTal : public ToolWindow<wTilfaeldigtTal, "wTilfaeldigtTal.wTilfaeldigtTal"> {
public:
    virtual void Layout();
    virtual void CreateControls0();
    virtual void MinTal_TextChange();
    virtual void MaxTal_TextChange();
    virtual void Knap_Action();
    // Enables the button while the minimum is below the maximum; clears the shown number.
    virtual void SaetKnap();
};
