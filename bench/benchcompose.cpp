// The composer's figures: one, two and three monitors of 3840 x 2160 (made
// up, side by side), each with its own 24-bit picture of that size, composed
// into a wallpaper of the whole desktop, against a bare StretchDIBits of the
// same pixels into a bitmap of the desktop's size. And one picture of half
// that size filling all three monitors: decoded once for the three, against
// the same picture given to each monitor as an entry of its own, which
// decodes it once per monitor, as composing did before. Each side runs in a
// child process of its own, so that its peak memory is its own.
//
//   benchcompose.exe REPEATS ROWS                         measures, appends rows to ROWS
//   benchcompose.exe --ours|--bare|--once|--each N RESULT one run, "ms peak start" to RESULT
#include "benchnames.h"
#include "benchtime.h"
#include "bmpwriter.h"
#include "composer.h"
#include "figures.h"
#include "picturecache.h"

#include <windows.h>
#include <psapi.h>

#include <stdio.h>
#include <string.h>

#include <vector>

static const int SIDE_X = 3840;
static const int SIDE_Y = 2160;
static const int MOST_MONITORS = 3;
static const DWORD CHILD_TIMEOUT_MS = 10 * 60 * 1000;
// The memory target: beyond its decoded pictures, the composer may take this
// much for three monitors.
static const double BEYOND_TARGET = 16.0 * 1024 * 1024;

static void picturePath(int index, char* path)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH - 32, temp);
    snprintf(path, MAX_PATH, "%sbenchcompose%d.bmp", temp, index);
}

// The memory the process touches: its working set. Wine's private-bytes
// count leaves out large blocks and sections, where the composer's pixels
// live; the working set counts every page, the mapped pictures' included.
static SIZE_T memoryUsage(bool peak)
{
    PROCESS_MEMORY_COUNTERS counters;
    memset(&counters, 0, sizeof counters);
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

// The picture that fills every monitor, of half a monitor's size.
static const int SHARED_PICTURE = MOST_MONITORS;

enum ComposeRun { RUN_OURS, RUN_BARE, RUN_ONCE, RUN_EACH };

// The composer, as a change with a picture on each monitor runs it; or one
// picture filling every monitor, the same for all (RUN_ONCE) or given to
// each as an entry of its own (RUN_EACH).
static bool composeOurs(int monitors, ComposeRun run)
{
    MonitorSet set;
    set.count = monitors;
    ScreenEntry entries[MOST_MONITORS];
    for (int i = 0; i < monitors; ++i) {
        LayoutRect rect = {i * SIDE_X, 0, (i + 1) * SIDE_X, SIDE_Y};
        set.rects[i] = rect;
        memset(&entries[i], 0, sizeof entries[i]);
        picturePath(run == RUN_OURS ? i : SHARED_PICTURE, entries[i].path);
        entries[i].mode = 1;
    }
    // A composite left from before would be used again, unmade.
    removeOtherCacheFiles(NULL);
    Composed composed;
    bool made = composeWallpaper(set, entries, run == RUN_ONCE ? 1 : monitors,
                                 run == RUN_ONCE ? MONITORS_SAME : MONITORS_EACH,
                                 run == RUN_OURS ? FIT_CENTER : FIT_FILL, COMPOSITE_SPANNED, &composed) &&
                composed.unshown == 0;
    DeleteFileA(composed.path);
    return made;
}

// The bare way: each file read whole and stretched into a 24-bit bitmap of
// the whole desktop.
static bool composeBare(int monitors)
{
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = SIDE_X * monitors;
    info.bmiHeader.biHeight = -SIDE_Y;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    HDC memory = CreateCompatibleDC(NULL);
    void* bits = NULL;
    HBITMAP desktop = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!desktop)
        return false;
    HGDIOBJ replaced = SelectObject(memory, desktop);
    bool drawn = true;
    for (int i = 0; i < monitors && drawn; ++i) {
        char path[MAX_PATH];
        picturePath(i, path);
        HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        DWORD size = GetFileSize(file, NULL);
        std::vector<BYTE> bytes(size);
        DWORD read = 0;
        drawn = file != INVALID_HANDLE_VALUE && ReadFile(file, bytes.data(), size, &read, NULL) && read == size;
        CloseHandle(file);
        if (!drawn)
            break;
        const BITMAPFILEHEADER* header = reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data());
        const BITMAPINFO* picture = reinterpret_cast<const BITMAPINFO*>(bytes.data() + sizeof *header);
        drawn = StretchDIBits(memory, i * SIDE_X, 0, SIDE_X, SIDE_Y, 0, 0, SIDE_X, SIDE_Y,
                              bytes.data() + header->bfOffBits, picture, DIB_RGB_COLORS, SRCCOPY) != 0;
    }
    GdiFlush();
    SelectObject(memory, replaced);
    DeleteObject(desktop);
    DeleteDC(memory);
    return drawn;
}

static int runOne(ComposeRun run, int monitors, const char* resultPath)
{
    SIZE_T start = memoryUsage(false);
    double began = nowMs();
    bool done = run == RUN_BARE ? composeBare(monitors) : composeOurs(monitors, run);
    double ms = nowMs() - began;
    FILE* result = fopen(resultPath, "wb");
    if (!result || !done)
        return 1;
    fprintf(result, "%.3f %lu %lu\n", ms, static_cast<unsigned long>(memoryUsage(true)),
            static_cast<unsigned long>(start));
    fclose(result);
    return 0;
}

struct RunResult {
    double ms;
    double peak;
    double start;
};

static const char* const RUN_SWITCHES[] = {"--ours", "--bare", "--once", "--each"};

// Runs one side in a child process; false when it did not finish.
static bool runChild(ComposeRun run, int monitors, RunResult* result)
{
    char self[MAX_PATH], resultPath[MAX_PATH], command[3 * MAX_PATH];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH - 32, temp);
    snprintf(resultPath, sizeof resultPath, "%sbenchcompose-result.txt", temp);
    DeleteFileA(resultPath);
    snprintf(command, sizeof command, "\"%s\" %s %d %s", self, RUN_SWITCHES[run], monitors, resultPath);
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return false;
    bool ended = WaitForSingleObject(process.hProcess, CHILD_TIMEOUT_MS) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    FILE* file = fopen(resultPath, "rb");
    unsigned long peak = 0, start = 0;
    bool read = file && fscanf(file, "%lf %lu %lu", &result->ms, &peak, &start) == 3;
    if (file)
        fclose(file);
    result->peak = peak;
    result->start = start;
    return ended && read;
}

static Figure figure(const char* name, FigureUnit unit, double target, int repeats)
{
    Figure f;
    f.name = name;
    f.arch = BENCH_ARCH;
    f.unit = unit;
    f.target = target;
    f.repeats = static_cast<size_t>(repeats);
    return f;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    char mode[16], path[MAX_PATH];
    int number = 0;
    if (sscanf(commandLine, "%15s %d %259[^\r\n]", mode, &number, path) == 3 && mode[0] == '-') {
        for (int run = RUN_OURS; run <= RUN_EACH; ++run)
            if (strcmp(mode, RUN_SWITCHES[run]) == 0)
                return runOne(static_cast<ComposeRun>(run), number, path);
        return 2;
    }
    int repeats = 0;
    if (sscanf(commandLine, "%d %259[^\r\n]", &repeats, path) != 2 || repeats < 1)
        return 2;

    for (int i = 0; i <= SHARED_PICTURE; ++i) {
        char picture[MAX_PATH];
        picturePath(i, picture);
        bool half = i == SHARED_PICTURE;
        if (!writeBenchBitmap(picture, half ? SIDE_X / 2 : SIDE_X, half ? SIDE_Y / 2 : SIDE_Y, 24, 3 + i)) {
            printf("cannot write the pictures\n");
            return 1;
        }
    }
    std::vector<Figure> figures;
    Figure beyond = figure("Composer working set beyond the decoded pictures, 3 monitors (against 16 MiB)",
                           UNIT_BYTES, 1.0, repeats);
    for (int monitors = 1; monitors <= MOST_MONITORS; ++monitors) {
        char name[160];
        snprintf(name, sizeof name, "Compose %d monitor%s of 3840\xC3\x97" "2160, time", monitors,
                 monitors > 1 ? "s" : "");
        Figure time = figure(name, UNIT_MILLISECONDS, 0, repeats);
        snprintf(name, sizeof name, "Compose %d monitor%s of 3840\xC3\x97" "2160, peak working set", monitors,
                 monitors > 1 ? "s" : "");
        Figure peak = figure(name, UNIT_BYTES, 0, repeats);
        for (int repeat = 0; repeat < repeats; ++repeat) {
            RunResult ours = {0, 0, 0}, bare = {0, 0, 0};
            // Taking turns, so that neither always finds the files cached.
            bool oursFirst = repeat % 2 == 0;
            bool ran = runChild(oursFirst ? RUN_OURS : RUN_BARE, monitors, oursFirst ? &ours : &bare) &&
                       runChild(oursFirst ? RUN_BARE : RUN_OURS, monitors, oursFirst ? &bare : &ours);
            printf("%d monitor(s), repeat %d: %.0f ms, peak %.0f KiB (from %.0f KiB) against %.0f ms, %.0f KiB\n",
                   monitors, repeat + 1, ours.ms, ours.peak / 1024, ours.start / 1024, bare.ms, bare.peak / 1024);
            time.ours.push_back(ran ? ours.ms : 0);
            time.bare.push_back(ran ? bare.ms : 0);
            peak.ours.push_back(ran ? ours.peak : 0);
            peak.bare.push_back(ran ? bare.peak : 0);
            if (monitors == MOST_MONITORS) {
                // Decoded pictures: a 32-bit picture of each monitor's size.
                // Pages of the mapped files that stay in the working set
                // count as beyond: the figure can only come out too high.
                double decoded = double(monitors) * SIDE_X * SIDE_Y * 4;
                double extra = ours.peak - ours.start - decoded;
                beyond.ours.push_back(ran ? (extra > 1 ? extra : 1) : 0);
                beyond.bare.push_back(BEYOND_TARGET);
            }
        }
        figures.push_back(time);
        figures.push_back(peak);
    }
    figures.push_back(beyond);
    Figure sharedTime = figure("One picture filling 3 monitors of 3840\xC3\x97" "2160, decoded once (against once per "
                               "monitor), time",
                               UNIT_MILLISECONDS, 0, repeats);
    Figure sharedPeak = figure("One picture filling 3 monitors of 3840\xC3\x97" "2160, decoded once (against once per "
                               "monitor), peak working set",
                               UNIT_BYTES, 0, repeats);
    for (int repeat = 0; repeat < repeats; ++repeat) {
        RunResult once = {0, 0, 0}, each = {0, 0, 0};
        bool onceFirst = repeat % 2 == 0;
        bool ran = runChild(onceFirst ? RUN_ONCE : RUN_EACH, MOST_MONITORS, onceFirst ? &once : &each) &&
                   runChild(onceFirst ? RUN_EACH : RUN_ONCE, MOST_MONITORS, onceFirst ? &each : &once);
        printf("one picture, repeat %d: %.0f ms, peak %.0f KiB against %.0f ms, %.0f KiB\n", repeat + 1, once.ms,
               once.peak / 1024, each.ms, each.peak / 1024);
        sharedTime.ours.push_back(ran ? once.ms : 0);
        sharedTime.bare.push_back(ran ? each.ms : 0);
        sharedPeak.ours.push_back(ran ? once.peak : 0);
        sharedPeak.bare.push_back(ran ? each.peak : 0);
    }
    figures.push_back(sharedTime);
    figures.push_back(sharedPeak);
    for (int i = 0; i <= SHARED_PICTURE; ++i) {
        char picture[MAX_PATH];
        picturePath(i, picture);
        DeleteFileA(picture);
    }
    FILE* rows = fopen(path, "ab");
    if (!rows)
        return 1;
    bool filled = true;
    for (const Figure& f : figures) {
        fputs(tableRow(f).c_str(), rows);
        filled = filled && isFilled(f);
    }
    fclose(rows);
    return filled ? 0 : 1;
}
