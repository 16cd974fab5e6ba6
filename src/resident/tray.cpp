#include "tray.h"

#include "changehistory.h"
#include "modulefunction.h"
#include "pathtext.h"
#include "pictureactions.h"
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

typedef HRESULT(WINAPI* LoadIconMetricProc)(HINSTANCE, PCWSTR, int, HICON*);
// LoadIconMetric's small size: the shell's tray size at the display's scale.
const int SMALL_ICON_METRIC = 0;

// The sizes ICON_2 carries an image of (tools/makeicons.cpp): the tray's
// at 100, 125, 150, 200 and 300 % display scale.
static const int TRAY_IMAGE_SIZES[] = {16, 20, 24, 32, 48};

static bool trayImageDrawnAt(int size)
{
    for (int drawn : TRAY_IMAGE_SIZES)
        if (drawn == size)
            return true;
    return false;
}

// The tray draws its icons at the small-icon size of the display's scale
// (16 pixels at 100 %, 24 at 150 %...): the icon's own image of that size,
// where a plain LoadIcon would hand it the 32 x 32 one to shrink. At a
// scale the icon has no image for (175 %, 250 %), the common controls'
// LoadIconMetric (Vista and later) shrinks a larger one smoothly; they are
// loaded for that alone, as they would cost the changer, which runs all
// day, close to a megabyte of memory.
static HICON loadTrayImage()
{
    int size = GetSystemMetrics(SM_CXSMICON);
    HICON icon = NULL;
    HMODULE controls = trayImageDrawnAt(size) ? NULL : LoadLibraryA("comctl32.dll");
    LoadIconMetricProc loadIconMetric = moduleFunction<LoadIconMetricProc>(controls, "LoadIconMetric");
    if (!loadIconMetric || FAILED(loadIconMetric(residentInstance, TRAY_ICON_WIDE_NAME, SMALL_ICON_METRIC, &icon)))
        icon = static_cast<HICON>(LoadImageA(residentInstance, ICON_TRAY_NAME, IMAGE_ICON, size,
                                             GetSystemMetrics(SM_CYSMICON), 0));
    if (controls)
        FreeLibrary(controls);
    return icon;
}

// A picture's file name in the system's own character set, as the tip and
// the menu spell it (other letters show as the system marks them); empty
// where there is none.
static void ansiFileName(const char* path, char (&ansi)[MAX_PATH])
{
    const char* name = strrchr(path, '\\');
    WCHAR wide[MAX_PATH];
    if (!widePath(name ? name + 1 : path, wide) || !WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, MAX_PATH, NULL, NULL))
        ansi[0] = '\0';
}

// "Vistrell: " and the file name of the picture on the primary monitor,
// cut to the tip's room; the program's name before any is known, and once
// the desktop shows another wallpaper.
static const char* pictureTip()
{
    static char tip[TRAY_TIP_SIZE];
    if (lastEntryCount == 0 || !lastEntries[0].path[0] || !lastChangeStillShown())
        return TRAY_TIP;
    char ansi[MAX_PATH];
    ansiFileName(lastEntries[0].path, ansi);
    if (!ansi[0])
        return TRAY_TIP;
    static const char PREFIX[] = TIP_PICTURE_PREFIX;
    size_t room = TRAY_TIP_SIZE - sizeof PREFIX;
    size_t length = strlen(ansi);
    memcpy(tip, PREFIX, sizeof PREFIX - 1);
    if (length > room) {
        // Cut between characters, never inside a double-byte one.
        const char* end = ansi;
        for (const char* next = CharNextA(end); next - ansi <= static_cast<ptrdiff_t>(room - 3) && next != end;
             next = CharNextA(next))
            end = next;
        memcpy(tip + sizeof PREFIX - 1, ansi, static_cast<size_t>(end - ansi));
        strcpy(tip + sizeof PREFIX - 1 + (end - ansi), "...");
    } else {
        strcpy(tip + sizeof PREFIX - 1, ansi);
    }
    return tip;
}

static const char* currentTip()
{
    if (!changeDeferred)
        return pictureTip();
    switch (waitingFor) {
    case WAIT_FULL_SCREEN:
        return TIP_WAITING_FULL_SCREEN;
    case WAIT_LOCKED:
        return TIP_WAITING_LOCKED;
    case WAIT_BATTERY:
        return TIP_WAITING_BATTERY;
    default:
        return pictureTip();
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

bool showTrayBalloon(const char* title, const char* text)
{
    if (!trayIconShown)
        return false;
    NOTIFYICONDATAA balloon = trayIconData;
    balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    balloon.uFlags = NIF_INFO;
    lstrcpynA(balloon.szInfo, text, sizeof balloon.szInfo);
    lstrcpynA(balloon.szInfoTitle, title, sizeof balloon.szInfoTitle);
    balloon.dwInfoFlags = NIIF_WARNING;
    return notifyTray(NIM_MODIFY, &balloon) != FALSE;
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

void reloadTrayImage()
{
    HICON replaced = trayIconData.hIcon;
    trayIconData.hIcon = loadTrayImage();
    if (trayIconShown)
        notifyTray(NIM_MODIFY, &trayIconData);
    if (replaced)
        DestroyIcon(replaced);
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

// The items of the picture shown, greyed while there is none (before the
// first change); with several monitors "Show Picture" opens a sub-menu of
// each monitor's picture.
static void prepareTrayMenu(HMENU popup)
{
    EnableMenuItem(popup, IDM_PREVIOUS, canShowChangeOfHistory(-1) ? MF_ENABLED : MF_GRAYED);
    UINT picture = pictureShown(0) ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(popup, IDM_SHOW_PICTURE, picture);
    EnableMenuItem(popup, IDM_OPEN_FOLDER, picture);
    EnableMenuItem(popup, IDM_NEVER_SHOW, picture);
    if (lastEntryCount < 2 || !pictureShown(0))
        return;
    HMENU monitors = CreatePopupMenu();
    for (int i = 0; monitors && i < lastEntryCount; ++i) {
        char text[MAX_PATH + 16];
        char ansi[MAX_PATH];
        ansiFileName(lastEntries[i].path, ansi);
        wsprintfA(text, SHOW_MONITOR_TEXT, i + 1, ansi);
        AppendMenuA(monitors, MF_STRING | (pictureShown(i) ? MF_ENABLED : MF_GRAYED), IDM_SHOW_MONITOR + i, text);
    }
    char label[32];
    GetMenuStringA(popup, IDM_SHOW_PICTURE, label, sizeof label, MF_BYCOMMAND);
    if (monitors)
        ModifyMenuA(popup, IDM_SHOW_PICTURE, MF_BYCOMMAND | MF_POPUP, reinterpret_cast<UINT_PTR>(monitors), label);
}

void showTrayMenu(HWND window)
{
    POINT cursor;
    GetCursorPos(&cursor);
    HMENU menu = LoadMenuA(residentInstance, MENU_NAME);
    if (!menu)
        return;
    HMENU popup = GetSubMenu(menu, 0);
    prepareTrayMenu(popup);
    // Without the foreground the pop-up would not close when the user clicks
    // elsewhere; the posted null message lets a second click open it again.
    SetForegroundWindow(window);
    TrackPopupMenu(popup, TRAY_MENU_FLAGS, cursor.x, cursor.y, 0, window, NULL);
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}
