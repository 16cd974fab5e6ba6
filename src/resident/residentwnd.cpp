#include "residentwnd.h"

#include "commands.h"
#include "launcher.h"
#include "oldshell.h"
#include "picker.h"
#include "residentids.h"
#include "sysmenu.h"
#include "timing.h"
#include "tray.h"

HINSTANCE residentInstance = NULL;

// A handled tray mouse message answers 1.
static const LRESULT TRAY_HANDLED = 1;

static void onCreate(HWND window)
{
    // A failed timer only means no periodic changes.
    SetTimer(window, MINUTE_TIMER_ID, MINUTE_TIMER_MS, NULL);
    if (isOldShell)
        appendSystemMenuEntry(window);
    else
        addTrayIcon(window);
    // May change the wallpaper, or start the editor, before the loop runs.
    runStartupPolicy(window);
}

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
        changeWallpaper(window);
        return TRAY_HANDLED;
    default:
        return DefWindowProcA(window, TRAY_CALLBACK, wParam, lParam);
    }
}

void teardownResident(HWND window)
{
    KillTimer(window, MINUTE_TIMER_ID);
    if (!isOldShell)
        removeTrayIcon();
}

LRESULT CALLBACK residentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate(window);
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
        onMinuteTick(window);
        return 0;
    case TRAY_CALLBACK:
        return onTrayCallback(window, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
