#include "picker.h"

#include "launcher.h"
#include "random31.h"
#include "residentstate.h"
#include "settings.h"
#include "settingsboxes.h"
#include "wallpaper.h"
#include "wallpaperfile.h"

#include <stdint.h>

// Draws that advance the generator before any choice; the last one leaves an
// index of 0..28.
static const int WARM_UP_DRAWS = 29;

static const int DEFAULT_SUCCESSIVE = 1;
static const int DEFAULT_BITMAP_INDEX = 0;
static const int DEFAULT_POSITION = POSITION_CENTER;

// The entry one change installs, as read from the settings file.
struct ChosenEntry {
    int index;
    char path[PATH_BUFFER];
    int type;
    uint16_t x;
    uint16_t y;
};

// Random mode: an entry among those counted from "000", or the warm-up's
// index when all RANDOM_SCAN_LIMIT keys are present.
static int pickRandomEntry(int warmUpIndex)
{
    int count = countEntries(RANDOM_SCAN_LIMIT);
    if (count == RANDOM_SCAN_LIMIT)
        return warmUpIndex;
    if (count == 0)
        return 0;
    return drawRandom31() % count;
}

// Reads everything the change needs, with the generator already seeded;
// false when the list has no entry at all.
static bool readChosenEntry(ChosenEntry* chosen)
{
    int index = 0;
    for (int i = 1; i <= WARM_UP_DRAWS; ++i)
        index = drawRandom31() % i;

    if (readSettingInt(SECTION_CONFIG, KEY_SUCCESSIVE, DEFAULT_SUCCESSIVE) == 1)
        index = readSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX, DEFAULT_BITMAP_INDEX);
    else
        index = pickRandomEntry(index);

    // An index past the end of the list starts the walk again at the top.
    if (!readEntryPath(index, chosen->path)) {
        index = 0;
        if (!readEntryPath(index, chosen->path))
            return false;
    }
    chosen->index = index;
    chosen->type = readEntryInt(index, ENTRY_TYPE, DEFAULT_POSITION);
    // The origin is kept as 16-bit values: only the low half of each stored
    // number reaches the desktop.
    chosen->x = static_cast<uint16_t>(readEntryInt(index, ENTRY_XPOS, 0));
    chosen->y = static_cast<uint16_t>(readEntryInt(index, ENTRY_YPOS, 0));
    return true;
}

// The change itself, with the generator already seeded. Whether the file
// can be read is asked before and after the reads: whatever they gave while
// it could not be is the defaults, not the list.
static ChangeOutcome changeWithSeededGenerator(HWND window)
{
    if (!settingsReadable())
        return CHANGE_UNREADABLE;
    ChosenEntry chosen;
    bool found = readChosenEntry(&chosen);
    if (!settingsReadable())
        return CHANGE_UNREADABLE;
    if (!found) {
        openEditor(window);
        return CHANGE_NO_ENTRY;
    }

    applyWallpaperFile(chosen.path, chosen.type, chosen.x, chosen.y);

    // Unsigned arithmetic: a hand-written key "2147483647_wall" must not
    // overflow the next index.
    if (!writeSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX,
                         static_cast<int>(static_cast<unsigned>(chosen.index) + 1u)))
        tellSettingsNotSaved();
    return CHANGE_MADE;
}

// The count lets the minute tick see that a change, or the box it shows, is
// still running further up the stack.
ChangeOutcome changeWallpaper(HWND window)
{
    ++changesInProgress;
    seedRandom31FromClock();
    ChangeOutcome outcome = changeWithSeededGenerator(window);
    --changesInProgress;
    return outcome;
}

ChangeOutcome changeWallpaperSeeded(HWND window, uint32_t seedSeconds)
{
    ++changesInProgress;
    seedRandom31(seedSeconds);
    ChangeOutcome outcome = changeWithSeededGenerator(window);
    --changesInProgress;
    return outcome;
}

void changeWallpaperOnRequest(HWND window)
{
    if (changeWallpaper(window) == CHANGE_UNREADABLE)
        tellSettingsUnreadable();
}
