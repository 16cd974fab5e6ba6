#include "wallpaper.h"

#include "contract.h"
#include "oldshell.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

SetWallpaperProc setWallpaperCall = SystemParametersInfoA;
SetRegistryValueProc setDesktopRegistryValue = RegSetValueExA;

// "WallpaperStyle" 0 draws the bitmap by "TileWallpaper" alone: centred or
// tiled at its own size. Windows 7 and later read the style too, and
// Windows 8 to 11 set it to Fill by default, which would stretch a bitmap
// placed Tile or Center across the screen. Older Windows ignore the value.
static const char STYLE_BY_TILING[] = "0";
// "WallpaperStyle" 22 spans one bitmap across every monitor, from the
// virtual screen's top-left (Windows 8 and later; the documented interface
// calls it DWPOS_SPAN).
static const char STYLE_SPAN[] = "22";

// Where the desktop keeps one of the values a placement writes. On the old
// shell (Win32s, Windows NT 3.x) the origin is a WIN.INI value; from
// Windows 95 and NT 4 on the desktop reads it from the registry. NT maps
// WIN.INI's desktop section onto that registry key too (as Wine does), so
// "TileWallpaper", written to WIN.INI, lands there on every NT.
enum ValueStore { IN_PROFILE, IN_REGISTRY };

// One desktop value as it stood before a placement was written, so that a
// wallpaper the platform refuses leaves the desktop as it was.
struct SavedValue {
    const char* name;
    ValueStore store;
    bool written;   // this placement wrote (or tried to write) it
    bool present;   // it existed before
    bool known;     // its old content could be read whole
    DWORD type;
    BYTE data[64];
    DWORD size;
};

// Text that no desktop value holds, to tell a missing profile value.
static const char ABSENT[] = "\x01";

static void saveProfileValue(SavedValue* value)
{
    char text[sizeof value->data];
    DWORD length = GetProfileStringA(DESKTOP_SECTION, value->name, ABSENT, text, sizeof text);
    value->present = strcmp(text, ABSENT) != 0;
    // A value that filled the buffer may have been cut.
    value->known = length < sizeof text - 1;
    value->type = REG_SZ;
    value->size = static_cast<DWORD>(strlen(text) + 1);
    memcpy(value->data, text, value->size);
}

static void saveRegistryValue(HKEY key, SavedValue* value)
{
    value->size = sizeof value->data;
    LONG result = key ? RegQueryValueExA(key, value->name, NULL, &value->type, value->data, &value->size)
                      : ERROR_ACCESS_DENIED;
    value->present = result != ERROR_FILE_NOT_FOUND;
    // A value that could not be read (too long, or no right to) is not put
    // back: better left as written than made up.
    value->known = result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

static void restoreValue(HKEY key, const SavedValue& value)
{
    if (!value.written || !value.known)
        return;
    if (value.store == IN_PROFILE) {
        WriteProfileStringA(DESKTOP_SECTION, value.name,
                            value.present ? reinterpret_cast<const char*>(value.data) : NULL);
    } else if (key && value.present) {
        setDesktopRegistryValue(key, value.name, 0, value.type, value.data, value.size);
    } else if (key) {
        RegDeleteValueA(key, value.name);
    }
}

static void writeRegistryText(HKEY key, const char* name, const char* text)
{
    setDesktopRegistryValue(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                            static_cast<DWORD>(strlen(text) + 1));
}

void tellWallpaperRefused()
{
    MessageBoxA(NULL, "Cannot Setup Wallpaper.", MSG_TITLE, MB_ICONHAND);
}

// The values a placement writes, in the order they are written.
enum { SAVED_TILE, SAVED_STYLE, SAVED_ORIGIN_X, SAVED_ORIGIN_Y, SAVED_COUNT };

// Writes the placement values given (NULL: left as it is), saving each
// first; then asks the platform to set the wallpaper, and puts the values
// back when it refuses. The style is written on the new shell only, the
// origin to WIN.INI on the old shell and to the registry otherwise.
static bool applyPlacement(const char* path, const char* tile, const char* style, int x, int y)
{
    ValueStore origins = isOldShell ? IN_PROFILE : IN_REGISTRY;
    SavedValue saved[SAVED_COUNT] = {
        {DESKTOP_TILE, IN_PROFILE, tile != NULL, false, false, 0, {0}, 0},
        // The old shell has no style to write.
        {DESKTOP_STYLE, IN_REGISTRY, style != NULL && !isOldShell, false, false, 0, {0}, 0},
        {DESKTOP_ORIGIN_X, origins, true, false, false, 0, {0}, 0},
        {DESKTOP_ORIGIN_Y, origins, true, false, false, 0, {0}, 0},
    };

    // Opened for reading apart from the writes, which keep their own key and
    // their own box when it cannot be opened.
    HKEY reading = NULL;
    if (!isOldShell && RegOpenKeyExA(HKEY_CURRENT_USER, DESKTOP_REGISTRY_KEY, 0, KEY_QUERY_VALUE, &reading) !=
                           ERROR_SUCCESS)
        reading = NULL;
    for (int i = 0; i < SAVED_COUNT; ++i) {
        if (saved[i].written && saved[i].store == IN_PROFILE)
            saveProfileValue(&saved[i]);
        else if (saved[i].written)
            saveRegistryValue(reading, &saved[i]);
    }
    if (reading)
        RegCloseKey(reading);

    if (tile)
        WriteProfileStringA(DESKTOP_SECTION, DESKTOP_TILE, tile);
    char originX[16];
    char originY[16];
    sprintf(originX, "%d", x);
    sprintf(originY, "%d", y);
    HKEY key = NULL;
    if (isOldShell) {
        WriteProfileStringA(DESKTOP_SECTION, DESKTOP_ORIGIN_X, originX);
        WriteProfileStringA(DESKTOP_SECTION, DESKTOP_ORIGIN_Y, originY);
    } else if (RegOpenKeyExA(HKEY_CURRENT_USER, DESKTOP_REGISTRY_KEY, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
        key = NULL;
        MessageBoxA(NULL, "Error While Access Register. ", MSG_TITLE, MB_ICONHAND);
    } else {
        if (saved[SAVED_STYLE].written)
            writeRegistryText(key, DESKTOP_STYLE, style);
        writeRegistryText(key, DESKTOP_ORIGIN_X, originX);
        writeRegistryText(key, DESKTOP_ORIGIN_Y, originY);
    }

    // The placement is recorded first so that the platform draws the new
    // bitmap with it; a refusal puts back what the desktop had.
    bool set = setWallpaperCall(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path),
                                SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) != FALSE;
    if (!set) {
        for (int i = 0; i < SAVED_COUNT; ++i)
            restoreValue(key, saved[i]);
    }
    if (key)
        RegCloseKey(key);
    if (!set)
        tellWallpaperRefused();
    return set;
}

bool applyWallpaper(const char* path, int mode, int x, int y)
{
    const char* tile = NULL;  // an unknown mode leaves the tiling as it is
    switch (mode) {
    case POSITION_TILE:
        tile = "1";
        x = y = 0;
        break;
    case POSITION_CENTER:
        tile = "0";
        x = y = 0;
        break;
    case POSITION_DEFINED:
        tile = "0";
        break;
    default:
        break;
    }
    return applyPlacement(path, tile, tile ? STYLE_BY_TILING : NULL, x, y);
}

bool applyComposedWallpaper(const char* path, bool spanned)
{
    return applyPlacement(path, spanned ? "0" : "1", spanned ? STYLE_SPAN : STYLE_BY_TILING, 0, 0);
}
