// The pictures of a folder entry: every file of a listed picture type in the
// folder (and its subfolders, when asked), in the order of their paths.
#ifndef VISTRELL_FOLDERPICTURES_H
#define VISTRELL_FOLDERPICTURES_H

#include <windows.h>

#include <stdint.h>

struct FolderPictures {
    char folder[MAX_PATH];  // with its trailing backslash
    char* names;            // the paths below the folder, each ended by a zero
    size_t used;
    size_t capacity;
    const char** order;     // count of them, sorted
    uint32_t count;
    uint32_t fingerprint;   // of the sorted paths
};

// Walks the folder. False (with nothing to free) when it cannot be read or
// memory runs out; a readable folder without pictures gives true and none.
// Paths that would not fit MAX_PATH are left out: nothing could show them.
bool listFolderPictures(const char* folder, bool subfolders, FolderPictures* pictures);
void freeFolderPictures(FolderPictures* pictures);

// The full path of the picture at index (below count) into path (MAX_PATH).
void folderPicturePath(const FolderPictures& pictures, uint32_t index, char* path);

#endif
