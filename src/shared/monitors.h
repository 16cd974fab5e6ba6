// The monitors of the desktop as the wallpaper covers them: in physical
// pixels, the primary monitor first, then in the order the platform lists
// them.
#ifndef VISTRELL_MONITORS_H
#define VISTRELL_MONITORS_H

#include "layout.h"

const int MONITOR_LIMIT = 16;

struct MonitorSet {
    int count;
    LayoutRect rects[MONITOR_LIMIT];  // rects[0] is the primary monitor
};

// The programs are not aware of display scaling, so the platform's monitor
// rectangles can be logical, smaller ones; each monitor's display mode says
// where it is and how many pixels it has. Windows 95 and NT 4 know no
// monitors: there the one screen is the desktop.
void measureMonitors(MonitorSet* monitors);

// What a change and readDisplaySetup measure the monitors with; the tests
// put made-up monitors here.
typedef void (*MeasureMonitorsProc)(MonitorSet* monitors);
extern MeasureMonitorsProc measureMonitorsCall;

// The monitors' rectangles as the platform reports them to this program
// (logical ones where the display is scaled), the primary first: what
// window rectangles compare with.
void reportedMonitors(MonitorSet* monitors);

// The smallest rectangle holding every monitor.
LayoutRect virtualScreenOf(const MonitorSet& monitors);

#endif
