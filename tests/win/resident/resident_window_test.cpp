// The resident window made in this process with the program's own procedure
// and resources: what cannot be read from another process under Wine (the
// tray record, the system menu) and the tick counter's state.
#include "deferral.h"
#include "editor_driver.h"
#include "harness.h"
#include "lifecycle.h"
#include "oldshell.h"
#include "picker.h"
#include "pictures.h"
#include "residentdriver.h"
#include "residentids.h"
#include "residentstate.h"
#include "residentwnd.h"
#include "timing.h"
#include "tray.h"
#include "wallpaper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {
const char TEST_CLASS[] = "WALLPAPER-MENU-INPROCESS";

// The platform's answers, as the tests set them.
int shellState = 5;  // QUNS_ACCEPTS_NOTIFICATIONS
BYTE mainsLine = 1;
HRESULT WINAPI standInShellState(int* state)
{
    *state = shellState;
    return S_OK;
}
BYTE saverFlag = 0;
BOOL WINAPI standInPowerStatus(LPSYSTEM_POWER_STATUS status)
{
    memset(status, 0, sizeof *status);
    status->ACLineStatus = mainsLine;
    status->Reserved1 = saverFlag;
    return TRUE;
}

class ResidentWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        removeSettings();
        // No change at creation, so nothing is applied or launched.
        writeSetting("Configuration", "Change every", "1");
        resources = LoadLibraryExA((testDirectory() + "vistrell.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(resources, (HMODULE)NULL);
        resetResidentState(resources);
        registerTestClass(TEST_CLASS, residentWindowProc);
        // Stands in for the editor, so that nothing here starts a program.
        editor = createEditorStandIn();
    }
    void TearDown() override
    {
        if (window && IsWindow(window))
            DestroyWindow(window);
        // The teardown posted a quit message to this thread; take it away.
        MSG message;
        while (PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        DestroyWindow(editor);
        resetOldShell(false);
        resetResidentState(NULL);
        notifyTray = Shell_NotifyIconA;
        queryShellState = NULL;
        queryPowerStatus = GetSystemPowerStatus;
        registerSession = NULL;
        FreeLibrary(resources);
        removeSettings();
    }
    void create(bool oldShell)
    {
        resetOldShell(oldShell);
        window = CreateWindowExA(0, TEST_CLASS, "Vistrell", oldShell ? STYLE_OLD_SHELL : STYLE_NEW_SHELL, 0, 0, 0, 0,
                                 NULL, NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_NE(window, (HWND)NULL);
    }
    bool trayIconPresent()
    {
        NOTIFYICONDATAA probe = {};
        probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
        probe.hWnd = window;
        probe.uID = TRAY_ICON_ID;
        return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
    }
    // The window made again over a list of count bitmaps changing every
    // minute, the waits as given (NULL: the key absent), the shell's state
    // and the power status taken from the stand-ins.
    void restartTimed(int count, const char* waitFullScreen, const char* waitOnBattery)
    {
        writeBitmapList(count);
        writeSetting("Configuration", "Change every", "1");
        writeSetting("Configuration", "Time period", "1");
        writeSetting("Display", "Wait full screen", waitFullScreen);
        writeSetting("Display", "Wait on battery", waitOnBattery);
        if (window)
            DestroyWindow(window);
        resetResidentState(resources);
        queryShellState = standInShellState;
        queryPowerStatus = standInPowerStatus;
        create(false);
    }
    void ticks(int count)
    {
        for (int tick = 0; tick < count; ++tick)
            SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    }
    std::string menuText(HMENU menu, int position)
    {
        char text[64] = "";
        GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
        return text;
    }
    HMODULE resources = NULL;
    HWND window = NULL;
    HWND editor = NULL;
};
}  // namespace

TEST_F(ResidentWindow, NewShellAddsTheTrayRecordAndTeardownDeletesIt)
{
    create(false);
    EXPECT_EQ(trayIconData.cbSize, NOTIFYICONDATAA_V1_SIZE);
    EXPECT_EQ(trayIconData.hWnd, window);
    EXPECT_EQ(trayIconData.uID, 666u);
    EXPECT_EQ(trayIconData.uFlags, 7u);
    EXPECT_EQ(trayIconData.uCallbackMessage, (UINT)WM_USER);
    ASSERT_NE(trayIconData.hIcon, (HICON)NULL);
    // The icon's own small image, at the size the tray draws.
    ICONINFO image;
    ASSERT_TRUE(GetIconInfo(trayIconData.hIcon, &image));
    BITMAP colour;
    ASSERT_TRUE(GetObjectA(image.hbmColor, sizeof colour, &colour));
    EXPECT_EQ(colour.bmWidth, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(colour.bmHeight, GetSystemMetrics(SM_CYSMICON));
    DeleteObject(image.hbmColor);
    DeleteObject(image.hbmMask);
    EXPECT_STREQ(trayIconData.szTip, "Vistrell - Scenara");
    EXPECT_TRUE(trayIconPresent());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(IsWindowEnabled(window));
    // The platform's own system menu is left as it is.
    HMENU system = GetSystemMenu(window, FALSE);
    for (int i = 0; i < GetMenuItemCount(system); ++i)
        EXPECT_NE(menuText(system, i), "Vistrell");

    teardownResident(window);
    EXPECT_FALSE(trayIconPresent());
}

TEST_F(ResidentWindow, OldShellHangsTheEntryPopupIntoTheSystemMenu)
{
    create(true);
    EXPECT_FALSE(trayIconPresent());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsIconic(window));
    // Minimized at creation: not a restore, so the editor was not opened.
    EXPECT_FALSE(IsWindowVisible(editor));

    HMENU system = GetSystemMenu(window, FALSE);
    int count = GetMenuItemCount(system);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuState(system, count - 2, MF_BYPOSITION) & MF_SEPARATOR, (UINT)MF_SEPARATOR);
    EXPECT_EQ(menuText(system, count - 1), "Vistrell");
    HMENU entry = GetSubMenu(system, count - 1);
    ASSERT_NE(entry, (HMENU)NULL);
    // The pop-up is the menu resource's first one: every command in its place.
    HMENU bar = LoadMenuA(resources, MENU_NAME);
    ASSERT_NE(bar, (HMENU)NULL);
    HMENU resource = GetSubMenu(bar, 0);
    EXPECT_EQ(GetMenuItemCount(entry), GetMenuItemCount(resource));
    std::set<UINT> commands = menuCommands(resource);
    EXPECT_EQ(menuCommands(entry), commands);
    for (UINT command : commands)
        EXPECT_EQ(menuPath(entry, command), menuPath(resource, command)) << command;
    DestroyMenu(bar);
}

TEST_F(ResidentWindow, TickCounterRunsOnlyUnderAPeriodAndRestartsAfterAChange)
{
    writeBitmapList(3);
    writeSetting("Configuration", "Change every", "1");
    create(false);
    ASSERT_EQ(currentTimePeriod, 0);

    // "Once": the counter stands still.
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_EQ(minuteCounter, 0u);

    writeSetting("Configuration", "Time period", "4");
    SendMessageA(window, WM_COMMAND, IDM_RELOAD_PERIOD, 0);
    EXPECT_EQ(currentTimePeriod, 4);
    ticks(40);
    EXPECT_EQ(minuteCounter, 40u);
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "<absent>");

    // A shorter period loaded while the counter stands above it changes at
    // the next tick; the reload itself leaves the counter alone.
    writeSetting("Configuration", "Time period", "1");
    SendMessageA(window, WM_COMMAND, IDM_RELOAD_PERIOD, 0);
    EXPECT_EQ(minuteCounter, 40u);
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_EQ(minuteCounter, 0u);
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");

    // A missing key keeps the period in force.
    writeSetting("Configuration", "Time period", NULL);
    reloadTimePeriod();
    EXPECT_EQ(currentTimePeriod, 1);
}

// The real minute-tick handler under "And Every 5 min": the index each tick
// leaves, written out from the rule (a change at every fifth tick).
TEST_F(ResidentWindow, FiveMinutePeriodChangesAtTicksFiveTenFifteen)
{
    writeBitmapList(20);
    writeSetting("Configuration", "Change every", "1");
    writeSetting("Configuration", "Time period", "1");
    create(false);
    const char* indexAfterTick[] = {"<absent>", "<absent>", "<absent>", "<absent>", "1", "1", "1", "1",
                                    "1",        "2",        "2",        "2",        "2", "2", "3", "3"};
    for (int tick = 0; tick < 16; ++tick) {
        SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), indexAfterTick[tick]) << "tick " << tick + 1;
    }
}

namespace {
// Another program holds the settings file: without any sharing (it cannot
// be read), or sharing reads only (it cannot be written).
class HeldSettings {
public:
    explicit HeldSettings(DWORD sharing)
    {
        WritePrivateProfileStringA(NULL, NULL, NULL, SETTINGS_FILE);
        handle_ = CreateFileA(settingsPath().c_str(), GENERIC_READ, sharing, NULL, OPEN_EXISTING, 0, NULL);
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE);
    }
    ~HeldSettings() { release(); }
    void release()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

// Refuses every wallpaper, as Windows refuses a missing file.
BOOL WINAPI refuseWallpaper(UINT, UINT, PVOID, UINT)
{
    return FALSE;
}

// A box of the test's own, with the changer's title: once the watcher has
// it, every box shown before it has been recorded too.
void showMarker()
{
    MessageBoxA(NULL, "marker", ERROR_TITLE, MB_OK);
}
}  // namespace

// A timed change that cannot read the list changes nothing, says nothing and
// keeps its count, so that the next tick tries again.
TEST_F(ResidentWindow, AnUnreadableListHoldsATimedChangeUntilTheNextTick)
{
    writeBitmapList(3);
    writeSetting("Configuration", "Change every", "1");
    writeSetting("Configuration", "Time period", "1");
    create(false);
    BoxWatcher boxes(ERROR_TITLE, IDOK);
    ticks(4);
    HeldSettings held(0);
    for (uint32_t tick = 5; tick <= 6; ++tick) {
        SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
        EXPECT_EQ(minuteCounter, tick);
    }
    held.release();
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "<absent>");
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");
    EXPECT_EQ(minuteCounter, 0u);
    showMarker();
    ASSERT_TRUE(boxes.waitFor(1));
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"marker"}));
}

// A change asked for from the tray (its right button, or "Setup New
// Wallpaper" from its menu) says so instead of starting over at entry 0.
TEST_F(ResidentWindow, AChangeAskedForSaysWhenTheListCannotBeRead)
{
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } requests[] = {{"right button", TRAY_CALLBACK, TRAY_ICON_ID, WM_RBUTTONDOWN},
                    {"Setup New Wallpaper", WM_COMMAND, IDM_CHANGE_NOW, 0}};
    writeBitmapList(3);
    writeSetting("Configuration", "Change every", "1");
    writeSetting("Configuration", "Bitmap index", "2");
    create(false);
    for (const auto& request : requests) {
        SCOPED_TRACE(request.what);
        BoxWatcher boxes(ERROR_TITLE, IDOK);
        {
            HeldSettings held(0);
            SendMessageA(window, request.message, request.wParam, request.lParam);
        }
        ASSERT_TRUE(boxes.waitFor(1));
        EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"Cannot read VISTRELL.INI."}));
        EXPECT_EQ(boxes.icons(), (std::vector<UINT>{MB_ICONHAND}));
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "2");
        EXPECT_FALSE(IsWindowVisible(editor));
    }
}

// At start a file that cannot be read is not taken for "Every Launch" with
// no list: the decision waits for the first tick the file can be read at.
TEST_F(ResidentWindow, AStartThatCannotReadTheSettingsDecidesAtTheNextTick)
{
    writeBitmapList(3);
    writeSetting("Configuration", "Change every", "3");
    writeSetting("Configuration", "Time period", "2");
    HeldSettings held(0);
    create(false);
    EXPECT_TRUE(startupDecisionPending);
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_TRUE(startupDecisionPending);
    held.release();
    EXPECT_EQ(readSetting("Configuration", "Last Change"), "<absent>");

    // A tick that comes inside the box of a change waits too: here the box
    // of a wallpaper the platform refuses, with the tick already queued.
    {
        BoxWatcher boxes("MSG", IDOK);
        setWallpaperCall = refuseWallpaper;
        PostMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
        SendMessageA(window, TRAY_CALLBACK, TRAY_ICON_ID, WM_RBUTTONDOWN);
        setWallpaperCall = SystemParametersInfoA;
        ASSERT_TRUE(boxes.waitFor(1));
        EXPECT_EQ(boxes.texts().size(), 1u);
    }
    EXPECT_TRUE(startupDecisionPending);
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");
    writeSetting("Configuration", "Bitmap index", NULL);
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_FALSE(startupDecisionPending);
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");
    EXPECT_EQ(readSetting("Configuration", "Last Change"), std::to_string(todayByFileTime()));
    EXPECT_EQ(currentTimePeriod, 2);
    EXPECT_FALSE(IsWindowVisible(editor));
}

// A write of "Bitmap index" or "Last Change" that the platform refuses is
// told once per process, in the changer's own box.
TEST_F(ResidentWindow, ARefusedWriteIsToldOncePerProcess)
{
    writeBitmapList(3);
    writeSetting("Configuration", "Change every", "0");
    BoxWatcher boxes(ERROR_TITLE, IDOK);
    {
        HeldSettings held(FILE_SHARE_READ);
        create(false);  // the start-up change: "Last Change" is refused
        SendMessageA(window, WM_COMMAND, IDM_CHANGE_NOW, 0);
        SendMessageA(window, TRAY_CALLBACK, TRAY_ICON_ID, WM_RBUTTONDOWN);
    }
    showMarker();
    ASSERT_TRUE(boxes.waitFor(2));
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"Cannot save settings to VISTRELL.INI.", "marker"}));
    EXPECT_EQ(boxes.icons()[0], static_cast<UINT>(MB_ICONHAND));
    // Every change did install its entry: entry 0 three times over.
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "<absent>");
    EXPECT_STRCASEEQ(readProfile("DESKTOP", "WALLPAPER").c_str(), sampleBitmap(0).c_str());
}

namespace {
// Stands in for the shell's tray call: refuses the actions listed in
// refused, and logs every call.
std::vector<DWORD> trayCalls;
std::set<DWORD> refusedTrayActions;
BOOL WINAPI standInTray(DWORD action, PNOTIFYICONDATAA record)
{
    trayCalls.push_back(action);
    if (refusedTrayActions.count(action))
        return FALSE;
    return Shell_NotifyIconA(action, record);
}
}  // namespace

// The tray may not be ready at logon: every minute tick tries again, under
// "Once" too, until the icon is there. Modifying comes first, as an add that
// timed out may have put the icon there after all.
TEST_F(ResidentWindow, ATrayIconRefusedAtStartIsAddedAtALaterTick)
{
    trayCalls.clear();
    refusedTrayActions = {NIM_ADD, NIM_MODIFY};
    notifyTray = standInTray;
    create(false);
    EXPECT_FALSE(trayIconShown);
    EXPECT_EQ(trayCalls, (std::vector<DWORD>{NIM_MODIFY, NIM_ADD}));

    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_FALSE(trayIconShown);
    EXPECT_EQ(trayCalls.size(), 4u);

    refusedTrayActions = {NIM_MODIFY};
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_TRUE(trayIconShown);
    EXPECT_TRUE(trayIconPresent());
    EXPECT_EQ(trayCalls, (std::vector<DWORD>{NIM_MODIFY, NIM_ADD, NIM_MODIFY, NIM_ADD, NIM_MODIFY, NIM_ADD}));

    // There now: the next tick leaves the tray alone.
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_EQ(trayCalls.size(), 6u);
    EXPECT_EQ(currentTimePeriod, 0);
    notifyTray = Shell_NotifyIconA;
}

// An add that timed out but put the icon there: modifying finds it, and no
// second add is tried.
TEST_F(ResidentWindow, AnIconAlreadyInTheTrayIsNotAddedTwice)
{
    create(false);
    ASSERT_TRUE(trayIconPresent());
    trayCalls.clear();
    refusedTrayActions.clear();
    notifyTray = standInTray;
    trayIconShown = false;
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_EQ(trayCalls, (std::vector<DWORD>{NIM_MODIFY}));
    EXPECT_TRUE(trayIconShown);
    notifyTray = Shell_NotifyIconA;
}

// Values that are not plain numbers act as the platform's integer reader
// makes them: leading digits, or 0 for none, or (too large for 32 bits)
// some number that is none of the periods.
TEST_F(ResidentWindow, ValuesThatAreNotPlainNumbersActAsTheirLeadingDigits)
{
    writeBitmapList(5);
    writeSetting("Configuration", "Change every", "3days");  // "Every 1 Day"
    writeSetting("Configuration", "Last Change", std::to_string(todayByFileTime() - 1).c_str());
    writeSetting("Configuration", "Time period", "99999999999");
    create(false);
    EXPECT_EQ(readSetting("Configuration", "Last Change"), std::to_string(todayByFileTime()));
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");
    // A period that is none of the five changes at every tick.
    for (const char* index : {"2", "3", "4"}) {
        SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), index);
    }
    // "abc" reads as 0: random order. Seeded with 1700000000 the thirtieth
    // draw leaves 4 by 5, where the order of the list would give entry 0.
    writeSetting("Configuration", "Successive", "abc");
    writeSetting("Configuration", "Bitmap index", "0");
    changeWallpaperSeeded(NULL, 1700000000u);
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "5");
}

// A timed change that falls due while the user is busy waits, once however
// many periods pass, and comes when the state ends: at the next tick, or at
// once for the end of a lock or of running on battery. Meanwhile the tray's
// tip says why; with the change it names the picture again, and the count
// starts again from it. A change asked for from the tray never waits, and takes the
// place of one that does.
TEST_F(ResidentWindow, ATimedChangeWaitsWhileTheUserIsBusyAndComesOnceAfterwards)
{
    enum Ending { NEXT_TICK, UNLOCK, ON_MAINS };
    const struct {
        const char* what;
        int busyShell;     // the shell's state while busy
        bool lock;
        bool battery;
        const char* waitOnBattery;
        Ending ending;
        const char* tip;
    } states[] = {
        {"a presentation", 4, false, false, nullptr, NEXT_TICK, "Vistrell: waiting while a program fills the screen"},
        {"a full-screen game", 3, false, false, nullptr, NEXT_TICK, "Vistrell: waiting while a program fills the screen"},
        {"the session locked", 5, true, false, nullptr, UNLOCK, "Vistrell: waiting while the computer is locked"},
        {"on battery, as chosen", 5, false, true, "1", ON_MAINS, "Vistrell: waiting while the computer runs on battery"},
    };
    for (const auto& s : states) {
        SCOPED_TRACE(s.what);
        notifyTray = standInTray;
        refusedTrayActions.clear();
        restartTimed(20, nullptr, s.waitOnBattery);
        auto busy = [&](bool on) {
            shellState = on ? s.busyShell : 5;
            mainsLine = on && s.battery ? 0 : 1;
            if (s.lock)
                SendMessageA(window, WM_WTSSESSION_CHANGE, on ? 0x7 : 0x8, 0);
        };
        auto end = [&] {
            busy(false);
            if (s.ending == NEXT_TICK)
                SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
            if (s.ending == ON_MAINS)
                SendMessageA(window, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
        };
        busy(true);
        // Ten ticks: two periods, one change waiting, and the tray told why.
        trayCalls.clear();
        ticks(10);
        EXPECT_TRUE(changeDeferred);
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "<absent>");
        EXPECT_STREQ(trayIconData.szTip, s.tip);
        EXPECT_EQ(std::count(trayCalls.begin(), trayCalls.end(), DWORD(NIM_MODIFY)), 1);

        end();
        EXPECT_FALSE(changeDeferred);
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");
        // The tip names the picture the change brought.
        EXPECT_STREQ(trayIconData.szTip, "Vistrell: sample0.bmp");
        // The count starts again from the change that waited.
        ticks(4);
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");
        SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "2");

        // The tray's change comes at once all the same, and nothing waits
        // after it.
        busy(true);
        ticks(5);
        ASSERT_TRUE(changeDeferred);
        SendMessageA(window, TRAY_CALLBACK, TRAY_ICON_ID, WM_RBUTTONDOWN);
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "3");
        EXPECT_FALSE(changeDeferred);
        EXPECT_STREQ(trayIconData.szTip, "Vistrell: sample2.bmp");
        end();
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "3");
    }
}

// A change that waited and then cannot read the list keeps waiting for the
// next tick; timed changes turned off ("Once") take a waiting one with them.
TEST_F(ResidentWindow, AWaitingChangeOutlastsAnUnreadableListButNotTheEndOfTimedChanges)
{
    restartTimed(5, nullptr, nullptr);
    shellState = 3;  // QUNS_RUNNING_D3D_FULL_SCREEN
    ticks(5);
    ASSERT_TRUE(changeDeferred);
    shellState = 5;
    {
        HeldSettings held(0);
        SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
        EXPECT_TRUE(changeDeferred);
    }
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_FALSE(changeDeferred);
    EXPECT_EQ(readSetting("Configuration", "Bitmap index"), "1");

    shellState = 3;
    ticks(5);
    ASSERT_TRUE(changeDeferred);
    writeSetting("Configuration", "Time period", "0");
    SendMessageA(window, WM_COMMAND, IDM_RELOAD_PERIOD, 0);
    EXPECT_FALSE(changeDeferred);
    shellState = 5;
}

// Running on battery holds nothing back unless the user chose so; nor does
// a busy shell when the user turned that off. The battery saver's flag is
// read where Windows has it (10 and later) and nowhere else.
TEST_F(ResidentWindow, WaitsTheUserTurnedOffHoldNothingBack)
{
    const struct {
        const char* what;
        int shell;
        BYTE mains;
        BYTE saver;
        unsigned version;
        const char* waitFullScreen;
        const char* waitOnBattery;
        bool waits;
    } cases[] = {
        {"busy and on battery, neither chosen", 2, 0, 0, 0x0A00, "0", nullptr, false},
        {"battery saver on Windows 10, chosen", 5, 1, 1, 0x0A00, nullptr, "1", true},
        {"the same byte before Windows 10", 5, 1, 1, 0x0603, nullptr, "1", false},
        {"a byte other than the flag's", 5, 1, 0xFF, 0x0A00, nullptr, "1", false},
    };
    queryShellState = standInShellState;
    queryPowerStatus = standInPowerStatus;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        shellState = c.shell;
        mainsLine = c.mains;
        saverFlag = c.saver;
        resetWindowsVersion(c.version);
        restartTimed(5, c.waitFullScreen, c.waitOnBattery);
        ticks(5);
        EXPECT_EQ(changeDeferred, c.waits);
        EXPECT_EQ(readSetting("Configuration", "Bitmap index"), c.waits ? "<absent>" : "1");
    }
    shellState = 5;
    mainsLine = 1;
    saverFlag = 0;
    resetWindowsVersion(0);
}

namespace {
int registrations = 0;
BOOL WINAPI failingFirstRegistration(HWND, DWORD)
{
    return ++registrations > 1;
}
}  // namespace

// The session's notifications may not be ready at logon either: the next
// minute tick asks again, and only until they are.
TEST_F(ResidentWindow, ASessionRegistrationRefusedAtStartIsAskedAgainAtTheNextTick)
{
    registrations = 0;
    registerSession = failingFirstRegistration;
    create(false);
    EXPECT_FALSE(sessionWatched);
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_TRUE(sessionWatched);
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_EQ(registrations, 2);
}

namespace {
MonitorSet shownMonitor = {1, {{0, 0, 400, 300}}};
void oneMonitor(MonitorSet* monitors)
{
    *monitors = shownMonitor;
}
}  // namespace

// A composite is made again when the monitors change, but not while a
// program fills the screen: then at the next tick. And when the desktop
// colour changes, a composite where it shows (bars of a fitted picture) is
// made again in the new colour.
TEST_F(ResidentWindow, ADisplayChangeWaitsForTheScreenAndAColourChangeRedrawsTheBars)
{
    writeEntries({{testPicture("wide.png"), 0, 0, 1}});
    writeSetting("Display", "Fit", "2");
    shownMonitor = {1, {{0, 0, 400, 300}}};
    measureMonitorsCall = oneMonitor;
    queryShellState = standInShellState;
    create(false);
    SendMessageA(window, WM_COMMAND, IDM_CHANGE_NOW, 0);
    ASSERT_EQ(bitmapFileSize(readProfile("DESKTOP", "Wallpaper")).cx, 400);

    shellState = 3;  // a game in full screen switched the display
    shownMonitor.rects[0].right = 500;
    SendMessageA(window, WM_DISPLAYCHANGE, 24, 0);
    EXPECT_TRUE(displayChangePending);
    EXPECT_EQ(bitmapFileSize(readProfile("DESKTOP", "Wallpaper")).cx, 400);
    shellState = 5;
    SendMessageA(window, WM_TIMER, MINUTE_TIMER_ID, 0);
    EXPECT_FALSE(displayChangePending);
    EXPECT_EQ(bitmapFileSize(readProfile("DESKTOP", "Wallpaper")).cx, 500);

    // wide.png fitted to 500 x 300: 500 x 125, bars above and below.
    INT element = COLOR_DESKTOP;
    COLORREF before = GetSysColor(COLOR_DESKTOP);
    COLORREF other = before == RGB(10, 120, 30) ? RGB(30, 10, 120) : RGB(10, 120, 30);
    SetSysColors(1, &element, &other);
    SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0);
    COLORREF bar = bitmapPixel(readProfile("DESKTOP", "Wallpaper"), 250, 10);
    SetSysColors(1, &element, &before);
    EXPECT_TRUE(nearColour(bar, other)) << std::hex << bar;
    measureMonitorsCall = measureMonitors;
    clearPictureCache();
}
