#include "picturecache.h"

#include "pathtext.h"

#include <shlobj.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const char CACHE_FOLDER[] = "\\Vistrell";
static const char TEMPORARY_SUFFIX[] = ".tmp";
// Rows are asked for in bands of about this many bytes.
const uint32_t BAND_BYTES = 256 * 1024;
// A temporary file younger than this may still be written by the other
// program: clean-up leaves it.
const uint64_t TEMPORARY_GRACE = 60ull * 10000000ull;  // one minute, in 100 ns

// %LOCALAPPDATA%\Vistrell, made when it is missing.
static bool cacheFolder(char* folder)
{
    if (FAILED(SHGetFolderPathA(NULL, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, folder)) ||
        strlen(folder) + sizeof CACHE_FOLDER > MAX_PATH)
        return false;
    strcat(folder, CACHE_FOLDER);
    return CreateDirectoryA(folder, NULL) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool cacheFilePath(const uint8_t* record, uint32_t length, char* cachePath)
{
    char name[CACHE_NAME_SIZE];
    cacheFileName(record, length, name);
    if (!cacheFolder(cachePath) || strlen(cachePath) + 1 + strlen(name) >= MAX_PATH)
        return false;
    strcat(cachePath, "\\");
    strcat(cachePath, name);
    return true;
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

// Cache files are opened sharing reads and deletion: the other program may
// read the same file, or clean up, at the same moment.
const DWORD CACHE_SHARING = FILE_SHARE_READ | FILE_SHARE_DELETE;

uint32_t pictureStamp(const char* picturePath, uint8_t* trailer, uint32_t room)
{
    WIN32_FILE_ATTRIBUTE_DATA picture;
    if (!pathAttributes(picturePath, &picture))
        return 0;
    uint64_t bytes = (uint64_t(picture.nFileSizeHigh) << 32) | picture.nFileSizeLow;
    uint64_t written = (uint64_t(picture.ftLastWriteTime.dwHighDateTime) << 32) | picture.ftLastWriteTime.dwLowDateTime;
    return writeCacheTrailer(trailer, room, picturePath, bytes, written);
}

bool cacheIsCurrent(const char* cachePath, const uint8_t* trailer, uint32_t trailerSize, PictureSize size)
{
    WIN32_FILE_ATTRIBUTE_DATA cache;
    if (!GetFileAttributesExA(cachePath, GetFileExInfoStandard, &cache))
        return false;
    HANDLE file = CreateFileA(cachePath, GENERIC_READ, CACHE_SHARING, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    uint8_t header[CACHE_HEADER_SIZE];
    uint8_t* stored = static_cast<uint8_t*>(malloc(trailerSize));
    uint32_t trailerOffset = 0;
    uint64_t fileSize = (uint64_t(cache.nFileSizeHigh) << 32) | cache.nFileSizeLow;
    bool current = stored && readAt(file, 0, header, sizeof header) &&
                   cacheHeaderMatches(header, fileSize, size, trailerSize, &trailerOffset) &&
                   readAt(file, trailerOffset, stored, trailerSize) && memcmp(stored, trailer, trailerSize) == 0;
    free(stored);
    CloseHandle(file);
    return current;
}

// Writes the header, the rows bottom-up, then the trailer. Bands of rows are
// asked for from the foot upwards, so that the file is written front to back.
static bool writeBitmap(HANDLE file, PictureSize size, CacheRowsProc rows, void* context, const uint8_t* trailer,
                        uint32_t trailerSize)
{
    uint32_t stride = bitmapStride24(size.width);
    uint32_t bandRows = BAND_BYTES / stride + 1;
    if (bandRows > size.height)
        bandRows = size.height;
    uint8_t* band = static_cast<uint8_t*>(malloc(size_t(bandRows) * stride));
    uint8_t header[CACHE_HEADER_SIZE];
    bool written = band && writeBitmapHeader24(header, size) && writeAll(file, header, sizeof header);
    for (uint32_t end = size.height; written && end > 0;) {
        uint32_t count = end < bandRows ? end : bandRows;
        end -= count;
        written = rows(context, end, count, band);
        for (uint32_t i = count; written && i-- > 0;)
            written = writeAll(file, band + size_t(i) * stride, stride);
    }
    free(band);
    return written && writeAll(file, trailer, trailerSize);
}

bool writeCacheFile(const char* cachePath, PictureSize size, CacheRowsProc rows, void* context,
                    const uint8_t* trailer, uint32_t trailerSize)
{
    char temporary[MAX_PATH + 32];
    sprintf(temporary, "%s.%lu%s", cachePath, static_cast<unsigned long>(GetCurrentProcessId()), TEMPORARY_SUFFIX);
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, CACHE_SHARING, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool written = writeBitmap(file, size, rows, context, trailer, trailerSize) && FlushFileBuffers(file);
    written = CloseHandle(file) && written;
    if (written && MoveFileExA(temporary, cachePath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary);
    return false;
}

// Whether a file of the folder may still be in use: the wallpaper the
// platform names now (the other program may have applied it a moment ago),
// or a temporary file written within the last minute.
static bool stillInUse(const char* path, const WIN32_FIND_DATAA& found, const char* wallpaper,
                       const FILETIME& now)
{
    if (lstrcmpiA(path, wallpaper) == 0)
        return true;
    size_t length = strlen(found.cFileName);
    size_t suffix = sizeof TEMPORARY_SUFFIX - 1;
    if (length < suffix || lstrcmpiA(found.cFileName + length - suffix, TEMPORARY_SUFFIX) != 0)
        return false;
    uint64_t written = (uint64_t(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime;
    uint64_t current = (uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return current < written + TEMPORARY_GRACE;
}

void removeOtherCacheFiles(const char* cachePath)
{
    // The folder is this program's own: everything in it but the file of the
    // wallpaper now applied goes, unless it may still be in use.
    char path[MAX_PATH];
    if (cachePath) {
        const char* name = strrchr(cachePath, '\\');
        if (!name || static_cast<size_t>(name - cachePath) + 1 >= sizeof path)
            return;
        memcpy(path, cachePath, static_cast<size_t>(name - cachePath) + 1);
        path[name - cachePath + 1] = '\0';
    } else if (!cacheFolder(path) || strlen(path) + 2 >= sizeof path) {
        return;
    } else {
        strcat(path, "\\");
    }
    const char* keep = cachePath ? strrchr(cachePath, '\\') + 1 : "";
    char wallpaper[MAX_PATH] = "";
    if (!SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof wallpaper, wallpaper, 0))
        wallpaper[0] = '\0';
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    size_t folderLength = strlen(path);
    strcpy(path + folderLength, "*");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || lstrcmpiA(found.cFileName, keep) == 0 ||
            folderLength + strlen(found.cFileName) >= sizeof path)
            continue;
        strcpy(path + folderLength, found.cFileName);
        if (!stillInUse(path, found, wallpaper, now))
            DeleteFileA(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
