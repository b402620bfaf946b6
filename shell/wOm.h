#pragma once

#include "framework/Window.h"

#include <memory>

// The About window: the picture, the program's name, what it does, the
// copyright line, the terms of use, and "OK". Always shown modally.
class wOm : public fw::Window {
public:
    static const fw::ClassRecord& Lookup();
    const fw::ClassRecord& Class() const override { return Lookup(); }
    static void ctblinit() { Lookup(); }

    // The open About window, or a new one built from its design; never shown here.
    static std::shared_ptr<wOm> Get();

    wOm();

    virtual void Layout();
    virtual void CreateControls();
    virtual void CreateControls0();
    virtual void PushButton1_Action();
    virtual void AddMenuHandlers(fw::Window& w);
};
