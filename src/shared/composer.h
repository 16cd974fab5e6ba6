// One bitmap of the whole virtual screen, each monitor's part drawn as its
// entry and the display options say: what lets every monitor show its own
// picture, and every placement come out exactly, on every Windows.
#ifndef VISTRELL_COMPOSER_H
#define VISTRELL_COMPOSER_H

#include "displayoptions.h"
#include "keys.h"
#include "monitors.h"

#include <windows.h>

// What one monitor shows: an entry of the list.
struct ScreenEntry {
    char path[MAX_PATH];  // a list entry's path, or a picture of its folder
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

// Composes the wallpaper: monitor i shows entry i (entries are used again in
// turn when fewer), or with MONITORS_SPAN entry 0 across all; Center entries
// by the fit. Writes it, exactly the virtual screen's size, into the cache
// under the first picture's name, or finds it there still current, and puts
// its path into cachePath (MAX_PATH bytes). *unshown counts the monitors
// whose picture could not be shown: they keep the desktop colour. False
// when no monitor's picture could be shown (nothing is written then), or
// the bitmap cannot be written.
bool composeWallpaper(const MonitorSet& monitors, const ScreenEntry* entries, int count, MonitorsOption option,
                      FitOption fit, CompositeLaying laying, char* cachePath, int* unshown);

#endif
