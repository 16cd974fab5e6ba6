// The rows of a composed wallpaper: the desktop colour, then each monitor's
// picture where its drawing operation puts it, from decoded pixels. Rows are
// made one at a time, so that a wallpaper over the whole virtual screen never
// has to be held whole.
#ifndef VISTRELL_COMPOSITE_H
#define VISTRELL_COMPOSITE_H

#include "layout.h"

#include <stddef.h>
#include <stdint.h>

// A picture's decoded pixels, already at the size its operation draws it:
// 32-bit blue, green, red and one unused byte, rows top-down. The buffer
// holds the part of the picture from (left, top) on, one to one.
struct PixelSource {
    const uint8_t* pixels;
    uint32_t width;
    uint32_t height;
    uint32_t stride;
    int32_t left;
    int32_t top;
};

// Draws row y of the virtual screen, its columns from left on, width of
// them, into row as 24-bit blue, green, red: the desktop colour (given as
// 0x00RRGGBB), then each operation that covers the row, in order. An
// operation whose source has no pixels draws nothing, so its monitor shows
// the desktop colour.
void composeRow(const LayoutOp* ops, const PixelSource* sources, int count, int32_t y, int32_t left,
                uint32_t width, uint32_t desktopColour, uint8_t* row);

// Tiled from the primary monitor's top-left, a bitmap of the virtual
// screen's size shows its pixel (x mod width, y mod height) at virtual
// (x, y). The bitmap's row that holds virtual row y, and the rotation that
// takes a virtual row (its columns from the screen's left on) into it:
// stored column = (virtual column + shift) mod width.
uint32_t wrappedRow(int32_t y, uint32_t screenHeight);
uint32_t wrapShift(int32_t screenLeft, uint32_t screenWidth);
// The virtual row a bitmap row holds: the inverse of wrappedRow.
int32_t virtualRowOf(uint32_t storedRow, int32_t screenTop, uint32_t screenHeight);

// Copies a row of width 24-bit pixels rotated right by shift pixels.
void rotateRow(const uint8_t* row, uint32_t width, uint32_t shift, uint8_t* rotated);

#endif
