// What the resident window sets up when it is created and takes down when
// the program ends: the minute timer and the tray icon or system-menu entry.
#ifndef VISTRELL_LIFECYCLE_H
#define VISTRELL_LIFECYCLE_H

#include <windows.h>

// Starts the minute timer, shows the tray icon and watches for the shell's
// restart (new shell) or hangs the pop-up into the system menu (old shell),
// then takes the start-up decision, which may change the wallpaper or start
// the editor.
void setUpResident(HWND window);

// Stops the minute timer and, on the new shell, deletes the tray icon. Shared
// by WM_DESTROY and "Remove from memory".
void teardownResident(HWND window);

#endif
