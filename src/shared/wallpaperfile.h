// Installs a file of the bitmap list as the wallpaper, whatever it holds.
#ifndef VISTRELL_WALLPAPERFILE_H
#define VISTRELL_WALLPAPERFILE_H

// A bitmap (or a file that cannot be read, or anything on the old shell)
// goes to applyWallpaper exactly as given. A picture (JPEG, PNG...) is
// turned into a cached bitmap that is applied with the same placement; the
// cache folder then keeps only that file. A picture that cannot be decoded
// is told with "Cannot Setup Wallpaper." and changes nothing.
void applyWallpaperFile(const char* path, int mode, int x, int y);

#endif
