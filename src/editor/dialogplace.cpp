#include "dialogplace.h"

#include "settings.h"

static const int DEFAULT_WINDOW_POSITION = 20;

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
static void keepReachable(HWND dialog)
{
    if (titleBarOnAScreen(dialog))
        return;
    SendMessageA(dialog, DM_REPOSITION, 0, 0);
    if (!titleBarOnAScreen(dialog))
        SetWindowPos(dialog, NULL, DEFAULT_WINDOW_POSITION, DEFAULT_WINDOW_POSITION, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void placeDialogAsStored(HWND dialog)
{
    int y = readSettingInt(SECTION_CONFIG, KEY_WINDOW_Y, DEFAULT_WINDOW_POSITION);
    int x = readSettingInt(SECTION_CONFIG, KEY_WINDOW_X, DEFAULT_WINDOW_POSITION);
    SetWindowPos(dialog, NULL, x, y, 0, 0, SWP_NOSIZE);
    keepReachable(dialog);
}
