// Installs files of the bitmap list as the wallpaper, whatever they hold and
// however many monitors there are.
#ifndef VISTRELL_WALLPAPERFILE_H
#define VISTRELL_WALLPAPERFILE_H

#include "composer.h"
#include "displayoptions.h"
#include "monitors.h"

// The monitors as they are now, and the display options of the settings
// file.
struct DisplaySetup {
    MonitorSet monitors;
    MonitorsOption option;
    FitOption fit;
};

void readDisplaySetup(DisplaySetup* setup);

// How many entries one change puts on the desktop: one for each monitor
// where each shows its own picture, else one.
int entriesWanted(const DisplaySetup& setup);

// Installs the entries: entry i on monitor i (used again in turn when there
// are fewer), or entry 0 on every monitor or across them. Where the desktop
// can show the first entry's file itself (a bitmap on one monitor, or the
// same on each, placed Tile or Center, or Defined before Windows Vista; or
// anything on the old shell), it goes to the applier exactly as given;
// otherwise the whole desktop is composed into one bitmap. A picture that
// cannot be shown leaves its monitor in the desktop colour and is told once
// with "Cannot Setup Wallpaper."; one that is all there is changes nothing.
// An entry still naming a folder (one without pictures) is one that cannot
// be shown. A desktop beyond a composite's bounds shows a picture placed
// Center or Tile on every monitor as the picture alone, converted at its own
// size.
struct Installed {
    bool composed;            // the desktop was composed (or was to be)
    bool complete;            // every entry was shown
    bool showsDesktopColour;  // composed, and the desktop colour shows somewhere
    char wallpaper[MAX_PATH]; // what the platform was given (empty when nothing)
};
Installed applyEntries(const DisplaySetup& setup, const ScreenEntry* entries, int count);

// The path of an entry that gives no picture because every picture it
// could give is one no change shows: told as a folder without pictures.
// (An empty path is an entry of its own: the platform's "no wallpaper".)
#define NO_PICTURE_PATH "\\"

// A folder entry's first picture, in path order, into path (UTF-8,
// PICTURE_PATH_BYTES), the folder as the list holds it; with or without its
// subfolders as the display options say; false when it has none or cannot
// be read.
bool firstPictureOfFolder(const char* folder, char* path);

// Whether these entries would be composed on the desktop as it is now.
bool entriesNeedComposing(const DisplaySetup& setup, const ScreenEntry* entries, int count);

// One file (as the list holds it) with its placement, as the display
// options say.
void applyWallpaperFile(const char* path, int mode, int x, int y);

#endif
