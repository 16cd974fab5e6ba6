// Folder entries and the fair random order, through changeWallpaper against
// the real settings file, folders and profile.
#include "editor_driver.h"
#include "folderchoice.h"
#include "monitors.h"
#include "oldshell.h"
#include "picker.h"
#include "pictures.h"
#include "residentdriver.h"
#include "settingsgroup.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {
const COLORREF RED = RGB(200, 40, 40);
const COLORREF GREEN = RGB(40, 160, 60);
const COLORREF BLUE = RGB(40, 60, 200);

std::string wallpaper()
{
    return lowerAscii(readProfile("DESKTOP", "WALLPAPER"));
}

// Three pictures, one in a subfolder, and a file of no listed type: by
// path, "a.bmp", "m\b.bmp", "z.bmp".
std::string folderOfThree()
{
    std::string folder = freshFolder("vistrell folder");
    // Emptied of files only: the subfolder is made again, its file written over.
    CreateDirectoryA((folder + "m").c_str(), NULL);
    writeTestBitmap(folder + "z.bmp", 40, 30, BLUE);
    writeTestBitmap(folder + "m\\b.bmp", 40, 30, GREEN);
    writeTestBitmap(folder + "A.bmp", 40, 30, RED);
    FILE* text = fopen((folder + "notes.txt").c_str(), "w");
    fclose(text);
    return folder;
}

void twoMonitors(MonitorSet* monitors)
{
    monitors->count = 2;
    monitors->rects[0] = {0, 0, 400, 300};
    monitors->rects[1] = {400, 0, 800, 300};
}

class ResidentFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetOldShell(false);
        removeSettings();
        editor = createEditorStandIn();
    }
    void TearDown() override
    {
        measureMonitorsCall = measureMonitors;
        folderLookLimit = FOLDER_LOOK_LIMIT;
        DestroyWindow(editor);
        removeSettings();
    }
    HWND editor = NULL;
};
}  // namespace

// The walk gives the pictures found before its limit, counted across
// subfolders: here eight looked at, the subfolder before its two pictures.
TEST_F(ResidentFolders, TheWalkEndsAtItsLimitWithThePicturesFoundByThen)
{
    const std::string folder = freshFolder("vistrell many");
    for (char name = 'a'; name <= 'e'; ++name)
        writeTestBitmap(folder + name + ".bmp", 4, 4, RED);
    CreateDirectoryA((folder + "sub").c_str(), NULL);
    writeTestBitmap(folder + "sub\\f.bmp", 4, 4, RED);
    writeTestBitmap(folder + "sub\\g.bmp", 4, 4, RED);
    const struct {
        uint32_t limit;
        uint32_t count;
    } cases[] = {{6, 5}, {7, 6}, {FOLDER_LOOK_LIMIT, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        folderLookLimit = c.limit;
        FolderPictures pictures;
        ASSERT_TRUE(listFolderPictures(folder.c_str(), true, &pictures));
        EXPECT_EQ(pictures.count, c.count);
        freeFolderPictures(&pictures);
    }
}

// The editor may save another order of the list while a change is under
// way (a box holds it): the folder's place goes only to an entry that still
// names the folder.
TEST_F(ResidentFolders, AFoldersPlaceGoesOnlyToTheEntryStillNamingIt)
{
    const std::string folder = lowerAscii(folderOfThree());
    for (bool moved : {false, true}) {
        SCOPED_TRACE(moved);
        removeSettings();
        writeSetting("Bitmap list", "000_wall", folder.c_str());
        SettingsGroup settings;
        ASSERT_TRUE(readSettingsGroup(&settings, SETTINGS_LIST));
        FolderChoice choice;
        beginFolderChoice(&choice, FOLDER_IN_ORDER, true);
        ScreenEntry entry = {};
        lstrcpynA(entry.path, folder.c_str(), MAX_PATH);
        ASSERT_TRUE(choosePictureOfFolder(&choice, settings.list, 0, &entry));
        freeSettingsGroup(&settings);
        EXPECT_EQ(lowerAscii(entry.path), folder + "a.bmp");
        if (moved)
            writeSetting("Bitmap list", "000_wall", "c:\\other.bmp");
        EXPECT_TRUE(endFolderChoice(&choice, true));
        EXPECT_EQ(readSetting("Bitmap list", "000_next"), moved ? "<absent>" : "1");
    }
}

// In list order a folder gives its pictures in path order, one per change,
// its place kept in "000_next"; the fourth change starts over. Without its
// subfolders the folder has two.
TEST_F(ResidentFolders, AFolderGivesItsPicturesInPathOrder)
{
    const std::string folder = lowerAscii(folderOfThree());
    const struct {
        const char* subfolders;
        std::vector<std::string> shown;
        std::vector<std::string> next;
    } cases[] = {
        {nullptr, {"a.bmp", "m\\b.bmp", "z.bmp", "a.bmp"}, {"1", "2", "0", "1"}},
        {"0", {"a.bmp", "z.bmp", "a.bmp", "z.bmp"}, {"1", "0", "1", "0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.subfolders ? c.subfolders : "default");
        writeSetting("Display", "Subfolders", c.subfolders);
        writeSetting("Bitmap list", "000_wall", folder.c_str());
        writeSetting("Bitmap list", "000_next", NULL);
        for (size_t i = 0; i < c.shown.size(); ++i) {
            changeWallpaper(NULL);
            EXPECT_EQ(wallpaper(), folder + c.shown[i]) << i;
            EXPECT_EQ(readSetting("Bitmap list", "000_next"), c.next[i]) << i;
            EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1") << i;
        }
    }
}

// With a picture on each monitor, a folder gives successive pictures to
// successive monitors.
TEST_F(ResidentFolders, AFolderGivesSuccessivePicturesToSuccessiveMonitors)
{
    const std::string folder = folderOfThree();
    writeSetting("Bitmap list", "000_wall", folder.c_str());
    writeSetting("Bitmap list", "000_next", "1");
    writeSetting("Display", "Monitors", "1");
    measureMonitorsCall = twoMonitors;
    changeWallpaper(NULL);
    std::string composite = wallpaper();
    EXPECT_TRUE(nearColour(bitmapPixel(composite, 200, 150), GREEN));
    EXPECT_TRUE(nearColour(bitmapPixel(composite, 600, 150), BLUE));
    EXPECT_EQ(readSetting("Bitmap list", "000_next"), "0");
    clearPictureCache();
}

// A folder that gives no picture is told, where Wine would take the
// folder's path as a wallpaper without a word; the list moves on.
TEST_F(ResidentFolders, AFolderWithoutPicturesIsTold)
{
    const std::string empty = freshFolder("vistrell empty");
    for (const std::string& folder : {empty, empty + "gone\\"}) {
        SCOPED_TRACE(folder);
        writeSetting("Bitmap list", "000_wall", folder.c_str());
        writeSetting("Configuration", "Bitmap index", "0");
        writeProfile("DESKTOP", "Wallpaper", sampleBitmap(0).c_str());
        BoxWatcher boxes("MSG", IDOK);
        changeWallpaper(NULL);
        MessageBoxA(NULL, "marker", "MSG", MB_OK);
        ASSERT_TRUE(boxes.waitFor(2));
        EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"Cannot Setup Wallpaper.", "marker"}));
        EXPECT_EQ(wallpaper(), lowerAscii(sampleBitmap(0)));
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");
    }
}

// "Shuffle": four random changes over four entries show each once, the
// fifth opens a new round with another; a folder's pictures each come once
// in its own round, not all rounds in path order, and the next round does
// not begin with the last one's end. Several seeds, each change its own.
TEST_F(ResidentFolders, ShuffledChangesShowEveryPictureOnceBeforeAnyRepeats)
{
    const std::string folder = lowerAscii(folderOfThree());
    const std::vector<std::string> pathOrder = {folder + "a.bmp", folder + "m\\b.bmp", folder + "z.bmp"};
    int inPathOrder = 0;
    writeSetting("Configuration", "Successive", "0");
    writeSetting("Display", "Shuffle", "1");
    for (uint32_t seed = 1700000000u; seed < 1700000000u + 50u; seed += 10u) {
        SCOPED_TRACE(seed);
        writeBitmapList(4);
        writeSetting("Display", "Shuffle round", NULL);
        std::set<std::string> shown;
        std::string last;
        for (uint32_t i = 0; i < 4; ++i) {
            changeWallpaperSeeded(NULL, seed + i);
            shown.insert(last = wallpaper());
        }
        EXPECT_EQ(shown.size(), 4u);
        changeWallpaperSeeded(NULL, seed + 4);
        EXPECT_NE(wallpaper(), last);

        removeSettings();
        writeSetting("Configuration", "Successive", "0");
        writeSetting("Display", "Shuffle", "1");
        writeSetting("Bitmap list", "000_wall", folder.c_str());
        std::vector<std::string> round;
        for (uint32_t i = 0; i < 3; ++i) {
            changeWallpaperSeeded(NULL, seed + i);
            round.push_back(wallpaper());
            EXPECT_NE(readSetting("Bitmap list", "000_round"), "<absent>");
        }
        inPathOrder += round == pathOrder;
        EXPECT_EQ(std::set<std::string>(round.begin(), round.end()),
                  std::set<std::string>(pathOrder.begin(), pathOrder.end()));
        changeWallpaperSeeded(NULL, seed + 3);
        EXPECT_NE(wallpaper(), round.back());
    }
    EXPECT_LT(inPathOrder, 5);
}

// At random without "Shuffle" a folder's pictures are drawn afresh: over
// known draws every one of them comes, and nothing else.
TEST_F(ResidentFolders, AtRandomAFolderGivesAnyOfItsPictures)
{
    const std::string folder = lowerAscii(folderOfThree());
    writeSetting("Configuration", "Successive", "0");
    writeSetting("Bitmap list", "000_wall", folder.c_str());
    std::set<std::string> shown;
    for (uint32_t seed = 1700000000u; seed < 1700000000u + 30u; ++seed) {
        changeWallpaperSeeded(NULL, seed);
        shown.insert(wallpaper());
    }
    EXPECT_EQ(shown, (std::set<std::string>{folder + "a.bmp", folder + "m\\b.bmp", folder + "z.bmp"}));
    EXPECT_EQ(readSetting("Bitmap list", "000_round"), "<absent>");
    EXPECT_EQ(readSetting("Bitmap list", "000_next"), "<absent>");
}
