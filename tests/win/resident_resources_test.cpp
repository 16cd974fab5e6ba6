// The resident changer's resources, read from the built vistrell.exe: the
// menu "MENU_3" item by item, the three icons, and nothing else.
#include "harness.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {
struct Item {
    bool separator;
    bool popup;
    UINT id;
    std::string text;
    UINT state;
};

std::vector<Item> menuItems(HMENU menu)
{
    std::vector<Item> items;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[128] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = sizeof text;
        EXPECT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &info));
        items.push_back({(info.fType & MFT_SEPARATOR) != 0, info.hSubMenu != NULL, info.hSubMenu ? 0 : info.wID, text,
                         info.fState});
    }
    return items;
}

class ResidentResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryExA((testDirectory() + "vistrell.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, (HMODULE)NULL);
    }
    void TearDown() override { FreeLibrary(module); }
    HMODULE module = NULL;
};

BOOL CALLBACK collectType(HMODULE, LPSTR type, LONG_PTR param)
{
    reinterpret_cast<std::set<ULONG_PTR>*>(param)->insert(reinterpret_cast<ULONG_PTR>(type));
    return TRUE;
}

BOOL CALLBACK collectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    std::string text = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name;
    reinterpret_cast<std::set<std::string>*>(param)->insert(text);
    return TRUE;
}
}  // namespace

TEST_F(ResidentResources, MenuBarHoldsTheEntryPopupInItsOrder)
{
    HMENU bar = LoadMenuA(module, "MENU_3");
    ASSERT_NE(bar, (HMENU)NULL);
    std::vector<Item> top = menuItems(bar);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_TRUE(top[0].popup);
    EXPECT_EQ(top[0].text, "ENTRY");

    HMENU entry = GetSubMenu(bar, 0);
    std::vector<Item> items = menuItems(entry);
    struct Expected {
        bool separator;
        bool popup;
        UINT id;
        const char* text;
    } expected[] = {
        {false, false, 101, "&Open program window"},
        {true, false, 0, ""},
        {false, false, 106, "Setup New &Wallpaper"},
        {false, false, 107, "Update changes (if any)"},
        {false, false, 130, "About..."},
        {false, false, 131, "&Help"},
        {true, false, 0, ""},
        {false, false, 128, "&Remove from memory"},
        {false, true, 0, "Windows Shutdown"},
    };
    ASSERT_EQ(items.size(), sizeof expected / sizeof expected[0]);
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].separator, expected[i].separator) << i;
        EXPECT_EQ(items[i].popup, expected[i].popup) << i;
        if (!expected[i].separator && !expected[i].popup) {
            EXPECT_EQ(items[i].id, expected[i].id) << i;
        }
        EXPECT_EQ(items[i].text, expected[i].text) << i;
        // Enabled, unchecked, not the default item (separators always read
        // as greyed).
        if (!expected[i].separator) {
            EXPECT_EQ(items[i].state, 0u) << i;
        }
    }

    std::vector<Item> shutdown = menuItems(GetSubMenu(entry, 8));
    ASSERT_EQ(shutdown.size(), 2u);
    EXPECT_EQ(shutdown[0].id, 126u);
    EXPECT_EQ(shutdown[0].text, "Restart Windows");
    EXPECT_EQ(shutdown[1].id, 127u);
    EXPECT_EQ(shutdown[1].text, "Restart Machine");
    EXPECT_EQ(GetMenuDefaultItem(entry, TRUE, 0), (UINT)-1);
    DestroyMenu(bar);
}

TEST_F(ResidentResources, ThreeSixteenColourIconsOfOneImageEach)
{
    struct {
        const char* name;
        BYTE size;
    } icons[] = {{"ICON_1", 32}, {"ICON_2", 32}, {"ICON_3", 16}};
    for (auto& icon : icons) {
        HRSRC found = FindResourceA(module, icon.name, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
        ASSERT_NE(found, (HRSRC)NULL) << icon.name;
        const BYTE* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        ASSERT_NE(group, nullptr);
        // Directory header (reserved, type, count), then 14-byte entries that
        // begin with width, height and colour count.
        EXPECT_EQ(group[4] | (group[5] << 8), 1) << icon.name;
        EXPECT_EQ(group[6], icon.size) << icon.name;
        EXPECT_EQ(group[7], icon.size) << icon.name;
        EXPECT_EQ(group[8], 16) << icon.name;
    }
}

TEST_F(ResidentResources, NoOtherResources)
{
    std::set<ULONG_PTR> types;
    EnumResourceTypesA(module, collectType, reinterpret_cast<LONG_PTR>(&types));
    // RT_ICON, RT_MENU and RT_GROUP_ICON only: no dialog, strings or version.
    EXPECT_EQ(types, (std::set<ULONG_PTR>{3, 4, 14}));

    std::set<std::string> menus;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(4), collectName, reinterpret_cast<LONG_PTR>(&menus));
    EXPECT_EQ(menus, (std::set<std::string>{"MENU_3"}));
    std::set<std::string> groups;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(14), collectName, reinterpret_cast<LONG_PTR>(&groups));
    EXPECT_EQ(groups, (std::set<std::string>{"ICON_1", "ICON_2", "ICON_3"}));
}
