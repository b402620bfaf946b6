#pragma once

#include "framework/WindowClass.h"

// The random-order window: the lines typed or pasted into its text area are
// put into a random order by its one button, which stays centred horizontally.
class wTilfaeldigRaekkefoelge : public fw::WindowClass<wTilfaeldigRaekkefoelge, "wTilfaeldigRaekkefoelge.wTilfaeldigRaekkefoelge"> {
public:
    wTilfaeldigRaekkefoelge();

    virtual void Layout();
    virtual void CreateControls();
    virtual void CreateControls0();
    virtual void TilfaeldigRaekkefoelge_Action();
    virtual void Tekstfelt_TextChange();
    virtual void AddMenuHandlers(fw::Window& w);
    virtual void Event_EnableMenuItems();
    virtual void Event_Resized();
    virtual void Event_Open();
    virtual bool FileClose_Action();
};
