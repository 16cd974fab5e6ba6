#include "composite.h"

#include <string.h>

// x mod m for any sign of x, 0 <= result < m (m below 2^31). Coordinates
// stay within 32 bits (see desktopAllowed and LAYOUT_MAX_SIDE), and 32-bit
// remainders keep the 32-bit build clear of 64-bit division.
static uint32_t positiveMod(int32_t x, uint32_t m)
{
    int32_t r = x % static_cast<int32_t>(m);
    return static_cast<uint32_t>(r < 0 ? r + static_cast<int32_t>(m) : r);
}

static void putPixel(uint8_t* at, const uint8_t* bgr)
{
    at[0] = bgr[0];
    at[1] = bgr[1];
    at[2] = bgr[2];
}

// The buffer holds the scaled picture from (left, top) on, one to one.
static void drawDirect(const LayoutOp& op, const PixelSource& source, int32_t y, int32_t left, uint8_t* row)
{
    int32_t v = y - op.originY;
    if (op.tiled)
        v = static_cast<int32_t>(positiveMod(v, op.scaled.height));
    v -= source.top;
    if (v < 0 || uint32_t(v) >= source.height)
        return;
    const uint8_t* line = source.pixels + size_t(v) * source.stride;
    for (int32_t x = op.target.left; x < op.target.right; ++x) {
        int32_t u = x - op.originX;
        if (op.tiled)
            u = static_cast<int32_t>(positiveMod(u, op.scaled.width));
        u -= source.left;
        if (u < 0 || uint32_t(u) >= source.width)
            continue;
        putPixel(row + 3 * size_t(x - left), line + 4 * size_t(u));
    }
}

void composeRow(const LayoutOp* ops, const PixelSource* sources, int count, int32_t y, int32_t left,
                uint32_t width, uint32_t desktopColour, uint8_t* row)
{
    const uint8_t desktop[3] = {static_cast<uint8_t>(desktopColour), static_cast<uint8_t>(desktopColour >> 8),
                                static_cast<uint8_t>(desktopColour >> 16)};
    for (uint32_t x = 0; x < width; ++x)
        putPixel(row + 3 * size_t(x), desktop);
    int64_t right = int64_t(left) + width;
    for (int i = 0; i < count; ++i) {
        const LayoutOp& op = ops[i];
        const PixelSource& source = sources[i];
        // Only what lies within the row's columns is drawn.
        if (!source.pixels || source.width == 0 || source.height == 0 || y < op.target.top ||
            y >= op.target.bottom || op.target.left < left || op.target.right > right ||
            op.target.right <= op.target.left || op.scaled.width == 0 || op.scaled.height == 0)
            continue;
        drawDirect(op, source, y, left, row);
    }
}

uint32_t wrappedRow(int32_t y, uint32_t screenHeight)
{
    return positiveMod(y, screenHeight);
}

int32_t virtualRowOf(uint32_t storedRow, int32_t screenTop, uint32_t screenHeight)
{
    // The one row of [top, top + height) that leaves storedRow by height.
    uint32_t offset = positiveMod(static_cast<int32_t>(storedRow) - screenTop, screenHeight);
    return screenTop + static_cast<int32_t>(offset);
}

uint32_t wrapShift(int32_t screenLeft, uint32_t screenWidth)
{
    return positiveMod(screenLeft, screenWidth);
}

void rotateRow(const uint8_t* row, uint32_t width, uint32_t shift, uint8_t* rotated)
{
    shift %= width;
    // Virtual column c goes to (c + shift) mod width.
    memcpy(rotated + 3 * size_t(shift), row, 3 * size_t(width - shift));
    memcpy(rotated, row + 3 * size_t(width - shift), 3 * size_t(shift));
}
