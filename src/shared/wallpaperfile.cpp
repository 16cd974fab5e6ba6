#include "wallpaperfile.h"

#include "folderorder.h"
#include "folderpictures.h"
#include "oldshell.h"
#include "picture.h"
#include "picturecache.h"
#include "settings.h"
#include "wallpaper.h"

#include <string.h>

void readDisplaySetup(DisplaySetup* setup)
{
    measureMonitorsCall(&setup->monitors);
    setup->option = monitorsOption(readSettingInt(SECTION_DISPLAY, KEY_MONITORS, MONITORS_SAME));
    setup->fit = fitOption(readSettingInt(SECTION_DISPLAY, KEY_FIT, FIT_CENTER));
}

int entriesWanted(const DisplaySetup& setup)
{
    return setup.option == MONITORS_EACH ? setup.monitors.count : 1;
}

bool entriesNeedComposing(const DisplaySetup& setup, const ScreenEntry* entries, int count)
{
    ShownEntry shown[MONITOR_LIMIT];
    int considered = count < MONITOR_LIMIT ? count : MONITOR_LIMIT;
    for (int i = 0; i < considered; ++i) {
        shown[i].placement = entries[i].mode;
        // A file that cannot be read goes the way bitmaps go: the platform
        // says what it makes of it.
        shown[i].bitmap = !isPictureFile(entries[i].path);
    }
    return mustCompose(setup.monitors.count, setup.option, setup.fit, shown, considered, windowsVersion, isOldShell);
}

Installed applyEntries(const DisplaySetup& setup, const ScreenEntry* entries, int count)
{
    Installed installed = {false, false};
    if (count <= 0)
        return installed;
    if (count > MONITOR_LIMIT)
        count = MONITOR_LIMIT;
    bool composing = entriesNeedComposing(setup, entries, count);
    if (!composing) {
        // A folder still named here gave no picture. Where the desktop shows
        // the first entry's file, that is told here: the platform would take
        // a folder's path without a word (Wine does); composing tells it for
        // its monitor.
        if (isFolderEntry(entries[0].path)) {
            tellWallpaperRefused();
            return installed;
        }
        installed.complete = applyWallpaper(entries[0].path, entries[0].mode, entries[0].x, entries[0].y);
        // A composite of an earlier change is no longer shown.
        if (installed.complete && !isOldShell)
            removeOtherCacheFiles(NULL);
        return installed;
    }

    // Windows 8 and later span one bitmap across the virtual screen; earlier
    // ones tile it from the primary monitor's top-left, and so does Wine's
    // desktop, which knows no styles, whatever version it reports.
    installed.composed = true;
    bool spanned = windowsVersion >= WINDOWS_8 && !runsOnWine;
    char cachePath[MAX_PATH];
    int unshown = 0;
    if (!composeWallpaper(setup.monitors, entries, count, setup.option, setup.fit,
                          spanned ? COMPOSITE_SPANNED : COMPOSITE_TILED, cachePath, &unshown)) {
        tellWallpaperRefused();
        return installed;
    }
    if (!applyComposedWallpaper(cachePath, spanned))
        return installed;
    removeOtherCacheFiles(cachePath);
    if (unshown > 0)
        tellWallpaperRefused();
    installed.complete = unshown == 0;
    return installed;
}

bool firstPictureOfFolder(const char* folder, char* path)
{
    FolderPictures pictures;
    if (!listFolderPictures(folder, readSettingInt(SECTION_DISPLAY, KEY_SUBFOLDERS, 1) != 0, &pictures))
        return false;
    bool found = pictures.count > 0;
    if (found)
        folderPicturePath(pictures, 0, path);
    freeFolderPictures(&pictures);
    return found;
}

void applyWallpaperFile(const char* path, int mode, int x, int y)
{
    DisplaySetup setup;
    readDisplaySetup(&setup);
    ScreenEntry entry;
    memset(&entry, 0, sizeof entry);
    lstrcpynA(entry.path, path, sizeof entry.path);
    entry.mode = mode;
    entry.x = x;
    entry.y = y;
    // One file: the same on every monitor, or across them.
    if (setup.option == MONITORS_EACH)
        setup.option = MONITORS_SAME;
    applyEntries(setup, &entry, 1);
}
