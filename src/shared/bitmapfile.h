// A bitmap file for drawing: mapped rather than read, so that its bytes take
// no memory of the program's own, and its headers checked as the preview
// checks them.
#ifndef VISTRELL_BITMAPFILE_H
#define VISTRELL_BITMAPFILE_H

#include "bmpcheck.h"
#include "picturemath.h"

#include <windows.h>

struct MappedBitmap {
    HANDLE file;
    HANDLE mapping;
    const uint8_t* view;
    BitmapLayout layout;
    // The information header and colour table, copied once checked: what the
    // platform is told of the bits cannot change under it, even should the
    // file change while it is mapped.
    uint8_t* info;
};

// Maps the file at path (UTF-8) and checks it; false (with nothing to
// unmap) when it cannot be opened or is no bitmap the checks pass.
bool mapBitmap(const char* path, MappedBitmap* bitmap);
void unmapBitmap(MappedBitmap* bitmap);

// Its width and its height, whichever way its rows run.
PictureSize mappedBitmapSize(const MappedBitmap& bitmap);

#endif
