// Installs a bitmap file as the desktop wallpaper with a placement.
#ifndef VISTRELL_WALLPAPER_H
#define VISTRELL_WALLPAPER_H

#include <windows.h>

enum PositionMode { POSITION_TILE = 0, POSITION_CENTER = 1, POSITION_DEFINED = 2 };

// Records the placement ("TileWallpaper", on the new shell "WallpaperStyle"
// 0 and the origin) first, then asks the platform to load the bitmap and
// keep it in the user's profile. Failures are told in message boxes titled
// "MSG"; the path is passed on unchecked. When the platform refuses the
// bitmap, the placement values are put back as they were (a value that was
// absent is deleted again), so the desktop stays as it was. Returns whether
// the platform took the bitmap.
bool applyWallpaper(const char* path, int mode, int x, int y);

// The platform calls the applier makes, which the tests replace: the one
// that sets the wallpaper (Wine refuses a file only when the desktop's key
// is locked, and the restore would then be refused too), and the one that
// writes a registry value of the desktop (to see which store a shell uses).
typedef BOOL(WINAPI* SetWallpaperProc)(UINT action, UINT parameter, PVOID path, UINT flags);
typedef LONG(WINAPI* SetRegistryValueProc)(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                                           DWORD size);
extern SetWallpaperProc setWallpaperCall;
extern SetRegistryValueProc setDesktopRegistryValue;

// Installs a bitmap of the whole virtual screen: spanned across it
// ("WallpaperStyle" 22, "TileWallpaper" 0, Windows 8 and later), or tiled
// from the primary monitor's top-left ("WallpaperStyle" 0, "TileWallpaper"
// 1), which puts every monitor's part under it when the bitmap is laid out
// wrapped around. The origin is 0, 0. New shell only. As applyWallpaper for
// a refusal.
bool applyComposedWallpaper(const char* path, bool spanned);

// The box of a wallpaper that cannot be set: "Cannot Setup Wallpaper.".
void tellWallpaperRefused();

#endif
