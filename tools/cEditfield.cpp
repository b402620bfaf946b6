#include "tools/cEditfield.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/MenuItem.h"
#include "framework/Values.h"

#include <string>

cEditfield::cEditfield()
{
    on_enable_menu_items = [this] { Event_EnableMenuItems(); };
}

void cEditfield::Event_EnableMenuItems()
{
    auto& item = fw::Require(fw::AppMenuItem("EditSelectAll"), "menu item EditSelectAll");
    const std::string t = Text();
    // Characters, not bytes: "æøå" wholly selected leaves nothing to select.
    const bool e = t.empty() ? false : SelLength() < fw::Len(Text());
    item.SetEnabled(e);
}

bool cEditfield::EditSelectAll_Action()
{
    SetSelStart(0);
    SetSelLength(fw::Len(Text()));
    return false;
}
