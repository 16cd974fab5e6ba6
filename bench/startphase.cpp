// Start to ready, from the moment the process is created until what the user
// waits for is there: the resident's tray icon; the editor's dialog shown
// with its entries listed; the bare program's window shown. The editor is
// held against a bare window and, fairly, against the bare program that
// shows its dialog's template alone. Parts measured alongside: the bare
// resident (window and tray icon), the editor over an empty list, and the
// editor's settings reads as bare calls.
#include "benchnames.h"
#include "benchrun.h"
#include "children.h"

#include <stdio.h>

#include <vector>

static const DWORD READY_TIMEOUT_MS = 60000;
// Starts of each program per repeat in a full run; a repeat's value is their median.
static const int STARTS_PER_REPEAT = 3;

enum StartedProgram {
    START_RESIDENT,
    START_EDITOR,
    START_BARE_WINDOW,
    START_BARE_RESIDENT,
    START_EDITOR_EMPTY,
    START_BARE_DIALOG,
    START_PROGRAMS
};

static bool timeStart(const BenchRun& run, StartedProgram which, double* ms)
{
    char path[MAX_PATH];
    char arguments[MAX_PATH + 16] = "";
    ReadyCondition ready = {READY_SHOWN, BARE_WINDOW_CLASS, 0};
    int entries = WALLPAPER_COUNT;
    switch (which) {
    case START_RESIDENT:
        snprintf(path, sizeof path, "%svistrell.exe", run.programDir);
        ready.kind = READY_TRAY;
        ready.className = RESIDENT_CLASS;
        break;
    case START_EDITOR:
    case START_EDITOR_EMPTY:
        snprintf(path, sizeof path, "%svistedit.exe", run.programDir);
        entries = which == START_EDITOR ? WALLPAPER_COUNT : 0;
        ready.kind = READY_EDITOR;
        ready.listRows = entries;
        break;
    case START_BARE_DIALOG:
        snprintf(path, sizeof path, "%sbaredialog.exe", run.benchDir);
        ready.kind = READY_EDITOR;
        ready.listRows = 0;
        break;
    case START_BARE_RESIDENT:
        snprintf(path, sizeof path, "%sbareresident.exe", run.benchDir);
        snprintf(arguments, sizeof arguments, "successive %s", run.wallpaperDir);
        ready.kind = READY_TRAY;
        ready.className = BARE_RESIDENT_CLASS;
        break;
    default:
        snprintf(path, sizeof path, "%sbarewindow.exe", run.benchDir);
        break;
    }
    if (!writeBenchSettings(run, true, entries))
        return false;
    Child child;
    double start = nowMs();
    if (!startChild(path, arguments, &child))
        return false;
    bool ok = waitUntilReady(&child, ready, READY_TIMEOUT_MS);
    *ms = nowMs() - start;
    if (!ok)
        printf("%s did not become ready\n", path);
    // Idle before it is closed, so that closing never races its start.
    if (ok)
        waitUntilIdle(child);
    return endChild(&child, child.window) && ok;
}

void runStartPhase(BenchRun& run)
{
    Figure resident = newFigure(run, "Start to ready, vistrell.exe (tray icon added)", UNIT_MILLISECONDS, 1.5);
    Figure editor = newFigure(run, "Start to ready, vistedit.exe (dialog shown, 50 entries)", UNIT_MILLISECONDS, 0);
    Figure editorDialog = newFigure(run, EDITOR_AGAINST_DIALOG, UNIT_MILLISECONDS, 1.25);
    Figure bareResident = newFigure(run, BARE_RESIDENT_START, UNIT_MILLISECONDS, 0);
    Figure emptyEditor = newFigure(run, EMPTY_EDITOR_START, UNIT_MILLISECONDS, 0);
    int starts = run.quick ? 1 : STARTS_PER_REPEAT;
    bool ok = writeCallsCopy(run);
    for (int repeat = 0; ok && repeat < run.repeats; ++repeat) {
        std::vector<double> times[START_PROGRAMS];
        std::vector<double> reads;
        // Each round starts with another program, so that none always goes first.
        for (int round = 0; ok && round < starts; ++round) {
            for (int i = 0; ok && i < START_PROGRAMS; ++i) {
                StartedProgram which = static_cast<StartedProgram>((repeat * starts + round + i) % START_PROGRAMS);
                double ms = 0;
                ok = timeStart(run, which, &ms);
                times[which].push_back(ms);
                reads.push_back(timeEditorReads());
            }
        }
        if (!ok)
            break;
        double medians[START_PROGRAMS];
        for (int i = 0; i < START_PROGRAMS; ++i)
            medians[i] = spreadOf(times[i]).median;
        printf("start, repeat %d: vistrell %.0f ms, vistedit %.0f ms (empty list %.0f ms), bare window %.0f ms, "
               "bare dialog %.0f ms, bare resident %.0f ms\n",
               repeat + 1, medians[START_RESIDENT], medians[START_EDITOR], medians[START_EDITOR_EMPTY],
               medians[START_BARE_WINDOW], medians[START_BARE_DIALOG], medians[START_BARE_RESIDENT]);
        resident.ours.push_back(medians[START_RESIDENT]);
        resident.bare.push_back(medians[START_BARE_WINDOW]);
        editor.ours.push_back(medians[START_EDITOR]);
        editor.bare.push_back(medians[START_BARE_WINDOW]);
        editorDialog.ours.push_back(medians[START_EDITOR]);
        editorDialog.bare.push_back(medians[START_BARE_DIALOG]);
        bareResident.ours.push_back(medians[START_BARE_RESIDENT]);
        bareResident.bare.push_back(medians[START_BARE_WINDOW]);
        emptyEditor.ours.push_back(medians[START_EDITOR_EMPTY]);
        emptyEditor.bare.push_back(medians[START_BARE_DIALOG]);
        run.callMedians[CALLS_EDITOR_LOAD].push_back(spreadOf(reads).median);
    }
    run.figures.push_back(resident);
    run.figures.push_back(editor);
    run.figures.push_back(editorDialog);
    run.parts.push_back(bareResident);
    run.parts.push_back(emptyEditor);
}
