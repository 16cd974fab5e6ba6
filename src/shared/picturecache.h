// The bitmaps the programs make for the desktop, which takes only bitmaps
// (and, tiled or spanned, only one): each is kept as a 24-bit bitmap in the
// user's local application data folder (%LOCALAPPDATA%\Vistrell), named
// by a hash of everything that made it, so that no picture's name, however
// long or in whatever script, can keep it from being written. The folder
// keeps only the file of the wallpaper now applied.
#ifndef VISTRELL_PICTURECACHE_H
#define VISTRELL_PICTURECACHE_H

#include "picturemath.h"

#include <windows.h>

// The cache file for the record of a composite (MAX_PATH bytes), the folder
// made when it is missing. False when it cannot be.
bool cacheFilePath(const uint8_t* record, uint32_t length, char* cachePath);

// Writes a picture's stamp into trailer (room bytes): its path (UTF-8), size
// in bytes and last-write time. Its length, or 0 when the picture cannot be
// looked at or the stamp does not fit.
uint32_t pictureStamp(const char* picturePath, uint8_t* trailer, uint32_t room);

// Whether the cache file is a bitmap of this size that ends with exactly
// this trailer: everything that made it, recorded when it was made, equals
// what would make it now.
bool cacheIsCurrent(const char* cachePath, const uint8_t* trailer, uint32_t trailerSize, PictureSize size);

// Gives count rows of the bitmap from row first on (top-down), 24-bit, each
// padded to a multiple of 4 bytes, into rows. False stops the writing.
typedef bool (*CacheRowsProc)(void* context, uint32_t first, uint32_t count, uint8_t* rows);

// Writes a bitmap of the size, its rows asked for in bands from the foot
// upwards, then the trailer, under a temporary name of this process's own;
// flushes it to the disk and renames it to cachePath only when complete.
bool writeCacheFile(const char* cachePath, PictureSize size, CacheRowsProc rows, void* context,
                    const uint8_t* trailer, uint32_t trailerSize);

// Deletes every other file in the cache folder (with NULL, every file),
// which is this program's own, but the wallpaper the platform names now and
// temporary files less than a minute old: both programs may apply a picture
// at the same moment.
void removeOtherCacheFiles(const char* cachePath);

#endif
