#include "folderpictures.h"

#include "folderorder.h"
#include "folderplace.h"

#include <stdlib.h>
#include <string.h>

uint32_t folderLookLimit = FOLDER_LOOK_LIMIT;

// The name area grows by doubling from this size.
static const size_t FIRST_NAMES_SIZE = 16384;

// Appends one path below the folder, with its zero; false when memory runs out.
static bool keepName(FolderPictures* pictures, const char* name, size_t length)
{
    if (pictures->used + length + 1 > pictures->capacity) {
        size_t capacity = pictures->capacity ? pictures->capacity * 2 : FIRST_NAMES_SIZE;
        while (capacity < pictures->used + length + 1)
            capacity *= 2;
        char* grown = static_cast<char*>(realloc(pictures->names, capacity));
        if (!grown)
            return false;
        pictures->names = grown;
        pictures->capacity = capacity;
    }
    memcpy(pictures->names + pictures->used, name, length + 1);
    pictures->used += length + 1;
    ++pictures->count;
    return true;
}

// Walks one folder; relative holds its path below the entry's folder (empty
// at the top, else ending with a backslash) and has room for MAX_PATH wide
// characters, as has folder, the entry's folder. False when the top folder
// cannot be read or memory runs out; a subfolder that cannot be read is
// passed over.
static bool walk(FolderPictures* pictures, bool subfolders, const WCHAR* folder, size_t folderLength,
                 WCHAR* relative, size_t relativeLength)
{
    WCHAR pattern[MAX_PATH];
    if (folderLength + relativeLength + 1 >= MAX_PATH)
        return relativeLength > 0;
    memcpy(pattern, folder, folderLength * sizeof(WCHAR));
    memcpy(pattern + folderLength, relative, relativeLength * sizeof(WCHAR));
    lstrcpyW(pattern + folderLength + relativeLength, L"*");
    WIN32_FIND_DATAW found;
    HANDLE search = findFirstPath(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return relativeLength > 0;
    bool kept = true;
    char name[PICTURE_PATH_BYTES];
    do {
        const WCHAR* wide = found.cFileName;
        size_t length = lstrlenW(wide);
        if (!lstrcmpW(wide, L".") || !lstrcmpW(wide, L".."))
            continue;
        if (++pictures->looked > folderLookLimit)
            break;
        // Room for the folder, the path below it and (for a subfolder) a
        // backslash and one character more.
        if (folderLength + relativeLength + length + 2 >= MAX_PATH)
            continue;
        memcpy(relative + relativeLength, wide, (length + 1) * sizeof(WCHAR));
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A junction may lead back up the tree: it is not followed.
            if (!subfolders || (found.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_HIDDEN)))
                continue;
            relative[relativeLength + length] = L'\\';
            kept = walk(pictures, subfolders, folder, folderLength, relative, relativeLength + length + 1);
        } else if (!(found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)) {
            pathFromWide(relative, name);
            if (isListedPictureName(name))
                kept = keepName(pictures, name, strlen(name));
        }
    } while (kept && findNextPath(search, &found));
    FindClose(search);
    return kept;
}

static int byPath(const void* a, const void* b)
{
    return comparePicturePaths(*static_cast<const char* const*>(a), *static_cast<const char* const*>(b));
}

bool listFolderPictures(const char* folder, bool subfolders, FolderPictures* pictures)
{
    memset(pictures, 0, sizeof *pictures);
    lstrcpynA(pictures->folder, folder, PICTURE_PATH_BYTES);
    WCHAR wideFolder[MAX_PATH];
    WCHAR relative[MAX_PATH];
    relative[0] = L'\0';
    if (widePath(folder, wideFolder) && walk(pictures, subfolders, wideFolder, lstrlenW(wideFolder), relative, 0))
        pictures->order = static_cast<const char**>(malloc((pictures->count + 1) * sizeof pictures->order[0]));
    if (!pictures->order) {
        freeFolderPictures(pictures);
        return false;
    }
    size_t at = 0;
    for (uint32_t i = 0; i < pictures->count; ++i) {
        pictures->order[i] = pictures->names + at;
        at += strlen(pictures->names + at) + 1;
    }
    qsort(pictures->order, pictures->count, sizeof pictures->order[0], byPath);
    return true;
}

void freeFolderPictures(FolderPictures* pictures)
{
    free(pictures->names);
    free(pictures->order);
    pictures->names = NULL;
    pictures->order = NULL;
    pictures->count = 0;
}

void folderPicturePath(const FolderPictures& pictures, uint32_t index, char* path)
{
    size_t folderLength = strlen(pictures.folder);
    memcpy(path, pictures.folder, folderLength);
    lstrcpynA(path + folderLength, pictures.order[index], static_cast<int>(PICTURE_PATH_BYTES - folderLength));
}
