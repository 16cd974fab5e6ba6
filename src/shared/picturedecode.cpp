#include "picturedecode.h"

// A picture's rows are read from its decoder in bands of about this size.
const uint32_t DECODE_BAND_BYTES = 256 * 1024;

bool decodePicturePart(PictureReader* reader, const LayoutOp& op, DecodedPart* decoded)
{
    LayoutRect part = neededPart(op);
    if (!scalePictureForPart(reader, op.scaled) || !allocatePart(decoded, part))
        return false;
    const PixelSource& source = decoded->source;
    uint32_t bandRows = DECODE_BAND_BYTES / source.stride + 1;
    bool read = true;
    for (uint32_t done = 0; read && done < source.height;) {
        uint32_t count = source.height - done < bandRows ? source.height - done : bandRows;
        read = readPicturePart(reader, static_cast<uint32_t>(part.left), source.width,
                               static_cast<uint32_t>(part.top) + done, count,
                               decoded->pixels + size_t(done) * source.stride);
        done += count;
    }
    return read;
}
