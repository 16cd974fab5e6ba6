// Pictures other than bitmaps (PNG, JPEG, GIF, TIFF) in the list on the new
// shell: the real resident paints them on the desktop through its cache, the
// editor previews them, and broken ones are refused. The desktop's and the
// frame's pixels are read back from the screen.
#include "editor_driver.h"
#include "pictures.h"
#include "residentdriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
const int CHANGE_NOW = 106;
const int SCREEN_WIDTH = 1024;  // the Wine desktop of scripts/wine-env.sh
const int SCREEN_MIDDLE_X = SCREEN_WIDTH / 2;
const int SCREEN_MIDDLE_Y = 768 / 2;

class ResidentPictures : public ResidentTest {
protected:
    void SetUp() override
    {
        ResidentTest::SetUp();
        clearPictureCache();
    }
    // A list of pictures placed with "Center", taken in order, and no change
    // at start, so that every change is the test's.
    void writePictureList(const std::vector<const char*>& names)
    {
        std::vector<StoredEntry> entries;
        for (const char* name : names)
            entries.push_back({testPicture(name), 0, 0, 1});
        writeEntries(entries);
        writeSetting("Configuration", "Change every", "1");
    }
    FILETIME cacheWriteTime(const char* name)
    {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        EXPECT_TRUE(GetFileAttributesExA((pictureCacheFolder() + "\\" + name).c_str(), GetFileExInfoStandard, &data))
            << name;
        return data.ftLastWriteTime;
    }
};

struct ScreenPoint {
    int x, y;
    COLORREF colour;
};

void expectScreen(const std::vector<ScreenPoint>& points)
{
    for (const ScreenPoint& point : points) {
        COLORREF seen = waitForScreenColour(point.x, point.y, point.colour);
        EXPECT_TRUE(nearColour(seen, point.colour))
            << "at " << point.x << "," << point.y << ": " << std::hex << seen << " for " << point.colour;
    }
}

// Runs applytool on a picture; returns its exit code (1000 when it hangs).
DWORD applyWithTool(const std::string& path, const char* expectedBox = nullptr, SIZE_T* peak = nullptr)
{
    Program tool = startProgram(testDirectory() + "applytool.exe", "\"" + path + "\" 1");
    if (expectedBox) {
        HWND box = waitForMessageBox("MSG", 15000, tool.id);
        EXPECT_NE(box, (HWND)NULL) << path;
        if (peak)
            *peak = peakPrivateBytes(tool.process);
        if (box) {
            EXPECT_EQ(messageBoxText(box), expectedBox);
            answerMessageBox(box, IDOK);
        }
    }
    DWORD code = 1000;
    EXPECT_TRUE(waitForExit(tool, 15000, &code)) << path;
    stopProgram(tool);
    return code;
}
}  // namespace

TEST_F(ResidentPictures, PngAndJpegEntriesPaintTheDesktop)
{
    const struct {
        const char* name;
        COLORREF left, right;
    } pictures[] = {{"halves.png", PNG_LEFT, PNG_RIGHT}, {"halves.jpg", JPEG_LEFT, JPEG_RIGHT}};
    writePictureList({pictures[0].name, pictures[1].name});
    Resident resident = startResident();
    int index = 0;
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        changeNow(resident, ++index);
        // The 320 x 240 picture sits in the middle of the screen.
        expectScreen({{SCREEN_MIDDLE_X - 80, SCREEN_MIDDLE_Y, picture.left},
                      {SCREEN_MIDDLE_X + 80, SCREEN_MIDDLE_Y, picture.right}});
        // The platform is given the bitmap made of it.
        EXPECT_TRUE(isCacheBitmap(readProfile("DESKTOP", "Wallpaper"))) << readProfile("DESKTOP", "Wallpaper");
    }
    EXPECT_EQ(countMessageBoxes("MSG"), 0);
}

// Pictures named in a script the ANSI code page cannot spell (Osaka and
// Tokyo, in Japanese, on a Western system), in a folder of the list: they
// are found, opened and shown by their own names, with no box. A bitmap
// the desktop shows as it is goes to it by its short name; a photo is
// composed.
TEST_F(ResidentPictures, AFoldersPicturesNamedInAnotherScriptAreShown)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "vistrell-script\\";
    CreateDirectoryA(folder.c_str(), NULL);
    WCHAR wideFolder[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wideFolder, MAX_PATH);
    const std::wstring osaka = std::wstring(wideFolder) + L"\x5927\x962a.bmp";
    const std::wstring tokyo = std::wstring(wideFolder) + L"\x6771\x4eac.png";
    const COLORREF OSAKA = RGB(30, 150, 140);
    writeTestBitmap(folder + "osaka.bmp", 64, 48, OSAKA);
    ASSERT_TRUE(MoveFileExW((std::wstring(wideFolder) + L"osaka.bmp").c_str(), osaka.c_str(), MOVEFILE_REPLACE_EXISTING));
    WCHAR source[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, testPicture("halves.png").c_str(), -1, source, MAX_PATH);
    ASSERT_TRUE(CopyFileW(source, tokyo.c_str(), FALSE));
    writeEntries({{folder, 0, 0, 1}});
    writeSetting("Configuration", "Change every", "1");
    Resident resident = startResident();
    changeNow(resident, 1);
    expectScreen({{SCREEN_MIDDLE_X, SCREEN_MIDDLE_Y, OSAKA}});
    EXPECT_NE(readProfile("DESKTOP", "Wallpaper").find('~'), std::string::npos) << "not its short name";
    PostMessageA(resident.window, WM_COMMAND, CHANGE_NOW, 0);
    ASSERT_TRUE(waitUntilHandled(resident));
    expectScreen({{SCREEN_MIDDLE_X - 80, SCREEN_MIDDLE_Y, PNG_LEFT}, {SCREEN_MIDDLE_X + 80, SCREEN_MIDDLE_Y, PNG_RIGHT}});
    EXPECT_EQ(countMessageBoxes("MSG"), 0);
    EXPECT_TRUE(closeResident(resident));
    DeleteFileW(osaka.c_str());
    DeleteFileW(tokyo.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(ResidentPictures, CenterShowsAPictureWiderThanTheScreenWhole)
{
    writePictureList({"wide.png"});
    Resident resident = startResident();
    changeNow(resident, 1);
    // Scaled to 1024 x 256: both outer quarters reach the screen's edges.
    expectScreen({{2, SCREEN_MIDDLE_Y, PNG_LEFT},
                  {SCREEN_WIDTH - 3, SCREEN_MIDDLE_Y, PNG_RIGHT},
                  {SCREEN_MIDDLE_X, SCREEN_MIDDLE_Y, WIDE_MIDDLE}});
    HDC screen = GetDC(NULL);
    COLORREF above = GetPixel(screen, SCREEN_MIDDLE_X, SCREEN_MIDDLE_Y - 140);
    ReleaseDC(NULL, screen);
    EXPECT_FALSE(nearColour(above, WIDE_MIDDLE)) << "the picture is only 256 pixels high";
}

TEST_F(ResidentPictures, CacheKeepsOnlyTheAppliedPictureAndIsReused)
{
    writePictureList({"halves.png", "other.gif", "other.tif", "halves.png"});
    Resident resident = startResident();
    std::vector<std::string> cached;
    for (int change = 0; change < 3; ++change) {
        changeNow(resident, change + 1);
        std::vector<std::string> files = pictureCacheFiles();
        ASSERT_EQ(files.size(), 1u) << change;
        EXPECT_EQ(std::count(cached.begin(), cached.end(), files[0]), 0) << "each picture has a file of its own";
        cached.push_back(files[0]);
    }
    FILETIME written = cacheWriteTime(cached[2].c_str());
    writeSetting("Configuration", "Bitmap index", "2");
    changeNow(resident, 3);
    EXPECT_EQ(pictureCacheFiles(), std::vector<std::string>{cached[2]});
    FILETIME again = cacheWriteTime(cached[2].c_str());
    EXPECT_EQ(CompareFileTime(&written, &again), 0) << "the second change of the picture reuses its file";
    EXPECT_EQ(countMessageBoxes("MSG"), 0);
}

// The broken pictures give the applier's own box and change nothing. The
// 100,000 x 100,000 claim is refused from the file's header before any
// decoder opens the file: the process never holds anything near it.
TEST_F(ResidentPictures, BrokenPicturesAreRefusedWithoutACrash)
{
    writeProfile("DESKTOP", "Wallpaper", "c:\\before.bmp");
    const SIZE_T MEGABYTE = 1024 * 1024;
    for (const char* name : {"truncated.jpg", "brokenchunk.png", "huge.png"}) {
        SCOPED_TRACE(name);
        SIZE_T peak = 0;
        EXPECT_EQ(applyWithTool(testPicture(name), "Cannot Setup Wallpaper.", &peak), 0u);
        EXPECT_GT(peak, 0u);
        EXPECT_LT(peak, 64 * MEGABYTE);
        EXPECT_EQ(readProfile("DESKTOP", "Wallpaper"), "c:\\before.bmp");
        EXPECT_EQ(pictureCacheFiles(), std::vector<std::string>{});
    }
}

// On the old shell a picture goes to the platform as its path, as before:
// Windows refuses it there with "Cannot Setup Wallpaper."; Wine takes any
// path, so what shows here is that the path is unchanged and nothing is
// converted.
TEST_F(ResidentPictures, OldShellHandsThePicturePathOnUnchanged)
{
    setProgramVersion("applytool.exe", "nt351");
    std::string picture = testPicture("halves.png");
    EXPECT_EQ(applyWithTool(picture), 0u);
    clearProgramVersion("applytool.exe");
    EXPECT_STRCASEEQ(readProfile("DESKTOP", "Wallpaper").c_str(), picture.c_str());
    EXPECT_EQ(pictureCacheFiles(), std::vector<std::string>{});
}

namespace {
class EditorPictures : public EditorFixture {};

// How many of the sampled pixels of a part of the frame's inside (fractions
// of its width) are near colour, out of total.
int nearInFrame(HWND frame, double from, double to, COLORREF colour, int* total)
{
    RECT place;
    GetWindowRect(frame, &place);
    int width = place.right - place.left - 4;
    RECT part = {place.left + 2 + static_cast<int>(width * from), place.top + 2,
                 place.left + 2 + static_cast<int>(width * to), place.bottom - 2};
    HDC screen = GetDC(NULL);
    std::vector<COLORREF> pixels = capturePixels(screen, part);
    ReleaseDC(NULL, screen);
    int matching = 0;
    *total = static_cast<int>(pixels.size());
    for (COLORREF pixel : pixels)
        matching += nearColour(pixel, colour);
    return matching;
}

// Polls until the condition holds; false when it still fails after 5 seconds.
template <typename Condition> bool waitUntil(Condition condition)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > 5000)
            return false;
        pumpFor(50);
    }
    return true;
}
}  // namespace

TEST_F(EditorPictures, PreviewShowsThePictureOrNothing)
{
    const struct {
        const char* name;
        COLORREF left, right;
        bool shown;
    } pictures[] = {{"halves.png", PNG_LEFT, PNG_RIGHT, true},
                    {"halves.jpg", JPEG_LEFT, JPEG_RIGHT, true},
                    {"truncated.jpg", JPEG_LEFT, JPEG_RIGHT, false},
                    {"huge.png", PNG_LEFT, PNG_RIGHT, false}};
    std::vector<StoredEntry> entries;
    for (const auto& picture : pictures)
        entries.push_back({testPicture(picture.name), 0, 0, 1});
    writeEntries(entries);
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    SetForegroundWindow(editor.dialog);
    HWND frame = GetDlgItem(editor.dialog, ED_PREVIEW_FRAME);
    int total = 0;
    for (size_t row = 0; row < sizeof pictures / sizeof pictures[0]; ++row) {
        const auto& picture = pictures[row];
        SCOPED_TRACE(picture.name);
        // A list notification clears the frame; its repaint must be over
        // before the preview draws.
        setCaretRow(editor.dialog, static_cast<int>(row));
        sendCommand(editor.dialog, ED_LIST);
        UpdateWindow(frame);
        sendCommand(editor.dialog, ED_PREVIEW);
        // The left and right parts, clear of the middle where the halves meet.
        auto filled = [&] {
            return nearInFrame(frame, 0.0, 0.4, picture.left, &total) == total &&
                   nearInFrame(frame, 0.6, 1.0, picture.right, &total) == total;
        };
        if (picture.shown) {
            EXPECT_TRUE(waitUntil(filled)) << nearInFrame(frame, 0.0, 0.4, picture.left, &total) << " of " << total
                                           << " pixels on the left show its colour";
        } else {
            // The preview draws within its command; the dialog answers once
            // it is back in its loop, with whatever it drew on the screen.
            ASSERT_TRUE(answers(editor.dialog));
            EXPECT_EQ(nearInFrame(frame, 0.0, 0.4, picture.left, &total), 0);
            EXPECT_EQ(nearInFrame(frame, 0.6, 1.0, picture.right, &total), 0);
        }
    }
    EXPECT_EQ(countMessageBoxes("MSG"), 0);
    EXPECT_TRUE(isRunning(editor.program));
    closeUnchanged(editor);
}
