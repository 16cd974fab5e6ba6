// The display options of section "Display": how the monitors share the
// pictures, and how a picture placed "Center" fits its monitor. A missing
// key, or a value outside the list, means the behaviour of before.
#ifndef VISTRELL_DISPLAYOPTIONS_H
#define VISTRELL_DISPLAYOPTIONS_H

enum MonitorsOption {
    MONITORS_SAME = 0,       // the same picture on every monitor
    MONITORS_EACH = 1,       // a different picture on each monitor
    MONITORS_SPAN = 2,       // one picture across all monitors
};

enum FitOption {
    FIT_CENTER = 0,   // at its size; a photo larger than the monitor shrunk to fit
    FIT_FILL = 1,     // covers the monitor, the overflow cropped evenly
    FIT_FIT = 2,      // the whole picture, bars in the desktop colour
    FIT_STRETCH = 3,  // the monitor's size exactly
};

const int MONITORS_OPTION_COUNT = 3;
const int FIT_OPTION_COUNT = 4;

// The value read, or the default where it is none of the list.
MonitorsOption monitorsOption(int stored);
FitOption fitOption(int stored);

// Windows versions as GetVersion gives them: major << 8 | minor.
const unsigned WINDOWS_VISTA = 0x0600;
const unsigned WINDOWS_8 = 0x0602;

// What one monitor is to show: an entry's placement (0 Tile, 1 Center,
// 2 Defined) and whether its file is a bitmap.
struct ShownEntry {
    int placement;
    bool bitmap;
};

// Whether a change is composed into one bitmap of the whole desktop, rather
// than the entry's file applied as it is: several monitors, each with its
// own picture or one across them; a fit other than Center for an entry
// placed Center; a picture that is not a bitmap (the desktop takes only
// bitmaps); or a Defined entry on Windows Vista or later, which no longer
// draw the wallpaper at an origin. The old shell never composes.
bool mustCompose(int monitorCount, MonitorsOption monitors, FitOption fit, const ShownEntry* entries, int count,
                 unsigned windowsVersion, bool oldShell);

#endif
