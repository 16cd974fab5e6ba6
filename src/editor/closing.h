// Ending the settings dialog: the title bar's close and the exit command,
// both of which offer to save unsaved changes first. Neither ends the
// program: the host window does that once the dialog has ended.
#ifndef VISTEDIT_CLOSING_H
#define VISTEDIT_CLOSING_H

#include <windows.h>

// What follows a request to close.
enum DialogFate { DIALOG_STAYS, DIALOG_ENDS };

// WM_CLOSE: asks Yes/No while there are unsaved changes, saves, and ends the
// dialog. A save of the changes that fails keeps the dialog open.
DialogFate closeDialog(HWND dialog);
// The exit command: like closeDialog but the question offers Cancel too.
DialogFate runExitCommand(HWND dialog);

#endif
