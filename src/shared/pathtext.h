// The paths of the pictures a change shows. The settings file holds paths
// in the ANSI code page, where a photo's name in another script cannot be
// spelled; a folder's pictures are found by their names as the file system
// keeps them. Inside the programs every picture's path is held in UTF-8,
// which spells any name; it is turned into a wide path at each call that
// opens the file, and into an ANSI path the platform can open for the calls
// that take only ANSI. Windows 95, 98 and Me have no wide file functions,
// and NT 3.51 and Windows 95 no UTF-8: there paths are held in the ANSI
// code page, in which those systems name every file anyway, and files are
// opened by the ANSI functions.
#ifndef VISTRELL_PATHTEXT_H
#define VISTRELL_PATHTEXT_H

#include <windows.h>

// Room for a path of MAX_PATH wide characters in UTF-8.
const int PICTURE_PATH_BYTES = 3 * MAX_PATH;

// A path of the settings file (ANSI) in UTF-8; false when it does not fit.
bool pathFromAnsi(const char* ansi, char* path, int size);

// The path as the wide functions take it (MAX_PATH characters); false when
// it does not fit.
bool widePath(const char* path, WCHAR* wide);

// A path the ANSI functions open: the path itself where the ANSI code page
// spells it, else its short name where the volume keeps one. False when
// there is neither (or the file is not there to have a short name).
bool ansiPathOf(const WCHAR* wide, char* ansi, int size);
bool ansiPathOf(const char* path, char* ansi, int size);

// The wide path in UTF-8 (PICTURE_PATH_BYTES).
void pathFromWide(const WCHAR* wide, char* path);

// Whether the platform opens files by wide names (Windows NT).
bool wideFilesAvailable();

// The file functions the programs open pictures with, by a held path:
// CreateFile, GetFileAttributesEx, and FindFirstFile and FindNextFile
// (whose results come wide whichever functions ran).
HANDLE openPath(const char* path, DWORD access, DWORD sharing, DWORD disposition);
bool pathAttributes(const char* path, WIN32_FILE_ATTRIBUTE_DATA* data);
HANDLE findFirstPath(const WCHAR* pattern, WIN32_FIND_DATAW* found);
bool findNextPath(HANDLE search, WIN32_FIND_DATAW* found);

#endif
