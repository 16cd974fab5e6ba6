#include "benchrun.h"

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
