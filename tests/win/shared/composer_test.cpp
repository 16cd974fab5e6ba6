// The composer against the real decoders and files under Wine, with monitor
// rectangles made up by the test: each monitor's part of the written bitmap
// shows its own picture, placed as asked, wherever the monitor lies.
#include "composer.h"
#include "harness.h"
#include "picturecache.h"
#include "pictures.h"
#include "wallpaper.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
const COLORREF RED = RGB(200, 40, 40);
const COLORREF BLUE = RGB(40, 60, 200);

// Solid bitmaps of 100 x 50, made once.
std::string solidBitmap(const char* name, COLORREF colour)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + name;
    writeTestBitmap(path, 100, 50, colour);
    return path;
}

ScreenEntry entry(const std::string& path, int mode, int x = 0, int y = 0)
{
    ScreenEntry e = {};
    lstrcpynA(e.path, path.c_str(), sizeof e.path);
    e.mode = mode;
    e.x = x;
    e.y = y;
    return e;
}

struct Probe {
    int x, y;  // in the bitmap, from its top-left
    COLORREF colour;
};

struct ComposeCase {
    const char* what;
    std::vector<LayoutRect> monitors;  // the primary first
    MonitorsOption option;
    FitOption fit;
    CompositeLaying laying;
    std::vector<ScreenEntry> entries;
    SIZE size;
    std::vector<Probe> probes;
    bool colourShows;  // some of a monitor is left to the desktop colour
};

const COLORREF DESKTOP = 0xFFFFFFFF;  // stands for the desktop colour
}  // namespace

TEST(Composer, EachMonitorShowsItsPictureWhereverItLies)
{
    const std::string red = solidBitmap("composer-red.bmp", RED);
    const std::string blue = solidBitmap("composer-blue.bmp", BLUE);
    const std::string halves = testPicture("halves.png");  // 320 x 240, left and right halves
    const std::string wide = testPicture("wide.png");      // 2048 x 512, quarter, half, quarter
    const LayoutRect primary = {0, 0, 400, 300};
    const ComposeCase cases[] = {
        {"side by side, each centred, spanned", {primary, {400, 0, 600, 300}}, MONITORS_EACH, FIT_CENTER,
         COMPOSITE_SPANNED, {entry(red, 1), entry(blue, 1)}, {600, 300},
         {{200, 150, RED}, {500, 150, BLUE}, {5, 5, DESKTOP}, {405, 5, DESKTOP}}, true},
        // 320 x 240 covering 200 x 300: 400 x 300, its middle 200 columns.
        {"fill of a portrait monitor", {primary, {400, 0, 600, 300}}, MONITORS_EACH, FIT_FILL, COMPOSITE_SPANNED,
         {entry(red, 1), entry(halves, 1)}, {600, 300},
         {{450, 150, PNG_LEFT}, {550, 150, PNG_RIGHT}, {405, 5, PNG_LEFT}, {200, 150, RED}, {5, 5, RED}}, false},
        // 2048 x 512 within 400 x 300: 400 x 100, rows 100 to 199.
        {"fit leaves bars of the desktop colour", {primary}, MONITORS_SAME, FIT_FIT, COMPOSITE_SPANNED,
         {entry(wide, 1)}, {400, 300},
         {{200, 50, DESKTOP}, {200, 150, WIDE_MIDDLE}, {5, 150, PNG_LEFT}, {395, 150, PNG_RIGHT}, {200, 250, DESKTOP}}, true},
        {"stretch fills the monitor", {primary, {400, 0, 600, 300}}, MONITORS_EACH, FIT_STRETCH, COMPOSITE_SPANNED,
         {entry(red, 1), entry(wide, 1)}, {600, 300},
         {{420, 20, PNG_LEFT}, {500, 280, WIDE_MIDDLE}, {580, 20, PNG_RIGHT}, {200, 20, RED}}, false},
        // Tiled from the primary's top-left: virtual (x, y) is stored at
        // (x mod 600, y mod 300); the left monitor's middle (-100, 150) at
        // (500, 150).
        {"a monitor left of the primary, tiled", {primary, {-200, 0, 0, 300}}, MONITORS_EACH, FIT_CENTER,
         COMPOSITE_TILED, {entry(red, 1), entry(blue, 1)}, {600, 300},
         {{200, 150, RED}, {500, 150, BLUE}, {405, 5, DESKTOP}}, true},
        // Virtual (200, -150) is stored at (200, 450).
        {"a monitor above the primary, tiled", {primary, {0, -300, 400, 0}}, MONITORS_EACH, FIT_CENTER,
         COMPOSITE_TILED, {entry(red, 1), entry(blue, 1)}, {400, 600}, {{200, 150, RED}, {200, 450, BLUE}}, true},
        {"the same left of the primary, spanned from the desktop's corner", {primary, {-200, 0, 0, 300}},
         MONITORS_EACH, FIT_CENTER, COMPOSITE_SPANNED, {entry(red, 1), entry(blue, 1)}, {600, 300},
         {{400, 150, RED}, {100, 150, BLUE}}, true},
        // One picture centred on the whole desktop, 600 x 300: x 140 to 459,
        // its halves meeting at the monitors' edge.
        {"one picture across both", {primary, {400, 0, 600, 300}}, MONITORS_SPAN, FIT_CENTER, COMPOSITE_SPANNED,
         {entry(halves, 1)}, {600, 300}, {{250, 150, PNG_LEFT}, {420, 150, PNG_RIGHT}, {100, 150, DESKTOP}}, true},
        {"defined at (100, 50) from the primary", {primary}, MONITORS_SAME, FIT_CENTER, COMPOSITE_TILED,
         {entry(blue, 2, 100, 50)}, {400, 300}, {{100, 50, BLUE}, {199, 99, BLUE}, {99, 49, DESKTOP}, {200, 100, DESKTOP}}, true},
        // 320 x 240 repeated from the corner, the fill left to centred
        // entries: the second tile's left half starts at x 320.
        {"tiled entries repeat over their monitor", {primary}, MONITORS_SAME, FIT_FILL, COMPOSITE_SPANNED,
         {entry(halves, 0)}, {400, 300},
         {{10, 10, PNG_LEFT}, {170, 10, PNG_RIGHT}, {330, 10, PNG_LEFT}, {10, 250, PNG_LEFT}, {170, 250, PNG_RIGHT}}, false},
        // Three large monitors and a photo filling them all: 11520 x 8640,
        // of which the middle 2160 rows show, the halves meeting at x 5760.
        {"a photo filling three large monitors", {{0, 0, 3840, 2160}, {3840, 0, 7680, 2160}, {7680, 0, 11520, 2160}},
         MONITORS_SPAN, FIT_FILL, COMPOSITE_SPANNED, {entry(halves, 1)}, {11520, 2160},
         {{100, 1000, PNG_LEFT}, {5700, 100, PNG_LEFT}, {5820, 2000, PNG_RIGHT}, {11400, 1000, PNG_RIGHT}}, false},
    };
    COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    for (const ComposeCase& c : cases) {
        SCOPED_TRACE(c.what);
        clearPictureCache();
        MonitorSet monitors = {static_cast<int>(c.monitors.size()), {}};
        for (size_t i = 0; i < c.monitors.size(); ++i)
            monitors.rects[i] = c.monitors[i];
        Composed composed;
        ASSERT_TRUE(composeWallpaper(monitors, c.entries.data(), static_cast<int>(c.entries.size()), c.option, c.fit,
                                     c.laying, &composed));
        EXPECT_EQ(composed.unshown, 0);
        EXPECT_EQ(composed.showsDesktopColour, c.colourShows);
        const char* cached = composed.path;
        SIZE size = bitmapFileSize(cached);
        EXPECT_EQ(size.cx, c.size.cx);
        EXPECT_EQ(size.cy, c.size.cy);
        for (const Probe& probe : c.probes) {
            COLORREF expected = probe.colour == DESKTOP ? desktop : probe.colour;
            COLORREF seen = bitmapPixel(cached, probe.x, probe.y);
            EXPECT_TRUE(nearColour(seen, expected))
                << probe.x << "," << probe.y << ": " << std::hex << seen << " for " << expected;
        }
    }
    clearPictureCache();
}

// A picture that cannot be shown leaves its monitor in the desktop colour
// and is counted, wherever it is; when none can be, nothing is written.
TEST(Composer, APictureThatCannotBeShownLeavesItsMonitorInTheDesktopColour)
{
    const std::string red = solidBitmap("composer-red.bmp", RED);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // A name that would not fit the cache folder beside it.
    const std::string longName = std::string(temp) + std::string(200 - strlen(temp), 'n') + ".bmp";
    writeTestBitmap(longName, 100, 50, BLUE);
    const struct {
        const char* what;
        std::vector<ScreenEntry> entries;
        int unshownMonitor;  // -1: every picture shows
        COLORREF first;      // what the first monitor shows when it does
    } cases[] = {
        {"a damaged photo on the second", {entry(red, 1), entry(testPicture("truncated.jpg"), 1)}, 1, RED},
        {"a folder without pictures on the first", {entry(std::string(temp) + "no pictures here\\", 1), entry(red, 1)},
         0, RED},
        {"a long name on the first", {entry(longName, 1), entry(red, 1)}, -1, BLUE},
    };
    MonitorSet monitors = {2, {{0, 0, 400, 300}, {400, 0, 600, 300}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clearPictureCache();
        Composed composed;
        ASSERT_TRUE(composeWallpaper(monitors, c.entries.data(), 2, MONITORS_EACH, FIT_CENTER, COMPOSITE_SPANNED,
                                     &composed));
        EXPECT_EQ(composed.unshown, c.unshownMonitor < 0 ? 0 : 1);
        COLORREF desktop = GetSysColor(COLOR_DESKTOP);
        EXPECT_TRUE(nearColour(bitmapPixel(composed.path, 200, 150), c.unshownMonitor == 0 ? desktop : c.first));
        EXPECT_TRUE(nearColour(bitmapPixel(composed.path, 500, 150), c.unshownMonitor == 1 ? desktop : RED));
    }
    DeleteFileA(longName.c_str());

    clearPictureCache();
    ScreenEntry missing[] = {entry("c:\\no such folder\\none.bmp", 1)};
    Composed composed;
    EXPECT_FALSE(composeWallpaper(monitors, missing, 1, MONITORS_SAME, FIT_CENTER, COMPOSITE_SPANNED, &composed));
    EXPECT_EQ(composed.unshown, 2);
    EXPECT_EQ(pictureCacheFiles(), std::vector<std::string>{});
}

// Everything that makes a composite decides whether it is made again: the
// same inputs find it current, another fit or another monitor does not.
TEST(Composer, ACompositeIsUsedAgainOnlyWhileEverythingThatMadeItIsTheSame)
{
    clearPictureCache();
    const std::string halves = testPicture("halves.png");
    ScreenEntry entries[] = {entry(halves, 1)};
    MonitorSet monitors = {1, {{0, 0, 400, 300}}};
    Composed composed;
    const char* cached = composed.path;
    auto writeTime = [&] {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExA(cached, GetFileExInfoStandard, &data);
        return data.ftLastWriteTime;
    };
    ASSERT_TRUE(composeWallpaper(monitors, entries, 1, MONITORS_SAME, FIT_FILL, COMPOSITE_SPANNED, &composed));
    // An hour back, so that a rewrite shows.
    FILETIME past = writeTime();
    ULARGE_INTEGER time = {{past.dwLowDateTime, past.dwHighDateTime}};
    time.QuadPart -= 36000000000ULL;
    past.dwLowDateTime = time.LowPart;
    past.dwHighDateTime = time.HighPart;
    HANDLE file = CreateFileA(cached, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    SetFileTime(file, NULL, NULL, &past);
    CloseHandle(file);

    ASSERT_TRUE(composeWallpaper(monitors, entries, 1, MONITORS_SAME, FIT_FILL, COMPOSITE_SPANNED, &composed));
    FILETIME same = writeTime();
    EXPECT_EQ(CompareFileTime(&same, &past), 0) << "the same inputs made it again";
    ASSERT_TRUE(composeWallpaper(monitors, entries, 1, MONITORS_SAME, FIT_FIT, COMPOSITE_SPANNED, &composed));
    FILETIME refitted = writeTime();
    EXPECT_NE(CompareFileTime(&refitted, &past), 0) << "another fit used the old one";
    monitors.rects[0].right = 500;
    ASSERT_TRUE(composeWallpaper(monitors, entries, 1, MONITORS_SAME, FIT_FIT, COMPOSITE_SPANNED, &composed));
    EXPECT_EQ(bitmapFileSize(cached).cx, 500);
    clearPictureCache();
}
