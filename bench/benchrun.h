// The state of one bench run of the driver: its settings, the places it
// works in, and the figures measured so far.
#ifndef VISTRELL_BENCH_BENCHRUN_H
#define VISTRELL_BENCH_BENCHRUN_H

#include "benchnames.h"
#include "children.h"
#include "figures.h"

#include <windows.h>

#include <vector>

// Sequences of bare settings calls that the programs' paths make.
enum CallSequence { CALLS_SUCCESSIVE_CHANGE, CALLS_RANDOM_CHANGE, CALLS_EDITOR_LOAD, CALL_SEQUENCES };

struct BenchRun {
    bool quick;             // one repeat of a few samples: a smoke run
    int repeats;            // values per figure
    int changesPerRepeat;   // timed changes of the change figures
    int memoryChanges;      // timed changes before the second memory reading
    const char* arch;
    char programDir[MAX_PATH];    // vistrell.exe and vistedit.exe, with a trailing backslash
    char benchDir[MAX_PATH];      // the bench programs
    char wallpaperDir[MAX_PATH];  // the wallpapers the changes go through
    char folderDir[MAX_PATH];     // the folder of many pictures, with its backslash
    int folderPictures;           // how many it holds
    std::vector<Figure> figures;
    // Parts of the figures, measured to show where their time goes; only
    // their own values (ours) count.
    std::vector<Figure> parts;
    // Per call sequence, one median of its timings per repeat.
    std::vector<double> callMedians[CALL_SEQUENCES];
};

// A figure of this run's architecture, without values yet.
Figure newFigure(const BenchRun& run, const char* name, FigureUnit unit, double target);

// Writes the settings file (or another file of the Windows directory) afresh: a
// list of the first entries wallpapers, in the given order, with no change
// at start and a change every fifth tick.
bool writeBenchSettings(const BenchRun& run, bool successive, int entries = WALLPAPER_COUNT,
                        const char* fileName = SETTINGS_FILE);

// The names of parts, by which the explanations find them.
#define BARE_RESIDENT_START "Start to ready, bare resident (window and tray icon)"
#define EMPTY_EDITOR_START "Start to ready, vistedit.exe with an empty list, against the bare dialog"
#define EDITOR_AGAINST_DIALOG "Start to ready, vistedit.exe (50 entries), against the bare settings dialog"
#define BARE_WITH_MENU_MEMORY "Private bytes of the bare resident with the real one's menu and icons"

// The call sequences, timed in milliseconds as bare calls on a copy of the
// settings file that writeCallsCopy makes. A change's calls are made around
// a bare wallpaper call (not counted) to the file wallpaper.
const char* callsName(CallSequence sequence);
bool writeCallsCopy(const BenchRun& run);
double timeChangeCalls(bool successive, const char* wallpaper);
double timeEditorReads();

// The residents: the real one, the bare one, and the bare one with the real
// one's class menu, class icon and tray icon.
enum ResidentKind { RESIDENT_REAL, RESIDENT_BARE, RESIDENT_BARE_WITH_MENU, RESIDENT_KINDS };

// Starts a resident over the wallpapers and waits until its tray icon is
// there and it sits in its message loop. The settings file must be written
// first.
bool startResident(const BenchRun& run, ResidentKind kind, bool successive, Child* child);

// The folder of folderPictures small pictures, written once; and a settings
// file whose list is that folder alone, in list order. The bare resident
// started over the folder walks it at each change and takes its next file.
bool writeBenchFolder(const BenchRun& run);
bool writeFolderSettings(const BenchRun& run);
bool startFolderResident(const BenchRun& run, ResidentKind kind, Child* child);

// The phases, each appending its figures to run.figures.
void runMemoryPhase(BenchRun& run);
void runChangePhase(BenchRun& run);
void runStartPhase(BenchRun& run);
void runDiskPhase(BenchRun& run);
// The parts made of the call sequences' medians.
void addCallParts(BenchRun& run);
// Runs the preview bench program; its rows go to the file rowsPath.
bool runPreviewPhase(const BenchRun& run, const char* rowsPath);
bool runComposePhase(const BenchRun& run, const char* rowsPath);

// For each figure that misses its target, a line on where its time goes, from
// the parts of this run; empty when every target is met.
std::string explainMisses(const BenchRun& run);

#endif
