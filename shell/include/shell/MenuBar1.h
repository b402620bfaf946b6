#pragma once

#include "framework/AppleMenuItem.h"
#include "framework/Global.h"
#include "framework/MenuBar.h"
#include "framework/MenuItem.h"
#include "framework/Subclass.h"

#include <memory>

// The program's one menu bar: "&Arkiv", "&Rediger", "&Vindue", built once
// and shared by the application and the random-number window.
class MenuBar1 : public fw::Subclass<fw::MenuBar, "MenuBar1.MenuBar1"> {
public:
    // The shared instance, built on the first call; a failed build stores nothing.
    static std::shared_ptr<MenuBar1> Get();
    static fw::Global<MenuBar1> _implicitInstance;

    virtual void Constructor();
    virtual void Untitled1();
    virtual void Untitled2();
    virtual void Untitled3();
};

// The item of that Name in the application's menu bar (fw::AppMenuItem),
// looked up afresh on every call. A nil application or menu bar raises
// NilObjectException.
std::shared_ptr<fw::AppleMenuItem> AppleAbout();
std::shared_ptr<fw::MenuItem> VindueTilfaeldigRaekkefoelge();
std::shared_ptr<fw::MenuItem> VindueTilfaeldigtTal();
std::shared_ptr<fw::MenuItem> VindueHapsavi();
std::shared_ptr<fw::MenuItem> EditSelectAll();
std::shared_ptr<fw::MenuItem> FileClose();
