#include "preview.h"

#include "bmpcheck.h"
#include "ids.h"

#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// The frame and its drawing contexts, held from the dialog's start to the
// editor's end.
static HWND frameWindow = NULL;
static HDC frameContext = NULL;
static HDC memoryContext = NULL;

// The picture sits this many pixels inside the frame's edge on every side.
const int FRAME_INSET = 2;

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

static void stretchIntoFrame(HBITMAP bitmap, const BitmapLayout& layout)
{
    RECT frame;
    GetWindowRect(frameWindow, &frame);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    // A top-down image has a negative height; its device bitmap is upright.
    int imageHeight = layout.height < 0 ? -layout.height : layout.height;
    HGDIOBJ replaced = SelectObject(memoryContext, bitmap);
    StretchBlt(frameContext, FRAME_INSET, FRAME_INSET, width - 2 * FRAME_INSET, height - 2 * FRAME_INSET,
               memoryContext, 0, 0, layout.width, imageHeight, SRCCOPY);
    SelectObject(memoryContext, replaced);
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
    uint8_t* block = static_cast<uint8_t*>(malloc(blockSize));
    if (!block)
        return 0;
    BitmapLayout layout;
    if (fread(block, 1, blockSize, file) != blockSize || checkBitmapBlock(block, blockSize, &layout) != BITMAP_OK) {
        free(block);
        return 0;
    }
    HPALETTE palette = createImagePalette(block, layout);
    HBITMAP bitmap = createImageBitmap(block, layout, palette);
    free(block);
    // A format the platform cannot build gives no bitmap: nothing is drawn
    // rather than whatever the memory context happens to hold.
    int drawn = 0;
    if (bitmap) {
        stretchIntoFrame(bitmap, layout);
        DeleteObject(bitmap);
        drawn = 1;
    }
    if (palette)
        DeleteObject(palette);
    return drawn;
}

int previewBitmap(HWND dialog, const char* path)
{
    (void)dialog;
    if (!frameContext || !memoryContext)
        return 0;
    FILE* file = fopen(path, "rb");
    if (!file)
        return 0;
    int drawn = drawFile(file);
    fclose(file);
    return drawn;
}
