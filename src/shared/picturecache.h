// The desktop takes only bitmaps, so a picture becomes a 24-bit bitmap in
// the user's local application data folder (%LOCALAPPDATA%\Vistrell), named
// after the picture ("sea.jpg" gives "sea.jpg.bmp", which "Current
// Wallpaper" shows). The folder keeps only the file of the wallpaper now
// applied.
#ifndef VISTRELL_PICTURECACHE_H
#define VISTRELL_PICTURECACHE_H

#include <windows.h>

// Makes (or finds still current) the bitmap of the picture for a placement
// and puts its path into cachePath (MAX_PATH bytes). "Center" scales a
// picture larger than the primary screen down to fit it; the other
// placements keep its size. A cache file is used again while it was made
// from the same path at the same size, and the picture's size in bytes and
// last-write time, recorded in it, equal the picture's now. A new one is
// written under a temporary name, flushed, and renamed only when complete.
// False when the picture cannot be decoded or the file cannot be written.
bool cachePicture(const char* picturePath, int mode, char* cachePath);

// Deletes every other file in the cache folder, which is this program's own,
// but the wallpaper the platform names now and temporary files less than a
// minute old: both programs may apply a picture at the same moment.
void removeOtherCacheFiles(const char* cachePath);

#endif
