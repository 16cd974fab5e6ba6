#include "residentwnd.h"

#include "commands.h"
#include "deferral.h"
#include "hotkeys.h"
#include "launcher.h"
#include "lifecycle.h"
#include "oldshell.h"
#include "picker.h"
#include "residentids.h"
#include "residentstate.h"
#include "timing.h"
#include "tray.h"

// A handled tray mouse message answers 1.
static const LRESULT TRAY_HANDLED = 1;

// The old shell's window stays minimized: restoring or maximizing it is the
// user asking for the editor.
static void onSize(HWND window, WPARAM kind)
{
    switch (kind) {
    case SIZE_RESTORED:
    case SIZE_MAXIMIZED:
        ShowWindow(window, SW_MINIMIZE);
        openEditor(window);
        break;
    default:
        break;
    }
}

static LRESULT onTrayCallback(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (lParam) {
    case WM_LBUTTONDOWN:
        showTrayMenu(window);
        return TRAY_HANDLED;
    case WM_LBUTTONDBLCLK:
        openEditor(window);
        return TRAY_HANDLED;
    case WM_RBUTTONDOWN:
        changeWallpaperOnRequest(window);
        return TRAY_HANDLED;
    default:
        return DefWindowProcA(window, TRAY_CALLBACK, wParam, lParam);
    }
}

LRESULT CALLBACK residentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        setUpResident(window);
        return 0;
    case WM_DESTROY:
        teardownResident(window);
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        onSize(window, wParam);
        return 0;
    case WM_COMMAND:
        return dispatchResidentCommand(window, message, wParam, lParam);
    case WM_SYSCOMMAND:
        // On the new shell the window is never shown: every system command
        // is swallowed.
        if (isOldShell)
            return dispatchResidentCommand(window, message, wParam, lParam);
        return 0;
    case WM_TIMER:
        // The shell may not have been ready for the icon at logon: whatever
        // the period, each tick tries again until the icon is there.
        if (!isOldShell && !trayIconShown)
            addTrayIcon(window);
        // Nor may the session's notifications have been ready.
        if (!isOldShell && !sessionWatched && sessionWatchable)
            watchSessionLock(window);
        onMinuteTick(window);
        return 0;
    case TRAY_CALLBACK:
        return onTrayCallback(window, wParam, lParam);
    case WM_DISPLAYCHANGE:
        composeLastChangeAgain();
        return 0;
    case WM_SYSCOLORCHANGE:
        composeForDesktopColour();
        return 0;
    case WM_SETTINGCHANGE:
        // Another wallpaper may have been chosen: the tip no longer names
        // the changer's picture then. A change of its own tells its tip
        // when it is made.
        if (wParam == SPI_SETDESKWALLPAPER && changesInProgress == 0)
            refreshTrayTip();
        return 0;
    case WM_DPICHANGED:
        // The tray draws its icons larger or smaller now.
        reloadTrayImage();
        return 0;
    case WM_HOTKEY:
        // A hot key is its command, as if chosen from the menu; not while a
        // change shows its box, where it would open another over it.
        if (hotKeyCommand(wParam) && changesInProgress == 0)
            return dispatchResidentCommand(window, WM_COMMAND, hotKeyCommand(wParam), 0);
        return 0;
    case WM_WTSSESSION_CHANGE:
        onSessionChange(window, wParam);
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMPOWERSTATUSCHANGE)
            onPowerChange(window);
        return TRUE;
    default:
        // A restarted shell (Explorer ended and started again) has an empty
        // tray: without the icon the user could no longer reach the program.
        if (isTaskbarRestart(message)) {
            // A shell restarted for a new display scale draws at its size.
            reloadTrayImage();
            addTrayIcon(window);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
