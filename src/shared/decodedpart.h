// The part of one picture a drawing operation needs, decoded at the size the
// operation draws it: for a tile the whole picture, otherwise what its
// target covers. A bitmap drawn by the platform keeps its pixels in a
// section of the platform's, anything else in a block of our own.
#ifndef VISTRELL_DECODEDPART_H
#define VISTRELL_DECODEDPART_H

#include "composite.h"
#include "layout.h"

#include <windows.h>

struct DecodedPart {
    HBITMAP section;
    uint8_t* pixels;
    PixelSource source;
};

void freeDecodedPart(DecodedPart* decoded);

// The part of the scaled picture an operation needs.
LayoutRect neededPart(const LayoutOp& op);

// A block of our own for the part's pixels, 4 bytes each; false when the
// part is beyond the bounds or memory runs out.
bool allocatePart(DecodedPart* decoded, const LayoutRect& part);

#endif
