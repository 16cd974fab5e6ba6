#include "wallpaper.h"

#include "contract.h"
#include "oldshell.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

static void writeOriginToRegistry(int x, int y)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, DESKTOP_REGISTRY_KEY, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        MessageBoxA(NULL, "Error While Access Register. ", MSG_TITLE, MB_ICONHAND);
        return;
    }
    char text[16];
    sprintf(text, "%d", x);
    RegSetValueExA(key, DESKTOP_ORIGIN_X, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(strlen(text) + 1));
    sprintf(text, "%d", y);
    RegSetValueExA(key, DESKTOP_ORIGIN_Y, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(key);
}

void tellWallpaperRefused()
{
    MessageBoxA(NULL, "Cannot Setup Wallpaper.", MSG_TITLE, MB_ICONHAND);
}

bool applyWallpaper(const char* path, int mode, int x, int y)
{
    switch (mode) {
    case POSITION_TILE:
        WriteProfileStringA(DESKTOP_SECTION, DESKTOP_TILE, "1");
        x = y = 0;
        break;
    case POSITION_CENTER:
        WriteProfileStringA(DESKTOP_SECTION, DESKTOP_TILE, "0");
        x = y = 0;
        break;
    case POSITION_DEFINED:
        WriteProfileStringA(DESKTOP_SECTION, DESKTOP_TILE, "0");
        break;
    default:
        break;  // an unknown mode leaves the tiling as it is
    }

    if (isOldShell) {
        char text[16];
        sprintf(text, "%d", x);
        WriteProfileStringA(DESKTOP_SECTION, DESKTOP_ORIGIN_X, text);
        sprintf(text, "%d", y);
        WriteProfileStringA(DESKTOP_SECTION, DESKTOP_ORIGIN_Y, text);
    } else {
        writeOriginToRegistry(x, y);
    }

    // The placement is recorded first so that the platform draws the new
    // bitmap with it.
    if (!SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path),
                               SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE)) {
        tellWallpaperRefused();
        return false;
    }
    return true;
}
