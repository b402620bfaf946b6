#pragma once

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/MenuItem.h"
#include "framework/WindowClass.h"

// The base of the two tool windows W: each closes with "Luk" in "Arkiv"
// (FileClose), a handler on the window that is enabled while the window is in
// front. The launcher and the About window have no such handler.
template<class W, fw::ClassName name>
class ToolWindow : public fw::WindowClass<W, name> {
public:
    virtual void AddMenuHandlers(fw::Window& w)
    {
        auto& self = fw::CheckCast<W>(w);
        this->AddMenuHandler("FileClose", [&self] { return self.FileClose_Action(); });
    }

    virtual void Event_EnableMenuItems()
    {
        fw::Require(fw::AppMenuItem("FileClose"), "menu item FileClose").Enable();
    }

    virtual bool FileClose_Action()
    {
        this->Close();
        return false;
    }

protected:
    ToolWindow()
    {
        this->on_enable_menu_items = [this] { Event_EnableMenuItems(); };
    }
};
