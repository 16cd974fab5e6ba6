#include "deferral.h"

#include "modulefunction.h"
#include "monitors.h"
#include "oldshell.h"
#include "residentstate.h"
#include "settings.h"
#include "tray.h"
#include "waiting.h"

#include <string.h>

ShellStateProc queryShellState = NULL;
RegisterSessionProc registerSession = NULL;
PowerStatusProc queryPowerStatus = GetSystemPowerStatus;

// The session registration's flag: this session's notifications alone.
const DWORD THIS_SESSION = 0;
// DwmGetWindowAttribute's DWMWA_CLOAKED (Windows 8 and later).
const DWORD CLOAKED_ATTRIBUTE = 14;

typedef BOOL(WINAPI* UnregisterSessionProc)(HWND);
typedef HRESULT(WINAPI* WindowAttributeProc)(HWND, DWORD, PVOID, DWORD);

static bool shellBusy()
{
    ShellStateProc query = queryShellState;
    if (!query)
        query = moduleFunction<ShellStateProc>(GetModuleHandleA("shell32.dll"), "SHQueryUserNotificationState");
    int state = 0;
    return query && SUCCEEDED(query(&state)) && shellStateIsBusy(state);
}

// The visible top-level windows looked at, topmost first. The windows that
// count lie near the top of the Z order; a desktop with more than this many
// visible ones is looked at down to here.
const int WINDOW_SCAN_LIMIT = 256;

struct WindowScan {
    DWORD ownProcess;
    DWORD shellProcess;
    HWND desktop;
    HWND foreground;
    WindowAttributeProc attribute;
    WindowFacts windows[WINDOW_SCAN_LIMIT];
    int count;
};

static BOOL CALLBACK noteWindow(HWND window, LPARAM data)
{
    WindowScan* scan = reinterpret_cast<WindowScan*>(data);
    if (!IsWindowVisible(window))
        return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    RECT rect;
    GetWindowRect(window, &rect);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    LONG extended = GetWindowLongA(window, GWL_EXSTYLE);
    DWORD cloaked = 0;
    if (scan->attribute && FAILED(scan->attribute(window, CLOAKED_ATTRIBUTE, &cloaked, sizeof cloaked)))
        cloaked = 0;
    WindowFacts facts = {{rect.left, rect.top, rect.right, rect.bottom},
                         true,
                         IsIconic(window) != FALSE,
                         (style & WS_CAPTION) == WS_CAPTION,
                         cloaked != 0,
                         window == scan->desktop || process == scan->ownProcess ||
                             (scan->shellProcess != 0 && process == scan->shellProcess),
                         (extended & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT),
                         (extended & WS_EX_TOOLWINDOW) != 0,
                         window == scan->foreground};
    scan->windows[scan->count++] = facts;
    return scan->count < WINDOW_SCAN_LIMIT;
}

// Whether the user sees a window of another program fill a monitor. Window
// and monitor rectangles are compared as the platform reports both to this
// program.
static bool screenFilled()
{
    static WindowScan scan;
    MonitorSet monitors;
    reportedMonitors(&monitors);
    scan.ownProcess = GetCurrentProcessId();
    scan.shellProcess = 0;
    HWND shell = GetShellWindow();
    if (shell)
        GetWindowThreadProcessId(shell, &scan.shellProcess);
    scan.desktop = GetDesktopWindow();
    scan.foreground = GetForegroundWindow();
    // The window manager's cloaking: Windows 8 and later.
    HMODULE dwm = LoadLibraryA("dwmapi.dll");
    scan.attribute = moduleFunction<WindowAttributeProc>(dwm, "DwmGetWindowAttribute");
    scan.count = 0;
    EnumWindows(noteWindow, reinterpret_cast<LPARAM>(&scan));
    if (dwm)
        FreeLibrary(dwm);
    return screenFilledBy(scan.windows, scan.count, monitors.rects, monitors.count);
}

// The byte of the power status after the battery's percent, which the
// headers here call Reserved1, is SystemStatusFlag on Windows 10 and later:
// 1 while the battery saver is on. Before Windows 10 it is reserved, and
// nothing is read into it.
const unsigned BATTERY_SAVER_SINCE = 0x0A00;
const BYTE BATTERY_SAVER_ON = 1;

WaitReason timedChangeMustWait()
{
    WaitOptions options = {readSettingInt(SECTION_DISPLAY, KEY_WAIT_FULL_SCREEN, 1) != 0,
                           readSettingInt(SECTION_DISPLAY, KEY_WAIT_ON_BATTERY, 0) != 0};
    SYSTEM_POWER_STATUS power;
    memset(&power, 0, sizeof power);
    bool powerKnown = queryPowerStatus(&power) != FALSE;
    WaitStates states = {false, false, sessionLocked, false, false};
    // Cheap first: what a program fills the screen with is looked for only
    // where it would count.
    if (options.waitFullScreen) {
        states.shellBusy = shellBusy();
        states.screenFilled = !states.shellBusy && screenFilled();
    }
    // ACLineStatus 0 is off the mains.
    states.onBattery = powerKnown && power.ACLineStatus == 0;
    states.batterySaver = powerKnown && windowsVersion >= BATTERY_SAVER_SINCE && power.Reserved1 == BATTERY_SAVER_ON;
    return timedChangeWaits(states, options);
}

// Windows XP and later. The library is loaded only for the call: the
// registration lives in the session's manager, not in it, and the idle
// changer carries nothing it does not use.
static void callSessionFunction(const char* name, HWND window, bool registering)
{
    HMODULE module = LoadLibraryA("wtsapi32.dll");
    if (registering) {
        RegisterSessionProc registration = registerSession ? registerSession
                                                           : moduleFunction<RegisterSessionProc>(module, name);
        sessionWatched = registration && registration(window, THIS_SESSION);
        // Windows without the call (before XP) are not asked again.
        sessionWatchable = registration != NULL;
    } else {
        UnregisterSessionProc unregisterSession = moduleFunction<UnregisterSessionProc>(module, name);
        if (unregisterSession)
            unregisterSession(window);
        sessionWatched = false;
    }
    if (module)
        FreeLibrary(module);
}

void watchSessionLock(HWND window)
{
    callSessionFunction("WTSRegisterSessionNotification", window, true);
}

void stopWatchingSessionLock(HWND window)
{
    if (sessionWatched)
        callSessionFunction("WTSUnRegisterSessionNotification", window, false);
}

void holdChange(WaitReason reason)
{
    changeDeferred = true;
    waitingFor = reason;
    refreshTrayTip();
}

void releaseChange()
{
    changeDeferred = false;
    waitingFor = WAIT_NONE;
    refreshTrayTip();
}
