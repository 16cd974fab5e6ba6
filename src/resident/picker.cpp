#include "picker.h"

#include "launcher.h"
#include "random31.h"
#include "residentstate.h"
#include "settings.h"
#include "wallpaper.h"
#include "wallpaperfile.h"

#include <stdint.h>

// Draws that advance the generator before any choice; the last one leaves an
// index of 0..28.
static const int WARM_UP_DRAWS = 29;

static const int DEFAULT_SUCCESSIVE = 1;
static const int DEFAULT_BITMAP_INDEX = 0;
static const int DEFAULT_POSITION = POSITION_CENTER;

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

// The change itself, with the generator already seeded.
static void changeWithSeededGenerator(HWND window)
{
    int index = 0;
    for (int i = 1; i <= WARM_UP_DRAWS; ++i)
        index = drawRandom31() % i;

    if (readSettingInt(SECTION_CONFIG, KEY_SUCCESSIVE, DEFAULT_SUCCESSIVE) == 1)
        index = readSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX, DEFAULT_BITMAP_INDEX);
    else
        index = pickRandomEntry(index);

    // An index past the end of the list starts the walk again at the top.
    char path[PATH_BUFFER];
    if (!readEntryPath(index, path)) {
        index = 0;
        if (!readEntryPath(index, path)) {
            openEditor(window);
            return;
        }
    }

    int type = readEntryInt(index, ENTRY_TYPE, DEFAULT_POSITION);
    // The origin is kept as 16-bit values: only the low half of each stored
    // number reaches the desktop.
    uint16_t x = static_cast<uint16_t>(readEntryInt(index, ENTRY_XPOS, 0));
    uint16_t y = static_cast<uint16_t>(readEntryInt(index, ENTRY_YPOS, 0));
    applyWallpaperFile(path, type, x, y);

    // Unsigned arithmetic: a hand-written key "2147483647_wall" must not
    // overflow the next index.
    writeSettingInt(SECTION_CONFIG, KEY_BITMAP_INDEX, static_cast<int>(static_cast<unsigned>(index) + 1u));
}

// The count lets the minute tick see that a change, or the box it shows, is
// still running further up the stack.
void changeWallpaper(HWND window)
{
    ++changesInProgress;
    seedRandom31FromClock();
    changeWithSeededGenerator(window);
    --changesInProgress;
}

void changeWallpaperSeeded(HWND window, uint32_t seedSeconds)
{
    ++changesInProgress;
    seedRandom31(seedSeconds);
    changeWithSeededGenerator(window);
    --changesInProgress;
}
