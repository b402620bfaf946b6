#include "framework/MenuBar.h"
#include "framework/Runtime.h"
#include "shell/App.h"
#include "shell/MenuBar1.h"
#include "shell/Startup.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Harness.h"
#include "tools/wTilfaeldigtTal.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Parent, Name, class, text, shortcut (nullopt: never set).
using Item = std::tuple<std::string, std::string, std::string, std::string, std::optional<std::string>>;

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

void ExpectTheNineteenItems(const fw::MenuBar& bar)
{
    std::vector<Item> items;
    auto add = [&](const std::string& parent, const fw::MenuItem& item) {
        items.emplace_back(parent, item.Name(), item.Class().Name(), item.Text(), item.KeyboardShortcut());
        EXPECT_TRUE(item.AutoEnable()) << item.Name();
    };
    for (const auto& menu : bar.Children()) {
        add("", *menu);
        for (const auto& entry : menu->Children())
            add(menu->Name(), *entry);
    }
    EXPECT_EQ(items, kExpectedItems);
}

class MenuBar : public harness::RuntimeTest {
protected:
    void SetUp() override { fw::InitPluginEntrypoints(); }
};

}

TEST_F(MenuBar, IsBuiltOnceWithItsNineteenItemsAndSharedByTheApplicationAndTheRandomNumberWindow)
{
    NewAppInstance();
    auto bar = MenuBar1::Get();
    EXPECT_EQ(MenuBar1::Get(), bar);
    EXPECT_EQ(MenuBar1::_implicitInstance.Get(), bar);
    EXPECT_EQ(App::Get()->GetMenuBar(), bar);
    auto window = wTilfaeldigtTal::Get();
    EXPECT_EQ(window->GetMenuBar(), bar);

    // A rebuilt window installs the same bar again, with nothing added to it.
    window->Close();
    harness::ProcessEvents();
    auto rebuilt = wTilfaeldigtTal::Get();
    ASSERT_NE(rebuilt, window);
    EXPECT_EQ(rebuilt->GetMenuBar(), bar);
    ExpectTheNineteenItems(*bar);
}
