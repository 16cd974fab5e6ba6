// What the changer shows and has shown: the last changes in memory (so that
// "Previous Wallpaper" can go back through them, and a change asked for
// forward again), and the pictures each monitor shows now in section "Now
// shown" (so that "Show Picture" works after a restart, and the editor
// finds the row of the picture shown).
#ifndef VISTRELL_CHANGEHISTORY_H
#define VISTRELL_CHANGEHISTORY_H

#include "wallpaperfile.h"

// A new change, as installed with these display options.
void recordNewChange(const DisplaySetup& setup, const ScreenEntry* entries, int count);

// The change before the one shown (step -1) or after it (+1), with its
// placement and fit, passing over (and forgetting) those whose files are
// gone; false when there is none. It is the one shown from now on. The
// entries hold MONITOR_LIMIT.
bool changeOfHistory(int step, DisplaySetup* setup, ScreenEntry* entries, int* count);
bool canShowChangeOfHistory(int step);

// Whether the desktop's wallpaper is still the one the last change gave
// it: a wallpaper the user chose since (in the editor, in the Windows
// settings, with another program) is theirs to keep, and the changer's
// picture is no longer on the screen.
bool lastChangeStillShown();

// Section "Now shown": one key per monitor, "Monitor 1" on, the picture's
// path (UTF-8, escaped), and the file the desktop was given. Written after
// every change; read at start into the last change's entries.
bool writeNowShown(const ScreenEntry* entries, int count);
void readNowShown();

#endif
