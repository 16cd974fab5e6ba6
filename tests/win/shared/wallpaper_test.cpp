// The wallpaper applier against the real profile and registry under Wine.
// The desktop's names are spelled out here: they are what the platform reads.
#include "harness.h"
#include "oldshell.h"
#include "wallpaper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
const char DESKTOP_KEY[] = "Control Panel\\desktop";

class Applier : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetOldShell(false);
        bitmap = sampleBitmap(0);
        writeProfile("DESKTOP", "TileWallpaper", "0");
        deleteUserRegistryValue(DESKTOP_KEY, "WallpaperOriginX");
        deleteUserRegistryValue(DESKTOP_KEY, "WallpaperOriginY");
        writeProfile("DESKTOP", "WallpaperOriginX", NULL);
        writeProfile("DESKTOP", "WallpaperOriginY", NULL);
    }
    void TearDown() override
    {
        resetOldShell(false);
        setWallpaperCall = SystemParametersInfoA;
        setDesktopRegistryValue = RegSetValueExA;
    }
    std::string bitmap;
};
}  // namespace

TEST_F(Applier, EachPlacementWritesItsTilingStyleAndOrigin)
{
    // Tile and Center pass no origin of their own; an unknown mode leaves the
    // tiling and the style as they were and writes the origin it was given.
    // The style before is Fill, the default of Windows 8 to 11.
    const struct {
        int mode;
        int x;
        int y;
        const char* tileBefore;
        const char* tile;
        const char* style;
        const char* originX;
        const char* originY;
    } placements[] = {
        {POSITION_TILE, 500, 300, "0", "1", "0", "0", "0"},
        {POSITION_CENTER, 40, 50, "1", "0", "0", "0", "0"},
        {POSITION_DEFINED, 120, -7, "1", "0", "0", "120", "-7"},
        {POSITION_DEFINED, 0, 0, "1", "0", "0", "0", "0"},
        {7, 33, 44, "1", "1", "10", "33", "44"},
    };
    for (const auto& placement : placements) {
        SCOPED_TRACE(placement.mode);
        writeProfile("DESKTOP", "TileWallpaper", placement.tileBefore);
        writeUserRegistry(DESKTOP_KEY, "WallpaperStyle", "10");
        deleteUserRegistryValue(DESKTOP_KEY, "WallpaperOriginX");
        deleteUserRegistryValue(DESKTOP_KEY, "WallpaperOriginY");
        applyWallpaper(bitmap.c_str(), placement.mode, placement.x, placement.y);
        EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), placement.tile);
        EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperStyle"), placement.style);
        EXPECT_EQ(userRegistryType(DESKTOP_KEY, "WallpaperStyle"), static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), placement.originX);
        EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginY"), placement.originY);
    }
}

TEST_F(Applier, SetsTheWallpaperThroughThePlatform)
{
    applyWallpaper(bitmap.c_str(), POSITION_CENTER, 0, 0);
    char current[MAX_PATH] = "";
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0));
    EXPECT_STRCASEEQ(current, bitmap.c_str());
}

namespace {
// Records the names of the registry values the applier writes, and writes
// them.
std::vector<std::string> registryWrites;
LONG WINAPI recordRegistryWrite(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    registryWrites.push_back(name);
    return RegSetValueExA(key, name, reserved, type, data, size);
}

// Refuses every wallpaper, as Windows refuses a missing file or one that is
// not a bitmap.
BOOL WINAPI refuseWallpaper(UINT, UINT, PVOID, UINT)
{
    return FALSE;
}
}  // namespace

// Wine, like every NT, maps the profile's desktop section onto the registry
// key, so the values read back cannot tell the shells apart; what the applier
// writes to the registry itself can. On Win32s and NT 3.x the origin is a
// WIN.INI value and there is no style; from Windows 95 and NT 4 on the
// desktop reads both from the registry.
TEST_F(Applier, EachShellKeepsThePlacementWhereItsDesktopReadsIt)
{
    const struct {
        bool oldShell;
        std::vector<std::string> registryValues;
    } shells[] = {
        {false, {"WallpaperStyle", "WallpaperOriginX", "WallpaperOriginY"}},
        {true, {}},
    };
    for (const auto& shell : shells) {
        SCOPED_TRACE(shell.oldShell);
        resetOldShell(shell.oldShell);
        registryWrites.clear();
        setDesktopRegistryValue = recordRegistryWrite;
        applyWallpaper(bitmap.c_str(), POSITION_DEFINED, 64, 48);
        setDesktopRegistryValue = RegSetValueExA;
        EXPECT_EQ(registryWrites, shell.registryValues);
        EXPECT_EQ(readProfile("DESKTOP", "WallpaperOriginX"), "64");
        EXPECT_EQ(readProfile("DESKTOP", "WallpaperOriginY"), "48");
    }
}

// The placement is written before the platform's call, so that it draws the
// new bitmap with it; a refusal puts back what was there, and deletes what
// was not.
TEST_F(Applier, ARefusedWallpaperLeavesThePlacementAsItWas)
{
    const struct {
        bool oldShell;
        int mode;
    } cases[] = {{false, POSITION_DEFINED}, {false, POSITION_TILE}, {true, POSITION_DEFINED}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.oldShell) + " " + std::to_string(c.mode));
        resetOldShell(c.oldShell);
        writeProfile("DESKTOP", "TileWallpaper", "1");
        writeUserRegistry(DESKTOP_KEY, "WallpaperStyle", "10");
        deleteUserRegistryValue(DESKTOP_KEY, "WallpaperOriginX");
        writeUserRegistry(DESKTOP_KEY, "WallpaperOriginY", "5");
        BoxWatcher boxes("MSG", IDOK);
        setWallpaperCall = refuseWallpaper;
        EXPECT_FALSE(applyWallpaper(bitmap.c_str(), c.mode, 64, 48));
        setWallpaperCall = SystemParametersInfoA;
        ASSERT_TRUE(boxes.waitFor(1));
        EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"Cannot Setup Wallpaper."}));
        EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), "1");
        EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperStyle"), "10");
        EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), "<absent>");
        EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginY"), "5");
    }
}

TEST_F(Applier, LockedRegistryKeyIsReportedAndTheOriginSkipped)
{
    // Only the registry box is checked here: this process's platform layer
    // keeps the key it opened earlier, so its wallpaper write still works.
    // The end-to-end tests show the platform's refusal in a fresh process.
    BoxWatcher boxes("MSG", IDOK);
    lockDesktopRegistry(true);
    applyWallpaper(bitmap.c_str(), POSITION_DEFINED, 5, 6);
    lockDesktopRegistry(false);
    ASSERT_TRUE(boxes.waitFor(1));
    EXPECT_EQ(boxes.texts().front(), "Error While Access Register. ");
    EXPECT_EQ(boxes.icons().front(), (UINT)MB_ICONHAND);
    EXPECT_EQ(boxes.owners().front(), (HWND)NULL);
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), "<absent>");
}
