#include "wallpaperfile.h"

#include "oldshell.h"
#include "picture.h"
#include "picturecache.h"
#include "settings.h"
#include "wallpaper.h"

#include <string.h>

void readDisplaySetup(DisplaySetup* setup)
{
    measureMonitors(&setup->monitors);
    setup->option = monitorsOption(readSettingInt(SECTION_DISPLAY, KEY_MONITORS, MONITORS_SAME));
    setup->fit = fitOption(readSettingInt(SECTION_DISPLAY, KEY_FIT, FIT_CENTER));
}

int entriesWanted(const DisplaySetup& setup)
{
    return setup.option == MONITORS_EACH ? setup.monitors.count : 1;
}

bool applyEntries(const DisplaySetup& setup, const ScreenEntry* entries, int count)
{
    if (count <= 0)
        return false;
    ShownEntry shown[MONITOR_LIMIT];
    int considered = count < MONITOR_LIMIT ? count : MONITOR_LIMIT;
    for (int i = 0; i < considered; ++i) {
        shown[i].placement = entries[i].mode;
        // A file that cannot be read goes the way bitmaps go: the platform
        // says what it makes of it.
        shown[i].bitmap = !isPictureFile(entries[i].path);
    }
    if (!mustCompose(setup.monitors.count, setup.option, setup.fit, shown, considered, windowsVersion, isOldShell))
        return applyWallpaper(entries[0].path, entries[0].mode, entries[0].x, entries[0].y);

    // Windows 8 and later span one bitmap across the virtual screen; earlier
    // ones (and Wine) tile it from the primary monitor's top-left.
    bool spanned = windowsVersion >= WINDOWS_8;
    char cachePath[MAX_PATH];
    int unshown = 0;
    if (!composeWallpaper(setup.monitors, entries, considered, setup.option, setup.fit,
                          spanned ? COMPOSITE_SPANNED : COMPOSITE_TILED, cachePath, &unshown)) {
        tellWallpaperRefused();
        return false;
    }
    if (!applyComposedWallpaper(cachePath, spanned))
        return false;
    removeOtherCacheFiles(cachePath);
    if (unshown > 0)
        tellWallpaperRefused();
    return unshown == 0;
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
