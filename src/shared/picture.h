// Pictures other than bitmaps (JPEG, PNG, GIF, TIFF and whatever else the
// platform's imaging component decodes), read through WIC. A reader loads
// COM and starts it for itself, and ends it when it is closed, so no COM
// object, no decoder, no pixels and not even COM's library outlive one use:
// the resident, which mostly changes bitmaps, does not carry COM's memory.
#ifndef VISTRELL_PICTURE_H
#define VISTRELL_PICTURE_H

#include "picturemath.h"

#include <windows.h>
#include <wincodec.h>

// Paths are in UTF-8 (pathtext.h).

// True when the file's first two bytes can be read and are not "BM". A file
// that cannot be read, or that is a bitmap, goes the way bitmaps go.
bool isPictureFile(const char* path);

// Whether the size the file's header claims lies within the bounds. Some
// decoders allocate the whole picture as soon as the file is opened, so a
// claim beyond the bounds must not reach them, nor a file whose header does
// not tell its size at all (a format other than PNG, GIF, JPEG and TIFF).
// The first also gives the size claimed.
bool pictureClaim(const char* path, PictureSize* claim);
bool pictureClaimAllowed(const char* path);

typedef void(WINAPI* EndComProc)();

struct PictureReader {
    HMODULE com;                    // ole32.dll, loaded for this use only
    EndComProc endCom;              // set when this reader initialised COM
    IWICImagingFactory* factory;
    IWICBitmapDecoder* decoder;
    IWICBitmapFrameDecode* frame;   // frame 0 as decoded
    IWICFormatConverter* converter; // frame 0 as 32-bit BGR
    IWICBitmapScaler* scaler;       // the converted frame at another size
    IWICBitmapSource* rows;         // where rows are read: converter or scaler
    PictureSize size;               // the size of those rows
    PictureSize converterSize;      // the frame's own size
};

// Opens frame 0 of the picture, checks its size and converts it to 32-bit
// BGR. A size beyond the bounds is refused twice: as its file's header claims
// it, before any decoder opens the file (a file whose header does not tell
// its size is refused there too), and as the decoder reads it, before any
// pixel is. On failure the reader is closed already.
bool openPicture(const char* path, PictureReader* reader);

// From now on the rows come at this size (scaled from the frame's); a
// scaler made for an earlier size is released first. A size beyond the
// bounds is refused.
bool scalePicture(PictureReader* reader, PictureSize size);

// The same for a picture of which only some rows will be read: its whole
// may be larger than the bounds (a photo filling a desktop of three large
// monitors), as long as each side stays within PART_SCALE_MAX_SIDE.
const uint32_t PART_SCALE_MAX_SIDE = 1u << 17;
bool scalePictureForPart(PictureReader* reader, PictureSize size);

// Reads count rows from first on, 4 bytes a pixel, rows one after another;
// the part's width columns from left on, or every column.
bool readPicturePart(PictureReader* reader, uint32_t left, uint32_t width, uint32_t first, uint32_t count,
                     uint8_t* pixels);
bool readPictureRows(PictureReader* reader, uint32_t first, uint32_t count, uint8_t* pixels);

// Releases every object, ends COM if the reader started it and lets ole32.dll
// go again.
void closePicture(PictureReader* reader);

#endif
