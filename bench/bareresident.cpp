// The bare resident: a hidden window with a tray icon, a minute timer and a
// message loop, changing the wallpaper with nothing but the platform call
// and naming the file in the tray's tip, as the changer's tip names it.
// It is the baseline of the memory and change figures, so it changes exactly
// when the real resident does: on command 106 and on every fifth tick.
// Built with BARE_WITH_MENU and the real resident's resources, it also has
// its class menu, class icon and tray icon: a part of the memory figures.
//
//   bareresident.exe successive|random|folder FOLDER
// FOLDER (with its trailing backslash) holds wall000.bmp to wall049.bmp;
// with "folder" it is walked at each change for its next file, whatever it
// holds: the baseline of a change from a folder.
#include "benchnames.h"

#include <windows.h>
#include <shellapi.h>

#include <stdlib.h>
#include <string.h>

#ifdef BARE_WITH_MENU
#define TRAY_ICON_INSTANCE GetModuleHandleA(NULL)
#define TRAY_ICON_NAME ICON_TRAY_NAME
#else
#define TRAY_ICON_INSTANCE NULL
#define TRAY_ICON_NAME IDI_APPLICATION
#endif

static char wallpaperFolder[MAX_PATH];
static bool randomOrder = false;
static bool walkFolder = false;
static int nextWallpaper = 0;
static unsigned int ticks = 0;
static NOTIFYICONDATAA trayIcon;

// The platform's call, then the file's name in the tip.
static void setWallpaper(char* path)
{
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, path, SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    const char* name = strrchr(path, '\\');
    wsprintfA(trayIcon.szTip, "Bare: %.50s", name ? name + 1 : path);
    Shell_NotifyIconA(NIM_MODIFY, &trayIcon);
}

// The bare walk: every file of the folder, the next one taken.
static void changeFromFolder()
{
    char path[MAX_PATH + 16];
    wsprintfA(path, "%s*", wallpaperFolder);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    int count = 0;
    char chosen[MAX_PATH] = "";
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && count++ == nextWallpaper)
            lstrcpynA(chosen, found.cFileName, sizeof chosen);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    nextWallpaper = count > 0 ? (nextWallpaper + 1) % count : 0;
    wsprintfA(path, "%s%s", wallpaperFolder, chosen);
    setWallpaper(path);
}

static void changeWallpaper()
{
    if (walkFolder) {
        changeFromFolder();
        return;
    }
    int index = randomOrder ? rand() % WALLPAPER_COUNT : nextWallpaper;
    nextWallpaper = (index + 1) % WALLPAPER_COUNT;
    char path[MAX_PATH + 16];
    wsprintfA(path, WALLPAPER_NAME_FORMAT, wallpaperFolder, index);
    setWallpaper(path);
}

static LRESULT CALLBACK bareResidentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetTimer(window, MINUTE_TIMER_ID, 60000, NULL);
        trayIcon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        trayIcon.hWnd = window;
        trayIcon.uID = TRAY_ICON_ID;
        trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        trayIcon.uCallbackMessage = WM_USER;
        trayIcon.hIcon = LoadIconA(TRAY_ICON_INSTANCE, TRAY_ICON_NAME);
        lstrcpynA(trayIcon.szTip, "Bare resident", sizeof trayIcon.szTip);
        Shell_NotifyIconA(NIM_ADD, &trayIcon);
        return 0;
    case WM_TIMER:
        if (++ticks >= TICKS_PER_CHANGE) {
            ticks = 0;
            changeWallpaper();
        }
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == CHANGE_NOW_COMMAND)
            changeWallpaper();
        return 0;
    case WM_DESTROY:
        KillTimer(window, MINUTE_TIMER_ID);
        Shell_NotifyIconA(NIM_DELETE, &trayIcon);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const char* folder = strchr(commandLine, ' ');
    if (!folder)
        return 1;
    randomOrder = strncmp(commandLine, "random", 6) == 0;
    walkFolder = strncmp(commandLine, "folder", 6) == 0;
    lstrcpynA(wallpaperFolder, folder + 1, sizeof wallpaperFolder);
    srand(GetTickCount());

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = bareResidentProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = BARE_RESIDENT_CLASS;
#ifdef BARE_WITH_MENU
    windowClass.hIcon = LoadIconA(instance, ICON_CLASS_NAME);
    windowClass.lpszMenuName = MENU_NAME;
#endif
    if (!RegisterClassA(&windowClass))
        return 1;
    // Hidden and disabled, like the real resident on the new shell.
    if (!CreateWindowExA(0, BARE_RESIDENT_CLASS, "Bare resident", WS_CAPTION | WS_DISABLED, 0, 0, 0, 0, NULL, NULL,
                         instance, NULL))
        return 1;
    MSG message = {};
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
