// Installs a bitmap file as the desktop wallpaper with a placement.
#ifndef VISTRELL_WALLPAPER_H
#define VISTRELL_WALLPAPER_H

enum PositionMode { POSITION_TILE = 0, POSITION_CENTER = 1, POSITION_DEFINED = 2 };

// Records the placement ("TileWallpaper" and the origin) first, then asks the
// platform to load the bitmap and keep it in the user's profile. Failures are
// told in message boxes titled "MSG"; the path is passed on unchecked.
// Returns whether the platform took the bitmap.
bool applyWallpaper(const char* path, int mode, int x, int y);

// The box of a wallpaper that cannot be set: "Cannot Setup Wallpaper.".
void tellWallpaperRefused();

#endif
