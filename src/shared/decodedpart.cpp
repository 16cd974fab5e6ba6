#include "decodedpart.h"

#include <stdlib.h>
#include <string.h>

void freeDecodedPart(DecodedPart* decoded)
{
    if (decoded->section)
        DeleteObject(decoded->section);
    else
        free(decoded->pixels);
    memset(decoded, 0, sizeof *decoded);
}

LayoutRect neededPart(const LayoutOp& op)
{
    if (op.tiled) {
        LayoutRect whole = {0, 0, static_cast<int32_t>(op.scaled.width), static_cast<int32_t>(op.scaled.height)};
        return whole;
    }
    LayoutRect part = {op.target.left - op.originX, op.target.top - op.originY, op.target.right - op.originX,
                       op.target.bottom - op.originY};
    return part;
}

bool allocatePart(DecodedPart* decoded, const LayoutRect& part)
{
    uint32_t width = static_cast<uint32_t>(part.right - part.left);
    uint32_t height = static_cast<uint32_t>(part.bottom - part.top);
    PictureSize size = {width, height};
    if (!pictureSizeAllowed(size))
        return false;
    decoded->pixels = static_cast<uint8_t*>(malloc(size_t(width) * height * 4));
    PixelSource source = {decoded->pixels, width, height, width * 4, part.left, part.top};
    decoded->source = source;
    return decoded->pixels != NULL;
}
