// One bitmap of the whole virtual screen, each monitor's part drawn as its
// entry and the display options say: what lets every monitor show its own
// picture, and every placement come out exactly, on every Windows.
#ifndef VISTRELL_COMPOSER_H
#define VISTRELL_COMPOSER_H

#include "displayoptions.h"
#include "keys.h"
#include "monitors.h"
#include "pathtext.h"

#include <windows.h>

// What one monitor shows: an entry of the list.
struct ScreenEntry {
    char path[PICTURE_PATH_BYTES];  // UTF-8: a list entry's path, or a picture of its folder
    int mode;  // 0 Tile, 1 Center, 2 Defined
    int x;     // the origin of a Defined entry, from the primary's top-left
    int y;
};

// How the bitmap goes onto the desktop. Tiled, it repeats from the primary
// monitor's top-left in every direction, so a monitor left of or above the
// primary finds its part wrapped around (Windows before 8, and Wine).
// Spanned, it lies across the virtual screen from its top-left (Windows 8
// and later).
enum CompositeLaying { COMPOSITE_TILED, COMPOSITE_SPANNED };

// What composing made.
struct Composed {
    char path[MAX_PATH];      // the bitmap written, or found still current
    int unshown;              // monitors whose picture could not be shown: they keep the desktop colour
    bool showsDesktopColour;  // somewhere (or it could not be told, for a bitmap found current)
};

// Composes the wallpaper: monitor i shows entry i (entries are used again in
// turn when fewer), or with MONITORS_SPAN entry 0 across all; Center entries
// by the fit. Writes it, exactly the virtual screen's size, into the cache
// under a name of what made it, or finds it there still current. Each
// entry's file is opened once, and each part of it that monitors share is
// decoded once. A monitor whose picture cannot be shown (a folder without pictures,
// a file that cannot be read) keeps the desktop colour and spoils no other.
// False when no monitor's picture could be shown (nothing is written then),
// or the bitmap cannot be written.
bool composeWallpaper(const MonitorSet& monitors, const ScreenEntry* entries, int count, MonitorsOption option,
                      FitOption fit, CompositeLaying laying, Composed* composed);

#endif
