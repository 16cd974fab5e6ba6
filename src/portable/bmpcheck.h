// Checks a Windows bitmap file before its bytes are handed to the platform,
// and works out where its colour table and pixel bits lie. Bitmap files are
// untrusted input: anything the platform will read must lie inside the block
// that was read from the file.
#ifndef VISTRELL_BMPCHECK_H
#define VISTRELL_BMPCHECK_H

#include <stdint.h>

const uint32_t FILE_HEADER_SIZE = 14;
const uint32_t INFO_HEADER_SIZE = 40;

enum BitmapVerdict {
    BITMAP_OK = 0,
    BITMAP_NOT_BM,           // first two bytes are not "BM"
    BITMAP_SIZE_MISMATCH,    // bfSize too small, or the file is shorter than bfSize
    BITMAP_BAD_HEADER,       // header size, planes, depth or compression not handled
    BITMAP_BAD_DIMENSIONS,   // zero, negative width, or beyond the sane bounds
    BITMAP_OUT_OF_BLOCK,     // colour table or pixel rows would be read past the block
};

// The number of colour-table entries: the low 16 bits of biClrUsed when it is
// not 0, otherwise 2, 16 or 256 for 1, 4 or 8 bits and 0 for other depths.
uint16_t bitmapColourCount(uint16_t bitCount, uint32_t clrUsed);

// Checks the 14-byte file header against the real size of the file. On
// success *blockSize is bfSize - 14, the size of the block to read.
BitmapVerdict checkFileHeader(const uint8_t* header, uint64_t fileSize, uint32_t* blockSize);

struct BitmapLayout {
    int32_t width;
    int32_t height;          // negative for top-down rows
    uint16_t bitCount;
    uint16_t colourCount;
    uint32_t colourOffset;   // offsets inside the block behind the file header
    uint32_t bitsOffset;
};

// Checks the block behind the file header (information header, colour table,
// pixel bits). With the 40-byte header the colour table follows it and the
// bits follow the colour table directly, whatever bfOffBits says.
BitmapVerdict checkBitmapBlock(const uint8_t* block, uint32_t blockSize, BitmapLayout* layout);

#endif
