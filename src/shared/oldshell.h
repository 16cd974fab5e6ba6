// isOldShell: true on the platforms of the old shell (Win32s, Windows NT 3.x),
// whose low version byte is 3. It selects WIN.INI instead of the registry for
// the wallpaper origin, the system-menu entry instead of the tray icon, and
// the space-separated file-dialog result.
#ifndef VISTRELL_OLDSHELL_H
#define VISTRELL_OLDSHELL_H

extern bool isOldShell;

// Sets isOldShell from the platform version; called once at start.
void detectOldShell();
// Sets isOldShell without asking the platform, for a start on either shell.
void resetOldShell(bool oldShell);

#endif
