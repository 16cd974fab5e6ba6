// Checks a Windows bitmap file before its bytes are handed to the platform,
// and works out where its colour table and pixel bits lie. Bitmap files are
// untrusted input: anything the platform will read must lie inside the block
// that was read from the file.
#ifndef VISTRELL_BMPCHECK_H
#define VISTRELL_BMPCHECK_H

#include <stdint.h>

const uint32_t FILE_HEADER_SIZE = 14;
const uint32_t INFO_HEADER_SIZE = 40;

// The later information headers (version 4 and 5) are handled too.
const uint32_t INFO_HEADER_V4_SIZE = 108;
const uint32_t INFO_HEADER_V5_SIZE = 124;

// Sane bounds of an image: each side at most 32768 pixels, and at most 2^26
// pixels in all (an 8192 x 8192 square, or 7680 x 4320 with room to spare),
// so that neither the arithmetic nor the platform's bitmap runs away.
const int32_t BITMAP_MAX_SIDE = 32768;
const uint64_t BITMAP_MAX_PIXELS = uint64_t(1) << 26;

// Compression values of the information header.
const uint32_t BITMAP_RGB = 0;
const uint32_t BITMAP_RLE8 = 1;
const uint32_t BITMAP_RLE4 = 2;
const uint32_t BITMAP_BITFIELDS = 3;

enum BitmapVerdict {
    BITMAP_OK = 0,
    BITMAP_NOT_BM,           // first two bytes are not "BM"
    BITMAP_SIZE_MISMATCH,    // bfSize too small, or the file is shorter than bfSize
    BITMAP_BAD_HEADER,       // header size, planes, depth, compression (also
                             // top-down or size-less run-length bits) or a
                             // colour count above 256 not handled
    BITMAP_BAD_DIMENSIONS,   // zero, negative width, or beyond the sane bounds
    BITMAP_OUT_OF_BLOCK,     // header, colour table, pixel bits or colour
                             // profile would be read past the block
};

// The number of colour-table entries: the low 16 bits of biClrUsed when it is
// not 0, otherwise 2, 16 or 256 for 1, 4 or 8 bits and 0 for other depths.
uint16_t bitmapColourCount(uint16_t bitCount, uint32_t clrUsed);

// Checks the 14-byte file header against the real size of the file. On
// success *blockSize is bfSize - 14, the size of the block to read. A file
// longer than bfSize is fine: only bfSize bytes are used.
BitmapVerdict checkFileHeader(const uint8_t* header, uint64_t fileSize, uint32_t* blockSize);

struct BitmapLayout {
    int32_t width;
    int32_t height;          // negative for top-down rows
    uint16_t bitCount;
    uint16_t colourCount;
    uint32_t colourOffset;   // offsets inside the block behind the file header
    uint32_t bitsOffset;
    // Added: what the platform reads at bitsOffset.
    uint32_t compression;    // one of the BITMAP_RGB.. values above
    uint32_t bitsSize;       // rows x stride, or biSizeImage for run-length bits
};

// Checks the block behind the file header (information header, colour table,
// pixel bits). With the 40-byte header the colour table follows it and the
// bits follow the colour table directly, whatever bfOffBits says; with
// bit-field compression the three masks come first, so the colour table
// starts 12 bytes later. With the 108- and 124-byte headers the colour table
// follows the header at its own size (the masks are inside the header).
// Every field is read byte by byte, so the block needs no alignment. On
// success *layout (if not null) is filled.
BitmapVerdict checkBitmapBlock(const uint8_t* block, uint32_t blockSize, BitmapLayout* layout);

// Where the file header's offset to the bits (bfOffBits) is valid, the bits
// are taken from there instead: a file may leave a gap between its colour
// table and its bits, and the platform draws it from bfOffBits. Valid means
// at or behind the colour table's end, with all the bits inside the block.
void useFileBitsOffset(const uint8_t* fileHeader, uint32_t blockSize, BitmapLayout* layout);

// The same check made before the block is read: block holds only its first
// heldSize bytes (the information header: min(blockSize, 124) bytes are
// enough), and blockSize is the size the whole block will have. Everything
// the check looks at lies in the header, so the verdict is the same.
BitmapVerdict checkInfoHeader(const uint8_t* block, uint32_t heldSize, uint32_t blockSize, BitmapLayout* layout);

#endif
