#include "benchrun.h"

#include "benchnames.h"
#include "children.h"

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
    fprintf(file, "[Configuration]\r\nSuccessive=%d\r\nChange every=1\r\nTime period=1\r\nBitmap index=0\r\n\r\n",
            successive ? 1 : 0);
    fprintf(file, "[Bitmap list]\r\n");
    for (int i = 0; i < entries; ++i) {
        char wallpaper[MAX_PATH + 16];
        snprintf(wallpaper, sizeof wallpaper, WALLPAPER_NAME_FORMAT, run.wallpaperDir, i);
        fprintf(file, "%03d_wall=%s\r\n%03d_xpos=0\r\n%03d_ypos=0\r\n%03d_type=1\r\n", i, wallpaper, i, i, i);
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
