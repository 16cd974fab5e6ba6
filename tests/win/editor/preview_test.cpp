// The bitmap preview drawing real files into a real, disabled button under
// Wine; the frame's pixels are read back from the window.
#include "harness.h"
#include "ids.h"
#include "preview.h"
#include "settingsdialog.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {
const int FRAME_WIDTH = 100;
const int FRAME_HEIGHT = 80;

const COLORREF RED = RGB(200, 30, 40);
const COLORREF BLUE = RGB(20, 60, 210);
const COLORREF GREEN = RGB(30, 170, 70);

void put16(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    bytes[at] = value & 0xFF;
    bytes[at + 1] = (value >> 8) & 0xFF;
}

void put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (value >> (8 * i)) & 0xFF;
}

// A bitmap file: 14-byte file header, 40-byte information header, colour
// table (tableSize entries, clrUsed as given), then gap bytes, then the rows.
// pixel(x, y) gives a palette index for depths up to 8 and a COLORREF for 24;
// y counts from the image's top whatever the row order.
struct BitmapFile {
    int width = 8;
    int height = 8;  // negative: rows stored top-down
    int bitCount = 24;
    uint32_t clrUsed = 0;
    std::vector<COLORREF> table;
    size_t gap = 0;              // bytes between the colour table and the rows
    bool offBitsPointsPastGap = true;
    std::function<uint32_t(int, int)> pixel = [](int, int) { return 0u; };

    std::vector<uint8_t> bytes() const
    {
        int rows = height < 0 ? -height : height;
        size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
        size_t tableBytes = 4 * table.size();
        size_t bitsAt = 54 + tableBytes + gap;
        std::vector<uint8_t> out(bitsAt + stride * rows, 0);
        out[0] = 'B';
        out[1] = 'M';
        put32(out, 2, static_cast<uint32_t>(out.size()));
        put32(out, 10, static_cast<uint32_t>(offBitsPointsPastGap ? bitsAt : 54 + tableBytes));
        put32(out, 14, 40);
        put32(out, 18, width);
        put32(out, 22, height);
        put16(out, 26, 1);
        put16(out, 28, bitCount);
        put32(out, 34, static_cast<uint32_t>(stride * rows));
        put32(out, 46, clrUsed);
        for (size_t i = 0; i < table.size(); ++i) {
            out[54 + 4 * i] = GetBValue(table[i]);
            out[54 + 4 * i + 1] = GetGValue(table[i]);
            out[54 + 4 * i + 2] = GetRValue(table[i]);
        }
        for (size_t i = 54 + tableBytes; i < bitsAt; ++i)
            out[i] = 0xA5;  // junk a reader must not take for pixels
        for (int y = 0; y < rows; ++y) {
            size_t row = bitsAt + stride * (height < 0 ? y : rows - 1 - y);
            for (int x = 0; x < width; ++x) {
                uint32_t value = pixel(x, y);
                if (bitCount == 24) {
                    out[row + 3 * x] = GetBValue(value);
                    out[row + 3 * x + 1] = GetGValue(value);
                    out[row + 3 * x + 2] = GetRValue(value);
                } else if (bitCount == 8) {
                    out[row + x] = static_cast<uint8_t>(value);
                } else if (bitCount == 4) {
                    out[row + x / 2] |= static_cast<uint8_t>(value << (x % 2 ? 0 : 4));
                } else if (bitCount == 1) {
                    out[row + x / 8] |= static_cast<uint8_t>((value & 1) << (7 - x % 8));
                }
            }
        }
        return out;
    }
};

std::string tempPath(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

std::string writeFile(const char* name, const std::vector<uint8_t>& bytes)
{
    std::string path = tempPath(name);
    FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_TRUE(file != NULL) << path;
    if (file) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

std::string uniformBitmap(const char* name, COLORREF colour, int width = 13, int height = 7)
{
    BitmapFile file;
    file.width = width;
    file.height = height;
    file.pixel = [colour](int, int) { return static_cast<uint32_t>(colour); };
    return writeFile(name, file.bytes());
}

class Preview : public ::testing::Test {
protected:
    void SetUp() override
    {
        HINSTANCE instance = GetModuleHandleA(NULL);
        host = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "preview host", WS_POPUP | WS_VISIBLE | WS_BORDER, 60, 60, 240,
                               200, NULL, NULL, instance, NULL);
        ASSERT_TRUE(host != NULL);
        frame = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_DISABLED, 30, 20, FRAME_WIDTH,
                                FRAME_HEIGHT, host, reinterpret_cast<HMENU>(IDC_PREVIEW_FRAME), instance, NULL);
        ASSERT_TRUE(frame != NULL);
        UpdateWindow(host);
        pumpFor(300);
        createPreviewContexts(host);
        empty = grab();
        // Otherwise a picture that was never drawn could pass for one.
        for (COLORREF pixel : empty)
            ASSERT_TRUE(pixel != RED && pixel != BLUE && pixel != GREEN);
    }
    void TearDown() override
    {
        releasePreviewContexts();
        DestroyWindow(host);
    }

    // The frame's pixels, row by row, as COLORREF values.
    std::vector<COLORREF> grab()
    {
        HDC window = GetDC(frame);
        RECT whole = {0, 0, FRAME_WIDTH, FRAME_HEIGHT};
        std::vector<COLORREF> pixels = capturePixels(window, whole);
        ReleaseDC(frame, window);
        return pixels;
    }

    static COLORREF at(const std::vector<COLORREF>& pixels, int x, int y) { return pixels[y * FRAME_WIDTH + x]; }
    static bool inside(int x, int y) { return x >= 2 && x < FRAME_WIDTH - 2 && y >= 2 && y < FRAME_HEIGHT - 2; }

    // Every pixel inside the 2-pixel border has the colour; the border is as
    // the empty frame had it.
    ::testing::AssertionResult filledWith(COLORREF colour)
    {
        std::vector<COLORREF> shown = grab();
        for (int y = 0; y < FRAME_HEIGHT; ++y)
            for (int x = 0; x < FRAME_WIDTH; ++x) {
                COLORREF expected = inside(x, y) ? colour : at(empty, x, y);
                if (at(shown, x, y) != expected)
                    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                         << at(shown, x, y) << ", expected " << expected;
            }
        return ::testing::AssertionSuccess();
    }

    HWND host = NULL;
    HWND frame = NULL;
    std::vector<COLORREF> empty;
};
}  // namespace

TEST_F(Preview, AnImageFillsTheFrameInsideATwoPixelBorder)
{
    std::string path = uniformBitmap("pv-red.bmp", RED);
    EXPECT_EQ(previewBitmap(host, path.c_str()), 1);
    EXPECT_TRUE(filledWith(RED));
    // A second picture replaces the first.
    path = uniformBitmap("pv-green.bmp", GREEN, 300, 20);
    EXPECT_EQ(previewBitmap(host, path.c_str()), 1);
    EXPECT_TRUE(filledWith(GREEN));
}

TEST_F(Preview, TheImageIsStretchedUprightWhateverItsRowOrder)
{
    for (int height : {10, -10}) {
        BitmapFile file;
        file.width = 20;
        file.height = height;
        // Top-left quarter red, the rest blue.
        file.pixel = [](int x, int y) { return static_cast<uint32_t>(x < 10 && y < 5 ? RED : BLUE); };
        std::string path = writeFile("pv-quarter.bmp", file.bytes());
        ASSERT_EQ(previewBitmap(host, path.c_str()), 1) << height;
        std::vector<COLORREF> shown = grab();
        EXPECT_EQ(at(shown, 10, 10), RED) << height;
        EXPECT_EQ(at(shown, 90, 10), BLUE) << height;
        EXPECT_EQ(at(shown, 10, 70), BLUE) << height;
        EXPECT_EQ(at(shown, 90, 70), BLUE) << height;
        clearPreview(host);
        pumpFor(200);
    }
}

TEST_F(Preview, EightBitImagesTakeTheirColoursFromTheTable)
{
    // A full table of 256 entries (biClrUsed 0): the bits follow 40 + 1024 bytes.
    BitmapFile full;
    full.bitCount = 8;
    full.table.assign(256, RGB(0, 0, 0));
    full.table[200] = BLUE;
    full.pixel = [](int, int) { return 200u; };
    std::string path = writeFile("pv-8bit.bmp", full.bytes());
    EXPECT_EQ(previewBitmap(host, path.c_str()), 1);
    EXPECT_TRUE(filledWith(BLUE));

    // A table of 20 entries: the bits follow 40 + 80 bytes.
    BitmapFile short20;
    short20.bitCount = 8;
    short20.clrUsed = 20;
    short20.table.assign(20, RGB(255, 255, 255));
    short20.table[19] = GREEN;
    short20.pixel = [](int, int) { return 19u; };
    path = writeFile("pv-8bit-20.bmp", short20.bytes());
    EXPECT_EQ(previewBitmap(host, path.c_str()), 1);
    EXPECT_TRUE(filledWith(GREEN));
}

TEST_F(Preview, OneAndFourBitImagesAreDrawn)
{
    BitmapFile mono;
    mono.bitCount = 1;
    mono.width = 16;
    mono.table = {RED, BLUE};
    mono.pixel = [](int x, int) { return x < 8 ? 0u : 1u; };
    std::string path = writeFile("pv-1bit.bmp", mono.bytes());
    EXPECT_EQ(previewBitmap(host, path.c_str()), 1);
    std::vector<COLORREF> shown = grab();
    EXPECT_EQ(at(shown, 10, 40), RED);
    EXPECT_EQ(at(shown, 90, 40), BLUE);

    BitmapFile sixteen;
    sixteen.bitCount = 4;
    sixteen.table.assign(16, RGB(0, 0, 0));
    sixteen.table[7] = GREEN;
    sixteen.pixel = [](int, int) { return 7u; };
    path = writeFile("pv-4bit.bmp", sixteen.bytes());
    EXPECT_EQ(previewBitmap(host, path.c_str()), 1);
    EXPECT_TRUE(filledWith(GREEN));
}

// The rows lie where the file header's offset says, where that offset is
// valid; otherwise right after the colour table. The 32 bytes between the
// table and the red rows are entry 0, black.
TEST_F(Preview, BitsAreTakenFromTheFileHeadersOffsetWhereItIsValid)
{
    const struct {
        const char* what;
        size_t gap;
        int64_t offBits;  // -1: the offset of the rows themselves
    } cases[] = {
        {"a gap before the rows", 32, -1},
        {"no gap, the offset right behind the table", 0, 54 + 1024},
        {"no gap, an offset inside the colour table", 0, 54 + 1000},
        {"no gap, an offset that would run past the file", 0, 54 + 1024 + 4},
        {"no gap, an offset inside the file header", 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clearPreview(host);
        BitmapFile file;
        file.bitCount = 8;
        file.table.assign(256, RGB(0, 0, 0));
        file.table[3] = RED;
        file.pixel = [](int, int) { return 3u; };
        file.gap = c.gap;
        std::vector<uint8_t> bytes = file.bytes();
        if (c.offBits >= 0)
            put32(bytes, 10, static_cast<uint32_t>(c.offBits));
        std::string path = writeFile("pv-offbits.bmp", bytes);
        EXPECT_EQ(previewBitmap(host, path.c_str()), 1);
        EXPECT_TRUE(filledWith(RED));
    }
}

TEST_F(Preview, FilesThatAreNotDrawableLeaveTheFrameAsItWas)
{
    std::string good = uniformBitmap("pv-good.bmp", BLUE);
    ASSERT_EQ(previewBitmap(host, good.c_str()), 1);
    ASSERT_TRUE(filledWith(BLUE));

    std::vector<uint8_t> valid = BitmapFile{}.bytes();
    std::vector<std::pair<std::string, std::vector<uint8_t>>> bad;
    std::vector<uint8_t> notBm = valid;
    notBm[0] = 'M';
    notBm[1] = 'B';
    bad.push_back({"not BM", notBm});
    std::vector<uint8_t> lyingSize = valid;
    put32(lyingSize, 2, static_cast<uint32_t>(valid.size() + 4096));
    bad.push_back({"bfSize beyond the file", lyingSize});
    std::vector<uint8_t> truncated(valid.begin(), valid.end() - 50);
    bad.push_back({"truncated rows", truncated});
    std::vector<uint8_t> tinySize = valid;
    put32(tinySize, 2, 20);
    bad.push_back({"bfSize smaller than the headers", tinySize});
    std::vector<uint8_t> headerOnly(valid.begin(), valid.begin() + 14);
    put32(headerOnly, 2, 14);
    bad.push_back({"file header only", headerOnly});
    bad.push_back({"shorter than a file header", std::vector<uint8_t>(valid.begin(), valid.begin() + 9)});
    bad.push_back({"empty file", {}});
    std::vector<uint8_t> hugeWidth = valid;
    put32(hugeWidth, 18, 0x7FFFFFFF);
    bad.push_back({"width far past the rows", hugeWidth});
    BitmapFile shortTable;
    shortTable.bitCount = 8;
    shortTable.table.assign(4, RGB(1, 2, 3));  // 256 entries announced, 4 present
    std::vector<uint8_t> tableCut = shortTable.bytes();
    bad.push_back({"colour table past the block", tableCut});
    std::vector<uint8_t> coreHeader = valid;
    put32(coreHeader, 14, 12);
    bad.push_back({"core header size", coreHeader});

    for (auto& [what, bytes] : bad) {
        std::string path = writeFile("pv-bad.bmp", bytes);
        EXPECT_EQ(previewBitmap(host, path.c_str()), 0) << what;
    }
    EXPECT_EQ(previewBitmap(host, tempPath("pv-does-not-exist.bmp").c_str()), 0);
    EXPECT_EQ(previewBitmap(host, tempPath("").c_str()), 0) << "a directory";
    EXPECT_TRUE(filledWith(BLUE));
}

TEST_F(Preview, ClearingEmptiesTheFrameAndKeepsItDisabled)
{
    std::string path = uniformBitmap("pv-clear.bmp", RED);
    ASSERT_EQ(previewBitmap(host, path.c_str()), 1);
    ASSERT_TRUE(filledWith(RED));
    clearPreview(host);
    // The red goes as the frame repaints its face.
    for (int i = 0; i < 100 && grab() != empty; ++i)
        pumpFor(20);
    EXPECT_FALSE(IsWindowEnabled(frame));
    EXPECT_EQ(grab(), empty);
}

TEST_F(Preview, ReleasingTwiceIsHarmlessAndNothingIsDrawnWithoutContexts)
{
    std::string path = uniformBitmap("pv-release.bmp", GREEN);
    releasePreviewContexts();
    releasePreviewContexts();
    EXPECT_EQ(previewBitmap(host, path.c_str()), 0);
    EXPECT_EQ(grab(), empty);
    createPreviewContexts(host);
    EXPECT_EQ(previewBitmap(host, path.c_str()), 1);
    EXPECT_TRUE(filledWith(GREEN));
}

TEST_F(Preview, ABigFileWhoseHeaderFailsIsReadNoFurther)
{
    // 64 MiB that bfSize vouches for, behind an information header of an
    // unknown size: reading the rest first would pull all of it into memory.
    const uint32_t size = 64u << 20;
    std::vector<uint8_t> head = BitmapFile{}.bytes();
    head.resize(54);
    put32(head, 2, size);
    put32(head, 14, 41);
    std::string path = writeFile("pv-big-bad.bmp", head);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFilePointer(file, size, NULL, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);

    PROCESS_MEMORY_COUNTERS before = {};
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before));
    EXPECT_EQ(previewBitmap(host, path.c_str()), 0);
    PROCESS_MEMORY_COUNTERS after = {};
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after));
    DeleteFileA(path.c_str());
    EXPECT_GT(after.PeakWorkingSetSize, 0u);
    EXPECT_LT(after.PeakWorkingSetSize, before.PeakWorkingSetSize + (16u << 20))
        << "the peak working set grew from " << before.PeakWorkingSetSize << " to " << after.PeakWorkingSetSize;
}

TEST_F(Preview, TheFramesContextGoesBackWhenTheDialogIsDestroyed)
{
    std::string path = uniformBitmap("pv-destroy.bmp", RED);
    ASSERT_EQ(previewBitmap(host, path.c_str()), 1);
    // The dialog's destruction, while its frame still exists.
    settingsDialogProc(host, WM_DESTROY, 0, 0);
    EXPECT_EQ(previewBitmap(host, path.c_str()), 0) << "the contexts are still held";
}

// The platform's GDI object table is finite. Filled up, no preview can make
// its bitmap, and it must then draw nothing. Left with a small headroom, many
// more previews than the headroom must all succeed: if any preview kept a
// single bitmap or palette, the table would run out on the way.
TEST_F(Preview, PreviewsKeepNoObjectsAndNoMemory)
{
    BitmapFile file;
    file.bitCount = 8;
    file.width = 64;
    file.height = 48;
    file.table.assign(256, RGB(0, 0, 0));
    file.table[9] = BLUE;
    file.pixel = [](int, int) { return 9u; };
    std::string path = writeFile("pv-leak.bmp", file.bytes());
    std::string direct = uniformBitmap("pv-leak-24.bmp", RED);
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(previewBitmap(host, path.c_str()), 1);

    std::vector<HBITMAP> filler;
    const size_t cap = 1 << 20;
    while (filler.size() < cap) {
        HBITMAP one = CreateBitmap(1, 1, 1, 1, NULL);
        if (!one)
            break;
        filler.push_back(one);
    }
    ASSERT_LT(filler.size(), cap) << "the object table did not run out";
    std::printf("GDI object table ran out after %u further bitmaps\n", static_cast<unsigned>(filler.size()));

    EXPECT_EQ(previewBitmap(host, direct.c_str()), 0) << "no bitmap can be made, so nothing is drawn";
    EXPECT_EQ(previewBitmap(host, path.c_str()), 0) << "no palette and no bitmap can be made";

    // Reading the frame back takes objects of its own.
    const size_t headroom = 40;
    for (size_t i = 0; i < headroom; ++i) {
        DeleteObject(filler.back());
        filler.pop_back();
    }
    EXPECT_TRUE(filledWith(BLUE)) << "the failed previews left the picture as it was";
    const int previews = 2000;
    SIZE_T before = privateBytes(GetCurrentProcess());
    int drawn = 0;
    for (int i = 0; i < previews; ++i)
        drawn += previewBitmap(host, (i % 2 ? direct : path).c_str());
    SIZE_T after = privateBytes(GetCurrentProcess());
    for (HBITMAP one : filler)
        DeleteObject(one);
    EXPECT_EQ(drawn, previews);
    EXPECT_TRUE(filledWith(RED));
    EXPECT_GT(before, 0u);
    EXPECT_LT(after, before + 256 * 1024) << "private bytes grew from " << before << " to " << after;
}
