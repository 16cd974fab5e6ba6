#include "bitmapdecode.h"

#include <stdlib.h>
#include <string.h>

// The part of a plain 24- or 32-bit bitmap drawn at its own size: only the
// pixels the part needs, read row by row from the file, without a section of
// the platform's or the whole picture in memory on the way.
static bool copyBitmapPart(const MappedBitmap& bitmap, const LayoutRect& part, DecodedPart* decoded)
{
    if (!allocatePart(decoded, part))
        return false;
    const BitmapLayout& layout = bitmap.layout;
    uint32_t bytesPerPixel = layout.bitCount / 8;
    uint32_t stride = (uint32_t(layout.width) * layout.bitCount + 31) / 32 * 4;
    uint32_t rows = static_cast<uint32_t>(layout.height < 0 ? -layout.height : layout.height);
    const PixelSource& source = decoded->source;
    DWORD rowBytes = source.width * bytesPerPixel;
    uint8_t* line = static_cast<uint8_t*>(malloc(rowBytes));
    bool read = line != NULL;
    for (uint32_t y = 0; read && y < source.height; ++y) {
        uint32_t pictureRow = static_cast<uint32_t>(part.top) + y;
        // Bottom-up unless the height is negative. Within the checked block,
        // so below 4 GiB.
        uint32_t at = FILE_HEADER_SIZE + layout.bitsOffset +
                      (layout.height < 0 ? pictureRow : rows - 1 - pictureRow) * stride +
                      uint32_t(part.left) * bytesPerPixel;
        DWORD got = 0;
        read = SetFilePointer(bitmap.file, static_cast<LONG>(at), NULL, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
               ReadFile(bitmap.file, line, rowBytes, &got, NULL) && got == rowBytes;
        const uint8_t* in = line;
        uint8_t* out = decoded->pixels + size_t(y) * source.stride;
        for (uint32_t x = 0; read && x < source.width; ++x, in += bytesPerPixel, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 0;
        }
    }
    free(line);
    return read;
}

bool decodeBitmapPart(const MappedBitmap& bitmap, const LayoutOp& op, DecodedPart* decoded)
{
    const BitmapLayout& layout = bitmap.layout;
    PictureSize own = mappedBitmapSize(bitmap);
    LayoutRect part = neededPart(op);
    if (layout.compression == BITMAP_RGB && (layout.bitCount == 24 || layout.bitCount == 32) &&
        op.scaled.width == own.width && op.scaled.height == own.height)
        return copyBitmapPart(bitmap, part, decoded);

    uint32_t width = static_cast<uint32_t>(part.right - part.left);
    uint32_t height = static_cast<uint32_t>(part.bottom - part.top);
    PictureSize size = {width, height};
    if (!pictureSizeAllowed(size))
        return false;
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = NULL;
    decoded->section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    bool drawn = false;
    if (decoded->section && bits) {
        HGDIOBJ replaced = SelectObject(memory, decoded->section);
        SetStretchBltMode(memory, HALFTONE);
        SetBrushOrgEx(memory, 0, 0, NULL);
        drawn = StretchDIBits(memory, -part.left, -part.top, static_cast<int>(op.scaled.width),
                              static_cast<int>(op.scaled.height), 0, 0, layout.width, static_cast<int>(own.height),
                              bitmap.view + FILE_HEADER_SIZE + layout.bitsOffset,
                              reinterpret_cast<const BITMAPINFO*>(bitmap.info), DIB_RGB_COLORS, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, replaced);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    decoded->pixels = static_cast<uint8_t*>(bits);
    PixelSource source = {decoded->pixels, width, height, width * 4, part.left, part.top};
    decoded->source = source;
    return drawn;
}
