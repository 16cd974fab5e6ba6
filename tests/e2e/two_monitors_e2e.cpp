// The changer on an X server with two real monitors, without a Wine virtual
// desktop (scripts/wine-tests.sh starts scripts/two-monitor-x.sh for each
// arrangement and names it in VISTRELL_TWO_MONITORS): the composite the
// registry names holds each monitor's own picture under that monitor, and
// one picture spans both.
#include "editor_driver.h"
#include "pictures.h"
#include "residentdriver.h"
#include "residentmenuids.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {
const COLORREF RED = RGB(200, 40, 40);
const COLORREF BLUE = RGB(40, 60, 200);

BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    auto* rects = reinterpret_cast<std::vector<RECT>*>(data);
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        rects->insert(rects->begin(), info.rcMonitor);
    else
        rects->push_back(info.rcMonitor);
    return TRUE;
}

// x mod m, 0 <= result < m.
int wrapped(int x, int m)
{
    return ((x % m) + m) % m;
}

// The pixel of the composite that shows virtual (x, y): the bitmap is tiled
// from the primary's top-left (Wine reports Windows 7).
COLORREF shownAt(const std::string& composite, const RECT& screen, int x, int y)
{
    return bitmapPixel(composite, wrapped(x, screen.right - screen.left), wrapped(y, screen.bottom - screen.top));
}

std::string solidBitmap(const char* name, COLORREF colour)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + name;
    writeTestBitmap(path, 100, 50, colour);
    return path;
}
}  // namespace

TEST(TwoMonitors, EachMonitorShowsItsOwnPictureAndOnePictureSpansThem)
{
    const char* arrangement = std::getenv("VISTRELL_TWO_MONITORS");
    if (!arrangement)
        GTEST_SKIP() << "runs on the two-monitor X server of scripts/wine-tests.sh";
    std::vector<RECT> monitors;
    EnumDisplayMonitors(NULL, NULL, collectMonitor, reinterpret_cast<LPARAM>(&monitors));
    ASSERT_EQ(monitors.size(), 2u) << arrangement;
    const RECT& primary = monitors[0];
    const RECT& second = monitors[1];
    std::string where = arrangement;
    if (where == "left") {
        EXPECT_LT(second.left, 0);
    }
    if (where == "above") {
        EXPECT_LT(second.top, 0);
    }
    if (where == "portrait") {
        EXPECT_GT(second.bottom - second.top, second.right - second.left);
    }
    RECT screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    // Whether the wallpaper set last shows the colour at a monitor's centre.
    auto centreShows = [&](const RECT& monitor, COLORREF colour) {
        return nearColour(shownAt(readProfile("DESKTOP", "Wallpaper"), screen, (monitor.left + monitor.right) / 2,
                                  (monitor.top + monitor.bottom) / 2),
                          colour);
    };

    endAllResidents();
    clearPictureCache();
    writeEntries({{solidBitmap("two-red.bmp", RED), 0, 0, 1}, {solidBitmap("two-blue.bmp", BLUE), 0, 0, 1}});
    writeSetting("Configuration", "Change every", "1");
    writeSetting("Display", "Monitors", "1");
    // No tray without a desktop of Wine's own: the window is there once
    // the program runs its loop.
    Resident resident = startResident(residentPath(), false);
    ASSERT_NE(resident.window, (HWND)NULL);
    changeNow(resident, 2);
    ASSERT_TRUE(answers(resident.window));
    std::string composite = readProfile("DESKTOP", "Wallpaper");
    SIZE size = bitmapFileSize(composite);
    EXPECT_EQ(size.cx, screen.right - screen.left);
    EXPECT_EQ(size.cy, screen.bottom - screen.top);
    const struct {
        const RECT& monitor;
        COLORREF colour;
    } shown[] = {{primary, RED}, {second, BLUE}};
    COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    for (const auto& s : shown) {
        EXPECT_TRUE(centreShows(s.monitor, s.colour)) << s.monitor.left << "," << s.monitor.top;
        EXPECT_TRUE(nearColour(shownAt(composite, screen, s.monitor.left + 3, s.monitor.top + 3), desktop));
    }

    // A folder without pictures on the primary spoils nothing else: only
    // the primary keeps the desktop colour, and the box tells it.
    std::string empty = freshFolder("two-empty");
    writeEntries({{empty, 0, 0, 1}, {solidBitmap("two-blue.bmp", BLUE), 0, 0, 1}});
    writeSetting("Configuration", "Change every", "1");
    writeSetting("Display", "Monitors", "1");
    PostMessageA(resident.window, WM_COMMAND, IDM_CHANGE_NOW, 0);
    HWND box = waitForMessageBox("MSG", 10000, resident.program.id);
    ASSERT_NE(box, (HWND)NULL);
    EXPECT_EQ(messageBoxText(box), "Cannot Setup Wallpaper.");
    ASSERT_TRUE(answerMessageBox(box, IDOK));
    ASSERT_EQ(waitForIndex(2), 2);
    ASSERT_TRUE(answers(resident.window));
    EXPECT_TRUE(centreShows(primary, desktop));
    EXPECT_TRUE(centreShows(second, BLUE));
    RemoveDirectoryA(empty.c_str());

    // One picture across both: halves.png centred on the whole desktop, its
    // halves meeting in the desktop's middle.
    writeEntries({{testPicture("halves.png"), 0, 0, 1}});
    writeSetting("Configuration", "Change every", "1");
    writeSetting("Display", "Monitors", "2");
    changeNow(resident, 1);
    ASSERT_TRUE(answers(resident.window));
    composite = readProfile("DESKTOP", "Wallpaper");
    int middleX = (screen.left + screen.right) / 2;
    int middleY = (screen.top + screen.bottom) / 2;
    EXPECT_TRUE(nearColour(shownAt(composite, screen, middleX - 60, middleY), PNG_LEFT));
    EXPECT_TRUE(nearColour(shownAt(composite, screen, middleX + 60, middleY), PNG_RIGHT));
    EXPECT_EQ(countMessageBoxes("MSG"), 0);
    EXPECT_TRUE(closeResident(resident));

    // The editor's Apply shows what a change would: the current row on the
    // primary, the rows after it (wrapping) on the other monitors.
    writeEntries({{solidBitmap("two-red.bmp", RED), 0, 0, 1}, {solidBitmap("two-blue.bmp", BLUE), 0, 0, 1}});
    writeSetting("Display", "Monitors", "1");
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    setCaretRow(editor.dialog, 1);
    sendCommand(editor.dialog, ED_APPLY);
    EXPECT_TRUE(centreShows(primary, BLUE));
    EXPECT_TRUE(centreShows(second, RED));
    closeUnchanged(editor);
    removeSettings();
    clearPictureCache();
}
