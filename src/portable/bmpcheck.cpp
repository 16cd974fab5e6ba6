#include "bmpcheck.h"

// Offsets of the fields read from the information header.
const uint32_t INFO_WIDTH = 4;
const uint32_t INFO_HEIGHT = 8;
const uint32_t INFO_PLANES = 12;
const uint32_t INFO_BIT_COUNT = 14;
const uint32_t INFO_COMPRESSION = 16;
const uint32_t INFO_SIZE_IMAGE = 20;
const uint32_t INFO_CLR_USED = 32;
const uint32_t INFO_CS_TYPE = 56;        // version 4 and 5 headers
const uint32_t INFO_PROFILE_DATA = 112;  // version 5 header only
const uint32_t INFO_PROFILE_SIZE = 116;

// Colour-space types whose profile lies in the block behind the header.
const uint32_t PROFILE_LINKED = 0x4C494E4B;    // 'LINK'
const uint32_t PROFILE_EMBEDDED = 0x4D424544;  // 'MBED'

const uint32_t BITFIELD_MASKS_SIZE = 12;
// The platform reads at most this many colour-table entries.
const uint32_t MAX_COLOURS = 256;

static uint16_t read16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

static uint32_t read32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t bitmapColourCount(uint16_t bitCount, uint32_t clrUsed)
{
    if (clrUsed != 0)
        return static_cast<uint16_t>(clrUsed & 0xFFFF);
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

BitmapVerdict checkFileHeader(const uint8_t* header, uint64_t fileSize, uint32_t* blockSize)
{
    if (fileSize < FILE_HEADER_SIZE)
        return fileSize >= 2 && read16(header) == 0x4D42 ? BITMAP_SIZE_MISMATCH : BITMAP_NOT_BM;
    if (read16(header) != 0x4D42)
        return BITMAP_NOT_BM;
    uint32_t fileSizeField = read32(header + 2);
    if (fileSizeField < FILE_HEADER_SIZE + INFO_HEADER_SIZE || fileSizeField > fileSize)
        return BITMAP_SIZE_MISMATCH;
    *blockSize = fileSizeField - FILE_HEADER_SIZE;
    return BITMAP_OK;
}

static bool isHandledDepth(uint16_t bitCount)
{
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

static bool isHandledCompression(uint32_t compression, uint16_t bitCount)
{
    switch (compression) {
    case BITMAP_RGB:
        return true;
    case BITMAP_RLE8:
        return bitCount == 8;
    case BITMAP_RLE4:
        return bitCount == 4;
    case BITMAP_BITFIELDS:
        return bitCount == 16 || bitCount == 32;
    default:
        return false;
    }
}

// A linked or embedded colour profile of a version 5 header is read by the
// platform too, from the offset the header gives, relative to its start.
static bool profileInBlock(const uint8_t* block, uint32_t headerSize, uint32_t blockSize)
{
    if (headerSize < INFO_HEADER_V5_SIZE)
        return true;
    uint32_t csType = read32(block + INFO_CS_TYPE);
    if (csType != PROFILE_LINKED && csType != PROFILE_EMBEDDED)
        return true;
    uint64_t end = uint64_t(read32(block + INFO_PROFILE_DATA)) + read32(block + INFO_PROFILE_SIZE);
    return end <= blockSize;
}

BitmapVerdict checkInfoHeader(const uint8_t* block, uint32_t heldSize, uint32_t blockSize, BitmapLayout* layout)
{
    if (blockSize < 4 || heldSize < 4)
        return BITMAP_OUT_OF_BLOCK;
    uint32_t headerSize = read32(block);
    if (headerSize != INFO_HEADER_SIZE && headerSize != INFO_HEADER_V4_SIZE && headerSize != INFO_HEADER_V5_SIZE)
        return BITMAP_BAD_HEADER;
    if (blockSize < headerSize || heldSize < headerSize)
        return BITMAP_OUT_OF_BLOCK;

    int32_t width = static_cast<int32_t>(read32(block + INFO_WIDTH));
    int32_t height = static_cast<int32_t>(read32(block + INFO_HEIGHT));
    uint16_t planes = read16(block + INFO_PLANES);
    uint16_t bitCount = read16(block + INFO_BIT_COUNT);
    uint32_t compression = read32(block + INFO_COMPRESSION);
    uint32_t sizeImage = read32(block + INFO_SIZE_IMAGE);
    uint32_t clrUsed = read32(block + INFO_CLR_USED);

    if (planes != 1 || !isHandledDepth(bitCount) || !isHandledCompression(compression, bitCount))
        return BITMAP_BAD_HEADER;
    // The platform reads min(biClrUsed, 256) entries while the colour count
    // keeps the low 16 bits: above 256 the two would disagree.
    if (clrUsed > MAX_COLOURS)
        return BITMAP_BAD_HEADER;

    bool runLength = compression == BITMAP_RLE8 || compression == BITMAP_RLE4;
    int64_t rows = height < 0 ? -int64_t(height) : int64_t(height);
    if (width <= 0 || rows == 0 || width > BITMAP_MAX_SIDE || rows > BITMAP_MAX_SIDE ||
        uint64_t(width) * uint64_t(rows) > BITMAP_MAX_PIXELS)
        return BITMAP_BAD_DIMENSIONS;
    // Run-length bits are always bottom-up and need their byte count.
    if (runLength && (height < 0 || sizeImage == 0))
        return BITMAP_BAD_HEADER;
    if (!profileInBlock(block, headerSize, blockSize))
        return BITMAP_OUT_OF_BLOCK;

    uint16_t colourCount = bitmapColourCount(bitCount, clrUsed);
    uint64_t colourOffset = headerSize;
    if (headerSize == INFO_HEADER_SIZE && compression == BITMAP_BITFIELDS)
        colourOffset += BITFIELD_MASKS_SIZE;
    uint64_t bitsOffset = colourOffset + 4 * uint64_t(colourCount);
    uint64_t stride = (uint64_t(width) * bitCount + 31) / 32 * 4;
    uint64_t bitsSize = runLength ? uint64_t(sizeImage) : stride * uint64_t(rows);
    if (bitsOffset + bitsSize > blockSize)
        return BITMAP_OUT_OF_BLOCK;

    if (layout) {
        layout->width = width;
        layout->height = height;
        layout->bitCount = bitCount;
        layout->colourCount = colourCount;
        layout->colourOffset = static_cast<uint32_t>(colourOffset);
        layout->bitsOffset = static_cast<uint32_t>(bitsOffset);
        layout->compression = compression;
        layout->bitsSize = static_cast<uint32_t>(bitsSize);
    }
    return BITMAP_OK;
}

void useFileBitsOffset(const uint8_t* fileHeader, uint32_t blockSize, BitmapLayout* layout)
{
    uint32_t offBits = read32(fileHeader + 10);
    if (offBits < FILE_HEADER_SIZE)
        return;
    uint64_t bits = offBits - FILE_HEADER_SIZE;
    uint64_t tableEnd = uint64_t(layout->colourOffset) + 4 * uint64_t(layout->colourCount);
    if (bits >= tableEnd && bits + layout->bitsSize <= blockSize)
        layout->bitsOffset = static_cast<uint32_t>(bits);
}

BitmapVerdict checkBitmapBlock(const uint8_t* block, uint32_t blockSize, BitmapLayout* layout)
{
    return checkInfoHeader(block, blockSize, blockSize, layout);
}
