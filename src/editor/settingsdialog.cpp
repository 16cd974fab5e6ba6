#include "settingsdialog.h"

#include "closing.h"
#include "dialogcommands.h"
#include "editorstate.h"
#include "ids.h"
#include "loadsettings.h"
#include "preview.h"
#include "settings.h"
#include "slottable.h"

static const int DEFAULT_WINDOW_POSITION = 20;

// Hangs the pop-up "Scenara" (the menu "MENU_1") at the end of the dialog's
// system menu, behind a separator.
static void extendSystemMenu(HWND dialog)
{
    AppendMenuA(GetSystemMenu(dialog, FALSE), MF_BYPOSITION | MF_SEPARATOR, 0, "");
    HMENU scenara = LoadMenuA(editorInstance, MENU_SYSTEM_NAME);
    AppendMenuA(GetSystemMenu(dialog, FALSE), MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(scenara),
                "Scenara");
}

typedef HMONITOR(WINAPI* MonitorFromRectProc)(LPCRECT, DWORD);

// Whether any screen shows part of the rectangle. Systems before multiple
// monitors have only the one screen.
static bool onAScreen(const RECT& area)
{
    MonitorFromRectProc monitorFromRect = reinterpret_cast<MonitorFromRectProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "MonitorFromRect")));
    if (monitorFromRect)
        return monitorFromRect(&area, MONITOR_DEFAULTTONULL) != NULL;
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT common;
    return IntersectRect(&common, &area, &screen) != FALSE;
}

// Whether the user can reach the dialog's title bar to drag it.
static bool titleBarOnAScreen(HWND dialog)
{
    RECT titleBar;
    GetWindowRect(dialog, &titleBar);
    titleBar.bottom = titleBar.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    return onAScreen(titleBar);
}

// A stored position whose title bar lies on no screen (a monitor since taken
// away, a hand-edited file) would leave the dialog out of reach: the dialog
// manager brings it onto the nearest screen, or, where it cannot, it goes to
// the default place. A position partly off a screen stays as stored.
static void keepReachable(HWND dialog, int fallback)
{
    if (titleBarOnAScreen(dialog))
        return;
    SendMessageA(dialog, DM_REPOSITION, 0, 0);
    if (!titleBarOnAScreen(dialog))
        SetWindowPos(dialog, NULL, fallback, fallback, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

static INT_PTR onInitDialog(HWND dialog)
{
    bindList(&slotTable, GetDlgItem(dialog, IDC_LIST));
    EnableWindow(GetDlgItem(dialog, IDC_PREVIEW_FRAME), FALSE);
    createPreviewContexts(dialog);
    extendSystemMenu(dialog);
    loadSettingsIntoDialog(dialog);

    int y = readSettingInt(SECTION_CONFIG, KEY_WINDOW_Y, DEFAULT_WINDOW_POSITION);
    int x = readSettingInt(SECTION_CONFIG, KEY_WINDOW_X, DEFAULT_WINDOW_POSITION);
    SetWindowPos(dialog, NULL, x, y, 0, 0, SWP_NOSIZE);
    keepReachable(dialog, DEFAULT_WINDOW_POSITION);
    ShowWindow(dialog, SW_SHOWMINIMIZED);
    ShowWindow(dialog, SW_SHOWNORMAL);

    // Filling the controls made them notify; none of that is a user's change.
    isDirty = false;
    return TRUE;
}

INT_PTR CALLBACK settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog);
    case WM_COMMAND:
        return dispatchDialogCommand(dialog, message, wParam, lParam);
    case WM_SYSCOMMAND:
        return dispatchSystemCommand(dialog, message, wParam, lParam);
    case WM_CLOSE:
        closeDialog(dialog);
        return TRUE;
    case WM_WININICHANGE:
        // Any setting may have changed, the wallpaper among them.
        showCurrentWallpaper(dialog);
        return TRUE;
    case WM_ACTIVATEAPP:
        clearPreview(dialog);
        return 0;
    case WM_DESTROY:
        // The frame's device context goes back while the frame still exists.
        releasePreviewContexts();
        return 0;
    default:
        return 0;
    }
}
