#include "deferral.h"

#include "modulefunction.h"
#include "monitors.h"
#include "picker.h"
#include "residentstate.h"
#include "settings.h"
#include "waiting.h"

#include <string.h>

ShellStateProc queryShellState = NULL;
PowerStatusProc queryPowerStatus = GetSystemPowerStatus;

// WM_WTSSESSION_CHANGE's events and the registration's flag.
const WPARAM SESSION_LOCK = 0x7;
const WPARAM SESSION_UNLOCK = 0x8;
const DWORD THIS_SESSION = 0;
// DwmGetWindowAttribute's DWMWA_CLOAKED (Windows 8 and later).
const DWORD CLOAKED_ATTRIBUTE = 14;

typedef BOOL(WINAPI* RegisterSessionProc)(HWND, DWORD);
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

struct WindowScan {
    MonitorSet monitors;
    DWORD ownProcess;
    DWORD shellProcess;
    HWND desktop;
    WindowAttributeProc attribute;
    bool found;
};

static BOOL CALLBACK checkWindow(HWND window, LPARAM data)
{
    WindowScan* scan = reinterpret_cast<WindowScan*>(data);
    if (!IsWindowVisible(window))
        return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    RECT rect;
    GetWindowRect(window, &rect);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    DWORD cloaked = 0;
    if (scan->attribute && FAILED(scan->attribute(window, CLOAKED_ATTRIBUTE, &cloaked, sizeof cloaked)))
        cloaked = 0;
    WindowFacts facts = {{rect.left, rect.top, rect.right, rect.bottom},
                         true,
                         IsIconic(window) != FALSE,
                         (style & WS_CAPTION) == WS_CAPTION,
                         cloaked != 0,
                         window == scan->desktop || process == scan->ownProcess ||
                             (scan->shellProcess != 0 && process == scan->shellProcess)};
    scan->found = windowFillsMonitor(facts, scan->monitors.rects, scan->monitors.count);
    return !scan->found;
}

// Whether a window of another program, without a caption, covers a whole
// monitor. Window and monitor rectangles are compared as the platform
// reports both to this program.
static bool screenFilled()
{
    WindowScan scan;
    reportedMonitors(&scan.monitors);
    scan.ownProcess = GetCurrentProcessId();
    scan.shellProcess = 0;
    HWND shell = GetShellWindow();
    if (shell)
        GetWindowThreadProcessId(shell, &scan.shellProcess);
    scan.desktop = GetDesktopWindow();
    // The window manager's cloaking: Windows 8 and later.
    HMODULE dwm = LoadLibraryA("dwmapi.dll");
    scan.attribute = moduleFunction<WindowAttributeProc>(dwm, "DwmGetWindowAttribute");
    scan.found = false;
    EnumWindows(checkWindow, reinterpret_cast<LPARAM>(&scan));
    if (dwm)
        FreeLibrary(dwm);
    return scan.found;
}

bool timedChangeMustWait()
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
    // ACLineStatus 0 is off the mains; the byte after the battery's percent
    // is the battery saver's flag (Windows 10 and later).
    states.onBattery = powerKnown && power.ACLineStatus == 0;
    states.batterySaver = powerKnown && (power.Reserved1 & 1) != 0;
    return timedChangeWaits(states, options);
}

// Windows XP and later. The library is loaded only for the call: the
// registration lives in the session's manager, not in it, and the idle
// changer carries nothing it does not use.
static void callSessionFunction(const char* name, HWND window, bool registering)
{
    HMODULE module = LoadLibraryA("wtsapi32.dll");
    if (registering) {
        RegisterSessionProc registerSession = moduleFunction<RegisterSessionProc>(module, name);
        sessionWatched = registerSession && registerSession(window, THIS_SESSION);
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

void runDeferredChange(HWND window)
{
    if (!changeDeferred || changesInProgress > 0 || timedChangeMustWait())
        return;
    changeDeferred = false;
    minuteCounter = 0;
    // A list that cannot be read keeps the change waiting for the next tick.
    if (changeWallpaper(window) == CHANGE_UNREADABLE)
        changeDeferred = true;
}

void onSessionChange(HWND window, WPARAM event)
{
    switch (event) {
    case SESSION_LOCK:
        sessionLocked = true;
        break;
    case SESSION_UNLOCK:
        sessionLocked = false;
        runDeferredChange(window);
        break;
    default:
        break;
    }
}

void onPowerChange(HWND window)
{
    runDeferredChange(window);
}
