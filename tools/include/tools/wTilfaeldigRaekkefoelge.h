#pragma once

#include "tools/ToolWindow.h"

// The random-order window: the lines typed or pasted into its text area are
// put into a random order by its one button, which stays centred horizontally.
class wTilfaeldigRaekkefoelge : public ToolWindow<wTilfaeldigRaekkefoelge, "wTilfaeldigRaekkefoelge.wTilfaeldigRaekkefoelge"> {
public:
    wTilfaeldigRaekkefoelge();

    virtual void Layout();
    virtual void CreateControls0();
    virtual void TilfaeldigRaekkefoelge_Action();
    virtual void Tekstfelt_TextChange();
    virtual void Event_Resized();
    virtual void Event_Open();
};
