// The time of one change of wallpaper: the resident's own change path (read
// the settings, pick, record the placement, set the wallpaper, write the
// index) against the bare resident's platform call on the same files. Both
// run side by side and are asked in turns, with command 106 sent from here,
// so that both meet the same load; each value is the median of many changes.
// The settings calls of a change are timed as bare calls between turns.
#include "benchnames.h"
#include "benchrun.h"
#include "children.h"

#include <stdio.h>

#include <vector>

static const UINT CHANGE_TIMEOUT_MS = 30000;
// Changes made before the timing starts: the first ones load the platform's
// code and caches in every process involved.
static const int UNTIMED_CHANGES = 3;

// Milliseconds of one change, or 0 when the program did not answer.
static double timeOneChange(HWND window)
{
    DWORD_PTR result = 0;
    double start = nowMs();
    if (!SendMessageTimeoutA(window, WM_COMMAND, CHANGE_NOW_COMMAND, 0, SMTO_NORMAL, CHANGE_TIMEOUT_MS, &result))
        return 0;
    return nowMs() - start;
}

// The medians of the run's number of changes by each resident, in turns,
// and of the settings calls of such a change, timed as bare calls after each
// turn.
struct ChangeTimes {
    double ours, bare, calls;
};

static bool timeChanges(const BenchRun& run, bool successive, ChangeTimes* medians)
{
    Child real = {}, plain = {};
    bool ok = writeBenchSettings(run, successive) && writeCallsCopy(run) &&
              startResident(run, RESIDENT_REAL, successive, &real) &&
              startResident(run, RESIDENT_BARE, successive, &plain);
    for (int i = 0; ok && i < UNTIMED_CHANGES; ++i)
        ok = timeOneChange(real.window) > 0 && timeOneChange(plain.window) > 0;
    std::vector<double> realTimes, plainTimes, calls;
    for (int i = 0; ok && i < run.changesPerRepeat; ++i) {
        // Turns alternate, so that neither always follows the other's change.
        bool realFirst = i % 2 == 0;
        double first = timeOneChange(realFirst ? real.window : plain.window);
        double second = timeOneChange(realFirst ? plain.window : real.window);
        ok = first > 0 && second > 0;
        realTimes.push_back(realFirst ? first : second);
        plainTimes.push_back(realFirst ? second : first);
        char wallpaper[MAX_PATH + 16];
        snprintf(wallpaper, sizeof wallpaper, WALLPAPER_NAME_FORMAT, run.wallpaperDir, i % WALLPAPER_COUNT);
        calls.push_back(timeChangeCalls(successive, wallpaper));
    }
    if (!ok)
        printf("the %s changes were not timed\n", successive ? "successive" : "random");
    medians->ours = spreadOf(realTimes).median;
    medians->bare = spreadOf(plainTimes).median;
    medians->calls = spreadOf(calls).median;
    bool ended = endChild(&real, real.window);
    ended = endChild(&plain, plain.window) && ended;
    return ended && ok;
}

// The medians of changes from the folder by the real resident and by the
// bare one that walks it, in turns.
static bool timeFolderChanges(const BenchRun& run, ChangeTimes* medians)
{
    Child real = {}, plain = {};
    bool ok = writeBenchFolder(run) && writeFolderSettings(run) && startFolderResident(run, RESIDENT_REAL, &real) &&
              startFolderResident(run, RESIDENT_BARE, &plain);
    for (int i = 0; ok && i < UNTIMED_CHANGES; ++i)
        ok = timeOneChange(real.window) > 0 && timeOneChange(plain.window) > 0;
    std::vector<double> realTimes, plainTimes;
    // A walk of thousands of files takes far longer than a change of the
    // list: a tenth of the changes gives as steady a median.
    int changes = run.changesPerRepeat / 10 > 3 ? run.changesPerRepeat / 10 : 3;
    for (int i = 0; ok && i < changes; ++i) {
        bool realFirst = i % 2 == 0;
        double first = timeOneChange(realFirst ? real.window : plain.window);
        double second = timeOneChange(realFirst ? plain.window : real.window);
        ok = first > 0 && second > 0;
        realTimes.push_back(realFirst ? first : second);
        plainTimes.push_back(realFirst ? second : first);
    }
    if (!ok)
        printf("the changes from a folder were not timed\n");
    medians->ours = spreadOf(realTimes).median;
    medians->bare = spreadOf(plainTimes).median;
    medians->calls = 0;
    bool ended = endChild(&real, real.window);
    ended = endChild(&plain, plain.window) && ended;
    return ended && ok;
}

void runChangePhase(BenchRun& run)
{
    char name[96];
    snprintf(name, sizeof name, "One change, successive (median of %d)", run.changesPerRepeat);
    Figure successive = newFigure(run, name, UNIT_MILLISECONDS, 1.1);
    snprintf(name, sizeof name, "One change, random (median of %d)", run.changesPerRepeat);
    Figure random = newFigure(run, name, UNIT_MILLISECONDS, 1.1);
    snprintf(name, sizeof name, "One change from a folder of %d pictures, against a bare walk of it",
             run.folderPictures);
    Figure folder = newFigure(run, name, UNIT_MILLISECONDS, 1.3);

    bool ok = true;
    for (int repeat = 0; ok && repeat < run.repeats; ++repeat) {
        ChangeTimes times[2];
        for (int mode = 0; ok && mode < 2; ++mode) {
            bool inOrder = mode == 0;
            ok = timeChanges(run, inOrder, &times[mode]);
            if (!ok)
                break;
            printf("change, %s, repeat %d: %.3f ms against %.3f ms; its settings calls %.3f ms\n",
                   inOrder ? "successive" : "random", repeat + 1, times[mode].ours, times[mode].bare,
                   times[mode].calls);
            Figure& figure = inOrder ? successive : random;
            figure.ours.push_back(times[mode].ours);
            figure.bare.push_back(times[mode].bare);
        }
        if (!ok)
            break;
        run.callMedians[CALLS_SUCCESSIVE_CHANGE].push_back(times[0].calls);
        run.callMedians[CALLS_RANDOM_CHANGE].push_back(times[1].calls);
        ChangeTimes fromFolder;
        ok = timeFolderChanges(run, &fromFolder);
        if (!ok)
            break;
        printf("change from a folder, repeat %d: %.3f ms against %.3f ms\n", repeat + 1, fromFolder.ours,
               fromFolder.bare);
        folder.ours.push_back(fromFolder.ours);
        folder.bare.push_back(fromFolder.bare);
    }
    run.figures.push_back(successive);
    run.figures.push_back(random);
    run.figures.push_back(folder);
}
