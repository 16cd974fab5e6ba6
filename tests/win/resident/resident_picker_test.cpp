// changeWallpaper against the real settings file, profile and registry: which
// entry it applies, with which placement, and what it stores next.
#include "editor_driver.h"
#include "harness.h"
#include "oldshell.h"
#include "picker.h"
#include "monitors.h"
#include "pictures.h"
#include "residentdriver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {
const char DESKTOP_KEY[] = "Control Panel\\desktop";

std::string wallpaper()
{
    return readProfile("DESKTOP", "WALLPAPER");
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
        measureMonitorsCall = measureMonitors;
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

// Random mode, seeded as the clock's seconds would seed it, one second after
// the other: every choice names an entry of the list (up to the first gap)
// and is the one installed, and every entry comes up. The seeds are fixed, so
// the outcome never changes from run to run; a generator whose remainders are
// evenly spread would miss one of n entries over s seeds with a chance below
// n * (1 - 1/n)^s: 5 * 0.8^60 and 2 * 0.5^20, each under 1e-5.
TEST_F(ResidentPicker, RandomModeChoosesEveryEntryOfTheListAndNothingElse)
{
    const uint32_t FIRST_SEED = 1700000000u;
    struct {
        int listed;
        int gap;  // entry removed, or -1
        int reachable;
        int seeds;
    } cases[] = {{5, -1, 5, 60}, {5, 2, 2, 20}, {1, -1, 1, 3}};
    const char* randomModes[] = {"0", "2", "-1"};
    for (auto& c : cases) {
        writeBitmapList(c.listed);
        if (c.gap >= 0) {
            char gapKey[ENTRY_KEY_BUFFER];
            formatEntryKey(gapKey, c.gap, ENTRY_WALL);
            writeSetting("Bitmap list", gapKey, NULL);
        }
        std::vector<int> hits(c.reachable, 0);
        for (int i = 0; i < c.seeds; ++i) {
            writeSetting("Configuration", "Successive", randomModes[i % 3]);
            writeSetting("Configuration", "Bitmap index", "4");
            changeWallpaperSeeded(NULL, FIRST_SEED + static_cast<uint32_t>(i));
            int chosen = std::atoi(readSetting("Configuration", "Bitmap index").c_str()) - 1;
            ASSERT_GE(chosen, 0) << c.listed << " " << c.gap << " seed " << i;
            ASSERT_LT(chosen, c.reachable) << c.listed << " " << c.gap << " seed " << i;
            EXPECT_STRCASEEQ(wallpaper().c_str(), sampleBitmap(chosen).c_str()) << i;
            ++hits[chosen];
        }
        for (int entry = 0; entry < c.reachable; ++entry)
            EXPECT_GT(hits[entry], 0) << c.listed << " " << c.gap << " entry " << entry;
    }
}

// With every key up to the scan's limit present, the choice is the warm-up's:
// always among the first 29. One key fewer ends the scan at a gap, and the
// choice then spans the whole list: over three fixed seeds, some choice past
// the first 29 (an evenly spread choice stays below 29 three times with a
// chance of (29/499)^3, 2e-4).
TEST_F(ResidentPicker, RandomModeOverAFullScanStaysWithinTheWarmUp)
{
    const uint32_t FIRST_SEED = 1700000000u;
    writeLongList(500);
    for (uint32_t seed = FIRST_SEED; seed < FIRST_SEED + 2; ++seed) {
        changeWallpaperSeeded(NULL, seed);
        int chosen = std::atoi(readSetting("Configuration", "Bitmap index").c_str()) - 1;
        ASSERT_GE(chosen, 0) << seed;
        ASSERT_LT(chosen, 29) << seed;
        EXPECT_STRCASEEQ(wallpaper().c_str(), ("c:\\long\\entry" + std::to_string(chosen) + ".bmp").c_str());
    }

    writeLongList(499);
    int highest = -1;
    for (uint32_t seed = FIRST_SEED; seed < FIRST_SEED + 3; ++seed) {
        changeWallpaperSeeded(NULL, seed);
        int chosen = std::atoi(readSetting("Configuration", "Bitmap index").c_str()) - 1;
        ASSERT_GE(chosen, 0) << seed;
        ASSERT_LT(chosen, 499) << seed;
        highest = chosen > highest ? chosen : highest;
    }
    EXPECT_GE(highest, 29);
}

namespace {
// Two made-up monitors side by side, in place of the real one.
void twoMonitors(MonitorSet* monitors)
{
    monitors->count = 2;
    monitors->rects[0] = {0, 0, 400, 300};
    monitors->rects[1] = {400, 0, 700, 300};
}

const COLORREF SAMPLE_COLOURS[] = {RGB(200, 40, 40), RGB(40, 160, 60), RGB(40, 60, 200), RGB(220, 200, 40),
                                   RGB(140, 40, 160)};
}  // namespace

// A different picture on each monitor: one change takes as many entries as
// there are monitors, the next ones in list order (wrapping at the end, the
// index moving on by two), or one draw each at random. The seeds' draws are
// known (worked out in Python from the generator's definition): 1700000003
// leaves 3 and then 0 by 5, 1700000010 leaves 3 and 1.
TEST_F(ResidentPicker, EachMonitorTakesAnEntryOfItsOwn)
{
    const struct {
        const char* successive;
        const char* indexBefore;
        uint32_t seed;
        int primaryEntry;
        int secondEntry;
        const char* indexAfter;
    } changes[] = {
        {"1", "4", 1700000000u, 4, 0, "1"},
        {"1", "1", 1700000000u, 1, 2, "3"},
        {"0", "4", 1700000003u, 3, 0, "1"},
        {"0", "4", 1700000010u, 3, 1, "2"},
    };
    writeBitmapList(5);
    writeSetting("Display", "Monitors", "1");
    measureMonitorsCall = twoMonitors;
    for (const auto& c : changes) {
        SCOPED_TRACE(std::string(c.successive) + " " + c.indexBefore + " " + std::to_string(c.seed));
        writeSetting("Configuration", "Successive", c.successive);
        writeSetting("Configuration", "Bitmap index", c.indexBefore);
        changeWallpaperSeeded(NULL, c.seed);
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), c.indexAfter);
        std::string composite = wallpaper();
        EXPECT_TRUE(nearColour(bitmapPixel(composite, 200, 150), SAMPLE_COLOURS[c.primaryEntry]));
        EXPECT_TRUE(nearColour(bitmapPixel(composite, 550, 150), SAMPLE_COLOURS[c.secondEntry]));
    }
    measureMonitorsCall = measureMonitors;
    clearPictureCache();
}

// A picture that cannot be shown leaves its monitor in the desktop colour
// and is told once for the whole change.
TEST_F(ResidentPicker, AnEntryThatCannotBeShownIsToldOnceForTheChange)
{
    writeBitmapList(2);
    writeSetting("Bitmap list", "001_wall", "c:\\no such folder\\gone.png");
    writeSetting("Display", "Monitors", "1");
    measureMonitorsCall = twoMonitors;
    BoxWatcher boxes("MSG", IDOK);
    changeWallpaperSeeded(NULL, 1700000000u);
    MessageBoxA(NULL, "marker", "MSG", MB_OK);
    ASSERT_TRUE(boxes.waitFor(2));
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"Cannot Setup Wallpaper.", "marker"}));
    std::string composite = wallpaper();
    EXPECT_TRUE(nearColour(bitmapPixel(composite, 200, 150), SAMPLE_COLOURS[0]));
    EXPECT_TRUE(nearColour(bitmapPixel(composite, 550, 150), GetSysColor(COLOR_DESKTOP)));
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "2");
    measureMonitorsCall = measureMonitors;
    clearPictureCache();
}

namespace {
// Stands in for a change's read of the settings: the first read finds the
// list empty, as one taken while the editor writes the file can; those after
// read the file.
int emptyReadsLeft = 0;
bool readEmptyFirst(SettingsGroup* group, unsigned parts)
{
    if (!readSettingsGroup(group, parts))
        return false;
    if (emptyReadsLeft > 0) {
        --emptyReadsLeft;
        freeListSnapshot(&group->list);
        group->list.block = static_cast<char*>(calloc(2, 1));
        group->list.lines = static_cast<ListLines*>(malloc(sizeof *group->list.lines));
        indexListSection(group->list.block, 0, group->list.lines);
    }
    return true;
}

void threeLargeMonitors(MonitorSet* monitors)
{
    *monitors = {3, {{0, 0, 7680, 4320}, {7680, 0, 15360, 4320}, {15360, 0, 23040, 4320}}};
}
}  // namespace

// A list that reads empty from a file that is not is read again a moment
// later: only a second empty read opens the editor.
TEST_F(ResidentPicker, OnlyASecondEmptyReadOpensTheEditor)
{
    const struct {
        int emptyReads;
        ChangeOutcome outcome;
        const char* index;
    } cases[] = {{1, CHANGE_MADE, "1"}, {2, CHANGE_NO_ENTRY, "<absent>"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.emptyReads);
        writeBitmapList(2);
        ShowWindow(editor, SW_HIDE);
        emptyReadsLeft = c.emptyReads;
        readChangeSettings = readEmptyFirst;
        EXPECT_EQ(changeWallpaper(NULL), c.outcome);
        readChangeSettings = readSettingsGroup;
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), c.index);
        EXPECT_EQ(IsWindowVisible(editor) != FALSE, c.outcome == CHANGE_NO_ENTRY);
    }
}

// A desktop beyond a composite's bounds (three 8K monitors) still shows a
// photo placed Center or Tile the same on every monitor: the photo alone,
// converted at its size, placed by the desktop. What needs the whole desktop
// composed is told.
TEST_F(ResidentPicker, AHugeDesktopShowsAPhotoAlone)
{
    const struct {
        const char* mode;
        const char* fit;
        bool shown;
        const char* tile;
    } cases[] = {{"1", "0", true, "0"}, {"0", "0", true, "1"}, {"1", "1", false, nullptr}};
    measureMonitorsCall = threeLargeMonitors;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.fit);
        clearPictureCache();
        writeEntries({{testPicture("halves.png"), 0, 0, atoi(c.mode)}});
        writeSetting("Display", "Fit", c.fit);
        writeProfile("DESKTOP", "Wallpaper", "c:\\before.bmp");
        BoxWatcher boxes("MSG", IDOK);
        changeWallpaper(NULL);
        if (c.shown) {
            EXPECT_EQ(bitmapFileSize(wallpaper()).cx, 320);
            EXPECT_EQ(bitmapFileSize(wallpaper()).cy, 240);
            EXPECT_TRUE(nearColour(bitmapPixel(wallpaper(), 10, 10), PNG_LEFT));
            EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), c.tile);
        } else {
            ASSERT_TRUE(boxes.waitFor(1));
            EXPECT_EQ(boxes.texts()[0], "Cannot Setup Wallpaper.");
            EXPECT_EQ(wallpaper(), "c:\\before.bmp");
        }
    }
    measureMonitorsCall = measureMonitors;
    clearPictureCache();
}
