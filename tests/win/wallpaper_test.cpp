// The wallpaper applier against the real profile and registry under Wine.
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

TEST_F(Applier, TileWritesTileAndZeroOrigin)
{
    applyWallpaper(bitmap.c_str(), POSITION_TILE, 500, 300);
    EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), "1");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), "0");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginY"), "0");
}

TEST_F(Applier, CenterClearsTileAndZeroesOrigin)
{
    writeProfile("DESKTOP", "TileWallpaper", "1");
    applyWallpaper(bitmap.c_str(), POSITION_CENTER, 40, 50);
    EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), "0");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), "0");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginY"), "0");
}

TEST_F(Applier, DefinedKeepsTheOrigin)
{
    writeProfile("DESKTOP", "TileWallpaper", "1");
    applyWallpaper(bitmap.c_str(), POSITION_DEFINED, 120, -7);
    EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), "0");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), "120");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginY"), "-7");

    applyWallpaper(bitmap.c_str(), POSITION_DEFINED, 0, 0);
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), "0");
}

TEST_F(Applier, UnknownModeKeepsTilingAndWritesTheGivenOrigin)
{
    writeProfile("DESKTOP", "TileWallpaper", "1");
    applyWallpaper(bitmap.c_str(), 7, 33, 44);
    EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), "1");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), "33");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginY"), "44");
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
