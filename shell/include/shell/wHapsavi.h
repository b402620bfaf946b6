#pragma once

#include "framework/WindowClass.h"

#include <cstdint>

// The launcher: the program's picture and a button for each tool. A click on
// the picture shows the About window; closing the launcher quits.
class wHapsavi : public fw::WindowClass<wHapsavi, "wHapsavi.wHapsavi"> {
public:
    wHapsavi();

    virtual void Layout();
    virtual void CreateControls0();
    virtual bool Canvas1_MouseDown(int32_t x, int32_t y);
    virtual void Canvas1_MouseUp(int32_t x, int32_t y);
    virtual void BevelButton1_Action();
    virtual void BevelButton2_Action();
    virtual void AddMenuHandlers(fw::Window& w);
    virtual void Event_Close();
};
