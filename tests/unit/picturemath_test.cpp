#include "picturemath.h"

#include "bmpcheck.h"
#include "hash64.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct SizeCase {
    PictureSize picture;
    bool allowed;
};

TEST(PictureMath, SizeBoundsAreTheBitmapCheckBounds)
{
    const SizeCase cases[] = {
        {{0, 1}, false},         {{1, 0}, false},         {{1, 1}, true},
        {{32768, 2048}, true},   {{32768, 2049}, false},  {{32769, 1}, false},
        {{8192, 8192}, true},    {{8193, 8192}, false},   {{100000, 100000}, false},
        {{1, 32768}, true},      {{0xFFFFFFFF, 1}, false},
    };
    for (const SizeCase& c : cases)
        EXPECT_EQ(pictureSizeAllowed(c.picture), c.allowed) << c.picture.width << " x " << c.picture.height;
}

struct FitCase {
    PictureSize picture, screen, fitted;
};

TEST(PictureMath, CenterFitsALargePictureKeepingItsProportions)
{
    const FitCase cases[] = {
        {{640, 480}, {1024, 768}, {640, 480}},      // fits: kept
        {{1024, 768}, {1024, 768}, {1024, 768}},    // exactly the screen
        {{2048, 512}, {1024, 768}, {1024, 256}},    // too wide
        {{1000, 2000}, {1024, 768}, {384, 768}},    // too tall
        {{4000, 3000}, {1024, 768}, {1024, 768}},   // same shape, larger
        {{1025, 700}, {1024, 768}, {1024, 699}},    // rounded to the nearest
        {{32768, 1}, {1024, 768}, {1024, 1}},       // never below one pixel
        {{1, 32768}, {1024, 768}, {1, 768}},
        {{3000, 2000}, {1920, 1080}, {1620, 1080}},
        {{100000, 100000}, {1024, 768}, {100000, 100000}},  // beyond the bounds: left alone
        {{2048, 512}, {0, 0}, {2048, 512}},                 // no screen size known
        {{2048, 512}, {70000, 10}, {2048, 512}},
    };
    for (const FitCase& c : cases) {
        PictureSize fitted = fitWithin(c.picture, c.screen);
        EXPECT_EQ(fitted.width, c.fitted.width) << c.picture.width << " x " << c.picture.height;
        EXPECT_EQ(fitted.height, c.fitted.height) << c.picture.width << " x " << c.picture.height;
    }
}

// A composite is named by the keyed hash of its record: FNV-1a from the
// key, finished by splitmix64 (the values worked out apart, in Python).
TEST(PictureMath, CacheFileIsNamedByAHashOfItsRecord)
{
    const struct {
        const char* record;
        uint64_t key;
        uint64_t hash;
    } cases[] = {
        {"", 0, 0xf52a15e9a9b5e89bull},
        {"a", 0, 0x02c0bdbf481420f8ull},
        {"composite 2", 0, 0xe21eca2960563e66ull},
        {"a", 1, 0xfcddd314e0c8a125ull},
        {"a", ~0ull, 0x351823e1ff057951ull},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hashBytes64(c.record, strlen(c.record), c.key), c.hash) << c.record << " " << c.key;
    char name[CACHE_NAME_SIZE + 1];
    memset(name, 'x', sizeof name);
    const char record[] = "composite 2";
    cacheFileName(reinterpret_cast<const uint8_t*>(record), strlen(record), name);
    EXPECT_STREQ(name, "e21eca2960563e66.bmp");
    EXPECT_EQ(name[CACHE_NAME_SIZE], 'x');
}

uint32_t at32(const uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}

TEST(PictureMath, CacheHeaderIsABottomUp24BitBitmapTheCheckAccepts)
{
    uint8_t header[CACHE_HEADER_SIZE];
    ASSERT_TRUE(writeBitmapHeader24(header, {3, 2}));
    EXPECT_EQ(bitmapStride24(3), 12u);
    EXPECT_EQ(at32(header + 2), 54u + 24u);            // file size without the trailer
    EXPECT_EQ(at32(header + 14 + 8), 2u);              // positive height: bottom-up
    EXPECT_EQ(header[14 + 14], 24);

    // The whole file, rows and trailer included, passes the bitmap check.
    std::vector<uint8_t> file(header, header + CACHE_HEADER_SIZE);
    file.resize(54 + 24, 0x80);
    const char path[] = "c:\\a.png";
    file.insert(file.end(), path, path + sizeof path);
    BitmapLayout layout;
    uint32_t block = 0;
    ASSERT_EQ(checkFileHeader(file.data(), file.size(), &block), BITMAP_OK);
    EXPECT_EQ(checkBitmapBlock(file.data() + FILE_HEADER_SIZE, block, &layout), BITMAP_OK);

    uint32_t trailerAt = 0;
    EXPECT_TRUE(cacheHeaderMatches(file.data(), file.size(), {3, 2}, sizeof path, &trailerAt));
    EXPECT_EQ(trailerAt, 78u);
    EXPECT_FALSE(cacheHeaderMatches(file.data(), file.size(), {2, 3}, sizeof path, &trailerAt));
    EXPECT_FALSE(cacheHeaderMatches(file.data(), file.size() - 1, {3, 2}, sizeof path, &trailerAt));
    EXPECT_FALSE(cacheHeaderMatches(file.data(), file.size(), {3, 2}, sizeof path + 1, &trailerAt));
    file[0] = 'X';
    EXPECT_FALSE(cacheHeaderMatches(file.data(), file.size(), {3, 2}, sizeof path, &trailerAt));
    EXPECT_FALSE(writeBitmapHeader24(header, {40000, 1}));
}

std::vector<uint8_t> bytes(std::initializer_list<int> list)
{
    return std::vector<uint8_t>(list.begin(), list.end());
}

std::vector<uint8_t> pngHead(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> head = bytes({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'});
    for (uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            head.push_back(uint8_t(v >> shift));
    return head;
}

std::vector<uint8_t> withoutLast(std::vector<uint8_t> head)
{
    head.pop_back();
    return head;
}

// A JPEG start: SOI, an APP0 segment with 4 bytes of data, then segments.
std::vector<uint8_t> jpegHead(std::initializer_list<int> tail)
{
    std::vector<uint8_t> head = bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 6, 'J', 'F', 'I', 'F'});
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

struct ClaimCase {
    const char* what;
    std::vector<uint8_t> head;
    bool found;
    PictureSize size;
};

// A JPEG whose frame header lies behind two camera segments of the largest
// size, 128 KiB in: every segment is stepped over, however far it goes.
std::vector<uint8_t> jpegBehindCameraData(uint32_t side)
{
    std::vector<uint8_t> head = bytes({0xFF, 0xD8});
    for (int segment = 0; segment < 2; ++segment) {
        std::vector<uint8_t> app1 = bytes({0xFF, 0xE1, 0xFF, 0xFF});
        app1.resize(4 + 65533, 'x');
        head.insert(head.end(), app1.begin(), app1.end());
    }
    std::vector<uint8_t> frame = bytes({0xFF, 0xC0, 0, 17, 8, int(side >> 8), int(side & 0xFF), int(side >> 8),
                                        int(side & 0xFF)});
    head.insert(head.end(), frame.begin(), frame.end());
    return head;
}

TEST(PictureMath, ClaimedSizeComesFromTheFileHeader)
{
    const ClaimCase cases[] = {
        {"png", pngHead(100000, 100000), true, {100000, 100000}},
        {"png cut short", withoutLast(pngHead(5, 6)), false, {}},
        {"gif", bytes({'G', 'I', 'F', '8', '9', 'a', 0x40, 0x01, 0xF0, 0x00}), true, {320, 240}},
        {"gif87", bytes({'G', 'I', 'F', '8', '7', 'a', 0xFF, 0xFF, 1, 0}), true, {65535, 1}},
        {"baseline jpeg", jpegHead({0xFF, 0xC0, 0, 17, 8, 0x01, 0xE0, 0x02, 0x80}), true, {640, 480}},
        {"progressive jpeg behind tables",
         jpegHead({0xFF, 0xC4, 0, 3, 0, 0xFF, 0xFF, 0xC2, 0, 17, 8, 0xFF, 0xFF, 0x00, 0x10}), true, {16, 65535}},
        {"scan before any frame", jpegHead({0xFF, 0xDA, 0, 8, 0, 0, 0, 0, 0, 0, 0xFF, 0xC0, 0, 17, 8, 0, 1, 0, 1}),
         false, {}},
        {"frame header cut short", jpegHead({0xFF, 0xC0, 0, 17, 8, 0x01}), false, {}},
        {"segment length below two", jpegHead({0xFF, 0xE1, 0, 1, 0xFF, 0xC0, 0, 17, 8, 0, 1, 0, 1}), false, {}},
        {"tiff without entries", bytes({'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0, 0, 0}), false, {}},
        {"tiff, short and long",
         bytes({'I', 'I', 42, 0, 8, 0, 0, 0, 3, 0,                  // three entries
                0x00, 0x01, 3, 0, 1, 0, 0, 0, 0x80, 0x02, 0, 0,     // width 640, SHORT
                0x16, 0x01, 3, 0, 1, 0, 0, 0, 8, 0, 0, 0,           // rows per strip: not a size
                0x01, 0x01, 4, 0, 1, 0, 0, 0, 0xE0, 0x01, 0, 0}),   // length 480, LONG
         true, {640, 480}},
        {"big-endian tiff, directory further on",
         bytes({'M', 'M', 0, 42, 0, 0, 0, 12, 9, 9, 9, 9, 0, 2,
                0x01, 0x01, 0, 4, 0, 0, 0, 1, 0, 1, 0x86, 0xA0,    // length 100000, LONG
                0x01, 0x00, 0, 3, 0, 0, 0, 1, 0x01, 0x40, 0, 0}),  // width 320, SHORT
         true, {320, 100000}},
        {"tiff whose width has two values",
         bytes({'I', 'I', 42, 0, 8, 0, 0, 0, 2, 0, 0x00, 0x01, 3, 0, 2, 0, 0, 0, 5, 0, 5, 0,
                0x01, 0x01, 3, 0, 1, 0, 0, 0, 5, 0, 0, 0}),
         false, {}},
        {"tiff directory past the end", bytes({'I', 'I', 42, 0, 0xFF, 0, 0, 0}), false, {}},
        {"jpeg behind 128 KiB of camera data", jpegBehindCameraData(60000), true, {60000, 60000}},
        {"the same, cut short in the frame header", withoutLast(jpegBehindCameraData(60000)), false, {}},
        {"bitmap", bytes({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0}), false, {}},
        {"empty", {}, false, {}},
    };
    for (const ClaimCase& c : cases) {
        PictureSize size = {0, 0};
        std::vector<uint8_t> head = c.head;
        bool found = claimedPictureSize(head.data(), static_cast<uint32_t>(head.size()), &size);
        EXPECT_EQ(found, c.found) << c.what;
        if (found && c.found) {
            EXPECT_EQ(size.width, c.size.width) << c.what;
            EXPECT_EQ(size.height, c.size.height) << c.what;
        }
    }
}

// A hostile JPEG made of nothing but fill bytes and empty segments: the
// walk gives up after its limit of steps rather than read the whole file.
TEST(PictureMath, AJpegWalkStopsAfterItsLimitOfSegments)
{
    std::vector<uint8_t> head = bytes({0xFF, 0xD8});
    for (uint32_t i = 0; i < JPEG_SEGMENT_LIMIT; ++i) {
        std::vector<uint8_t> empty = bytes({0xFF, 0xE2, 0, 2});
        head.insert(head.end(), empty.begin(), empty.end());
    }
    std::vector<uint8_t> frame = bytes({0xFF, 0xC0, 0, 17, 8, 0, 10, 0, 10});
    std::vector<uint8_t> atTheLimit(head.begin(), head.end() - 4);
    atTheLimit.insert(atTheLimit.end(), frame.begin(), frame.end());
    head.insert(head.end(), frame.begin(), frame.end());
    PictureSize size = {0, 0};
    EXPECT_TRUE(claimedPictureSize(atTheLimit.data(), static_cast<uint32_t>(atTheLimit.size()), &size));
    EXPECT_FALSE(claimedPictureSize(head.data(), static_cast<uint32_t>(head.size()), &size));
}

TEST(PictureMath, TheCacheTrailerIsThePathThenTheStamp)
{
    uint8_t trailer[64];
    memset(trailer, 0xEE, sizeof trailer);
    uint32_t length = writeCacheTrailer(trailer, sizeof trailer, "c:\\a.jpg", 0x0102030405060708ull,
                                        0x1112131415161718ull);
    const uint8_t expected[] = {'c', ':', '\\', 'a', '.', 'j', 'p', 'g', 0,
                                0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,
                                0x18, 0x17, 0x16, 0x15, 0x14, 0x13, 0x12, 0x11};
    ASSERT_EQ(length, sizeof expected);
    EXPECT_EQ(std::vector<uint8_t>(trailer, trailer + length), std::vector<uint8_t>(expected, expected + length));
    EXPECT_EQ(trailer[length], 0xEE);
    // Exactly room for it, and one byte short.
    EXPECT_EQ(writeCacheTrailer(trailer, sizeof expected, "c:\\a.jpg", 1, 2), sizeof expected);
    EXPECT_EQ(writeCacheTrailer(trailer, sizeof expected - 1, "c:\\a.jpg", 1, 2), 0u);
}

}  // namespace
