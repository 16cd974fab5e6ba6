#include "tray.h"

#include "residentids.h"
#include "residentstate.h"

#include <shellapi.h>

#include <string.h>

#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the record's first form is 88 bytes on 32-bit Windows");
#endif

// The tray pop-up: flags 8, the menu's right edge at the cursor.
static const UINT TRAY_MENU_FLAGS = TPM_RIGHTALIGN;

NotifyTrayProc notifyTray = Shell_NotifyIconA;

// The tray draws its icons at the small-icon size: the icon's own 16 x 16
// image, where a plain LoadIcon would hand it the 32 x 32 one to shrink.
static HICON loadTrayImage()
{
    return static_cast<HICON>(LoadImageA(residentInstance, ICON_TRAY_NAME, IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
}

static const char* currentTip()
{
    if (!changeDeferred)
        return TRAY_TIP;
    switch (waitingFor) {
    case WAIT_FULL_SCREEN:
        return TIP_WAITING_FULL_SCREEN;
    case WAIT_LOCKED:
        return TIP_WAITING_LOCKED;
    case WAIT_BATTERY:
        return TIP_WAITING_BATTERY;
    default:
        return TRAY_TIP;
    }
}

void refreshTrayTip()
{
    const char* tip = currentTip();
    if (strcmp(trayIconData.szTip, tip) == 0)
        return;
    lstrcpynA(trayIconData.szTip, tip, TRAY_TIP_SIZE);
    // An icon the tray has not taken yet gets the tip when it is added.
    if (trayIconShown)
        notifyTray(NIM_MODIFY, &trayIconData);
}

void addTrayIcon(HWND window)
{
    trayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    trayIconData.hWnd = window;
    trayIconData.uID = TRAY_ICON_ID;
    trayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIconData.uCallbackMessage = TRAY_CALLBACK;
    if (!trayIconData.hIcon)
        trayIconData.hIcon = loadTrayImage();
    lstrcpynA(trayIconData.szTip, currentTip(), TRAY_TIP_SIZE);
    // Refused while the taskbar is not there yet. An add can also time out
    // while the shell is busy and still put the icon there, where a second
    // add would fail: modifying succeeds exactly when the icon is there.
    trayIconShown = notifyTray(NIM_MODIFY, &trayIconData) || notifyTray(NIM_ADD, &trayIconData);
}

void watchForTaskbarRestart()
{
    taskbarCreatedMessage = RegisterWindowMessageA(TASKBAR_CREATED_MESSAGE);
}

bool isTaskbarRestart(UINT message)
{
    // Zero means the registration failed (or the old shell, which has no
    // tray); it must not match WM_NULL.
    return taskbarCreatedMessage != 0 && message == taskbarCreatedMessage;
}

void removeTrayIcon()
{
    notifyTray(NIM_DELETE, &trayIconData);
    trayIconShown = false;
    if (trayIconData.hIcon)
        DestroyIcon(trayIconData.hIcon);
    trayIconData.hIcon = NULL;
}

void showTrayMenu(HWND window)
{
    POINT cursor;
    GetCursorPos(&cursor);
    HMENU menu = LoadMenuA(residentInstance, MENU_NAME);
    if (!menu)
        return;
    // Without the foreground the pop-up would not close when the user clicks
    // elsewhere; the posted null message lets a second click open it again.
    SetForegroundWindow(window);
    TrackPopupMenu(GetSubMenu(menu, 0), TRAY_MENU_FLAGS, cursor.x, cursor.y, 0, window, NULL);
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}
