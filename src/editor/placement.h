// The placement controls of the settings dialog: the radio buttons "Tile",
// "Center" and "Defined", and the origin fields with their up-down controls.
#ifndef VISTEDIT_PLACEMENT_H
#define VISTEDIT_PLACEMENT_H

#include <windows.h>

// Value of checkedPlacement when no placement button is checked.
const int NO_PLACEMENT = 0xFFFF;

// Checks the button of mode and enables the origin controls only for Defined;
// a mode outside 0..2 leaves everything as it is.
void showPlacement(HWND dialog, int mode);
// 0, 1 or 2 by the first checked of "Tile", "Center", "Defined"; else NO_PLACEMENT.
int checkedPlacement(HWND dialog);

// A placement button or an origin field notified: every selected row takes
// the origin and placement shown. Ignored while the list moves the controls.
void onPlacementNotification(HWND dialog);
// The list notified: the controls show the caret row's placement.
void onListNotification(HWND dialog);

#endif
