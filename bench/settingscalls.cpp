// The settings calls that the programs' paths make, timed here as bare calls
// between the measurements of those paths, so that they meet the same load.
// A change's calls are made around a bare wallpaper change, as the resident
// makes them: the index is written while the desktop redraws the new
// wallpaper. They go to a copy of the settings file: a write to the real one
// would make a running resident read the whole file again at its next call.
#include "benchrun.h"
#include "keys.h"

#include <stdio.h>
#include <string.h>

static const char COPY[] = "BENCHCALLS.INI";

// The resident reads its numbers ("Successive", "Bitmap index"; "Monitors",
// "Fit", "Shuffle", "Subfolders") in one read of each of their sections.

// The list section of 50 entries fits this.
static const DWORD SECTION_BUFFER = 16384;

static void readSection(const char* section)
{
    static char read[SECTION_BUFFER];
    GetPrivateProfileSectionA(section, read, SECTION_BUFFER, COPY);
}

// Whether the file can be read, asked before and after the reads: the file
// opened for reading and closed.
static void askReadable()
{
    char path[MAX_PATH];
    UINT length = GetWindowsDirectoryA(path, MAX_PATH - sizeof COPY - 1);
    path[length] = '\\';
    memcpy(path + length + 1, COPY, sizeof COPY);
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

// The list, read whole in one call.
static void readList()
{
    readSection(SECTION_LIST);
}

static void writeIndex()
{
    WritePrivateProfileStringA(SECTION_CONFIG, KEY_BITMAP_INDEX, "1", COPY);
}

// Section "Now shown", written whole: one monitor's picture and the file
// the desktop was given.
static void writeShown(const char* wallpaper)
{
    char section[2 * MAX_PATH + 32];
    int first = snprintf(section, sizeof section, KEY_NOW_SHOWN "=%s", 1, wallpaper) + 1;
    int second = snprintf(section + first, sizeof section - first - 1, KEY_NOW_SHOWN_WALLPAPER "=%s", wallpaper) + 1;
    section[first + second] = '\0';
    WritePrivateProfileSectionA(SECTION_NOW_SHOWN, section, COPY);
}

// What the applier records before it sets a wallpaper.
static void recordPlacement()
{
    WriteProfileStringA(DESKTOP_SECTION, DESKTOP_TILE, "0");
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, DESKTOP_REGISTRY_KEY, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, DESKTOP_ORIGIN_X, 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
    RegSetValueExA(key, DESKTOP_ORIGIN_Y, 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
    RegCloseKey(key);
}

const char* callsName(CallSequence sequence)
{
    switch (sequence) {
    case CALLS_SUCCESSIVE_CHANGE:
        return "Settings calls of a successive change: the file asked twice, its four sections read, the "
               "placement recorded, the pictures shown and the index written after the wallpaper call";
    case CALLS_RANDOM_CHANGE:
        return "Settings calls of a random change: the file asked twice, its four sections read, the "
               "placement recorded, the pictures shown and the index written after the wallpaper call";
    default:
        return "Settings reads of 50 entries in the editor: the list section read whole";
    }
}

bool writeCallsCopy(const BenchRun& run)
{
    return writeBenchSettings(run, true, WALLPAPER_COUNT, COPY);
}

double timeChangeCalls(bool, const char* wallpaper)
{
    double start = nowMs();
    askReadable();
    readSection(SECTION_CONFIG);
    readSection(SECTION_DISPLAY);
    readList();
    readSection(SECTION_SKIP);
    askReadable();
    recordPlacement();
    double beforeWallpaper = nowMs() - start;
    // The wallpaper call itself is not counted.
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(wallpaper),
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    start = nowMs();
    writeShown(wallpaper);
    writeIndex();
    return beforeWallpaper + nowMs() - start;
}

double timeEditorReads()
{
    double start = nowMs();
    readList();
    return nowMs() - start;
}
