// Folder entries of the bitmap list: which paths name a folder, which of a
// folder's files are pictures, their order and the fingerprint that tells
// when a folder's content (or the list) has changed.
#ifndef VISTRELL_FOLDERORDER_H
#define VISTRELL_FOLDERORDER_H

#include <stddef.h>
#include <stdint.h>

// A list entry names a folder when its path ends with a backslash.
bool isFolderEntry(const char* path);

// Whether a file name has one of the extensions the editor's picture filter
// lists (.bmp .jpg .jpeg .png .gif .tif .tiff), in any letter case.
bool isListedPictureName(const char* name);

// Orders paths byte by byte after folding A to Z into a to z, so that every
// Windows, whatever its language, sorts a folder alike. Less than, equal to
// or greater than zero, as strcmp.
int compareFoldedPaths(const char* a, const char* b);

// A fingerprint of texts, taken in turn: the same texts in the same order
// give the same value, whatever their letter case. Start from
// FINGERPRINT_START.
const uint32_t FINGERPRINT_START = 2166136261u;
uint32_t addToFingerprint(uint32_t fingerprint, const char* text, size_t length);

#endif
