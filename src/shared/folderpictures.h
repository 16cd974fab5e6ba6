// The pictures of a folder entry: every file of a listed picture type in the
// folder (and its subfolders, when asked), in the order of their paths. The
// folder is walked with the wide functions, so that a name in any script
// comes back as it is; paths are held in UTF-8 (pathtext.h).
#ifndef VISTRELL_FOLDERPICTURES_H
#define VISTRELL_FOLDERPICTURES_H

#include "pathtext.h"

#include <windows.h>

#include <stdint.h>

struct FolderPictures {
    char folder[PICTURE_PATH_BYTES];  // with its trailing backslash
    char* names;            // the paths below the folder, each ended by a zero
    size_t used;
    size_t capacity;
    const char** order;     // count of them, sorted by comparePicturePaths
    uint32_t count;
    uint32_t looked;        // files and folders looked at
};

// A folder entry naming a whole drive would walk every file on it at each
// change: the walk ends after this many files and folders, and the folder
// gives the pictures found by then. Lowered by the tests.
const uint32_t FOLDER_LOOK_LIMIT = 100000;
extern uint32_t folderLookLimit;

// Walks the folder (UTF-8). False (with nothing to free) when it cannot be
// read or memory runs out; a readable folder without pictures gives true and
// none. Paths that would not fit MAX_PATH wide characters are left out:
// nothing could open them.
bool listFolderPictures(const char* folder, bool subfolders, FolderPictures* pictures);
void freeFolderPictures(FolderPictures* pictures);

// The full path of the picture at index (below count) into path
// (PICTURE_PATH_BYTES).
void folderPicturePath(const FolderPictures& pictures, uint32_t index, char* path);

#endif
