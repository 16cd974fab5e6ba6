#include "benchrun.h"
#include "bmpwriter.h"

#include "benchnames.h"
#include "children.h"
#include "keys.h"

#include <stdio.h>

static const DWORD READY_TIMEOUT_MS = 30000;

Figure newFigure(const BenchRun& run, const char* name, FigureUnit unit, double target)
{
    Figure figure;
    figure.name = name;
    figure.arch = run.arch;
    figure.unit = unit;
    figure.target = target;
    figure.repeats = static_cast<size_t>(run.repeats);
    return figure;
}

bool writeBenchSettings(const BenchRun& run, bool successive, int entries, const char* fileName)
{
    char path[MAX_PATH];
    GetWindowsDirectoryA(path, MAX_PATH - 32);
    lstrcatA(path, "\\");
    lstrcatA(path, fileName);
    // Written whole rather than key by key: the programs started afterwards
    // read it fresh.
    FILE* file = fopen(path, "wb");
    if (!file)
        return false;
    // "Change every" 1 is "On Demand" (no change at start); "Time period" 1 a
    // change on every fifth tick.
    fprintf(file,
            "[" SECTION_CONFIG "]\r\n" KEY_SUCCESSIVE "=%d\r\n" KEY_CHANGE_EVERY "=1\r\n" KEY_TIME_PERIOD
            "=1\r\n" KEY_BITMAP_INDEX "=0\r\n\r\n[" SECTION_LIST "]\r\n",
            successive ? 1 : 0);
    for (int i = 0; i < entries; ++i) {
        char wallpaper[MAX_PATH + 16];
        snprintf(wallpaper, sizeof wallpaper, WALLPAPER_NAME_FORMAT, run.wallpaperDir, i);
        // The path, an origin of 0, 0 and Center.
        const char* values[] = {wallpaper, "0", "0", "1"};
        for (int field = ENTRY_WALL; field <= ENTRY_TYPE; ++field) {
            char key[ENTRY_KEY_BUFFER];
            formatEntryKey(key, i, static_cast<EntryField>(field));
            fprintf(file, "%s=%s\r\n", key, values[field]);
        }
    }
    return fclose(file) == 0;
}

bool startResident(const BenchRun& run, ResidentKind kind, bool successive, Child* child)
{
    char path[MAX_PATH];
    char arguments[MAX_PATH + 16] = "";
    if (kind == RESIDENT_REAL) {
        snprintf(path, sizeof path, "%svistrell.exe", run.programDir);
    } else {
        snprintf(path, sizeof path, "%s%s.exe", run.benchDir,
                 kind == RESIDENT_BARE ? "bareresident" : "bareresidentmenu");
        snprintf(arguments, sizeof arguments, "%s %s", successive ? "successive" : "random", run.wallpaperDir);
    }
    if (!startChild(path, arguments, child))
        return false;
    ReadyCondition ready = {READY_TRAY, kind == RESIDENT_REAL ? RESIDENT_CLASS : BARE_RESIDENT_CLASS, 0};
    if (waitUntilReady(child, ready, READY_TIMEOUT_MS) && waitUntilIdle(*child))
        return true;
    printf("%s did not become ready\n", path);
    endChild(child, child->window);
    return false;
}

void addCallParts(BenchRun& run)
{
    for (int sequence = 0; sequence < CALL_SEQUENCES; ++sequence) {
        Figure part = newFigure(run, callsName(static_cast<CallSequence>(sequence)), UNIT_MILLISECONDS, 0);
        part.ours = run.callMedians[sequence];
        run.parts.push_back(part);
    }
}

// Small pictures: the folder's size is in its count, and the wallpaper call
// costs the same for every one of them.
static const int FOLDER_PICTURE_WIDTH = 32;
static const int FOLDER_PICTURE_HEIGHT = 24;
#define FOLDER_PICTURE_FORMAT "%spic%05d.bmp"

bool writeBenchFolder(const BenchRun& run)
{
    CreateDirectoryA(run.folderDir, NULL);
    char path[MAX_PATH + 16];
    // Written once: a folder that holds the last picture holds them all.
    snprintf(path, sizeof path, FOLDER_PICTURE_FORMAT, run.folderDir, run.folderPictures - 1);
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return true;
    for (int i = 0; i < run.folderPictures; ++i) {
        snprintf(path, sizeof path, FOLDER_PICTURE_FORMAT, run.folderDir, i);
        if (!writeBenchBitmap(path, FOLDER_PICTURE_WIDTH, FOLDER_PICTURE_HEIGHT, 24, i))
            return false;
    }
    return true;
}

bool writeFolderSettings(const BenchRun& run)
{
    char path[MAX_PATH];
    GetWindowsDirectoryA(path, MAX_PATH - 32);
    lstrcatA(path, "\\" SETTINGS_FILE);
    FILE* file = fopen(path, "wb");
    if (!file)
        return false;
    fprintf(file,
            "[" SECTION_CONFIG "]\r\n" KEY_SUCCESSIVE "=1\r\n" KEY_CHANGE_EVERY "=1\r\n" KEY_TIME_PERIOD
            "=1\r\n" KEY_BITMAP_INDEX "=0\r\n\r\n[" SECTION_LIST "]\r\n000_wall=%s\r\n000_xpos=0\r\n000_ypos=0\r\n"
            "000_type=1\r\n",
            run.folderDir);
    return fclose(file) == 0;
}

bool startFolderResident(const BenchRun& run, ResidentKind kind, Child* child)
{
    char path[MAX_PATH];
    char arguments[MAX_PATH + 16] = "";
    if (kind == RESIDENT_REAL) {
        snprintf(path, sizeof path, "%svistrell.exe", run.programDir);
    } else {
        snprintf(path, sizeof path, "%sbareresident.exe", run.benchDir);
        snprintf(arguments, sizeof arguments, "folder %s", run.folderDir);
    }
    if (!startChild(path, arguments, child))
        return false;
    ReadyCondition ready = {READY_TRAY, kind == RESIDENT_REAL ? RESIDENT_CLASS : BARE_RESIDENT_CLASS, 0};
    if (waitUntilReady(child, ready, READY_TIMEOUT_MS) && waitUntilIdle(*child))
        return true;
    printf("%s did not become ready\n", path);
    endChild(child, child->window);
    return false;
}
