// The settings calls that the programs' paths make, timed here as bare calls
// between the measurements of those paths, so that they meet the same load.
// They go to a copy of the settings file: a write to the real one would make
// a running resident read the whole file again at its next call.
#include "benchrun.h"

#include <stdio.h>

static const char COPY[] = "BENCHCALLS.INI";
static const char SENTINEL[] = "[DOESN'T EXIST]";

// The resident's numbers per change: "Successive" (and in order "Bitmap
// index"), then the entry's type, x and y.
static const int SUCCESSIVE_NUMBERS = 5;
static const int RANDOM_NUMBERS = 4;
// The editor reads each entry's x, y and type besides its path.
static const int EDITOR_NUMBERS_PER_ENTRY = 3;

static void readNumbers(int count)
{
    for (int i = 0; i < count; ++i)
        GetPrivateProfileIntA("Bitmap list", "025_xpos", 0, COPY);
}

static void readPath(int index)
{
    char key[16], path[100];
    snprintf(key, sizeof key, "%03d_wall", index);
    GetPrivateProfileStringA("Bitmap list", key, SENTINEL, path, sizeof path, COPY);
}

static void writeIndex()
{
    WritePrivateProfileStringA("Configuration", "Bitmap index", "1", COPY);
}

// What the applier records before it sets a wallpaper.
static void recordPlacement()
{
    WriteProfileStringA("DESKTOP", "TileWallpaper", "0");
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "WallpaperOriginX", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
    RegSetValueExA(key, "WallpaperOriginY", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
    RegCloseKey(key);
}

const char* callsName(CallSequence sequence)
{
    switch (sequence) {
    case CALLS_SUCCESSIVE_CHANGE:
        return "Settings calls of a successive change (5 numbers and a path read, the index written)";
    case CALLS_RANDOM_CHANGE:
        return "Settings calls of a random change (51 paths read to count the list, then 4 numbers and a path, "
               "the index written)";
    case CALLS_PLACEMENT:
        return "Recording a placement (a WIN.INI value, two registry values)";
    default:
        return "Reading 50 entries in the editor (50 paths and 150 numbers)";
    }
}

bool writeCallsCopy(const BenchRun& run)
{
    return writeBenchSettings(run, true, WALLPAPER_COUNT, COPY);
}

double timeCalls(CallSequence sequence)
{
    double start = nowMs();
    switch (sequence) {
    case CALLS_SUCCESSIVE_CHANGE:
        readNumbers(SUCCESSIVE_NUMBERS);
        readPath(0);
        writeIndex();
        break;
    case CALLS_RANDOM_CHANGE:
        for (int i = 0; i <= WALLPAPER_COUNT; ++i)
            readPath(i);
        readNumbers(RANDOM_NUMBERS);
        readPath(0);
        writeIndex();
        break;
    case CALLS_PLACEMENT:
        recordPlacement();
        break;
    default:
        for (int i = 0; i < WALLPAPER_COUNT; ++i) {
            readPath(i);
            readNumbers(EDITOR_NUMBERS_PER_ENTRY);
        }
        break;
    }
    return nowMs() - start;
}
