#include "preview.h"

#include "bmpcheck.h"
#include "bwcc.h"
#include "ids.h"
#include "oldshell.h"
#include "pathtext.h"
#include "picture.h"

#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// The frame and its drawing contexts, held from the dialog's start to the
// editor's end.
static HWND frameWindow = NULL;
static HDC frameContext = NULL;
static HDC memoryContext = NULL;

// The picture sits this many pixels inside the frame's edge on every side,
// at 100 % (more as the display is scaled).
const int FRAME_INSET = 2;

// The picture drawn last (UTF-8), until the frame is cleared: drawn again
// when the dialog moves to a monitor of another scale.
static char previewedPath[PICTURE_PATH_BYTES];

void createPreviewContexts(HWND dialog)
{
    releasePreviewContexts();
    frameWindow = GetDlgItem(dialog, IDC_PREVIEW_FRAME);
    frameContext = GetDC(frameWindow);
    memoryContext = CreateCompatibleDC(frameContext);
}

void releasePreviewContexts()
{
    if (frameContext)
        ReleaseDC(frameWindow, frameContext);
    if (memoryContext)
        DeleteDC(memoryContext);
    frameContext = NULL;
    memoryContext = NULL;
}

void clearPreview(HWND dialog)
{
    previewedPath[0] = '\0';
    // Each change of state repaints the button's face, which wipes the
    // picture; the frame ends disabled and empty.
    HWND frame = GetDlgItem(dialog, IDC_PREVIEW_FRAME);
    EnableWindow(frame, TRUE);
    EnableWindow(frame, FALSE);
}

// The palette of the image's colour table, or NULL for an image without one
// (or when the palette cannot be made; the picture is then drawn without).
static HPALETTE createImagePalette(const uint8_t* block, const BitmapLayout& layout)
{
    if (layout.colourCount == 0)
        return NULL;
    LOGPALETTE* record = static_cast<LOGPALETTE*>(
        malloc(offsetof(LOGPALETTE, palPalEntry) + sizeof(PALETTEENTRY) * layout.colourCount));
    if (!record)
        return NULL;
    record->palVersion = 0x300;
    record->palNumEntries = layout.colourCount;
    const uint8_t* colour = block + layout.colourOffset;
    for (uint16_t i = 0; i < layout.colourCount; ++i, colour += 4) {
        record->palPalEntry[i].peRed = colour[2];
        record->palPalEntry[i].peGreen = colour[1];
        record->palPalEntry[i].peBlue = colour[0];
        record->palPalEntry[i].peFlags = 0;
    }
    HPALETTE palette = CreatePalette(record);
    free(record);
    return palette;
}

// The device bitmap of a checked block, built with the image's palette
// realised in the frame; the frame's own palette is back when this returns.
static HBITMAP createImageBitmap(const uint8_t* block, const BitmapLayout& layout, HPALETTE palette)
{
    HPALETTE replaced = NULL;
    if (palette) {
        replaced = SelectPalette(frameContext, palette, FALSE);
        RealizePalette(frameContext);
    }
    HBITMAP bitmap = CreateDIBitmap(frameContext, reinterpret_cast<const BITMAPINFOHEADER*>(block), CBM_INIT,
                                    block + layout.bitsOffset, reinterpret_cast<const BITMAPINFO*>(block),
                                    DIB_RGB_COLORS);
    if (replaced)
        SelectPalette(frameContext, replaced, FALSE);
    return bitmap;
}

// The frame's inside, where a picture goes: FRAME_INSET pixels in from its
// edge on every side, scaled as the dialog is.
static SIZE frameInside()
{
    RECT frame;
    GetWindowRect(frameWindow, &frame);
    int inset = scaledForWindow(frameWindow, FRAME_INSET);
    SIZE inside = {frame.right - frame.left - 2 * inset, frame.bottom - frame.top - 2 * inset};
    return inside;
}

static void stretchIntoFrame(HBITMAP bitmap, int imageWidth, int imageHeight)
{
    SIZE inside = frameInside();
    int inset = scaledForWindow(frameWindow, FRAME_INSET);
    HGDIOBJ replaced = SelectObject(memoryContext, bitmap);
    StretchBlt(frameContext, inset, inset, inside.cx, inside.cy, memoryContext, 0, 0, imageWidth, imageHeight,
               SRCCOPY);
    SelectObject(memoryContext, replaced);
}

// Reads the block behind the file header: the information header first,
// and the rest (colour table and pixel bits) only once the header is found
// sound for a block of blockSize bytes. Returns the block, to be given back
// with free, or NULL.
static uint8_t* readCheckedBlock(FILE* file, uint32_t blockSize, BitmapLayout* layout)
{
    uint8_t header[INFO_HEADER_V5_SIZE];
    uint32_t held = blockSize < sizeof header ? blockSize : sizeof header;
    if (fread(header, 1, held, file) != held || checkInfoHeader(header, held, blockSize, layout) != BITMAP_OK)
        return NULL;
    uint8_t* block = static_cast<uint8_t*>(malloc(blockSize));
    if (!block)
        return NULL;
    memcpy(block, header, held);
    if (fread(block + held, 1, blockSize - held, file) != blockSize - held) {
        free(block);
        return NULL;
    }
    return block;
}

// Reads and checks the open file; draws it and returns 1, or returns 0
// without touching the frame. Nothing the platform reads lies outside the
// block read from the file.
static int drawFile(FILE* file)
{
    if (fseek(file, 0, SEEK_END) != 0)
        return 0;
    long fileSize = ftell(file);
    if (fileSize < 0 || fseek(file, 0, SEEK_SET) != 0)
        return 0;
    uint8_t header[FILE_HEADER_SIZE];
    if (fread(header, 1, sizeof header, file) != sizeof header)
        return 0;
    uint32_t blockSize = 0;
    if (checkFileHeader(header, static_cast<uint64_t>(fileSize), &blockSize) != BITMAP_OK)
        return 0;
    BitmapLayout layout;
    uint8_t* block = readCheckedBlock(file, blockSize, &layout);
    if (!block)
        return 0;
    useFileBitsOffset(header, blockSize, &layout);
    HPALETTE palette = createImagePalette(block, layout);
    HBITMAP bitmap = createImageBitmap(block, layout, palette);
    free(block);
    // A format the platform cannot build gives no bitmap: nothing is drawn
    // rather than whatever the memory context happens to hold.
    int drawn = 0;
    if (bitmap) {
        // A top-down image has a negative height; its device bitmap is upright.
        stretchIntoFrame(bitmap, layout.width, layout.height < 0 ? -layout.height : layout.height);
        DeleteObject(bitmap);
        drawn = 1;
    }
    if (palette)
        DeleteObject(palette);
    return drawn;
}

// A picture's pixels, read at the size of the frame's inside so that the
// stretch into the frame is one to one and a large photo never has all its
// pixels held: 32-bit BGR rows top-down, to be freed; NULL when the picture
// cannot be decoded or its size is beyond the bounds.
static uint8_t* readPictureForFrame(const char* path, SIZE inside)
{
    PictureSize size = {static_cast<uint32_t>(inside.cx), static_cast<uint32_t>(inside.cy)};
    PictureReader reader;
    if (inside.cx <= 0 || inside.cy <= 0 || !openPicture(path, &reader))
        return NULL;
    uint8_t* pixels = NULL;
    if (scalePicture(&reader, size)) {
        pixels = static_cast<uint8_t*>(malloc(size_t(size.width) * size.height * 4));
        if (pixels && !readPictureRows(&reader, 0, size.height, pixels)) {
            free(pixels);
            pixels = NULL;
        }
    }
    closePicture(&reader);
    return pixels;
}

// Draws a picture (JPEG, PNG...) where a bitmap would go; one that cannot be
// shown leaves the frame as a bad bitmap does.
static int drawPicture(const char* path)
{
    SIZE inside = frameInside();
    uint8_t* pixels = readPictureForFrame(path, inside);
    HBITMAP bitmap = NULL;
    if (pixels) {
        BITMAPINFO info;
        memset(&info, 0, sizeof info);
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = inside.cx;
        info.bmiHeader.biHeight = -inside.cy;  // rows top-down, as read
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap = CreateDIBitmap(frameContext, &info.bmiHeader, CBM_INIT, pixels, &info, DIB_RGB_COLORS);
        free(pixels);
    }
    if (!bitmap)
        return 0;
    stretchIntoFrame(bitmap, inside.cx, inside.cy);
    DeleteObject(bitmap);
    return 1;
}

static int drawPath(const char* path)
{
    if (!frameContext || !memoryContext)
        return 0;
    if (!isOldShell && isPictureFile(path))
        return drawPicture(path);
    WCHAR wide[MAX_PATH];
    FILE* file = !wideFilesAvailable() ? fopen(path, "rb") : widePath(path, wide) ? _wfopen(wide, L"rb") : NULL;
    if (!file)
        return 0;
    int drawn = drawFile(file);
    fclose(file);
    return drawn;
}

int previewBitmap(HWND dialog, const char* path)
{
    (void)dialog;
    int drawn = drawPath(path);
    if (drawn)
        lstrcpynA(previewedPath, path, sizeof previewedPath);
    return drawn;
}

void redrawPreview(HWND dialog)
{
    (void)dialog;
    // The frame's resize left a paint of its face pending, which would wipe
    // a picture drawn before it: it is painted first.
    if (frameWindow)
        UpdateWindow(frameWindow);
    if (previewedPath[0] && !drawPath(previewedPath))
        previewedPath[0] = '\0';
}
