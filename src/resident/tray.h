// The tray icon of the new shell and its pop-up menu.
#ifndef VISTRELL_TRAY_H
#define VISTRELL_TRAY_H

#include <windows.h>
#include <shellapi.h>

// Fills the tray record and adds the icon, noting in trayIconShown whether
// the tray took it; also used again when a restarted shell has lost every
// icon, and at every minute tick until the tray takes it.
void addTrayIcon(HWND window);
// Makes the tip say what it should now: why a timed change waits, while
// one does, else the program's name.
void refreshTrayTip();
// Shows a balloon over the icon (Windows 2000 and later); false where it
// cannot (no icon yet, an older shell).
bool showTrayBalloon(const char* title, const char* text);
// Deletes the icon and destroys its image.
void removeTrayIcon();
// Loads the tray's image again at the size the display's scale asks for now.
void reloadTrayImage();

// The shell's tray call; the tests put a stand-in here to make it fail.
typedef BOOL(WINAPI* NotifyTrayProc)(DWORD action, PNOTIFYICONDATAA record);
extern NotifyTrayProc notifyTray;

// Registers the message a restarted shell sends to every top-level window,
// after which its tray is empty.
void watchForTaskbarRestart();
bool isTaskbarRestart(UINT message);

// Shows the "ENTRY" pop-up at the cursor, right edge at the cursor's x; the
// chosen item reaches the window as WM_COMMAND.
void showTrayMenu(HWND window);

#endif
