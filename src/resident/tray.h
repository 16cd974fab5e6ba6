// The tray icon of the new shell and its pop-up menu.
#ifndef VISTRELL_TRAY_H
#define VISTRELL_TRAY_H

#include <windows.h>

void addTrayIcon(HWND window);
void removeTrayIcon();

// Shows the "ENTRY" pop-up at the cursor, right edge at the cursor's x; the
// chosen item reaches the window as WM_COMMAND.
void showTrayMenu(HWND window);

#endif
