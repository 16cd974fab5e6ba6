// The dialog's place on the screen as the settings file stores it.
#ifndef VISTEDIT_DIALOGPLACE_H
#define VISTEDIT_DIALOGPLACE_H

#include <windows.h>

// Moves the dialog's top-left corner to "Window X-pos" and "Window Y-pos"
// (20 each by default), and brings it back where no screen would show its
// title bar.
void placeDialogAsStored(HWND dialog);

#endif
