#include "pathtext.h"

#include <string.h>

bool pathFromAnsi(const char* ansi, char* path, int size)
{
    WCHAR wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, MAX_PATH))
        return false;
    return WideCharToMultiByte(CP_UTF8, 0, wide, -1, path, size, NULL, NULL) != 0;
}

bool widePath(const char* path, WCHAR* wide)
{
    return MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, MAX_PATH) != 0;
}

void pathFromWide(const WCHAR* wide, char* path)
{
    if (!WideCharToMultiByte(CP_UTF8, 0, wide, -1, path, PICTURE_PATH_BYTES, NULL, NULL))
        path[0] = '\0';
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
