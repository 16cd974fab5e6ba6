// The one operation that changes the wallpaper.
#ifndef VISTRELL_PICKER_H
#define VISTRELL_PICKER_H

#include <windows.h>

#include <stdint.h>

// Applies the next entry of the bitmap list (in order or at random) and
// stores the index that follows it; with no entry at all, opens the editor
// with window as the owner of any error box.
void changeWallpaper(HWND window);

// The same change with the generator seeded from the given time in seconds
// instead of the clock, so that many seeds can be tried in a row.
void changeWallpaperSeeded(HWND window, uint32_t seedSeconds);

#endif
