#include "pictures.h"

#include "harness.h"

#include <gtest/gtest.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>

std::string testPicture(const char* name)
{
    // testDirectory() is BUILD\win64\ or BUILD\win32\.
    std::string folder = withoutTrailingSlash(testDirectory());
    std::string path = folder.substr(0, folder.rfind('\\') + 1) + "pictures\\" + name;
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path << " is missing: make pictures";
    return path;
}

std::string pictureCacheFolder()
{
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_LOCAL_APPDATA, NULL, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\Vistrell";
}

std::vector<std::string> pictureCacheFiles()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((pictureCacheFolder() + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void clearPictureCache()
{
    for (const std::string& name : pictureCacheFiles())
        DeleteFileA((pictureCacheFolder() + "\\" + name).c_str());
}

bool nearColour(COLORREF a, COLORREF b, int tolerance)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

COLORREF waitForScreenColour(int x, int y, COLORREF colour, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HDC screen = GetDC(NULL);
        COLORREF seen = GetPixel(screen, x, y);
        ReleaseDC(NULL, screen);
        if (nearColour(seen, colour) || GetTickCount() - start > timeoutMs)
            return seen;
        pumpFor(50);
    }
}

SIZE_T peakPrivateBytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.PeakPagefileUsage : 0;
}
