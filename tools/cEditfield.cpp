#include "tools/cEditfield.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/MenuItem.h"

cEditfield::cEditfield()
{
    on_enable_menu_items = [this] { Event_EnableMenuItems(); };
}

void cEditfield::Event_EnableMenuItems()
{
    auto& item = fw::Require(fw::AppMenuItem("EditSelectAll"), "menu item EditSelectAll");
    // Len(Text()) and SelLength in characters, not bytes ("æøå" wholly selected
    // leaves nothing to select), counted by the field without copying its text out.
    const int32_t length = TextLength();
    const bool e = length == 0 ? false : SelLength() < length;
    item.SetEnabled(e);
}

bool cEditfield::EditSelectAll_Action()
{
    SetSelStart(0);
    SetSelLength(TextLength());
    return false;
}
