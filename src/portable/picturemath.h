// The arithmetic behind pictures that are not bitmaps (JPEG, PNG, GIF,
// TIFF): whether a picture's size is sane, how "Center" fits a large one to
// the screen, and the 24-bit bitmap file a picture is turned into for the
// desktop, with the name it gets and the check that lets it be used again.
#ifndef VISTRELL_PICTUREMATH_H
#define VISTRELL_PICTUREMATH_H

#include <stddef.h>
#include <stdint.h>

struct PictureSize {
    uint32_t width;
    uint32_t height;
};

// The same bounds as for bitmap files: each side 1 to BITMAP_MAX_SIDE
// pixels, at most BITMAP_MAX_PIXELS in all. Checked before anything is
// allocated for the pixels.
bool pictureSizeAllowed(PictureSize picture);

// Reads up to count bytes of a file from offset on into buffer; returns how
// many it read, fewer at the file's end or on a failure.
typedef uint32_t (*ReadBytesProc)(void* context, uint64_t offset, uint8_t* buffer, uint32_t count);

// The size a PNG, GIF, JPEG or TIFF file says its picture has, read from its
// header through read: a JPEG's frame header may come behind any number of
// camera segments of up to 64 KiB each, all of which are stepped over, and
// a TIFF's size is in its first directory. False when the format is another
// or the size cannot be found. Decoders may allocate for this size as soon
// as the file is opened, so a picture whose claim is beyond the bounds, or
// cannot be found, is refused before one is.
bool claimedPictureSize(ReadBytesProc read, void* context, PictureSize* size);

// The same over the count bytes of a file held in memory.
bool claimedPictureSize(const uint8_t* head, uint32_t count, PictureSize* size);

// The most segments stepped over before a JPEG's frame header: far more
// than any camera writes, few enough to keep a hostile file's walk short.
const uint32_t JPEG_SEGMENT_LIMIT = 4096;

// A picture larger than the screen (in either direction) scaled down to fit
// it, keeping its proportions; a picture that fits keeps its size, and so
// does one beyond the bounds or a screen of no size or of more than 65535
// pixels a side.
PictureSize fitWithin(PictureSize picture, PictureSize screen);

// The cache file's name for a composite: a hash of the record of
// everything that made it, as 16 hexadecimal digits and ".bmp". Short and
// fixed, whatever the pictures' names; the same composite gets the same
// name again. name holds CACHE_NAME_SIZE bytes.
const size_t CACHE_NAME_SIZE = 21;
void cacheFileName(const uint8_t* record, size_t length, char* name);

// The cache file: a 54-byte header (file header and 40-byte information
// header), the 24-bit rows bottom-up, then a trailer behind the bitmap's own
// bytes, where bitmap readers do not look: the picture's path with its zero,
// then the picture's size in bytes and its last-write time, 8 bytes each,
// least significant first. The path tells two pictures of the same name in
// different folders apart; size and time tell any change of the picture,
// also a copy of an older one over it.
const uint32_t CACHE_HEADER_SIZE = 54;
const uint32_t CACHE_TRAILER_STAMP = 16;

// Writes the trailer for a picture into trailer (room bytes); returns its
// length, or 0 when it does not fit.
uint32_t writeCacheTrailer(uint8_t* trailer, uint32_t room, const char* picturePath, uint64_t pictureBytes,
                           uint64_t pictureWriteTime);

// Bytes per row of a 24-bit bitmap, padded to a multiple of 4.
uint32_t bitmapStride24(uint32_t width);

// Writes the header of a 24-bit bottom-up bitmap of that size; false for a
// size beyond the bounds.
bool writeBitmapHeader24(uint8_t* header, PictureSize picture);

// Whether a file of fileSize bytes beginning with header is a cache file
// this program wrote for a picture of that size, with a path of trailerSize
// bytes (its zero included) behind the rows. On success *trailerOffset is
// where that path begins.
bool cacheHeaderMatches(const uint8_t* header, uint64_t fileSize, PictureSize picture, uint32_t trailerSize,
                        uint32_t* trailerOffset);

#endif
