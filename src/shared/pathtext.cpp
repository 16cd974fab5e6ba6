#include "pathtext.h"

#include <stddef.h>
#include <string.h>

bool wideFilesAvailable()
{
    return (GetVersion() & 0x80000000u) == 0;
}

// The code page paths are held in.
static UINT heldCodePage()
{
    static UINT page;
    if (!page)
        page = wideFilesAvailable() && IsValidCodePage(CP_UTF8) ? CP_UTF8 : CP_ACP;
    return page;
}

bool pathFromAnsi(const char* ansi, char* path, int size)
{
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, MAX_PATH))
        return false;
    return WideCharToMultiByte(heldCodePage(), 0, wide, -1, path, size, NULL, NULL) != 0;
}

bool widePath(const char* path, WCHAR* wide)
{
    return MultiByteToWideChar(heldCodePage(), 0, path, -1, wide, MAX_PATH) != 0;
}

void pathFromWide(const WCHAR* wide, char* path)
{
    if (!WideCharToMultiByte(heldCodePage(), 0, wide, -1, path, PICTURE_PATH_BYTES, NULL, NULL))
        path[0] = '\0';
}

HANDLE openPath(const char* path, DWORD access, DWORD sharing, DWORD disposition)
{
    if (!wideFilesAvailable())
        return CreateFileA(path, access, sharing, NULL, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
    WCHAR wide[MAX_PATH];
    if (!widePath(path, wide))
        return INVALID_HANDLE_VALUE;
    return CreateFileW(wide, access, sharing, NULL, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
}

bool pathAttributes(const char* path, WIN32_FILE_ATTRIBUTE_DATA* data)
{
    if (!wideFilesAvailable())
        return GetFileAttributesExA(path, GetFileExInfoStandard, data) != FALSE;
    WCHAR wide[MAX_PATH];
    return widePath(path, wide) && GetFileAttributesExW(wide, GetFileExInfoStandard, data);
}

// An ANSI search's result as the wide one gives it.
static void widenFound(const WIN32_FIND_DATAA& ansi, WIN32_FIND_DATAW* found)
{
    memcpy(found, &ansi, offsetof(WIN32_FIND_DATAA, cFileName));
    if (!MultiByteToWideChar(CP_ACP, 0, ansi.cFileName, -1, found->cFileName, MAX_PATH))
        found->cFileName[0] = L'\0';
    found->cAlternateFileName[0] = L'\0';
}

HANDLE findFirstPath(const WCHAR* pattern, WIN32_FIND_DATAW* found)
{
    if (wideFilesAvailable())
        return FindFirstFileW(pattern, found);
    char ansi[MAX_PATH];
    WIN32_FIND_DATAA data;
    if (!WideCharToMultiByte(CP_ACP, 0, pattern, -1, ansi, MAX_PATH, NULL, NULL))
        return INVALID_HANDLE_VALUE;
    HANDLE search = FindFirstFileA(ansi, &data);
    if (search != INVALID_HANDLE_VALUE)
        widenFound(data, found);
    return search;
}

bool findNextPath(HANDLE search, WIN32_FIND_DATAW* found)
{
    if (wideFilesAvailable())
        return FindNextFileW(search, found) != FALSE;
    WIN32_FIND_DATAA data;
    if (!FindNextFileA(search, &data))
        return false;
    widenFound(data, found);
    return true;
}

// The wide text in the ANSI code page, only where every character has its
// own spelling there: no "?" and no look-alike stands in for one (a
// look-alike reads back as another character).
static bool spelledInAnsi(const WCHAR* wide, char* ansi, int size)
{
    BOOL defaulted = FALSE;
    if (!WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, size, NULL, &defaulted) || defaulted)
        return false;
    WCHAR back[MAX_PATH];
    return MultiByteToWideChar(CP_ACP, 0, ansi, -1, back, MAX_PATH) && lstrcmpW(back, wide) == 0;
}

bool ansiPathOf(const WCHAR* wide, char* ansi, int size)
{
    if (spelledInAnsi(wide, ansi, size))
        return true;
    WCHAR shortPath[MAX_PATH];
    DWORD length = GetShortPathNameW(wide, shortPath, MAX_PATH);
    return length > 0 && length < MAX_PATH && spelledInAnsi(shortPath, ansi, size);
}

bool ansiPathOf(const char* path, char* ansi, int size)
{
    WCHAR wide[MAX_PATH];
    return widePath(path, wide) && ansiPathOf(wide, ansi, size);
}
