// Memory held by the resident after its start and after many timed changes,
// against the bare resident doing the same changes. A part runs with them:
// the bare resident with the real one's class menu and icons. All run side by
// side and get their ticks in the same batches. The changes are counted by the
// broadcast every wallpaper change sends to all top-level windows, so both
// programs are watched in the same way.
#include "benchnames.h"
#include "benchrun.h"
#include "children.h"

#include <stdio.h>

static const char COUNTER_CLASS[] = "BENCH-CHANGE-COUNTER";
// Ticks are posted in batches of this many changes, so the queues stay short.
static const int CHANGES_PER_BATCH = 50;
static const DWORD BATCH_TIMEOUT_MS = 120000;

static volatile LONG wallpaperChanges = 0;

static LRESULT CALLBACK counterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE && wParam == SPI_SETDESKWALLPAPER) {
        ++wallpaperChanges;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Posts every resident the ticks of count changes and waits until the
// broadcasts of all of them arrived: none can make more than its own.
static bool makeTimedChanges(Child* residents, int count)
{
    wallpaperChanges = 0;
    HANDLE processes[RESIDENT_KINDS];
    for (int r = 0; r < RESIDENT_KINDS; ++r)
        processes[r] = residents[r].process;
    for (int done = 0; done < count;) {
        int batch = count - done < CHANGES_PER_BATCH ? count - done : CHANGES_PER_BATCH;
        for (int i = 0; i < batch * static_cast<int>(TICKS_PER_CHANGE); ++i)
            for (int r = 0; r < RESIDENT_KINDS; ++r)
                PostMessageA(residents[r].window, WM_TIMER, MINUTE_TIMER_ID, 0);
        done += batch;
        DWORD start = GetTickCount();
        while (wallpaperChanges < RESIDENT_KINDS * done) {
            if (GetTickCount() - start > BATCH_TIMEOUT_MS) {
                printf("only %ld of %d timed changes arrived\n", static_cast<long>(wallpaperChanges),
                       RESIDENT_KINDS * done);
                return false;
            }
            DWORD woken = MsgWaitForMultipleObjects(RESIDENT_KINDS, processes, FALSE, 100, QS_ALLINPUT);
            if (woken < WAIT_OBJECT_0 + RESIDENT_KINDS)
                return false;
            pumpMessages();
        }
    }
    return true;
}

// Private bytes and working set of each kind of resident.
struct MemoryReadings {
    double privateBytes[RESIDENT_KINDS];
    double workingSet[RESIDENT_KINDS];
};

static bool readAll(Child* residents, MemoryReadings* readings)
{
    bool ok = true;
    for (int r = 0; r < RESIDENT_KINDS; ++r)
        ok = waitUntilIdle(residents[r]) && readMemory(residents[r], &readings->privateBytes[r],
                                                       &readings->workingSet[r]) && ok;
    return ok;
}

static bool measureRepeat(const BenchRun& run, MemoryReadings* afterStart, MemoryReadings* afterChanges)
{
    Child residents[RESIDENT_KINDS] = {};
    bool ok = writeBenchSettings(run, true);
    for (int r = 0; ok && r < RESIDENT_KINDS; ++r)
        ok = startResident(run, static_cast<ResidentKind>(r), true, &residents[r]);
    ok = ok && readAll(residents, afterStart) && makeTimedChanges(residents, run.memoryChanges) &&
         readAll(residents, afterChanges);
    if (!ok)
        printf("the residents' memory was not measured\n");
    for (Child& resident : residents)
        ok = endChild(&resident, resident.window) && ok;
    return ok;
}

static void addReadings(const MemoryReadings& readings, Figure* privateBytes, Figure* workingSet, Figure* withMenu)
{
    privateBytes->ours.push_back(readings.privateBytes[RESIDENT_REAL]);
    privateBytes->bare.push_back(readings.privateBytes[RESIDENT_BARE]);
    workingSet->ours.push_back(readings.workingSet[RESIDENT_REAL]);
    workingSet->bare.push_back(readings.workingSet[RESIDENT_BARE]);
    withMenu->ours.push_back(readings.privateBytes[RESIDENT_BARE_WITH_MENU]);
}

void runMemoryPhase(BenchRun& run)
{
    char afterChanges[96];
    snprintf(afterChanges, sizeof afterChanges, "after %d timed changes", run.memoryChanges);
    Figure privateStart = newFigure(run, "Resident private bytes, after start", UNIT_BYTES, 1.05);
    Figure workingStart = newFigure(run, "Resident working set, after start", UNIT_BYTES, 1.05);
    Figure privateChanges = newFigure(run, (std::string("Resident private bytes, ") + afterChanges).c_str(),
                                      UNIT_BYTES, 1.05);
    Figure workingChanges = newFigure(run, (std::string("Resident working set, ") + afterChanges).c_str(),
                                      UNIT_BYTES, 1.05);
    Figure menuStart = newFigure(run, BARE_WITH_MENU_MEMORY ", after start", UNIT_BYTES, 0);
    Figure menuChanges = newFigure(run, (std::string(BARE_WITH_MENU_MEMORY ", ") + afterChanges).c_str(),
                                   UNIT_BYTES, 0);

    WNDCLASSA counterClass = {};
    counterClass.lpfnWndProc = counterProc;
    counterClass.hInstance = GetModuleHandleA(NULL);
    counterClass.lpszClassName = COUNTER_CLASS;
    RegisterClassA(&counterClass);
    // A hidden top-level window: the change broadcasts reach it.
    HWND counter = CreateWindowExA(0, COUNTER_CLASS, "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, counterClass.hInstance,
                                   NULL);

    for (int repeat = 0; counter && repeat < run.repeats; ++repeat) {
        MemoryReadings start, changed;
        if (!measureRepeat(run, &start, &changed))
            break;
        printf("memory, repeat %d: private %.0f / %.0f / %.0f KiB, then %.0f / %.0f / %.0f KiB\n", repeat + 1,
               start.privateBytes[0] / 1024, start.privateBytes[1] / 1024, start.privateBytes[2] / 1024,
               changed.privateBytes[0] / 1024, changed.privateBytes[1] / 1024, changed.privateBytes[2] / 1024);
        addReadings(start, &privateStart, &workingStart, &menuStart);
        addReadings(changed, &privateChanges, &workingChanges, &menuChanges);
    }
    if (counter)
        DestroyWindow(counter);
    pumpMessages();
    run.figures.push_back(privateStart);
    run.figures.push_back(workingStart);
    run.figures.push_back(privateChanges);
    run.figures.push_back(workingChanges);
    run.parts.push_back(menuStart);
    run.parts.push_back(menuChanges);
}
