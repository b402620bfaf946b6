#pragma once

#include "framework/Window.h"

#include <memory>

// The random-order window: the lines typed or pasted into its text area are
// put into a random order by its one button, which stays centred horizontally.
class wTilfaeldigRaekkefoelge : public fw::Window {
public:
    static const fw::ClassRecord& Lookup();
    const fw::ClassRecord& Class() const override { return Lookup(); }
    static void ctblinit() { Lookup(); }

    // The open window of this class, or a new one built from its design; never shown here.
    static std::shared_ptr<wTilfaeldigRaekkefoelge> Get();

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
