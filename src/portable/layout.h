// Where each monitor's picture goes on a desktop of several monitors: the
// placement of one picture over its monitor (or, spanning, over the whole
// desktop), worked out as one drawing operation. Coordinates are those of
// the virtual screen, the primary monitor's top-left at (0, 0); monitors left
// of or above it have negative ones.
#ifndef VISTRELL_LAYOUT_H
#define VISTRELL_LAYOUT_H

#include "picturemath.h"

#include <stdint.h>

// Right and bottom are exclusive.
struct LayoutRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

enum LayoutPlacement {
    LAYOUT_TILE,     // repeated at its size from the area's top-left
    LAYOUT_CENTER,   // once at its size, centred (shrunk to fit when asked)
    LAYOUT_DEFINED,  // once at its size, at an origin from the primary's top-left
    LAYOUT_FILL,     // covers the area, the overflow cropped evenly on both sides
    LAYOUT_FIT,      // the whole picture as large as the area allows
    LAYOUT_STRETCH,  // the area's size exactly
};

struct LayoutInput {
    LayoutRect area;     // where the picture is placed: its monitor, or spanning the whole desktop
    LayoutRect monitor;  // where it may draw
    PictureSize picture;
    LayoutPlacement placement;
    bool shrinkLarger;   // Center: a picture larger than the area is shrunk to fit it
    int32_t originX;     // Defined: from the primary monitor's top-left
    int32_t originY;
};

// One picture drawn: the pixels it covers, and the picture as drawn, at
// scaled size with its pixel (0, 0) at (originX, originY). Tiled, the
// picture repeats in every direction from there.
struct LayoutOp {
    LayoutRect target;  // inside the monitor and the virtual screen; empty when right <= left
    PictureSize scaled;
    int32_t originX;
    int32_t originY;
    bool tiled;
};

// The largest side a scaled picture is given, so that every origin and
// every sum of coordinates stays within 32 bits.
const uint32_t LAYOUT_MAX_SIDE = 1u << 29;

// The desktop's sides and pixels that a composed wallpaper may have (those
// of any bitmap the programs write), and how far from the primary monitor
// it may reach.
const int32_t DESKTOP_MAX_SIDE = 32768;
const uint64_t DESKTOP_MAX_PIXELS = uint64_t(1) << 26;
const int32_t DESKTOP_MAX_REACH = 1 << 20;

// Whether a virtual screen can be composed: non-empty and within the bounds.
// Within them, every coordinate of a layout's operation fits 32 bits with
// room to spare.
bool desktopAllowed(const LayoutRect& virtualScreen);

// The operation that draws the input's picture. primary is the primary
// monitor's rectangle. A picture of no size, or an area or monitor of none,
// gives an empty target.
LayoutOp layOut(const LayoutRect& virtualScreen, const LayoutRect& primary, const LayoutInput& input);

// The smallest rectangle holding all the monitors, or an empty one for none.
LayoutRect boundingRect(const LayoutRect* monitors, int count);

#endif
