// The wallpaper applier against the real profile and registry under Wine.
// The desktop's names are spelled out here: they are what the platform reads.
#include "harness.h"
#include "oldshell.h"
#include "wallpaper.h"

#include <gtest/gtest.h>

#include <string>

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
    void TearDown() override { resetOldShell(false); }
    std::string bitmap;
};
}  // namespace

TEST_F(Applier, EachPlacementWritesItsTilingAndOrigin)
{
    // Tile and Center pass no origin of their own; an unknown mode leaves the
    // tiling as it was and writes the origin it was given.
    const struct {
        int mode;
        int x;
        int y;
        const char* tileBefore;
        const char* tile;
        const char* originX;
        const char* originY;
    } placements[] = {
        {POSITION_TILE, 500, 300, "0", "1", "0", "0"},
        {POSITION_CENTER, 40, 50, "1", "0", "0", "0"},
        {POSITION_DEFINED, 120, -7, "1", "0", "120", "-7"},
        {POSITION_DEFINED, 0, 0, "1", "0", "0", "0"},
        {7, 33, 44, "1", "1", "33", "44"},
    };
    for (const auto& placement : placements) {
        SCOPED_TRACE(placement.mode);
        writeProfile("DESKTOP", "TileWallpaper", placement.tileBefore);
        deleteUserRegistryValue(DESKTOP_KEY, "WallpaperOriginX");
        deleteUserRegistryValue(DESKTOP_KEY, "WallpaperOriginY");
        applyWallpaper(bitmap.c_str(), placement.mode, placement.x, placement.y);
        EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), placement.tile);
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

TEST_F(Applier, OldShellWritesOriginToTheProfile)
{
    // Wine, like the NT family, maps the profile's DESKTOP section onto
    // Control Panel\desktop, so the registry cannot tell the two paths apart
    // here; the locked-key test below shows that no registry access is tried.
    resetOldShell(true);
    applyWallpaper(bitmap.c_str(), POSITION_DEFINED, 64, 48);
    EXPECT_EQ(readProfile("DESKTOP", "WallpaperOriginX"), "64");
    EXPECT_EQ(readProfile("DESKTOP", "WallpaperOriginY"), "48");
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
