// Writes the dialog's state into the settings file.
#ifndef VISTEDIT_SAVESETTINGS_H
#define VISTEDIT_SAVESETTINGS_H

#include <windows.h>

// Always stores the dialog's position; with contents also the schedule, the
// rotation order, the current row and every list row as an entry, deleting
// the entries "NNN" from the row count to 49. Every write is checked: on the
// first refused write it stops, tells the user in a box owned by the dialog,
// and returns false.
bool saveSettings(HWND dialog, bool withContents);

#endif
