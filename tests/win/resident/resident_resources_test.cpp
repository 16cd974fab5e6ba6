// The resources of the built vistrell.exe that the resident's code looks up:
// the menu whose first pop-up carries every command of the command switch,
// the icons, and nothing else.
#include "harness.h"
#include "residentids.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {
ULONG_PTR typeId(LPCSTR type)
{
    return reinterpret_cast<ULONG_PTR>(type);
}

BOOL CALLBACK collectType(HMODULE, LPSTR type, LONG_PTR param)
{
    reinterpret_cast<std::set<ULONG_PTR>*>(param)->insert(typeId(type));
    return TRUE;
}
}  // namespace

TEST(ResidentResources, TheMenusFirstPopupCarriesEveryCommand)
{
    ResourceFile file(testDirectory() + "vistrell.exe");
    HMENU bar = LoadMenuA(file.handle(), MENU_NAME);
    ASSERT_NE(bar, (HMENU)NULL);
    // The tray and the system menu both show pop-up 0, "ENTRY".
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(menuCommands(GetSubMenu(bar, 0)),
              (std::set<UINT>{IDM_OPEN_EDITOR, IDM_CHANGE_NOW, IDM_RELOAD_PERIOD, IDM_ABOUT, IDM_HELP, IDM_REMOVE,
                              IDM_RESTART_WINDOWS, IDM_REBOOT, IDM_PREVIOUS, IDM_SHOW_PICTURE, IDM_OPEN_FOLDER,
                              IDM_NEVER_SHOW}));
    DestroyMenu(bar);
}

TEST(ResidentResources, TheMenuThreeIconsAndTheManifestAndNothingElse)
{
    ResourceFile file(testDirectory() + "vistrell.exe");
    std::set<ULONG_PTR> types;
    EnumResourceTypesA(file.handle(), collectType, reinterpret_cast<LONG_PTR>(&types));
    // No dialog, strings or version record.
    EXPECT_EQ(types, (std::set<ULONG_PTR>{typeId(RT_ICON), typeId(RT_MENU), typeId(RT_GROUP_ICON),
                                          typeId(RT_MANIFEST)}));
    EXPECT_EQ(file.names(RT_MENU), (std::set<std::string>{MENU_NAME}));
    // "ICON_3" is shipped without being loaded.
    EXPECT_EQ(file.names(RT_GROUP_ICON), (std::set<std::string>{ICON_CLASS_NAME, ICON_TRAY_NAME, "ICON_3"}));
}

// The tray's icon carries an image for each size the tray draws at, from
// 100 % to 200 % display scale, so that none is shrunk from another.
TEST(ResidentResources, TheTrayIconHoldsAnImageForEachTraySize)
{
    ResourceFile file(testDirectory() + "vistrell.exe");
    HRSRC found = FindResourceA(file.handle(), ICON_TRAY_NAME, RT_GROUP_ICON);
    ASSERT_NE(found, (HRSRC)NULL);
    const BYTE* group = static_cast<const BYTE*>(LockResource(LoadResource(file.handle(), found)));
    ASSERT_NE(group, (const BYTE*)NULL);
    // The group's header (reserved, type, count), then 14 bytes an image,
    // each beginning with its width and height.
    WORD count = static_cast<WORD>(group[4] | group[5] << 8);
    std::set<std::pair<int, int>> sizes;
    for (WORD i = 0; i < count; ++i)
        sizes.insert({group[6 + 14 * i], group[6 + 14 * i + 1]});
    EXPECT_EQ(sizes, (std::set<std::pair<int, int>>{{16, 16}, {20, 20}, {24, 24}, {32, 32}, {48, 48}}));
}
