#include "framework/AppleMenuItem.h"
#include "framework/Exceptions.h"
#include "framework/MenuBar.h"
#include "framework/QuitMenuItem.h"
#include "framework/Runtime.h"
#include "shell/App.h"
#include "shell/MenuBar1.h"
#include "shell/Startup.h"
#include "tests/support/Harness.h"
#include "tools/wTilfaeldigtTal.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct Item {
    std::string parent;
    std::string name;
    std::string class_name;
    std::string text;
    std::optional<std::string> shortcut;
};

// The whole bar as the user meets it, top to bottom.
const std::vector<Item> kExpectedItems = {
    { "", "FileMenu", "MenuItem", "&Arkiv", "" },
    { "FileMenu", "FileClose", "MenuItem", "Luk", "Cmd+W" },
    { "FileMenu", "UntitledMenu3", "MenuItem", "-", std::nullopt },
    { "FileMenu", "FileQuit", "QuitMenuItem", "Slut", "Cmd+Q" },
    { "", "EditMenu", "MenuItem", "&Rediger", "" },
    { "EditMenu", "EditUndo", "MenuItem", "Fortryd", "Cmd+Z" },
    { "EditMenu", "UntitledMenu2", "MenuItem", "-", std::nullopt },
    { "EditMenu", "EditCut", "MenuItem", "Klip", "Cmd+X" },
    { "EditMenu", "EditCopy", "MenuItem", "Kopier", "Cmd+C" },
    { "EditMenu", "EditPaste", "MenuItem", "S\xC3\xA6t ind", "Cmd+V" },
    { "EditMenu", "EditClear", "MenuItem", "Slet", "" },
    { "EditMenu", "UntitledMenu1", "MenuItem", "-", std::nullopt },
    { "EditMenu", "EditSelectAll", "MenuItem", "V\xC3\xA6lg alt", "Cmd+A" },
    { "", "WindowMenu", "MenuItem", "&Vindue", "" },
    { "WindowMenu", "VindueHapsavi", "MenuItem", "Hapsavi", "Cmd+0" },
    { "WindowMenu", "UntitledMenu0", "MenuItem", "-", std::nullopt },
    { "WindowMenu", "VindueTilfaeldigtTal", "MenuItem", "Tilf\xC3\xA6ldigt tal", "Cmd+1" },
    { "WindowMenu", "VindueTilfaeldigRaekkefoelge", "MenuItem", "Tilf\xC3\xA6ldig r\xC3\xA6kkef\xC3\xB8lge", "Cmd+2" },
    { "WindowMenu", "AppleAbout", "AppleMenuItem", "Om Hapsavi...", "" },
};

std::vector<Item> ItemsOf(const fw::MenuBar& bar)
{
    std::vector<Item> items;
    for (const auto& menu : bar.Children()) {
        items.push_back({ "", menu->Name(), menu->Class().Name(), menu->Text(), menu->KeyboardShortcut() });
        for (const auto& entry : menu->Children())
            items.push_back({ menu->Name(), entry->Name(), entry->Class().Name(), entry->Text(), entry->KeyboardShortcut() });
    }
    return items;
}

void ExpectSameItems(const std::vector<Item>& actual)
{
    ASSERT_EQ(actual.size(), kExpectedItems.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1) + ": " + kExpectedItems[i].name);
        EXPECT_EQ(actual[i].parent, kExpectedItems[i].parent);
        EXPECT_EQ(actual[i].name, kExpectedItems[i].name);
        EXPECT_EQ(actual[i].class_name, kExpectedItems[i].class_name);
        EXPECT_EQ(actual[i].text, kExpectedItems[i].text);
        EXPECT_EQ(actual[i].shortcut, kExpectedItems[i].shortcut);
    }
}

class MenuBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        harness::StartRuntime();
        fw::InitPluginEntrypoints();
    }
};

}

TEST_F(MenuBar, HoldsTheThreeDanishMenusWithTheirNineteenItemsInOrder)
{
    auto bar = MenuBar1::Get();
    ExpectSameItems(ItemsOf(*bar));

    for (const char* menu : { "FileMenu", "EditMenu", "WindowMenu" }) {
        ASSERT_TRUE(bar->Child(menu)) << menu;
        EXPECT_EQ(bar->Child(menu)->Parent(), bar.get());
    }
    int auto_enabled = 0;
    std::vector<std::string> separators;
    for (const auto& menu : bar->Children()) {
        auto_enabled += menu->AutoEnable();
        for (const auto& entry : menu->Children()) {
            auto_enabled += entry->AutoEnable();
            if (entry->IsSeparator())
                separators.push_back(entry->Name());
        }
    }
    EXPECT_EQ(auto_enabled, 19);
    EXPECT_EQ(separators, (std::vector<std::string> { "UntitledMenu3", "UntitledMenu2", "UntitledMenu1", "UntitledMenu0" }));
}

TEST_F(MenuBar, IsBuiltOnceAndSharedByTheApplicationAndTheRandomNumberWindow)
{
    NewAppInstance();
    auto bar = MenuBar1::Get();
    EXPECT_EQ(MenuBar1::Get(), bar);
    EXPECT_EQ(MenuBar1::_implicitInstance.Get(), bar);
    EXPECT_EQ(App::Get()->GetMenuBar(), bar);

    auto window = wTilfaeldigtTal::Get();
    EXPECT_EQ(window->GetMenuBar(), bar);

    // A state set through the application's accessor is the state the window's bar shows.
    VindueHapsavi()->SetEnabled(false);
    VindueHapsavi()->SetChecked(true);
    auto seen = window->GetMenuBar()->FindItem("VindueHapsavi");
    EXPECT_FALSE(seen->Enabled());
    EXPECT_TRUE(seen->Checked());

    // A rebuilt window installs the same bar again, unchanged.
    window->Close();
    harness::ProcessEvents();
    auto rebuilt = wTilfaeldigtTal::Get();
    EXPECT_NE(rebuilt, window);
    EXPECT_EQ(rebuilt->GetMenuBar(), bar);
    ExpectSameItems(ItemsOf(*rebuilt->GetMenuBar()));
}

TEST_F(MenuBar, ItemAccessorsFindTheirItemAfreshInTheApplicationsBar)
{
    // Before the application object exists there is nothing to look in.
    EXPECT_THROW(FileClose(), fw::NilObjectException);

    NewAppInstance();
    auto bar = MenuBar1::Get();
    EXPECT_EQ(AppleAbout(), bar->FindItem("AppleAbout"));
    EXPECT_EQ(AppleAbout()->Class().Name(), "AppleMenuItem");
    EXPECT_EQ(AppleAbout(), AppleAbout());
    EXPECT_EQ(VindueHapsavi(), bar->FindItem("VindueHapsavi"));
    EXPECT_EQ(VindueTilfaeldigtTal(), bar->FindItem("VindueTilfaeldigtTal"));
    EXPECT_EQ(VindueTilfaeldigRaekkefoelge(), bar->FindItem("VindueTilfaeldigRaekkefoelge"));
    EXPECT_EQ(EditSelectAll(), bar->FindItem("EditSelectAll"));
    EXPECT_EQ(FileClose(), bar->FindItem("FileClose"));
    EXPECT_TRUE(fw::IsA(bar->FindItem("FileQuit").get(), fw::QuitMenuItem::Lookup()));

    // Nothing is cached: another bar on the application is where the next lookup looks.
    auto other = std::make_shared<MenuBar1>();
    other->Constructor();
    App::Get()->SetMenuBar(other);
    EXPECT_EQ(FileClose(), other->FindItem("FileClose"));
    EXPECT_NE(FileClose(), bar->FindItem("FileClose"));

    App::Get()->SetMenuBar(nullptr);
    EXPECT_THROW(AppleAbout(), fw::NilObjectException);
    EXPECT_THROW(EditSelectAll(), fw::NilObjectException);
}
