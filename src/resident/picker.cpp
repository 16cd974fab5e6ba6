#include "picker.h"

#include "launcher.h"
#include "random31.h"
#include "residentstate.h"
#include "settings.h"
#include "settingsboxes.h"
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

// Reads an entry into a screen entry; false when it is missing.
static bool readScreenEntry(int index, ScreenEntry* entry)
{
    if (!readEntryPath(index, entry->path))
        return false;
    entry->mode = readEntryInt(index, ENTRY_TYPE, DEFAULT_POSITION);
    // The origin is kept as 16-bit values: only the low half of each stored
    // number reaches the desktop.
    entry->x = static_cast<uint16_t>(readEntryInt(index, ENTRY_XPOS, 0));
    entry->y = static_cast<uint16_t>(readEntryInt(index, ENTRY_YPOS, 0));
    return true;
}

// Reads the entries of one change, with the generator already seeded: the
// next ones in list order, wrapping at the end, or each drawn at random.
// Returns how many it read (0 for an empty list); *last is the index of the
// last one.
static int readChosenEntries(int wanted, ScreenEntry* entries, int* last)
{
    int index = 0;
    for (int i = 1; i <= WARM_UP_DRAWS; ++i)
        index = drawRandom31() % i;
    int warmUpIndex = index;

    bool successive = readSettingInt(SECTION_CONFIG, KEY_SUCCESSIVE, DEFAULT_SUCCESSIVE) == 1;
    int count = 0;
    if (successive) {
        index = readSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX, DEFAULT_BITMAP_INDEX);
    } else {
        count = countEntries(RANDOM_SCAN_LIMIT);
        index = pickRandomEntry(count, warmUpIndex);
    }
    for (int read = 0; read < wanted; ++read) {
        if (read > 0) {
            // Unsigned arithmetic: a hand-written key "2147483647_wall"
            // must not overflow the next index.
            index = successive ? static_cast<int>(static_cast<unsigned>(*last) + 1u)
                               : pickRandomEntry(count, warmUpIndex);
        }
        // An index past the end of the list starts the walk again at the top.
        if (!readScreenEntry(index, &entries[read])) {
            index = 0;
            if (!readScreenEntry(index, &entries[read]))
                return read;
        }
        *last = index;
    }
    return wanted;
}

static void rememberLastChange(const ScreenEntry* entries, int count)
{
    memcpy(lastEntries, entries, sizeof entries[0] * count);
    lastEntryCount = count;
}

// The change itself, with the generator already seeded. Whether the file
// can be read is asked before and after the reads: whatever they gave while
// it could not be is the defaults, not the list.
static ChangeOutcome changeWithSeededGenerator(HWND window)
{
    DisplaySetup setup;
    if (!settingsReadable())
        return CHANGE_UNREADABLE;
    readDisplaySetup(&setup);
    ScreenEntry entries[MONITOR_LIMIT];
    int last = 0;
    int count = readChosenEntries(entriesWanted(setup), entries, &last);
    if (!settingsReadable())
        return CHANGE_UNREADABLE;
    if (count == 0) {
        openEditor(window);
        return CHANGE_NO_ENTRY;
    }

    Installed installed = applyEntries(setup, entries, count);
    // Kept for a change of the monitors, which composes them again.
    rememberLastChange(entries, count);
    lastChangeComposed = installed.composed;

    // Unsigned arithmetic: a hand-written key "2147483647_wall" must not
    // overflow the next index.
    if (!writeSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX, static_cast<int>(static_cast<unsigned>(last) + 1u)))
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
    displayChangePending = false;
    ++changesInProgress;
    DisplaySetup setup;
    readDisplaySetup(&setup);
    // A wallpaper the desktop shows as it is follows the display by itself;
    // only a composed one is made again (or one that now must be).
    if (lastChangeComposed || entriesNeedComposing(setup, lastEntries, lastEntryCount))
        lastChangeComposed = applyEntries(setup, lastEntries, lastEntryCount).composed;
    --changesInProgress;
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

void changeWallpaperOnRequest(HWND window)
{
    if (changeWallpaper(window) == CHANGE_UNREADABLE)
        tellSettingsUnreadable();
}
