// The editor's hidden host window: its creation runs the settings dialog, and
// the end of the dialog ends the program.
#ifndef VISTEDIT_HOSTWINDOW_H
#define VISTEDIT_HOSTWINDOW_H

#include <windows.h>

#define HOST_WINDOW_TITLE "Scenara - GUI"

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
