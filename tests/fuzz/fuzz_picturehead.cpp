// The picture header reader on arbitrary files, each copied
// into a block of exactly its size so that a read past it is caught; a size
// it reports must have come from within the block.
#include "picturemath.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Enough for camera segments in front of a JPEG's frame header.
    const size_t MOST = 256 * 1024;
    if (size > MOST)
        size = MOST;
    std::vector<uint8_t> head(data, data + size);
    PictureSize claim = {0, 0};
    if (!claimedPictureSize(head.data(), static_cast<uint32_t>(head.size()), &claim))
        return 0;
    if (head.size() < 10)
        abort();
    // "Center" never grows a picture, never leaves it empty, and keeps it
    // within the screen.
    const PictureSize screen = {1024, 768};
    PictureSize fitted = fitWithin(claim, screen);
    if (pictureSizeAllowed(claim) &&
        (fitted.width == 0 || fitted.height == 0 || fitted.width > claim.width || fitted.height > claim.height ||
         fitted.width > screen.width || fitted.height > screen.height))
        abort();
    return 0;
}
