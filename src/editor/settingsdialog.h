// The settings dialog "DIALOG_1": the editor's whole user interface.
#ifndef VISTEDIT_SETTINGSDIALOG_H
#define VISTEDIT_SETTINGSDIALOG_H

#include <windows.h>

// Greys the menu bar's commands the shell cannot carry out ("Add Folder..."
// on the old shell).
void greyWhatTheShellLacks(HMENU bar);

INT_PTR CALLBACK settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
