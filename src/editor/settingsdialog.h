// The settings dialog "DIALOG_1": the editor's whole user interface.
#ifndef VISTEDIT_SETTINGSDIALOG_H
#define VISTEDIT_SETTINGSDIALOG_H

#include <windows.h>

INT_PTR CALLBACK settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
