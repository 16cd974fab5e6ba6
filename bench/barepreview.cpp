#include "barepreview.h"

#include <stdlib.h>

static const int INSET = 2;

bool openBarePreview(HWND frame, BarePreview* preview)
{
    preview->frame = frame;
    preview->frameContext = GetDC(frame);
    preview->memoryContext = preview->frameContext ? CreateCompatibleDC(preview->frameContext) : NULL;
    return preview->memoryContext != NULL;
}

void closeBarePreview(BarePreview* preview)
{
    if (preview->memoryContext)
        DeleteDC(preview->memoryContext);
    if (preview->frameContext)
        ReleaseDC(preview->frame, preview->frameContext);
    preview->memoryContext = preview->frameContext = NULL;
}

// The file header first, then the rest into a block of its own, so that the
// information header starts aligned.
static BYTE* readBitmapFile(const char* path, BITMAPFILEHEADER* header, DWORD* blockSize)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return NULL;
    DWORD size = GetFileSize(file, NULL);
    DWORD read = 0;
    BYTE* block = NULL;
    if (size > sizeof *header && ReadFile(file, header, sizeof *header, &read, NULL) && read == sizeof *header) {
        *blockSize = size - sizeof *header;
        block = static_cast<BYTE*>(malloc(*blockSize));
        if (block && (!ReadFile(file, block, *blockSize, &read, NULL) || read != *blockSize)) {
            free(block);
            block = NULL;
        }
    }
    CloseHandle(file);
    return block;
}

bool drawBarePreview(const BarePreview& preview, const char* path)
{
    BITMAPFILEHEADER header;
    DWORD blockSize = 0;
    BYTE* block = readBitmapFile(path, &header, &blockSize);
    if (!block)
        return false;
    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(block);
    LONG width = info->bmiHeader.biWidth;
    LONG height = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
    HBITMAP bitmap = CreateDIBitmap(preview.frameContext, &info->bmiHeader, CBM_INIT,
                                    block + header.bfOffBits - sizeof header, info, DIB_RGB_COLORS);
    free(block);
    if (!bitmap)
        return false;
    RECT frame;
    GetWindowRect(preview.frame, &frame);
    HGDIOBJ replaced = SelectObject(preview.memoryContext, bitmap);
    BOOL drawn = StretchBlt(preview.frameContext, INSET, INSET, frame.right - frame.left - 2 * INSET,
                            frame.bottom - frame.top - 2 * INSET, preview.memoryContext, 0, 0,
                            width, height, SRCCOPY);
    SelectObject(preview.memoryContext, replaced);
    DeleteObject(bitmap);
    return drawn != FALSE;
}
