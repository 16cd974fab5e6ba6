// Folder entries and the fair random order, through changeWallpaper against
// the real settings file, folders and profile.
#include "editor_driver.h"
#include "folderchoice.h"
#include "folderplace.h"
#include "monitors.h"
#include "oldshell.h"
#include "picker.h"
#include "pictures.h"
#include "residentdriver.h"

#include <gtest/gtest.h>

#include <algorithm>
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

std::string folderKey(const std::string& folder)
{
    char key[PATH_KEY_SIZE];
    pathKey(folder.c_str(), key);
    return key;
}

// The folder's place in section "Folders": the picture shown last.
std::string placeOf(const std::string& folder)
{
    std::string text = readSetting("Folders", folderKey(folder).c_str());
    char place[PLACE_SIZE] = "<none>";
    PictureRound round;
    if (!parseFolderState(text.c_str(), text.size(), folder.c_str(), place, &round))
        return "<none>";
    return place;
}

void setPlace(const std::string& folder, const char* place)
{
    char text[FOLDER_STATE_TEXT];
    formatFolderState(folder.c_str(), place, {0, 0}, text);
    writeSetting("Folders", folderKey(folder).c_str(), text);
}

std::string upperAscii(std::string text)
{
    for (char& c : text)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
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

// In list order a folder gives its pictures in path order, one per change,
// its place (the picture shown last) kept in section "Folders"; the fourth
// change starts over. Without its subfolders the folder has two. A picture
// added before the place, between two changes, comes only after the round
// wraps: nothing repeats, nothing is skipped.
TEST_F(ResidentFolders, AFolderGivesItsPicturesInPathOrder)
{
    const std::string folder = lowerAscii(folderOfThree());
    const struct {
        const char* subfolders;
        std::vector<std::string> shown;
    } cases[] = {
        {nullptr, {"a.bmp", "m\\b.bmp", "z.bmp", "a.bmp"}},
        {"0", {"a.bmp", "z.bmp", "a.bmp", "z.bmp"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.subfolders ? c.subfolders : "default");
        removeSettings();
        writeSetting("Display", "Subfolders", c.subfolders);
        writeSetting("Bitmap list", "000_wall", folder.c_str());
        for (size_t i = 0; i < c.shown.size(); ++i) {
            changeWallpaper(NULL);
            EXPECT_EQ(wallpaper(), folder + c.shown[i]) << i;
            EXPECT_EQ(lowerAscii(placeOf(folder)), c.shown[i]) << i;
            EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1") << i;
        }
    }
    // "b0.bmp" comes before the place "m\b.bmp": the rest of the pass, then it.
    writeSetting("Display", "Subfolders", NULL);
    setPlace(folder, "a.bmp");
    changeWallpaper(NULL);
    writeTestBitmap(folder + "b0.bmp", 40, 30, RED);
    for (const char* expected : {"z.bmp", "a.bmp", "b0.bmp", "m\\b.bmp"}) {
        changeWallpaper(NULL);
        EXPECT_EQ(wallpaper(), folder + expected);
    }
    DeleteFileA((folder + "b0.bmp").c_str());
}

// The same folder in two rows shares one place, whatever the letter case of
// each row; a place an earlier version kept in the entry ("%03d_next", the
// index of the picture to come) is taken over once and its keys dropped.
TEST_F(ResidentFolders, AFoldersPlaceIsTheFoldersWhereverItIsListed)
{
    const std::string folder = lowerAscii(folderOfThree());
    writeSetting("Bitmap list", "000_wall", folder.c_str());
    writeSetting("Bitmap list", "000_next", "2");
    writeSetting("Bitmap list", "000_round", "1:2:3");
    writeSetting("Bitmap list", "001_wall", upperAscii(folder).c_str());
    changeWallpaper(NULL);
    EXPECT_EQ(wallpaper(), folder + "z.bmp");
    EXPECT_EQ(readSetting("Bitmap list", "000_next"), "<absent>");
    EXPECT_EQ(readSetting("Bitmap list", "000_round"), "<absent>");
    changeWallpaper(NULL);
    EXPECT_EQ(wallpaper(), folder + "a.bmp") << "the second row goes on from the first's place";
    // A folder the list no longer names loses its key at the next write.
    writeSetting("Folders", "0123456789abcdef", "c:\\gone\\|x.bmp|");
    changeWallpaper(NULL);
    EXPECT_EQ(readSetting("Folders", "0123456789abcdef"), "<absent>");
    EXPECT_EQ(lowerAscii(placeOf(folder)), "m\\b.bmp");
}

// With a picture on each monitor, a folder gives successive pictures to
// successive monitors.
TEST_F(ResidentFolders, AFolderGivesSuccessivePicturesToSuccessiveMonitors)
{
    const std::string folder = folderOfThree();
    writeSetting("Bitmap list", "000_wall", folder.c_str());
    setPlace(folder, "A.bmp");
    writeSetting("Display", "Monitors", "1");
    measureMonitorsCall = twoMonitors;
    changeWallpaper(NULL);
    std::string composite = wallpaper();
    EXPECT_TRUE(nearColour(bitmapPixel(composite, 200, 150), GREEN));
    EXPECT_TRUE(nearColour(bitmapPixel(composite, 600, 150), BLUE));
    EXPECT_EQ(placeOf(folder), "z.bmp");
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
            EXPECT_NE(readSetting("Folders", folderKey(folder).c_str()), "<absent>");
        }
        inPathOrder += round == pathOrder;
        EXPECT_EQ(std::set<std::string>(round.begin(), round.end()),
                  std::set<std::string>(pathOrder.begin(), pathOrder.end()));
        changeWallpaperSeeded(NULL, seed + 3);
        EXPECT_NE(wallpaper(), round.back());
        // A picture added during a round comes in it or the next: the
        // changes until the round's end show nothing twice.
        writeTestBitmap(folder + "n.bmp", 40, 30, RED);
        std::vector<std::string> rest = {wallpaper()};
        for (uint32_t i = 4; i < 7; ++i) {
            changeWallpaperSeeded(NULL, seed + i);
            rest.push_back(wallpaper());
        }
        // The round had three pictures left to show, or four with the new
        // one; the fourth change is either the new one or a new round's
        // first, which is not the third.
        EXPECT_EQ(std::set<std::string>(rest.begin(), rest.begin() + 3).size(), 3u) << "a repeat in the round";
        EXPECT_NE(rest[3], rest[2]);
        EXPECT_TRUE(std::count(rest.begin(), rest.begin() + 3, rest[3]) == 0 || rest[3] != folder + "n.bmp");
        DeleteFileA((folder + "n.bmp").c_str());
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
    EXPECT_EQ(readSetting("Folders", folderKey(folder).c_str()), "<absent>");
}
