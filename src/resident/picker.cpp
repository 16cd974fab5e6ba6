#include "picker.h"

#include "changehistory.h"
#include "deferral.h"
#include "folderchoice.h"
#include "folderorder.h"
#include "launcher.h"
#include "monitors.h"
#include "oldshell.h"
#include "random31.h"
#include "residentstate.h"
#include "settings.h"
#include "settingsboxes.h"
#include "shuffle.h"
#include "tray.h"
#include "skipset.h"
#include "settingsgroup.h"
#include "pathtext.h"
#include "wallpaper.h"
#include "wallpaperfile.h"

#include <stdint.h>
#include <string.h>

// Draws that advance the generator before any choice; the last one leaves an
// index of 0..28.
static const int WARM_UP_DRAWS = 29;

static const int DEFAULT_SUCCESSIVE = 1;
static const int DEFAULT_BITMAP_INDEX = 0;
static const int DEFAULT_POSITION = POSITION_CENTER;

// Random mode: an entry among those counted from "000", or the warm-up's
// index when all RANDOM_SCAN_LIMIT keys are present.
static int pickRandomEntry(int count, int warmUpIndex)
{
    if (count == RANDOM_SCAN_LIMIT)
        return warmUpIndex;
    if (count == 0)
        return 0;
    return drawRandom31() % count;
}

// What one change reads: its two sections of numbers, the list, the order,
// and the rounds of the fair random order.
struct Reading {
    SettingsGroup settings;
    SettingsGroup folderStates;  // section "Folders", read only for a list with folders
    bool withFolders;
    SkipSet skip;                // pictures no change shows
    bool successive;
    bool shuffled;
    int count;          // entries from "000" on; random order only
    EntryRound round;   // shuffled only
    FolderChoice folders;
};

enum EntryRead { ENTRY_MISSING, ENTRY_READ, ENTRY_SKIPPED };

// Reads an entry into a screen entry, a folder's entry as one of its
// pictures (a folder without any keeps its path, which the installing
// tells). A picture no change shows is read as skipped. The old shell shows
// bitmaps only: a folder stays a path it cannot show.
static EntryRead readScreenEntry(Reading* reading, int index, ScreenEntry* entry)
{
    char path[PATH_BUFFER];
    if (!snapshotEntryPath(reading->settings.list, index, path))
        return ENTRY_MISSING;
    if (!pathFromAnsi(path, entry->path, sizeof entry->path))
        entry->path[0] = '\0';
    entry->mode = snapshotEntryInt(reading->settings.list, index, ENTRY_TYPE, DEFAULT_POSITION);
    // The origin is kept as 16-bit values: only the low half of each stored
    // number reaches the desktop.
    entry->x = static_cast<uint16_t>(snapshotEntryInt(reading->settings.list, index, ENTRY_XPOS, 0));
    entry->y = static_cast<uint16_t>(snapshotEntryInt(reading->settings.list, index, ENTRY_YPOS, 0));
    if (isFolderEntry(path) && !isOldShell)
        choosePictureOfFolder(&reading->folders, reading->withFolders ? &reading->folderStates.folders : NULL,
                              reading->settings.list, index, path, entry);
    else if (isSkipped(reading->skip, entry->path))
        return ENTRY_SKIPPED;
    return ENTRY_READ;
}

// Whether any entry of the list names a folder.
static bool listNamesAFolder(const ListSnapshot& list)
{
    char path[PATH_BUFFER];
    for (int i = 0; i < RANDOM_SCAN_LIMIT && snapshotEntryPath(list, i, path); ++i)
        if (isFolderEntry(path))
            return true;
    return false;
}

// The list's fingerprint: a round of another list starts again.
static uint32_t listFingerprint(const ListSnapshot& list, int count)
{
    uint32_t fingerprint = FINGERPRINT_START;
    char path[PATH_BUFFER];
    for (int i = 0; i < count; ++i) {
        snapshotEntryPath(list, i, path);
        fingerprint = addToFingerprint(fingerprint, path, strlen(path));
    }
    return fingerprint;
}

static void beginReading(Reading* reading)
{
    reading->successive = sectionSettingInt(reading->settings.config, KEY_SUCCESSIVE, DEFAULT_SUCCESSIVE) == 1;
    reading->shuffled = !reading->successive && sectionSettingInt(reading->settings.display, KEY_SHUFFLE, 0) != 0;
    reading->count = reading->successive ? 0 : snapshotCount(reading->settings.list, RANDOM_SCAN_LIMIT);
    if (reading->shuffled) {
        char text[ENTRY_ROUND_TEXT];
        unsigned length = sectionSettingText(reading->settings.display, KEY_SHUFFLE_ROUND, text, sizeof text);
        parseEntryRound(text, length, reading->count, listFingerprint(reading->settings.list, reading->count),
                        &reading->round);
    }
    FolderOrder order = reading->successive ? FOLDER_IN_ORDER : reading->shuffled ? FOLDER_SHUFFLED : FOLDER_AT_RANDOM;
    beginFolderChoice(&reading->folders, order, sectionSettingInt(reading->settings.display, KEY_SUBFOLDERS, 1) != 0,
                      reading->withFolders ? &reading->folderStates.folders : NULL, reading->settings.list,
                      &reading->skip);
}

// The next random entry: drawn afresh, or the next of the entries' round.
static int drawEntry(Reading* reading, int warmUpIndex)
{
    if (reading->shuffled && reading->count > 0)
        return drawFromEntryRound(&reading->round, reading->count, static_cast<uint32_t>(drawRandom31()));
    return pickRandomEntry(reading->count, warmUpIndex);
}

// Reads the entries of one change, with the generator already seeded: the
// next ones in list order, wrapping at the end, or each drawn at random.
// Returns how many it read (0 for an empty list); *last is the index of the
// last one.
static int readChosenEntries(Reading* reading, int wanted, ScreenEntry* entries, int* last)
{
    int index = 0;
    for (int i = 1; i <= WARM_UP_DRAWS; ++i)
        index = drawRandom31() % i;
    int warmUpIndex = index;

    if (reading->successive)
        index = sectionSettingInt(reading->settings.config, KEY_BITMAP_INDEX, DEFAULT_BITMAP_INDEX);
    else
        index = drawEntry(reading, warmUpIndex);
    for (int read = 0; read < wanted; ++read) {
        if (read > 0) {
            // Unsigned arithmetic: a hand-written key "2147483647_wall"
            // must not overflow the next index.
            index = reading->successive ? static_cast<int>(static_cast<unsigned>(*last) + 1u)
                                        : drawEntry(reading, warmUpIndex);
        }
        // A picture no change shows is passed over: in list order for the
        // entry after it, at random for another draw (in a round it counts
        // as shown). A list of nothing else keeps one, which cannot be shown.
        for (int tries = 0;; ++tries) {
            EntryRead got = readScreenEntry(reading, index, &entries[read]);
            // An index past the end of the list starts the walk again at the top.
            if (got == ENTRY_MISSING) {
                index = 0;
                got = readScreenEntry(reading, index, &entries[read]);
                if (got == ENTRY_MISSING)
                    return read;
            }
            if (got == ENTRY_READ)
                break;
            if (tries == RANDOM_SCAN_LIMIT) {
                lstrcpynA(entries[read].path, NO_PICTURE_PATH, sizeof entries[read].path);
                break;
            }
            index = reading->successive ? static_cast<int>(static_cast<unsigned>(index) + 1u)
                                        : drawEntry(reading, warmUpIndex);
        }
        *last = index;
    }
    return wanted;
}

// Writes where the list and its folders stand after the change; false when a
// write was refused.
static bool saveReading(Reading* reading, int last)
{
    bool written = endFolderChoice(&reading->folders, true);
    if (reading->shuffled && reading->count > 0) {
        char text[ENTRY_ROUND_TEXT];
        formatEntryRound(reading->round, reading->count, text);
        written = writeSettingText(SECTION_DISPLAY, KEY_SHUFFLE_ROUND, text) && written;
    }
    // Unsigned arithmetic: a hand-written key "2147483647_wall" must not
    // overflow the next index.
    return writeSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX, static_cast<int>(static_cast<unsigned>(last) + 1u)) &&
           written;
}

// Waited for before a list that read as empty, from a file that is not,
// is read again: the editor may have been writing it at that moment.
const DWORD EMPTY_READ_WAIT_MS = 250;

ReadSettingsProc readChangeSettings = readSettingsGroup;

// Reads what one change reads and chooses its entries, with the generator
// already seeded; false when the file could not be read. The list is read
// in one read of its section.
static bool readChange(Reading* reading, DisplaySetup* setup, ScreenEntry* entries, int* count, int* last)
{
    if (!readChangeSettings(&reading->settings, SETTINGS_CONFIG | SETTINGS_DISPLAY | SETTINGS_LIST | SETTINGS_SKIP))
        return false;
    // The folders' places: a list without folders does without the read.
    reading->withFolders = !isOldShell && listNamesAFolder(reading->settings.list);
    if (reading->withFolders && !readSettingsGroup(&reading->folderStates, SETTINGS_FOLDERS)) {
        freeSettingsGroup(&reading->settings);
        return false;
    }
    setup->option = monitorsOption(sectionSettingInt(reading->settings.display, KEY_MONITORS, MONITORS_SAME));
    setup->fit = fitOption(sectionSettingInt(reading->settings.display, KEY_FIT, FIT_CENTER));
    // A Skip section too large to hold in memory skips nothing.
    const SectionSettings& skip = reading->settings.skip;
    reading->skip.keys = NULL;
    reading->skip.count = 0;
    if (skip.block)
        readSkipSet(skip.block, skip.length, &reading->skip);
    beginReading(reading);
    *count = readChosenEntries(reading, entriesWanted(*setup), entries, last);
    freeSkipSet(&reading->skip);
    freeSettingsGroup(&reading->settings);
    if (reading->withFolders)
        freeSettingsGroup(&reading->folderStates);
    return true;
}

// Where the last change was installed, and how.
static void rememberLastChange(const ScreenEntry* entries, int count, const Installed& installed)
{
    if (entries != lastEntries)
        memcpy(lastEntries, entries, sizeof entries[0] * count);
    lastEntryCount = count;
    lastChangeComposed = installed.composed;
    lastCompositeShowsColour = installed.showsDesktopColour;
    lastCompositeColour = GetSysColor(COLOR_DESKTOP);
    lstrcpynA(lastWallpaper, installed.wallpaper, MAX_PATH);
}

Installed installEntries(const DisplaySetup& setup, const ScreenEntry* entries, int count, bool newChange)
{
    Installed installed = applyEntries(setup, entries, count);
    // What the platform refused changed nothing: the desktop shows what it
    // showed, and that stays the last change.
    if (!installed.wallpaper[0])
        return installed;
    // Kept for a change of the monitors, which composes them again.
    rememberLastChange(entries, count, installed);
    if (newChange)
        recordNewChange(setup, entries, count);
    if (!writeNowShown(entries, count))
        tellSettingsNotSaved();
    refreshTrayTip();
    return installed;
}

// The change itself, with the generator already seeded.
static ChangeOutcome changeWithSeededGenerator(HWND window)
{
    Reading reading;
    DisplaySetup setup;
    measureMonitorsCall(&setup.monitors);
    ScreenEntry entries[MONITOR_LIMIT];
    int last = 0;
    int count = 0;
    for (int attempt = 0;; ++attempt) {
        if (!readChange(&reading, &setup, entries, &count, &last))
            return CHANGE_UNREADABLE;
        // A list that reads empty from a file that is not is read once more
        // after a moment (the editor may have been writing it): only a
        // second empty read opens the editor.
        if (count > 0 || attempt > 0 || !settingsFileHasText())
            break;
        endFolderChoice(&reading.folders, false);
        Sleep(EMPTY_READ_WAIT_MS);
    }
    if (count == 0) {
        endFolderChoice(&reading.folders, false);
        openEditor(window);
        return CHANGE_NO_ENTRY;
    }

    installEntries(setup, entries, count, true);
    if (!saveReading(&reading, last))
        tellSettingsNotSaved();
    return CHANGE_MADE;
}

void composeLastChangeAgain()
{
    if (lastEntryCount == 0)
        return;
    // Inside the box of a change the new display waits until the change has
    // ended: a second box would open inside the first.
    if (changesInProgress > 0) {
        displayChangePending = true;
        return;
    }
    if (!lastChangeStillShown()) {
        displayChangePending = false;
        return;
    }
    // A game switching the display's mode, a presentation: composing waits
    // as a timed change does, and is looked at again at the next tick.
    if (timedChangeMustWait() != WAIT_NONE) {
        displayChangePending = true;
        return;
    }
    displayChangePending = false;
    ++changesInProgress;
    DisplaySetup setup;
    readDisplaySetup(&setup);
    // A wallpaper the desktop shows as it is follows the display by itself;
    // only a composed one is made again (or one that now must be).
    if (lastChangeComposed || entriesNeedComposing(setup, lastEntries, lastEntryCount)) {
        Installed installed = applyEntries(setup, lastEntries, lastEntryCount);
        if (installed.wallpaper[0])
            rememberLastChange(lastEntries, lastEntryCount, installed);
    }
    --changesInProgress;
}

void composeForDesktopColour()
{
    if (lastChangeComposed && lastCompositeShowsColour && GetSysColor(COLOR_DESKTOP) != lastCompositeColour)
        composeLastChangeAgain();
}

// Ends a change: a display change that came while it ran is taken now.
static ChangeOutcome endChange(ChangeOutcome outcome)
{
    --changesInProgress;
    if (changesInProgress == 0 && displayChangePending)
        composeLastChangeAgain();
    return outcome;
}

// The count lets the minute tick see that a change, or the box it shows, is
// still running further up the stack.
ChangeOutcome changeWallpaper(HWND window)
{
    ++changesInProgress;
    seedRandom31FromClock();
    return endChange(changeWithSeededGenerator(window));
}

ChangeOutcome changeWallpaperSeeded(HWND window, uint32_t seedSeconds)
{
    ++changesInProgress;
    seedRandom31(seedSeconds);
    return endChange(changeWithSeededGenerator(window));
}

// Shows the change before the one shown (step -1) or after it (+1); the
// list does not move.
static bool showChangeOfHistory(int step)
{
    static ScreenEntry entries[MONITOR_LIMIT];
    DisplaySetup setup;
    int count = 0;
    if (!changeOfHistory(step, &setup, entries, &count))
        return false;
    installEntries(setup, entries, count, false);
    return true;
}

void changeWallpaperOnRequest(HWND window, bool forwardFirst)
{
    // After going back through the history, a change asked for goes
    // forward again first.
    bool shown = false;
    if (forwardFirst && canShowChangeOfHistory(+1)) {
        ++changesInProgress;
        shown = showChangeOfHistory(+1);
        endChange(CHANGE_MADE);
    }
    if (!shown && changeWallpaper(window) == CHANGE_UNREADABLE) {
        tellSettingsUnreadable();
        return;
    }
    // The user's own change is the one a waiting change was to bring: it
    // does not come again afterwards, and the period counts from here.
    if (changeDeferred) {
        releaseChange();
        minuteCounter = 0;
    }
}

void showPreviousChange()
{
    ++changesInProgress;
    showChangeOfHistory(-1);
    endChange(CHANGE_MADE);
}
