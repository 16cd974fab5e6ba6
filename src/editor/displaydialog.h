// The display options dialog "DIALOG_2": how the monitors share the pictures
// and how a picture placed "Center" fits its monitor, both kept in section
// "Display" of the settings file. It saves on its own OK, apart from the
// settings dialog's changes, so it leaves their unsaved-changes flag alone.
#ifndef VISTEDIT_DISPLAYDIALOG_H
#define VISTEDIT_DISPLAYDIALOG_H

#include <windows.h>

// Runs the dialog modally over owner; returns once it is closed.
void runDisplayOptions(HWND owner);

#endif
