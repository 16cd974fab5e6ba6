// Fills the settings dialog from the settings file.
#ifndef VISTEDIT_LOADSETTINGS_H
#define VISTEDIT_LOADSETTINGS_H

#include <windows.h>

// Loads every control of the dialog and the bitmap list; clears isDirty.
// Creates the two up-down controls on the first call only.
void loadSettingsIntoDialog(HWND dialog);

// Makes the desktop's current wallpaper, lower-cased, the only row of the
// "Current Wallpaper" combo, selected.
void showCurrentWallpaper(HWND dialog);

#endif
