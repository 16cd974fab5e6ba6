#include "pictures.h"

#include "harness.h"

#include <gtest/gtest.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
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

bool isCacheBitmap(const std::string& path)
{
    std::string folder = pictureCacheFolder() + "\\";
    if (path.size() != folder.size() + 20 || lstrcmpiA(path.substr(0, folder.size()).c_str(), folder.c_str()) != 0 ||
        lstrcmpiA(path.substr(path.size() - 4).c_str(), ".bmp") != 0)
        return false;
    return path.substr(folder.size(), 16).find_first_not_of("0123456789abcdef") == std::string::npos;
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

namespace {
struct BitmapHeaders {
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
};

bool readHeaders(FILE* file, BitmapHeaders* headers)
{
    return std::fread(&headers->file, sizeof headers->file, 1, file) == 1 &&
           std::fread(&headers->info, sizeof headers->info, 1, file) == 1 && headers->info.biBitCount == 24;
}
}  // namespace

COLORREF bitmapPixel(const std::string& path, int x, int y)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return RGB(0, 0, 0);
    BitmapHeaders headers;
    COLORREF colour = RGB(0, 0, 0);
    if (readHeaders(file, &headers) && x >= 0 && y >= 0 && x < headers.info.biWidth &&
        y < headers.info.biHeight) {
        long stride = (headers.info.biWidth * 3 + 3) & ~3;
        long row = headers.info.biHeight - 1 - y;
        unsigned char bgr[3] = {0, 0, 0};
        if (std::fseek(file, static_cast<long>(headers.file.bfOffBits) + row * stride + 3L * x, SEEK_SET) == 0 &&
            std::fread(bgr, 1, 3, file) == 3)
            colour = RGB(bgr[2], bgr[1], bgr[0]);
    }
    std::fclose(file);
    return colour;
}

SIZE bitmapFileSize(const std::string& path)
{
    SIZE size = {0, 0};
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return size;
    BitmapHeaders headers;
    if (readHeaders(file, &headers)) {
        size.cx = headers.info.biWidth;
        size.cy = headers.info.biHeight;
    }
    std::fclose(file);
    return size;
}

SIZE_T peakPrivateBytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.PeakPagefileUsage : 0;
}
