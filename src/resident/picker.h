// The one operation that changes the wallpaper.
#ifndef VISTRELL_PICKER_H
#define VISTRELL_PICKER_H

#include <windows.h>

// Applies the next entry of the bitmap list (in order or at random) and
// stores the index that follows it; with no entry at all, opens the editor
// with window as the owner of any error box.
void changeWallpaper(HWND window);

#endif
