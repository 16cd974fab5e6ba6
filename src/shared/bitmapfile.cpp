#include "bitmapfile.h"

#include "pathtext.h"

#include <stdlib.h>
#include <string.h>

void unmapBitmap(MappedBitmap* bitmap)
{
    free(bitmap->info);
    if (bitmap->view)
        UnmapViewOfFile(bitmap->view);
    if (bitmap->mapping)
        CloseHandle(bitmap->mapping);
    if (bitmap->file != INVALID_HANDLE_VALUE)
        CloseHandle(bitmap->file);
    memset(bitmap, 0, sizeof *bitmap);
    bitmap->file = INVALID_HANDLE_VALUE;
}

bool mapBitmap(const char* path, MappedBitmap* bitmap)
{
    memset(bitmap, 0, sizeof *bitmap);
    bitmap->file = openPath(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (bitmap->file == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0;
    DWORD low = GetFileSize(bitmap->file, &high);
    uint32_t blockSize = 0;
    bool usable = low != INVALID_FILE_SIZE && low >= FILE_HEADER_SIZE &&
                  (bitmap->mapping = CreateFileMappingA(bitmap->file, NULL, PAGE_READONLY, 0, 0, NULL)) != NULL &&
                  (bitmap->view = static_cast<const uint8_t*>(MapViewOfFile(bitmap->mapping, FILE_MAP_READ, 0, 0, 0))) !=
                      NULL &&
                  checkFileHeader(bitmap->view, (uint64_t(high) << 32) | low, &blockSize) == BITMAP_OK &&
                  checkBitmapBlock(bitmap->view + FILE_HEADER_SIZE, blockSize, &bitmap->layout) == BITMAP_OK;
    if (usable) {
        useFileBitsOffset(bitmap->view, blockSize, &bitmap->layout);
        uint32_t infoSize = bitmap->layout.colourOffset + 4 * uint32_t(bitmap->layout.colourCount);
        bitmap->info = static_cast<uint8_t*>(malloc(infoSize));
        usable = bitmap->info != NULL;
        if (usable)
            memcpy(bitmap->info, bitmap->view + FILE_HEADER_SIZE, infoSize);
    }
    if (!usable)
        unmapBitmap(bitmap);
    return usable;
}

PictureSize mappedBitmapSize(const MappedBitmap& bitmap)
{
    const BitmapLayout& layout = bitmap.layout;
    PictureSize size = {static_cast<uint32_t>(layout.width),
                        static_cast<uint32_t>(layout.height < 0 ? -layout.height : layout.height)};
    return size;
}
