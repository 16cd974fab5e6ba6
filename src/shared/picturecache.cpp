#include "picturecache.h"

#include "picture.h"
#include "wallpaper.h"

#include <shlobj.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const char CACHE_FOLDER[] = "\\Vistrell";
static const char TEMPORARY_SUFFIX[] = ".tmp";
// Rows are read from the picture in bands of about this many bytes.
const uint32_t BAND_BYTES = 256 * 1024;

// %LOCALAPPDATA%\Vistrell, made when it is missing.
static bool cacheFolder(char* folder)
{
    if (FAILED(SHGetFolderPathA(NULL, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, folder)) ||
        strlen(folder) + sizeof CACHE_FOLDER > MAX_PATH)
        return false;
    strcat(folder, CACHE_FOLDER);
    return CreateDirectoryA(folder, NULL) || GetLastError() == ERROR_ALREADY_EXISTS;
}

static bool cacheFilePath(const char* picturePath, char* cachePath)
{
    char name[MAX_PATH];
    if (!cacheFolder(cachePath) || !cacheFileName(picturePath, name, sizeof name) ||
        strlen(cachePath) + 1 + strlen(name) >= MAX_PATH)
        return false;
    strcat(cachePath, "\\");
    strcat(cachePath, name);
    return true;
}

// The size of the primary screen in pixels: the display mode itself, which
// a program unaware of display scaling is not told by the system metrics.
// Unknown, it is no size at all, and pictures keep theirs.
static PictureSize screenSize()
{
    DEVMODEA mode;
    memset(&mode, 0, sizeof mode);
    mode.dmSize = sizeof mode;
    PictureSize screen = {0, 0};
    if (EnumDisplaySettingsA(NULL, ENUM_CURRENT_SETTINGS, &mode)) {
        screen.width = mode.dmPelsWidth;
        screen.height = mode.dmPelsHeight;
    }
    return screen;
}

static bool readAt(HANDLE file, uint32_t offset, void* bytes, DWORD count)
{
    DWORD read = 0;
    return SetFilePointer(file, static_cast<LONG>(offset), NULL, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           ReadFile(file, bytes, count, &read, NULL) && read == count;
}

static bool writeAll(HANDLE file, const void* bytes, DWORD count)
{
    DWORD written = 0;
    return WriteFile(file, bytes, count, &written, NULL) && written == count;
}

// Whether the cache file was made from this picture at this size, and after
// the picture's last change.
static bool cacheIsCurrent(const char* cachePath, const char* picturePath, PictureSize size)
{
    WIN32_FILE_ATTRIBUTE_DATA picture;
    WIN32_FILE_ATTRIBUTE_DATA cache;
    if (!GetFileAttributesExA(picturePath, GetFileExInfoStandard, &picture) ||
        !GetFileAttributesExA(cachePath, GetFileExInfoStandard, &cache) ||
        CompareFileTime(&cache.ftLastWriteTime, &picture.ftLastWriteTime) <= 0)
        return false;
    HANDLE file = CreateFileA(cachePath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    uint8_t header[CACHE_HEADER_SIZE];
    char trailer[MAX_PATH];
    uint32_t trailerSize = static_cast<uint32_t>(strlen(picturePath) + 1);
    uint32_t trailerOffset = 0;
    uint64_t fileSize = (uint64_t(cache.nFileSizeHigh) << 32) | cache.nFileSizeLow;
    bool current = trailerSize <= sizeof trailer && readAt(file, 0, header, sizeof header) &&
                   cacheHeaderMatches(header, fileSize, size, trailerSize, &trailerOffset) &&
                   readAt(file, trailerOffset, trailer, trailerSize) && memcmp(trailer, picturePath, trailerSize) == 0;
    CloseHandle(file);
    return current;
}

// Writes the header, the picture's rows bottom-up as 24-bit pixels, then the
// picture's path. Bands of rows are read from the picture's foot upwards, so
// that the file is written front to back.
static bool writeBitmap(HANDLE file, PictureReader* reader, const char* picturePath)
{
    PictureSize size = reader->size;
    uint32_t stride = bitmapStride24(size.width);
    uint32_t bandRows = BAND_BYTES / (size.width * 4) + 1;
    uint8_t* band = static_cast<uint8_t*>(malloc(size_t(bandRows) * size.width * 4));
    uint8_t* row = static_cast<uint8_t*>(calloc(stride, 1));
    uint8_t header[CACHE_HEADER_SIZE];
    bool written = band && row && writeBitmapHeader24(header, size) && writeAll(file, header, sizeof header);
    for (uint32_t end = size.height; written && end > 0;) {
        uint32_t count = end < bandRows ? end : bandRows;
        end -= count;
        written = readPictureRows(reader, end, count, band);
        for (uint32_t i = count; written && i-- > 0;) {
            const uint8_t* pixel = band + size_t(i) * size.width * 4;
            for (uint32_t x = 0; x < size.width; ++x, pixel += 4)
                memcpy(row + 3 * x, pixel, 3);
            written = writeAll(file, row, stride);
        }
    }
    free(row);
    free(band);
    return written && writeAll(file, picturePath, static_cast<DWORD>(strlen(picturePath) + 1));
}

// Writes the bitmap under a name of this process's own and renames it to
// cachePath once it is complete, so that no reader sees half a file.
static bool writeCacheFile(const char* cachePath, PictureReader* reader, const char* picturePath)
{
    char temporary[MAX_PATH + 32];
    sprintf(temporary, "%s.%lu%s", cachePath, static_cast<unsigned long>(GetCurrentProcessId()), TEMPORARY_SUFFIX);
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool written = writeBitmap(file, reader, picturePath);
    written = CloseHandle(file) && written;
    if (written && MoveFileExA(temporary, cachePath, MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(temporary);
    return false;
}

bool cachePicture(const char* picturePath, int mode, char* cachePath)
{
    PictureReader reader;
    if (!cacheFilePath(picturePath, cachePath) || !openPicture(picturePath, &reader))
        return false;
    PictureSize size = mode == POSITION_CENTER ? fitWithin(reader.size, screenSize()) : reader.size;
    bool made = cacheIsCurrent(cachePath, picturePath, size) ||
                (scalePicture(&reader, size) && writeCacheFile(cachePath, &reader, picturePath));
    closePicture(&reader);
    return made;
}

void removeOtherCacheFiles(const char* cachePath)
{
    // The folder is this program's own: everything in it but the file of the
    // wallpaper now applied goes. A file another program is still writing
    // stays: it is open without sharing, so it cannot be deleted.
    char path[MAX_PATH];
    const char* name = strrchr(cachePath, '\\');
    if (!name)
        return;
    size_t folderLength = static_cast<size_t>(name - cachePath) + 1;
    memcpy(path, cachePath, folderLength);
    strcpy(path + folderLength, "*");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || lstrcmpiA(found.cFileName, name + 1) == 0 ||
            folderLength + strlen(found.cFileName) >= sizeof path)
            continue;
        strcpy(path + folderLength, found.cFileName);
        DeleteFileA(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
