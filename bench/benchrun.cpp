// The bench driver: measures the real programs against their bare baselines
// under this Wine and architecture and writes the rows of the results table
// to rows.md beside itself.
//
//   benchrun.exe [quick] [repeats=N]
// quick: one repeat of a few samples, a smoke run that keeps the bench
// working. Beside rows.md go parts.md (the rows of the parts) and notes.md
// (where the time of each figure that misses its target goes). Exits with 0
// when every figure and part was measured; the targets are judged in the
// table, not by the exit code.
#include "benchnames.h"
#include "benchrun.h"
#include "bmpwriter.h"
#include "children.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const int FULL_REPEATS = 5;
static const int FULL_CHANGES = 200;
static const int FULL_MEMORY_CHANGES = 1000;
static const int QUICK_CHANGES = 5;
static const int QUICK_MEMORY_CHANGES = 10;
// The folder of the folder figure: as many pictures as a large photo folder.
static const int FULL_FOLDER_PICTURES = 10000;
static const int QUICK_FOLDER_PICTURES = 200;
// The wallpapers' size: small, so that the platform's own work per change is
// small too and the changer's share shows.
static const int WALLPAPER_WIDTH = 320;
static const int WALLPAPER_HEIGHT = 240;

static void parseArguments(const char* commandLine, BenchRun* run)
{
    run->quick = strstr(commandLine, "quick") != NULL;
    run->repeats = run->quick ? 1 : FULL_REPEATS;
    const char* repeats = strstr(commandLine, "repeats=");
    if (repeats && atoi(repeats + 8) > 0)
        run->repeats = atoi(repeats + 8);
    run->changesPerRepeat = run->quick ? QUICK_CHANGES : FULL_CHANGES;
    run->memoryChanges = run->quick ? QUICK_MEMORY_CHANGES : FULL_MEMORY_CHANGES;
    run->folderPictures = run->quick ? QUICK_FOLDER_PICTURES : FULL_FOLDER_PICTURES;
    run->arch = BENCH_ARCH;
}

// The bench programs lie in bench\ beside the real programs.
static void findDirectories(BenchRun* run)
{
    GetModuleFileNameA(NULL, run->benchDir, MAX_PATH);
    char* slash = strrchr(run->benchDir, '\\');
    if (slash)
        slash[1] = '\0';
    lstrcpyA(run->programDir, run->benchDir);
    size_t length = strlen(run->programDir);
    if (length > 1) {
        run->programDir[length - 1] = '\0';
        slash = strrchr(run->programDir, '\\');
        if (slash)
            slash[1] = '\0';
    }
    GetTempPathA(MAX_PATH - 16, run->wallpaperDir);
    lstrcatA(run->wallpaperDir, "benchwall\\");
    GetTempPathA(MAX_PATH - 24, run->folderDir);
    lstrcatA(run->folderDir, "benchfolder\\");
}

static bool writeWallpapers(const BenchRun& run)
{
    CreateDirectoryA(run.wallpaperDir, NULL);
    for (int i = 0; i < WALLPAPER_COUNT; ++i) {
        char path[MAX_PATH + 16];
        snprintf(path, sizeof path, WALLPAPER_NAME_FORMAT, run.wallpaperDir, i);
        if (!writeBenchBitmap(path, WALLPAPER_WIDTH, WALLPAPER_HEIGHT, 24, i))
            return false;
    }
    return true;
}

// Ends any resident or editor left running, so that each start is a first one.
static void clearStage()
{
    const char* const classes[] = {RESIDENT_CLASS, EDITOR_CLASS};
    for (const char* name : classes) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            HWND window = FindWindowA(name, NULL);
            if (!window)
                break;
            DWORD id = 0;
            GetWindowThreadProcessId(window, &id);
            Child child = {OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id), id, window};
            endChild(&child, window);
        }
    }
}

static bool appendRows(const char* path, const BenchRun& run, size_t from)
{
    FILE* rows = fopen(path, "ab");
    if (!rows)
        return false;
    for (size_t i = from; i < run.figures.size(); ++i)
        fputs(tableRow(run.figures[i]).c_str(), rows);
    return fclose(rows) == 0;
}

// Writes a file of the bench folder afresh.
static bool writeBenchFile(const BenchRun& run, const char* name, const std::string& text)
{
    char path[MAX_PATH + 32];
    snprintf(path, sizeof path, "%s%s", run.benchDir, name);
    FILE* file = fopen(path, "wb");
    if (!file)
        return false;
    fputs(text.c_str(), file);
    return fclose(file) == 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    BenchRun run;
    parseArguments(commandLine, &run);
    findDirectories(&run);
    char rowsPath[MAX_PATH + 16];
    snprintf(rowsPath, sizeof rowsPath, "%srows.md", run.benchDir);
    DeleteFileA(rowsPath);
    writeBenchFile(run, "parts.md", "");
    writeBenchFile(run, "notes.md", "");
    printf("bench on %s: %d repeat(s)%s\n", run.arch, run.repeats, run.quick ? ", quick" : "");
    fflush(stdout);

    if (!writeWallpapers(run)) {
        printf("cannot write the wallpapers in %s\n", run.wallpaperDir);
        return 1;
    }
    clearStage();
    runMemoryPhase(run);
    fflush(stdout);
    runChangePhase(run);
    fflush(stdout);
    bool ok = appendRows(rowsPath, run, 0);
    // The preview bench appends its own rows in between.
    ok = runPreviewPhase(run, rowsPath) && ok;
    ok = runComposePhase(run, rowsPath) && ok;
    size_t later = run.figures.size();
    runStartPhase(run);
    runDiskPhase(run);
    addCallParts(run);
    ok = appendRows(rowsPath, run, later) && ok;

    std::string parts;
    for (const Figure& part : run.parts) {
        parts += partRow(part);
        ok = isMeasured(part) && ok;
    }
    ok = writeBenchFile(run, "parts.md", parts) && writeBenchFile(run, "notes.md", explainMisses(run)) && ok;
    for (const Figure& figure : run.figures)
        ok = isFilled(figure) && ok;
    printf("bench on %s: %s\n", run.arch, ok ? "every figure measured" : "some figures not measured");
    fflush(stdout);
    return ok ? 0 : 1;
}
