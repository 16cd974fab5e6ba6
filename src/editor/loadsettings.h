// Fills the settings dialog from the settings file.
#ifndef VISTEDIT_LOADSETTINGS_H
#define VISTEDIT_LOADSETTINGS_H

#include <windows.h>

// Loads every control of the dialog and the bitmap list; clears isDirty.
// Creates the two up-down controls on the first call only. False when the
// settings file could not be read: the dialog then shows the defaults.
bool loadSettingsIntoDialog(HWND dialog);

// Says, in a box owned by the dialog, that the settings shown are the
// defaults because the file could not be read.
void tellSettingsUnreadable(HWND dialog);

// Makes the desktop's current wallpaper, lower-cased, the only row of the
// "Current Wallpaper" combo, selected.
void showCurrentWallpaper(HWND dialog);

#endif
