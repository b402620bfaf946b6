#pragma once

#include "framework/MenuItem.h"
#include "framework/Subclass.h"

namespace fw {

// A menu bar: its children are the menus. One bar may show in several
// windows at once, with one state for all of them.
class MenuBar : public Subclass<MenuItem, "MenuBar"> { };

}
