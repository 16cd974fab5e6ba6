// The resident window: its procedure, which routes every message, and the
// teardown shared by WM_DESTROY and "Remove from memory".
#ifndef VISTRELL_RESIDENTWND_H
#define VISTRELL_RESIDENTWND_H

#include <windows.h>

// The program's instance, kept at entry for loading the icons and the menu.
extern HINSTANCE residentInstance;

LRESULT CALLBACK residentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Stops the minute timer and, on the new shell, deletes the tray icon.
void teardownResident(HWND window);

#endif
