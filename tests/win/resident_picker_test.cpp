// changeWallpaper against the real settings file, profile and registry: which
// entry it applies, with which placement, and what it stores next.
#include "harness.h"
#include "oldshell.h"
#include "picker.h"
#include "random31.h"
#include "residentdriver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

namespace {
const char DESKTOP_KEY[] = "Control Panel\\desktop";

// The entry the picker chooses in random mode when the clock reads seconds:
std::string wallpaper()
{
    return readProfile("DESKTOP", "WALLPAPER");
}

// Runs changeWallpaper within one second of the clock and returns that
// second; retries when the second turned over during the call.
uint32_t changeWithinOneSecond()
{
    for (;;) {
        time_t before = time(nullptr);
        changeWallpaper(NULL);
        if (time(nullptr) == before)
            return static_cast<uint32_t>(before);
    }
}

// A list written straight into the file: hundreds of keys at once.
void writeLongList(int count)
{
    removeSettings();
    std::ofstream file(settingsPath().c_str());
    file << "[Configuration]\r\nSuccessive=0\r\n[Bitmap list]\r\n";
    for (int i = 0; i < count; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%03d_wall=c:\\long\\entry%d.bmp\r\n", i, i);
        file << line;
    }
}

class ResidentPicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetOldShell(false);
        removeSettings();
        // Should a change find no entry, it shows this window instead of
        // starting a program.
        editor = createEditorStandIn();
    }
    void TearDown() override
    {
        DestroyWindow(editor);
        removeSettings();
    }
    HWND editor = NULL;
};
}  // namespace

TEST_F(ResidentPicker, IndicesThatNameNoEntryFallBackToTheFirst)
{
    writeBitmapList(3);
    for (const char* index : {"<none>", "-1", "1000", "2147483647", "abc"}) {
        writeSetting("Configuration", "Bitmap index", std::string(index) == "<none>" ? NULL : index);
        writeProfile("DESKTOP", "Wallpaper", "");
        changeWallpaper(NULL);
        EXPECT_STRCASEEQ(wallpaper().c_str(), sampleBitmap(0).c_str()) << index;
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1") << index;
    }
}

TEST_F(ResidentPicker, PlacementAndOriginComeFromTheEntryCutTo16Bits)
{
    writeBitmapList(1);
    writeSetting("Bitmap list", "000_type", "2");
    writeSetting("Bitmap list", "000_xpos", "70000");
    changeWallpaper(NULL);
    EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), "0");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), "4464");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginY"), "0");

    writeSetting("Bitmap list", "000_ypos", "-1");
    changeWallpaper(NULL);
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginY"), "65535");

    // No type: centred, whatever the stored origin.
    writeProfile("DESKTOP", "TileWallpaper", "1");
    writeSetting("Bitmap list", "000_type", NULL);
    changeWallpaper(NULL);
    EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), "0");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), "0");

    // An unknown type is passed on whole: tiling untouched, origin as stored.
    writeSetting("Bitmap list", "000_type", "7");
    changeWallpaper(NULL);
    EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), "0");
    EXPECT_EQ(readUserRegistry(DESKTOP_KEY, "WallpaperOriginX"), "4464");
}

TEST_F(ResidentPicker, LongPathIsCutTo99Characters)
{
    std::string path = "c:\\" + std::string(113, 'p') + ".bmp";
    ASSERT_EQ(path.size(), 120u);
    writeSetting("Bitmap list", "000_wall", path.c_str());
    changeWallpaper(NULL);
    EXPECT_STRCASEEQ(wallpaper().c_str(), path.substr(0, 99).c_str());
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");
}

TEST_F(ResidentPicker, RandomModeDrawsAmongTheEntriesUpToTheFirstGap)
{
    writeBitmapList(5);
    // Entry 2 missing: the random scan counts two entries.
    writeSetting("Bitmap list", "002_wall", NULL);
    writeSetting("Configuration", "Bitmap index", "4");
    for (const char* successive : {"0", "2", "-1"}) {
        writeSetting("Configuration", "Successive", successive);
        uint32_t second = changeWithinOneSecond();
        int chosen = randomChoice(second, 2);
        EXPECT_STRCASEEQ(wallpaper().c_str(), sampleBitmap(chosen).c_str()) << successive;
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), std::to_string(chosen + 1)) << successive;
        writeSetting("Configuration", "Bitmap index", "4");
    }
}

TEST_F(ResidentPicker, RandomModeOverAFullScanKeepsTheWarmUpIndex)
{
    writeLongList(500);
    uint32_t second = changeWithinOneSecond();
    int chosen = randomChoice(second, 500);
    ASSERT_LT(chosen, 29);
    EXPECT_STRCASEEQ(wallpaper().c_str(), ("c:\\long\\entry" + std::to_string(chosen) + ".bmp").c_str());
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), std::to_string(chosen + 1));

    // 499 entries end the scan at a gap: one more draw over all of them.
    writeLongList(499);
    second = changeWithinOneSecond();
    chosen = randomChoice(second, 499);
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), std::to_string(chosen + 1));
}

