// Process-wide state of the editor's dialog, shared by the procedures that
// the dialog drives.
#ifndef VISTEDIT_EDITORSTATE_H
#define VISTEDIT_EDITORSTATE_H

#include <windows.h>

// The program's instance, kept for running the dialog and loading resources.
extern HINSTANCE editorInstance;

// The dialog holds changes that are not saved yet; closing asks only then.
extern bool isDirty;
// True while a list notification moves the placement controls, so their own
// notifications do not copy the shown placement onto the selected rows.
extern bool isSyncingPlacement;
// Set by the first WM_CLOSE so that a second one neither asks nor saves.
extern bool isClosing;

extern HWND xUpDown;
extern HWND yUpDown;

// The schedule values last read from the settings file; defaults of the next read.
extern int rememberedChangePolicy;
extern int rememberedTimePeriod;

// Puts every value back to its start, with the given instance.
void resetEditorState(HINSTANCE instance);

#endif
