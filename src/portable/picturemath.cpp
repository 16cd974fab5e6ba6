#include "picturemath.h"

#include "bmpcheck.h"

#include <string.h>

static const char CACHE_SUFFIX[] = ".bmp";
const uint16_t BITMAP_SIGNATURE = 0x4D42;  // "BM"
// Screens wider or taller than this leave a picture as it is.
const uint32_t MAX_SCREEN_SIDE = 65535;

static void put16(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

static void put32(uint8_t* p, uint32_t v)
{
    put16(p, v & 0xFFFF);
    put16(p + 2, v >> 16);
}

static uint32_t read16(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8;
}

static uint32_t read32(const uint8_t* p)
{
    return read16(p) | read16(p + 2) << 16;
}

static uint32_t readBig16(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) << 8 | p[1];
}

static uint32_t readBig32(const uint8_t* p)
{
    return readBig16(p) << 16 | readBig16(p + 2);
}

// A JPEG's size is in its first frame header (markers C0 to CF, but for C4
// Huffman tables, C8 reserved and CC arithmetic conditioning): width and
// height behind the length and the sample precision. Every segment before it
// says its own length.
static bool jpegClaim(const uint8_t* head, uint32_t count, PictureSize* size)
{
    uint32_t at = 2;
    while (at + 4 <= count && head[at] == 0xFF) {
        uint8_t marker = head[at + 1];
        uint32_t length = readBig16(head + at + 2);
        if (marker == 0xFF) {  // fill byte before a marker
            ++at;
            continue;
        }
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (length < 7 || at + 9 > count)
                return false;
            size->height = readBig16(head + at + 5);
            size->width = readBig16(head + at + 7);
            return true;
        }
        if (length < 2 || marker == 0xDA)  // bad length, or the scan before any frame
            return false;
        at += 2 + length;
    }
    return false;
}

bool claimedPictureSize(const uint8_t* head, uint32_t count, PictureSize* size)
{
    static const uint8_t PNG_START[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    if (count >= 24 && memcmp(head, PNG_START, sizeof PNG_START) == 0) {
        size->width = readBig32(head + 16);
        size->height = readBig32(head + 20);
        return true;
    }
    // GIF: the logical screen, which every frame must lie within.
    if (count >= 10 && (memcmp(head, "GIF87a", 6) == 0 || memcmp(head, "GIF89a", 6) == 0)) {
        size->width = read16(head + 6);
        size->height = read16(head + 8);
        return true;
    }
    if (count >= 4 && head[0] == 0xFF && head[1] == 0xD8)
        return jpegClaim(head, count, size);
    return false;
}

bool pictureSizeAllowed(PictureSize picture)
{
    return picture.width >= 1 && picture.height >= 1 && picture.width <= uint32_t(BITMAP_MAX_SIDE) &&
           picture.height <= uint32_t(BITMAP_MAX_SIDE) &&
           uint64_t(picture.width) * picture.height <= BITMAP_MAX_PIXELS;
}

// value * numerator / denominator, rounded to the nearest whole number and
// never below 1. With both factors below 2^16 the product fits 32 bits (the
// programs stay clear of 64-bit division, which the 32-bit build would have
// to carry a library routine for).
static uint32_t scaled(uint32_t value, uint32_t numerator, uint32_t denominator)
{
    uint32_t result = (value * numerator + denominator / 2) / denominator;
    return result < 1 ? 1 : result;
}

PictureSize fitWithin(PictureSize picture, PictureSize screen)
{
    if (picture.width <= screen.width && picture.height <= screen.height)
        return picture;
    if (!pictureSizeAllowed(picture) || screen.width == 0 || screen.height == 0 || screen.width > MAX_SCREEN_SIDE ||
        screen.height > MAX_SCREEN_SIDE)
        return picture;
    PictureSize fitted;
    // The side that overshoots the screen by more sets the scale.
    if (picture.width * screen.height >= picture.height * screen.width) {
        fitted.width = screen.width;
        fitted.height = scaled(picture.height, screen.width, picture.width);
    } else {
        fitted.height = screen.height;
        fitted.width = scaled(picture.width, screen.height, picture.height);
    }
    return fitted;
}

bool cacheFileName(const char* picturePath, char* name, size_t size)
{
    const char* start = picturePath;
    for (const char* p = picturePath; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            start = p + 1;
    size_t length = strlen(start);
    if (length == 0 || length + sizeof CACHE_SUFFIX > size)
        return false;
    memcpy(name, start, length);
    memcpy(name + length, CACHE_SUFFIX, sizeof CACHE_SUFFIX);
    return true;
}

uint32_t bitmapStride24(uint32_t width)
{
    return (width * 3 + 3) & ~3u;
}

bool writeBitmapHeader24(uint8_t* header, PictureSize picture)
{
    if (!pictureSizeAllowed(picture))
        return false;
    // Within the bounds the whole file stays far below 4 GiB.
    uint32_t bitsSize = bitmapStride24(picture.width) * picture.height;
    memset(header, 0, CACHE_HEADER_SIZE);
    put16(header, BITMAP_SIGNATURE);
    put32(header + 2, CACHE_HEADER_SIZE + bitsSize);
    put32(header + 10, CACHE_HEADER_SIZE);
    uint8_t* info = header + FILE_HEADER_SIZE;
    put32(info, INFO_HEADER_SIZE);
    put32(info + 4, picture.width);
    put32(info + 8, picture.height);  // positive: rows bottom-up
    put16(info + 12, 1);
    put16(info + 14, 24);
    put32(info + 20, bitsSize);
    return true;
}

bool cacheHeaderMatches(const uint8_t* header, uint64_t fileSize, PictureSize picture, uint32_t trailerSize,
                        uint32_t* trailerOffset)
{
    uint8_t expected[CACHE_HEADER_SIZE];
    if (!writeBitmapHeader24(expected, picture) || memcmp(header, expected, CACHE_HEADER_SIZE) != 0)
        return false;
    uint32_t bitmapSize = read32(header + 2);
    if (fileSize != uint64_t(bitmapSize) + trailerSize)
        return false;
    *trailerOffset = bitmapSize;
    return true;
}
