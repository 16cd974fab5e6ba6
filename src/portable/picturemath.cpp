#include "picturemath.h"

#include "hash64.h"
#include "hexdigit.h"

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

// Reads exactly count bytes at offset; false at the file's end.
static bool readExactly(ReadBytesProc read, void* context, uint64_t offset, uint8_t* buffer, uint32_t count)
{
    return read(context, offset, buffer, count) == count;
}

// A JPEG's size is in its first frame header (markers C0 to CF, but for C4
// Huffman tables, C8 reserved and CC arithmetic conditioning): height and
// width behind the length and the sample precision. Every segment before it
// says its own length, so the walk reads 4 bytes a segment wherever it lies.
static bool jpegClaim(ReadBytesProc read, void* context, PictureSize* size)
{
    uint64_t at = 2;
    for (uint32_t step = 0; step < JPEG_SEGMENT_LIMIT; ++step) {
        uint8_t segment[9];
        if (!readExactly(read, context, at, segment, 4) || segment[0] != 0xFF)
            return false;
        uint8_t marker = segment[1];
        uint32_t length = readBig16(segment + 2);
        if (marker == 0xFF) {  // fill byte before a marker
            ++at;
            continue;
        }
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (length < 7 || !readExactly(read, context, at, segment, 9))
                return false;
            size->height = readBig16(segment + 5);
            size->width = readBig16(segment + 7);
            return true;
        }
        if (length < 2 || marker == 0xDA)  // bad length, or the scan before any frame
            return false;
        at += 2 + length;
    }
    return false;
}

// A TIFF's byte order: "II" little-endian, "MM" big-endian.
static uint32_t tiff16(const uint8_t* p, bool big)
{
    return big ? readBig16(p) : read16(p);
}

static uint32_t tiff32(const uint8_t* p, bool big)
{
    return big ? readBig32(p) : read32(p);
}

const uint32_t TIFF_WIDTH_TAG = 256;
const uint32_t TIFF_LENGTH_TAG = 257;
const uint32_t TIFF_SHORT = 3;
const uint32_t TIFF_LONG = 4;
const uint32_t TIFF_ENTRY_SIZE = 12;
// Directory entries are read this many at a time.
const uint32_t TIFF_ENTRIES_READ = 16;

// A TIFF's size: the width and length entries of its first directory, each
// one value of type SHORT (in the first two bytes of the value field) or
// LONG. The entries are read in small batches wherever the directory lies.
static bool tiffClaim(ReadBytesProc read, void* context, const uint8_t* header, PictureSize* size)
{
    bool big = header[0] == 'M';
    uint8_t count[2];
    uint64_t directory = tiff32(header + 4, big);
    if (!readExactly(read, context, directory, count, sizeof count))
        return false;
    uint32_t entries = tiff16(count, big);
    bool width = false;
    bool length = false;
    uint8_t batch[TIFF_ENTRIES_READ * TIFF_ENTRY_SIZE];
    for (uint32_t first = 0; first < entries && !(width && length); first += TIFF_ENTRIES_READ) {
        uint32_t n = entries - first < TIFF_ENTRIES_READ ? entries - first : TIFF_ENTRIES_READ;
        if (!readExactly(read, context, directory + 2 + uint64_t(first) * TIFF_ENTRY_SIZE, batch,
                         n * TIFF_ENTRY_SIZE))
            return false;
        for (uint32_t i = 0; i < n; ++i) {
            const uint8_t* entry = batch + i * TIFF_ENTRY_SIZE;
            uint32_t tag = tiff16(entry, big);
            uint32_t type = tiff16(entry + 2, big);
            if ((tag != TIFF_WIDTH_TAG && tag != TIFF_LENGTH_TAG) || tiff32(entry + 4, big) != 1 ||
                (type != TIFF_SHORT && type != TIFF_LONG))
                continue;
            uint32_t value = type == TIFF_SHORT ? tiff16(entry + 8, big) : tiff32(entry + 8, big);
            if (tag == TIFF_WIDTH_TAG) {
                size->width = value;
                width = true;
            } else {
                size->height = value;
                length = true;
            }
        }
    }
    return width && length;
}

bool claimedPictureSize(ReadBytesProc read, void* context, PictureSize* size)
{
    static const uint8_t PNG_START[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    uint8_t head[24];
    uint32_t count = read(context, 0, head, sizeof head);
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
        return jpegClaim(read, context, size);
    if (count >= 8 && (memcmp(head, "II*\0", 4) == 0 || memcmp(head, "MM\0*", 4) == 0))
        return tiffClaim(read, context, head, size);
    return false;
}

// A file held in memory, for claimedPictureSize.
struct MemoryFile {
    const uint8_t* bytes;
    uint32_t count;
};

static uint32_t readMemory(void* context, uint64_t offset, uint8_t* buffer, uint32_t count)
{
    const MemoryFile* file = static_cast<const MemoryFile*>(context);
    if (offset >= file->count)
        return 0;
    uint32_t available = file->count - static_cast<uint32_t>(offset);
    uint32_t n = count < available ? count : available;
    memcpy(buffer, file->bytes + offset, n);
    return n;
}

bool claimedPictureSize(const uint8_t* head, uint32_t count, PictureSize* size)
{
    MemoryFile file = {head, count};
    return claimedPictureSize(readMemory, &file, size);
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

void cacheFileName(const uint8_t* record, size_t length, char* name)
{
    formatHex64(hashBytes64(record, length, 0), name);
    memcpy(name + 16, CACHE_SUFFIX, sizeof CACHE_SUFFIX);
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

uint32_t writeCacheTrailer(uint8_t* trailer, uint32_t room, const char* picturePath, uint64_t pictureBytes,
                           uint64_t pictureWriteTime)
{
    size_t pathSize = strlen(picturePath) + 1;
    if (pathSize > room || room - pathSize < CACHE_TRAILER_STAMP)
        return 0;
    memcpy(trailer, picturePath, pathSize);
    uint8_t* stamp = trailer + pathSize;
    put32(stamp, static_cast<uint32_t>(pictureBytes));
    put32(stamp + 4, static_cast<uint32_t>(pictureBytes >> 32));
    put32(stamp + 8, static_cast<uint32_t>(pictureWriteTime));
    put32(stamp + 12, static_cast<uint32_t>(pictureWriteTime >> 32));
    return static_cast<uint32_t>(pathSize + CACHE_TRAILER_STAMP);
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
