#include "wallpaperfile.h"

#include "folderorder.h"
#include "folderpictures.h"
#include "oldshell.h"
#include "pathtext.h"
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

// A desktop too large for one composite (several 8K monitors, a video wall)
// still shows a picture placed Center or Tile the same on every monitor: the
// picture alone is converted at its own size (a Center one shrunk to fit
// the primary monitor) and the desktop places it, as before composites.
static bool composePictureAlone(const DisplaySetup& setup, const ScreenEntry& entry, Composed* composed)
{
    PictureSize size;
    bool placedAlone = entry.mode == POSITION_TILE || (entry.mode == POSITION_CENTER && setup.fit == FIT_CENTER);
    if (setup.option != MONITORS_SAME || !placedAlone || !isPictureFile(entry.path) || !pictureClaim(entry.path, &size))
        return false;
    const LayoutRect& primary = setup.monitors.rects[0];
    if (entry.mode == POSITION_CENTER) {
        PictureSize monitor = {static_cast<uint32_t>(primary.right - primary.left),
                               static_cast<uint32_t>(primary.bottom - primary.top)};
        size = fitWithin(size, monitor);
    }
    MonitorSet alone;
    alone.count = 1;
    LayoutRect whole = {0, 0, static_cast<int32_t>(size.width), static_cast<int32_t>(size.height)};
    alone.rects[0] = whole;
    ScreenEntry centred = entry;
    centred.mode = POSITION_CENTER;
    return composeWallpaper(alone, &centred, 1, MONITORS_SAME, FIT_CENTER, COMPOSITE_TILED, composed) &&
           composed->unshown == 0;
}

Installed applyEntries(const DisplaySetup& setup, const ScreenEntry* entries, int count)
{
    Installed installed;
    memset(&installed, 0, sizeof installed);
    if (count <= 0)
        return installed;
    if (count > MONITOR_LIMIT)
        count = MONITOR_LIMIT;
    bool composing = entriesNeedComposing(setup, entries, count);
    // The platform's call takes an ANSI path: a file it cannot name that way
    // (a photo named in another script, on a volume without short names) is
    // composed instead.
    char plain[MAX_PATH];
    bool folder = isFolderEntry(entries[0].path);
    bool nameable = !folder && ansiPathOf(entries[0].path, plain, sizeof plain);
    if (!folder && !nameable && !isOldShell)
        composing = true;
    if (!composing) {
        // A folder still named here gave no picture, or (on the old shell,
        // which composes nothing) no ANSI path names the file. Where the
        // desktop shows the first entry's file, that is told here: the
        // platform would take a folder's path without a word (Wine does);
        // composing tells it for its monitor.
        if (!nameable) {
            tellWallpaperRefused();
            return installed;
        }
        installed.complete = applyWallpaper(plain, entries[0].mode, entries[0].x, entries[0].y);
        if (installed.complete)
            lstrcpynA(installed.wallpaper, plain, MAX_PATH);
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
    Composed composed;
    bool made = composeWallpaper(setup.monitors, entries, count, setup.option, setup.fit,
                                 spanned ? COMPOSITE_SPANNED : COMPOSITE_TILED, &composed);
    if (!made && !desktopAllowed(virtualScreenOf(setup.monitors)) && composePictureAlone(setup, entries[0], &composed)) {
        // The desktop places the picture itself, as a file it shows as is.
        installed.composed = false;
        installed.complete = applyWallpaper(composed.path, entries[0].mode, 0, 0);
        if (installed.complete) {
            lstrcpynA(installed.wallpaper, composed.path, MAX_PATH);
            removeOtherCacheFiles(composed.path);
        }
        return installed;
    }
    if (!made) {
        tellWallpaperRefused();
        return installed;
    }
    if (!applyComposedWallpaper(composed.path, spanned))
        return installed;
    lstrcpynA(installed.wallpaper, composed.path, MAX_PATH);
    installed.showsDesktopColour = composed.showsDesktopColour;
    removeOtherCacheFiles(composed.path);
    if (composed.unshown > 0)
        tellWallpaperRefused();
    installed.complete = composed.unshown == 0;
    return installed;
}

bool firstPictureOfFolder(const char* folder, char* path)
{
    FolderPictures pictures;
    char utf8[PICTURE_PATH_BYTES];
    if (!pathFromAnsi(folder, utf8, sizeof utf8) ||
        !listFolderPictures(utf8, readSettingInt(SECTION_DISPLAY, KEY_SUBFOLDERS, 1) != 0, &pictures))
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
    if (!pathFromAnsi(path, entry.path, sizeof entry.path))
        return;
    entry.mode = mode;
    entry.x = x;
    entry.y = y;
    // One file: the same on every monitor, or across them.
    if (setup.option == MONITORS_EACH)
        setup.option = MONITORS_SAME;
    applyEntries(setup, &entry, 1);
}
