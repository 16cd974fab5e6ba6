// Ending the settings dialog: the title bar's close and the exit command,
// both of which offer to save unsaved changes first.
#ifndef VISTEDIT_CLOSING_H
#define VISTEDIT_CLOSING_H

#include <windows.h>

#define SAVE_QUESTION "Save changes before close window ?"
#define SAVE_QUESTION_TITLE "Query"

// WM_CLOSE: asks Yes/No while there are unsaved changes, saves, and ends the
// dialog. A save of the changes that fails keeps the dialog open.
INT_PTR closeDialog(HWND dialog);
// The exit command: like closeDialog but with Cancel, and it ends the program.
INT_PTR runExitCommand(HWND dialog);

#endif
