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

// How many bytes of a picture's beginning claimedPictureSize looks at: room
// for the camera data that may come before a JPEG's frame header.
const uint32_t PICTURE_HEAD_BYTES = 64 * 1024;

// The size a PNG, GIF or JPEG file says its picture has, read from the count
// bytes of its beginning; false when the format is another or the size is
// not among those bytes. Decoders may allocate for this size as soon as the
// file is opened, so a claim beyond the bounds is refused before one is.
bool claimedPictureSize(const uint8_t* head, uint32_t count, PictureSize* size);

// A picture larger than the screen (in either direction) scaled down to fit
// it, keeping its proportions; a picture that fits keeps its size, and so
// does one beyond the bounds or a screen of no size or of more than 65535
// pixels a side.
PictureSize fitWithin(PictureSize picture, PictureSize screen);

// The cache file's name for a picture: its file name (what follows the last
// backslash, slash or colon) with ".bmp" added, so "c:\photos\sea.jpg"
// gives "sea.jpg.bmp". False when the path ends without a name or the name
// does not fit into size bytes.
bool cacheFileName(const char* picturePath, char* name, size_t size);

// The cache file: a 54-byte header (file header and 40-byte information
// header), the 24-bit rows bottom-up, then the picture's path with its zero,
// behind the bitmap's own bytes, where bitmap readers do not look. The path
// tells two pictures of the same name in different folders apart.
const uint32_t CACHE_HEADER_SIZE = 54;

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
