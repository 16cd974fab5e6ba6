// isOldShell: true on the platforms of the old shell (Win32s, Windows NT 3.x),
// whose low version byte is 3. It selects WIN.INI instead of the registry for
// the wallpaper origin, the system-menu entry instead of the tray icon, and
// the space-separated file-dialog result. windowsVersion is the platform's
// true version, major << 8 | minor (0x0601 for Windows 7, 0x0A00 for 10 and
// 11), which decides how a composed wallpaper is laid onto the desktop and
// whether the battery saver's flag exists.
#ifndef VISTRELL_OLDSHELL_H
#define VISTRELL_OLDSHELL_H

extern bool isOldShell;
extern unsigned windowsVersion;
// Wine's desktop draws the wallpaper by "TileWallpaper" alone, whatever
// version it reports; a composed wallpaper is tiled there.
extern bool runsOnWine;

// Sets both from the platform version; called once at start.
void detectOldShell();
// Sets isOldShell without asking the platform, for a start on either shell.
void resetOldShell(bool oldShell);
// Sets the version without asking the platform, for the tests of one version.
void resetWindowsVersion(unsigned version);
void resetRunsOnWine(bool wine);

#endif
