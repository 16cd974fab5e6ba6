// Pictures turned into cached bitmaps, against the real files, the imaging
// component and the desktop's wallpaper setting under Wine.
#include "editor_driver.h"
#include "harness.h"
#include "picture.h"
#include "composer.h"
#include "picturecache.h"
#include "pictures.h"
#include "wallpaper.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
std::vector<uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string writeBytes(const std::string& name, const std::vector<uint8_t>& bytes)
{
    std::string path = freshFolder("picturecache") + name;
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// Sets a file's last-write time to now plus a number of seconds.
void stampFile(const std::string& path, int seconds)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart += static_cast<LONGLONG>(seconds) * 10000000LL;
    FILETIME stamp = {time.LowPart, time.HighPart};
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    EXPECT_TRUE(SetFileTime(file, NULL, NULL, &stamp));
    CloseHandle(file);
}

// A JPEG with two camera segments of the largest size in front of its frame
// header, whose size is then claimed as given (0: the picture's own).
std::vector<uint8_t> jpegBehindCameraData(int claimedSide)
{
    std::vector<uint8_t> jpeg = fileBytes(testPicture("halves.jpg"));
    std::vector<uint8_t> camera;
    for (int segment = 0; segment < 2; ++segment) {
        uint8_t head[] = {0xFF, 0xE1, 0xFF, 0xFF};
        camera.insert(camera.end(), head, head + 4);
        camera.insert(camera.end(), 65533, 'x');
    }
    jpeg.insert(jpeg.begin() + 2, camera.begin(), camera.end());
    if (claimedSide > 0) {
        for (size_t at = 2 + camera.size(); at + 9 < jpeg.size(); ++at)
            if (jpeg[at] == 0xFF && jpeg[at + 1] == 0xC0) {
                jpeg[at + 5] = jpeg[at + 7] = static_cast<uint8_t>(claimedSide >> 8);
                jpeg[at + 6] = jpeg[at + 8] = static_cast<uint8_t>(claimedSide);
                break;
            }
    }
    return jpeg;
}

std::vector<uint8_t> firstBytes(std::vector<uint8_t> bytes, size_t count)
{
    bytes.resize(count);
    return bytes;
}

// A little-endian TIFF header whose first directory gives only a size: its
// width and length, or (length 0) only its width.
std::vector<uint8_t> tiffClaiming(uint32_t width, uint32_t length)
{
    std::vector<uint32_t> tags = {256u};
    if (length)
        tags.push_back(257u);
    std::vector<uint8_t> tiff = {'I', 'I', 42, 0, 8, 0, 0, 0, uint8_t(tags.size()), 0};
    for (uint32_t tag : tags) {
        uint32_t value = tag == 256 ? width : length;
        uint8_t entry[] = {uint8_t(tag), uint8_t(tag >> 8), 4, 0, 1, 0, 0, 0,
                           uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
        tiff.insert(tiff.end(), entry, entry + 12);
    }
    tiff.insert(tiff.end(), 4, 0);
    return tiff;
}
}  // namespace

// No decoder sees a picture whose header claims a size beyond the bounds, or
// whose header does not tell its size at all.
TEST(PictureClaims, SizesAreReadFromTheHeaderBeforeAnyDecoderOpensTheFile)
{
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        bool allowed;
    } cases[] = {
        {"jpeg, frame header behind 128 KiB of camera data", jpegBehindCameraData(0), true},
        {"the same claiming 60,000 x 60,000", jpegBehindCameraData(60000), false},
        {"tiff as converted", fileBytes(testPicture("other.tif")), true},
        {"tiff claiming 100,000 x 100,000", tiffClaiming(100000, 100000), false},
        {"tiff without a length", tiffClaiming(20, 0), false},
        {"tiff whose directory is cut short", firstBytes(tiffClaiming(20, 20), 22), false},
        {"a format whose size is not read", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P', 'V', 'P', '8', ' '},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = writeBytes("claim.pic", c.bytes);
        EXPECT_EQ(pictureClaimAllowed(path.c_str()), c.allowed);
    }
    std::string behind = writeBytes("behind.jpg", jpegBehindCameraData(0));
    PictureReader reader;
    ASSERT_TRUE(openPicture(behind.c_str(), &reader));
    EXPECT_EQ(reader.size.width, 320u);
    EXPECT_EQ(reader.size.height, 240u);
    closePicture(&reader);
}

// A composite is made again unless its pictures' sizes and last-write
// times equal those it was made from: an older picture copied over a newer
// one is a change too. One 400 x 300 monitor, the picture tiled: the pixel
// at (10, 10) is the picture's own.
TEST(PictureCache, AnOlderPictureCopiedOverANewerOneIsConvertedAgain)
{
    clearPictureCache();
    std::string picture = writeBytes("sky.png", fileBytes(testPicture("halves.png")));
    stampFile(picture, 0);
    MonitorSet monitor = {1, {{0, 0, 400, 300}}};
    ScreenEntry entry = {};
    lstrcpynA(entry.path, picture.c_str(), sizeof entry.path);
    entry.mode = POSITION_TILE;
    Composed composed;
    const char* cached = composed.path;
    auto compose = [&] {
        return composeWallpaper(monitor, &entry, 1, MONITORS_SAME, FIT_CENTER, COMPOSITE_SPANNED, &composed);
    };
    ASSERT_TRUE(compose());
    EXPECT_TRUE(nearColour(bitmapPixel(cached, 10, 10), PNG_LEFT));
    // Unchanged: the same file, not written again.
    stampFile(cached, -3600);
    WIN32_FILE_ATTRIBUTE_DATA before;
    ASSERT_TRUE(GetFileAttributesExA(cached, GetFileExInfoStandard, &before));
    ASSERT_TRUE(compose());
    WIN32_FILE_ATTRIBUTE_DATA after;
    ASSERT_TRUE(GetFileAttributesExA(cached, GetFileExInfoStandard, &after));
    EXPECT_EQ(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0);

    // The same bytes with an older time: made again, the same picture.
    stampFile(picture, -86400);
    ASSERT_TRUE(compose());
    ASSERT_TRUE(GetFileAttributesExA(cached, GetFileExInfoStandard, &after));
    EXPECT_NE(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0);
    EXPECT_TRUE(nearColour(bitmapPixel(cached, 10, 10), PNG_LEFT));

    // Another, older picture copied over it: its colour now.
    writeBytes("sky.png", fileBytes(testPicture("other.gif")));
    stampFile(picture, -2 * 86400);
    ASSERT_TRUE(compose());
    EXPECT_TRUE(nearColour(bitmapPixel(cached, 10, 10), OTHER_COLOUR));
    EXPECT_EQ(composed.unshown, 0);
    clearPictureCache();
}

// Clean-up leaves what another program may be using this moment: the
// wallpaper the platform names now, and a temporary file still being written.
TEST(PictureCache, CleanUpLeavesTheWallpaperInUseAndFreshTemporaryFiles)
{
    clearPictureCache();
    std::string folder = pictureCacheFolder() + "\\";
    CreateDirectoryA(folder.c_str(), NULL);
    const struct {
        const char* name;
        int age;  // seconds
        bool stays;
    } files[] = {
        {"applied.png.bmp", 0, true},
        {"other.jpg.bmp", 0, true},  // the platform's wallpaper
        {"writing.png.bmp.4242.tmp", -5, true},
        {"left.png.bmp.4243.tmp", -120, false},
        {"old.png.bmp", -120, false},
        {"older.gif.bmp", 0, false},
    };
    for (const auto& file : files) {
        writeTestBitmap(folder + file.name, 4, 4, RGB(1, 2, 3));
        stampFile(folder + file.name, file.age);
    }
    std::string wallpaper = folder + "other.jpg.bmp";
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(wallpaper.c_str()), 0));
    removeOtherCacheFiles((folder + "applied.png.bmp").c_str());
    for (const auto& file : files)
        EXPECT_EQ(GetFileAttributesA((folder + file.name).c_str()) != INVALID_FILE_ATTRIBUTES, file.stays)
            << file.name;
    clearPictureCache();
}
