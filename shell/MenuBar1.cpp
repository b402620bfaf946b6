#include "shell/MenuBar1.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/QuitMenuItem.h"

#include <span>
#include <string>

fw::Global<MenuBar1> MenuBar1::_implicitInstance { "MenuBar1._implicitInstance" };

namespace {

enum class ItemClass { MenuItem, QuitMenuItem, AppleMenuItem };

struct MenuRow {
    const char* name;
    ItemClass item_class;
    const char* text;
    // nullptr: the item never gets a shortcut assigned (the separators);
    // "" is an explicitly empty shortcut.
    const char* shortcut;
};

// Each menu: its top menu first, then its entries in menu order.
const MenuRow kFileMenu[] = {
    { "FileMenu", ItemClass::MenuItem, "&Arkiv", "" },
    { "FileClose", ItemClass::MenuItem, "Luk", "Cmd+W" },
    { "UntitledMenu3", ItemClass::MenuItem, "-", nullptr },
    { "FileQuit", ItemClass::QuitMenuItem, "Slut", "Cmd+Q" },
};

const MenuRow kEditMenu[] = {
    { "EditMenu", ItemClass::MenuItem, "&Rediger", "" },
    { "EditUndo", ItemClass::MenuItem, "Fortryd", "Cmd+Z" },
    { "UntitledMenu2", ItemClass::MenuItem, "-", nullptr },
    { "EditCut", ItemClass::MenuItem, "Klip", "Cmd+X" },
    { "EditCopy", ItemClass::MenuItem, "Kopier", "Cmd+C" },
    { "EditPaste", ItemClass::MenuItem, "Sæt ind", "Cmd+V" },
    { "EditClear", ItemClass::MenuItem, "Slet", "" },
    { "UntitledMenu1", ItemClass::MenuItem, "-", nullptr },
    { "EditSelectAll", ItemClass::MenuItem, "Vælg alt", "Cmd+A" },
};

const MenuRow kWindowMenu[] = {
    { "WindowMenu", ItemClass::MenuItem, "&Vindue", "" },
    { "VindueHapsavi", ItemClass::MenuItem, "Hapsavi", "Cmd+0" },
    { "UntitledMenu0", ItemClass::MenuItem, "-", nullptr },
    { "VindueTilfaeldigtTal", ItemClass::MenuItem, "Tilfældigt tal", "Cmd+1" },
    { "VindueTilfaeldigRaekkefoelge", ItemClass::MenuItem, "Tilfældig rækkefølge", "Cmd+2" },
    { "AppleAbout", ItemClass::AppleMenuItem, "Om Hapsavi...", "" },
};

std::shared_ptr<fw::MenuItem> NewItem(const MenuRow& row)
{
    std::shared_ptr<fw::MenuItem> item;
    switch (row.item_class) {
    case ItemClass::MenuItem: item = std::make_shared<fw::MenuItem>(); break;
    case ItemClass::QuitMenuItem: item = std::make_shared<fw::QuitMenuItem>(); break;
    case ItemClass::AppleMenuItem: item = std::make_shared<fw::AppleMenuItem>(); break;
    }
    const std::string what = std::string("new menu item ") + row.name;
    fw::Require(item, what).SetName(row.name);
    fw::Require(item, what).SetAutoEnable(true);
    fw::Require(item, what).SetText(row.text);
    if (row.shortcut)
        fw::Require(item, what).SetKeyboardShortcut(row.shortcut);
    return item;
}

// The top menu goes on the bar; each entry goes on the menu found again by
// name in the bar, never on a reference held from before.
void BuildMenu(fw::MenuBar& bar, std::span<const MenuRow> rows)
{
    const MenuRow& top = rows.front();
    bar.Append(NewItem(top));
    for (const MenuRow& entry : rows.subspan(1)) {
        auto item = NewItem(entry);
        fw::Require(bar.Child(top.name), std::string("menu ") + top.name).Append(std::move(item));
    }
}

}

std::shared_ptr<MenuBar1> MenuBar1::Get()
{
    if (!_implicitInstance) {
        auto bar = std::make_shared<MenuBar1>();
        bar->Constructor();
        _implicitInstance.Set(std::move(bar));
    }
    return _implicitInstance.Get();
}

void MenuBar1::Constructor()
{
    Untitled1();
    Untitled2();
    Untitled3();
}

void MenuBar1::Untitled1() { BuildMenu(*this, kFileMenu); }
void MenuBar1::Untitled2() { BuildMenu(*this, kEditMenu); }
void MenuBar1::Untitled3() { BuildMenu(*this, kWindowMenu); }

std::shared_ptr<fw::AppleMenuItem> AppleAbout() { return fw::CheckCast<fw::AppleMenuItem>(fw::AppMenuItem("AppleAbout")); }
std::shared_ptr<fw::MenuItem> VindueTilfaeldigRaekkefoelge() { return fw::AppMenuItem("VindueTilfaeldigRaekkefoelge"); }
std::shared_ptr<fw::MenuItem> VindueTilfaeldigtTal() { return fw::AppMenuItem("VindueTilfaeldigtTal"); }
std::shared_ptr<fw::MenuItem> VindueHapsavi() { return fw::AppMenuItem("VindueHapsavi"); }
std::shared_ptr<fw::MenuItem> EditSelectAll() { return fw::AppMenuItem("EditSelectAll"); }
std::shared_ptr<fw::MenuItem> FileClose() { return fw::AppMenuItem("FileClose"); }
