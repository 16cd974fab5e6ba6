#include "wallpaperfile.h"

#include "oldshell.h"
#include "picture.h"
#include "picturecache.h"
#include "wallpaper.h"

void applyWallpaperFile(const char* path, int mode, int x, int y)
{
    if (isOldShell || !isPictureFile(path)) {
        applyWallpaper(path, mode, x, y);
        return;
    }
    char cachePath[MAX_PATH];
    if (!cachePicture(path, mode, cachePath)) {
        tellWallpaperRefused();
        return;
    }
    if (applyWallpaper(cachePath, mode, x, y))
        removeOtherCacheFiles(cachePath);
}
