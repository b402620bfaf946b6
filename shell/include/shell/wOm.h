#pragma once

#include "framework/WindowClass.h"

// The About window: the picture, the program's name, what it does, the
// copyright line, the terms of use, and "OK". Always shown modally.
class wOm : public fw::WindowClass<wOm, "wOm.wOm"> {
public:
    virtual void Layout();
    virtual void CreateControls0();
    virtual void PushButton1_Action();
    virtual void AddMenuHandlers(fw::Window& w);
};
