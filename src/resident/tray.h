// The tray icon of the new shell and its pop-up menu.
#ifndef VISTRELL_TRAY_H
#define VISTRELL_TRAY_H

#include <windows.h>

// Fills the tray record and adds the icon; also used again when a restarted
// shell has lost every icon.
void addTrayIcon(HWND window);
void removeTrayIcon();

// Registers the message a restarted shell sends to every top-level window,
// after which its tray is empty.
void watchForTaskbarRestart();
bool isTaskbarRestart(UINT message);

// Shows the "ENTRY" pop-up at the cursor, right edge at the cursor's x; the
// chosen item reaches the window as WM_COMMAND.
void showTrayMenu(HWND window);

#endif
