#include "bmpcheck.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace {

// What goes into a test bitmap file. Sizes left at -1 are worked out the way
// a well-behaved writer would.
struct BitmapRecipe {
    uint32_t headerSize = 40;
    int32_t width = 5;
    int32_t height = 3;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    int64_t coloursWritten = -1;  // colour-table entries actually written
    uint32_t masksWritten = 0;    // bytes of bit-field masks behind the header
    uint32_t gap = 0;             // bytes between colour table and bits
    int64_t bitsWritten = -1;     // bytes of pixel data written
    int64_t fileSizeField = -1;   // bfSize
};

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putAt32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = (v >> (8 * i)) & 0xFF;
}

std::vector<uint8_t> buildBmp(const BitmapRecipe& s)
{
    int64_t colours = s.coloursWritten;
    if (colours < 0)
        colours = s.clrUsed ? s.clrUsed : (s.bitCount <= 8 ? 1 << s.bitCount : 0);
    int64_t bits = s.bitsWritten;
    if (bits < 0)
        bits = int64_t((s.width * s.bitCount + 31) / 32 * 4) * (s.height < 0 ? -s.height : s.height);
    uint32_t offBits = 14 + s.headerSize + s.masksWritten + 4 * uint32_t(colours) + s.gap;

    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 0);  // bfSize, set below
    put32(out, 0);
    put32(out, offBits);
    put32(out, s.headerSize);
    put32(out, uint32_t(s.width));
    put32(out, uint32_t(s.height));
    put16(out, s.planes);
    put16(out, s.bitCount);
    put32(out, s.compression);
    put32(out, s.sizeImage);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, s.clrUsed);
    put32(out, 0);
    out.resize(14 + s.headerSize, 0);
    out.resize(out.size() + s.masksWritten, 0xFF);
    for (int64_t i = 0; i < colours; ++i) {
        out.push_back(uint8_t(i));
        out.push_back(uint8_t(i * 3));
        out.push_back(uint8_t(i * 7));
        out.push_back(0);
    }
    out.resize(out.size() + s.gap, 0xEE);
    out.resize(out.size() + size_t(bits), 0x5A);
    putAt32(out, 2, s.fileSizeField < 0 ? uint32_t(out.size()) : uint32_t(s.fileSizeField));
    return out;
}

struct Checked {
    BitmapVerdict verdict;
    BitmapLayout layout;
};

// The preview's order: the file header against the file's size, then the
// block of bfSize - 14 bytes, held in its own exactly sized allocation so
// that a read past it is caught. misalign shifts the block by one byte.
Checked check(const std::vector<uint8_t>& file, bool misalign = false)
{
    Checked result = {BITMAP_OK, {}};
    uint8_t header[14] = {};
    std::copy_n(file.begin(), std::min<size_t>(14, file.size()), header);
    uint32_t blockSize = 0;
    result.verdict = checkFileHeader(header, file.size(), &blockSize);
    if (result.verdict != BITMAP_OK)
        return result;
    std::vector<uint8_t> block(file.begin() + 14, file.begin() + 14 + blockSize);
    if (misalign) {
        std::vector<uint8_t> shifted(blockSize + 1);
        std::copy(block.begin(), block.end(), shifted.begin() + 1);
        result.verdict = checkBitmapBlock(shifted.data() + 1, blockSize, &result.layout);
    } else {
        result.verdict = checkBitmapBlock(block.data(), blockSize, &result.layout);
    }
    return result;
}

BitmapVerdict verdictOf(const BitmapRecipe& recipe)
{
    return check(buildBmp(recipe)).verdict;
}

}  // namespace

TEST(BitmapColourCount, FollowsTheDepthUnlessClrUsedIsGiven)
{
    EXPECT_EQ(bitmapColourCount(1, 0), 2);
    EXPECT_EQ(bitmapColourCount(4, 0), 16);
    EXPECT_EQ(bitmapColourCount(8, 0), 256);
    EXPECT_EQ(bitmapColourCount(16, 0), 0);
    EXPECT_EQ(bitmapColourCount(24, 0), 0);
    EXPECT_EQ(bitmapColourCount(32, 0), 0);
    EXPECT_EQ(bitmapColourCount(2, 0), 0);
    EXPECT_EQ(bitmapColourCount(8, 20), 20);
    EXPECT_EQ(bitmapColourCount(24, 7), 7);
    EXPECT_EQ(bitmapColourCount(1, 300), 300);
    EXPECT_EQ(bitmapColourCount(8, 0x10014), 0x14);  // the low 16 bits
    EXPECT_EQ(bitmapColourCount(8, 0x10000), 0);
}

TEST(BitmapLayoutOf, EveryDepthBottomUp)
{
    struct Case {
        uint16_t bits;
        uint16_t colours;
        uint32_t stride;  // 5 pixels wide, rows padded to 4 bytes
    };
    const Case cases[] = {{1, 2, 4}, {4, 16, 4}, {8, 256, 8}, {16, 0, 12}, {24, 0, 16}, {32, 0, 20}};
    for (const Case& c : cases) {
        BitmapRecipe recipe;
        recipe.bitCount = c.bits;
        Checked r = check(buildBmp(recipe));
        ASSERT_EQ(r.verdict, BITMAP_OK) << c.bits << " bits";
        EXPECT_EQ(r.layout.width, 5);
        EXPECT_EQ(r.layout.height, 3);
        EXPECT_EQ(r.layout.bitCount, c.bits);
        EXPECT_EQ(r.layout.colourCount, c.colours);
        EXPECT_EQ(r.layout.colourOffset, 40u);
        EXPECT_EQ(r.layout.bitsOffset, 40u + 4u * c.colours);
        EXPECT_EQ(r.layout.bitsSize, 3 * c.stride) << c.bits << " bits";
        EXPECT_EQ(r.layout.compression, BITMAP_RGB);
    }
}

TEST(BitmapLayoutOf, ColourTableSizeSetsWhereTheBitsStart)
{
    BitmapRecipe full;
    full.bitCount = 8;
    Checked r = check(buildBmp(full));
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.colourCount, 256);
    EXPECT_EQ(r.layout.bitsOffset, 40u + 1024u);

    BitmapRecipe twenty = full;
    twenty.clrUsed = 20;
    r = check(buildBmp(twenty));
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.colourCount, 20);
    EXPECT_EQ(r.layout.bitsOffset, 40u + 80u);

    // A depth's small table may be announced larger (up to 256 entries).
    BitmapRecipe wide;
    wide.bitCount = 4;
    wide.clrUsed = 200;
    r = check(buildBmp(wide));
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.bitsOffset, 40u + 800u);

    BitmapRecipe direct;
    direct.bitCount = 24;
    r = check(buildBmp(direct));
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.colourCount, 0);
    EXPECT_EQ(r.layout.bitsOffset, 40u);
}

// bfOffBits is not used: the bits are taken right after the colour table.
TEST(BitmapLayoutOf, BitsFollowTheColourTableWhateverBfOffBitsSays)
{
    BitmapRecipe recipe;
    recipe.bitCount = 8;
    recipe.clrUsed = 16;
    recipe.gap = 100;
    Checked r = check(buildBmp(recipe));
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.bitsOffset, 40u + 64u);
}

// Where the file header's offset to the bits is valid, the bits start there
// (in the block behind the file header: 14 bytes less); otherwise right
// after the colour table. The recipe: 8 bits, 16 colours, a gap of 100
// bytes, 5 x 3 pixels (24 bytes of bits); the block is 40 + 64 + 100 + 24.
TEST(BitmapLayoutOf, BitsStartAtBfOffBitsWhereItIsValid)
{
    const struct {
        int64_t offBits;  // -1: as written, behind the gap
        uint32_t bitsOffset;
    } cases[] = {
        {-1, 40 + 64 + 100},
        {14 + 40 + 64, 40 + 64},            // right behind the table
        {14 + 40 + 64 + 36, 40 + 64 + 36},  // inside the gap
        {14 + 40 + 63, 40 + 64},            // inside the colour table
        {14 + 40 + 64 + 101, 40 + 64},      // the bits would run past the block
        {13, 40 + 64},                      // inside the file header
        {0, 40 + 64},
        {0xFFFFFFFF, 40 + 64},
    };
    for (const auto& c : cases) {
        BitmapRecipe recipe;
        recipe.bitCount = 8;
        recipe.clrUsed = 16;
        recipe.gap = 100;
        std::vector<uint8_t> file = buildBmp(recipe);
        if (c.offBits >= 0)
            putAt32(file, 10, uint32_t(c.offBits));
        Checked r = check(file);
        ASSERT_EQ(r.verdict, BITMAP_OK);
        useFileBitsOffset(file.data(), uint32_t(file.size() - 14), &r.layout);
        EXPECT_EQ(r.layout.bitsOffset, c.bitsOffset) << c.offBits;
    }
}

TEST(BitmapLayoutOf, TopDownRowsAndUnalignedBlocks)
{
    BitmapRecipe recipe;
    recipe.height = -3;
    recipe.bitCount = 32;
    Checked r = check(buildBmp(recipe), true);
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.height, -3);
    EXPECT_EQ(r.layout.bitsSize, 60u);
}

TEST(BitmapFileHeader, NotABitmapOrLyingAboutItsSize)
{
    std::vector<uint8_t> good = buildBmp(BitmapRecipe());
    uint32_t blockSize = 0;
    ASSERT_EQ(checkFileHeader(good.data(), good.size(), &blockSize), BITMAP_OK);
    EXPECT_EQ(blockSize, good.size() - 14);

    std::vector<uint8_t> mb = good;
    mb[0] = 'M';
    mb[1] = 'B';
    EXPECT_EQ(check(mb).verdict, BITMAP_NOT_BM);
    EXPECT_EQ(check({}).verdict, BITMAP_NOT_BM);
    EXPECT_EQ(check({'B', 'M', 0, 0}).verdict, BITMAP_SIZE_MISMATCH);

    // Truncated: bfSize says more than the file holds.
    std::vector<uint8_t> truncated(good.begin(), good.end() - 1);
    EXPECT_EQ(check(truncated).verdict, BITMAP_SIZE_MISMATCH);

    BitmapRecipe bigger;
    bigger.fileSizeField = 0xFFFFFFFF;
    EXPECT_EQ(verdictOf(bigger), BITMAP_SIZE_MISMATCH);

    BitmapRecipe tiny;
    tiny.fileSizeField = 53;
    EXPECT_EQ(verdictOf(tiny), BITMAP_SIZE_MISMATCH);
    tiny.fileSizeField = 0;
    EXPECT_EQ(verdictOf(tiny), BITMAP_SIZE_MISMATCH);

    // The least bfSize passes the file header, but no pixel fits in 40 bytes.
    tiny.fileSizeField = 54;
    EXPECT_EQ(verdictOf(tiny), BITMAP_OUT_OF_BLOCK);

    // A file longer than bfSize: only bfSize bytes are used.
    std::vector<uint8_t> longer = good;
    longer.resize(good.size() + 500, 0x77);
    ASSERT_EQ(checkFileHeader(longer.data(), longer.size(), &blockSize), BITMAP_OK);
    EXPECT_EQ(blockSize, good.size() - 14);
    EXPECT_EQ(check(longer).verdict, BITMAP_OK);
}

TEST(BitmapBlock, TruncatedPixelsOrColourTables)
{
    // A consistent bfSize, but the rows are one byte short.
    BitmapRecipe shortRows;
    shortRows.bitsWritten = 3 * 16 - 1;
    EXPECT_EQ(verdictOf(shortRows), BITMAP_OUT_OF_BLOCK);

    // An 8-bit file with 20 colours written but biClrUsed 0: the 256 entries
    // the platform reads would run past the block.
    BitmapRecipe shortTable;
    shortTable.bitCount = 8;
    shortTable.coloursWritten = 20;
    EXPECT_EQ(verdictOf(shortTable), BITMAP_OUT_OF_BLOCK);

    BitmapRecipe manyColours;
    manyColours.bitCount = 8;
    manyColours.clrUsed = 200;
    manyColours.coloursWritten = 150;
    manyColours.bitsWritten = 0;
    EXPECT_EQ(verdictOf(manyColours), BITMAP_OUT_OF_BLOCK);

    // A block too small for its own header.
    uint8_t fourBytes[4] = {40, 0, 0, 0};
    BitmapLayout layout;
    EXPECT_EQ(checkBitmapBlock(fourBytes, 4, &layout), BITMAP_OUT_OF_BLOCK);
    EXPECT_EQ(checkBitmapBlock(fourBytes, 3, &layout), BITMAP_OUT_OF_BLOCK);
}

TEST(BitmapBlock, ColourCountsBeyond256AreDeclined)
{
    // The platform would read 256 entries while the count says otherwise.
    for (uint32_t clrUsed : {257u, 65536u, 0x10014u, 0xFFFFFFFFu}) {
        BitmapRecipe recipe;
        recipe.bitCount = 8;
        recipe.clrUsed = clrUsed;
        recipe.coloursWritten = 256;
        EXPECT_EQ(verdictOf(recipe), BITMAP_BAD_HEADER) << clrUsed;
    }
}

TEST(BitmapBlock, DimensionsOutsideTheSaneBounds)
{
    struct Case {
        int32_t width, height;
    };
    const Case bad[] = {{0, 3}, {-5, 3}, {5, 0}, {INT_MIN, 3}, {5, INT_MIN}, {INT_MAX, 1},
                        {32769, 1}, {1, -32769}, {32768, 32768}, {8192, 8193}};
    for (const Case& c : bad) {
        BitmapRecipe recipe;
        recipe.width = c.width;
        recipe.height = c.height;
        recipe.bitCount = 1;
        recipe.bitsWritten = 16;
        EXPECT_EQ(verdictOf(recipe), BITMAP_BAD_DIMENSIONS) << c.width << " x " << c.height;
    }

    // Within the bounds, but the block lacks the bytes: no wrap-around of
    // 32768 x 2048 x 4 bytes (256 MiB) lets it through.
    BitmapRecipe wide;
    wide.width = 32768;
    wide.height = -2048;
    wide.bitCount = 32;
    wide.bitsWritten = 64;
    EXPECT_EQ(verdictOf(wide), BITMAP_OUT_OF_BLOCK);

    // The largest accepted picture, 2^26 one-bit pixels: 8 MiB of rows.
    BitmapRecipe largest;
    largest.width = 8192;
    largest.height = 8192;
    largest.bitCount = 1;
    Checked r = check(buildBmp(largest));
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.bitsSize, 8192u * 1024u);
}

TEST(BitmapBlock, HeaderFieldsThatAreNotHandled)
{
    BitmapRecipe planes;
    planes.planes = 2;
    EXPECT_EQ(verdictOf(planes), BITMAP_BAD_HEADER);
    planes.planes = 0;
    EXPECT_EQ(verdictOf(planes), BITMAP_BAD_HEADER);

    for (uint16_t bits : {0, 2, 3, 15, 48, 64}) {
        BitmapRecipe depth;
        depth.bitCount = bits;
        depth.bitsWritten = 64;
        EXPECT_EQ(verdictOf(depth), BITMAP_BAD_HEADER) << bits << " bits";
    }

    for (uint32_t size : {0u, 12u, 52u, 56u, 64u, 41u, 0x80000028u}) {
        BitmapRecipe header;
        header.headerSize = size < 40 || size > 200 ? 40 : size;
        std::vector<uint8_t> file = buildBmp(header);
        putAt32(file, 14, size);
        EXPECT_EQ(check(file).verdict, BITMAP_BAD_HEADER) << size;
    }

    struct Compression {
        uint32_t compression;
        uint16_t bits;
    };
    const Compression bad[] = {{1, 4}, {1, 24}, {2, 8}, {3, 24}, {3, 8}, {4, 24}, {5, 24}, {6, 32}};
    for (const Compression& c : bad) {
        BitmapRecipe recipe;
        recipe.compression = c.compression;
        recipe.bitCount = c.bits;
        recipe.sizeImage = 16;
        recipe.masksWritten = 16;
        EXPECT_EQ(verdictOf(recipe), BITMAP_BAD_HEADER) << c.compression << "/" << c.bits;
    }
}

// With the 40-byte header the three masks lie between header and colour
// table; the bits come after both.
TEST(BitmapBlock, BitFieldsSkipTheirMasks)
{
    for (uint16_t bits : {16, 32}) {
        BitmapRecipe recipe;
        recipe.bitCount = bits;
        recipe.compression = BITMAP_BITFIELDS;
        recipe.masksWritten = 12;
        Checked r = check(buildBmp(recipe));
        ASSERT_EQ(r.verdict, BITMAP_OK) << bits;
        EXPECT_EQ(r.layout.colourOffset, 52u);
        EXPECT_EQ(r.layout.bitsOffset, 52u);
        EXPECT_EQ(r.layout.compression, BITMAP_BITFIELDS);

        recipe.clrUsed = 2;
        r = check(buildBmp(recipe));
        ASSERT_EQ(r.verdict, BITMAP_OK) << bits;
        EXPECT_EQ(r.layout.colourOffset, 52u);
        EXPECT_EQ(r.layout.bitsOffset, 60u);
    }

    // Written without the masks, the rows no longer fit.
    BitmapRecipe noMasks;
    noMasks.bitCount = 16;
    noMasks.compression = BITMAP_BITFIELDS;
    EXPECT_EQ(verdictOf(noMasks), BITMAP_OUT_OF_BLOCK);
}

TEST(BitmapBlock, RunLengthBitsTakeTheirStatedSize)
{
    BitmapRecipe rle8;
    rle8.bitCount = 8;
    rle8.compression = BITMAP_RLE8;
    rle8.sizeImage = 10;
    rle8.bitsWritten = 10;
    Checked r = check(buildBmp(rle8));
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.bitsOffset, 40u + 1024u);
    EXPECT_EQ(r.layout.bitsSize, 10u);

    BitmapRecipe rle4;
    rle4.bitCount = 4;
    rle4.compression = BITMAP_RLE4;
    rle4.sizeImage = 6;
    rle4.bitsWritten = 6;
    r = check(buildBmp(rle4));
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.bitsOffset, 40u + 64u);
    EXPECT_EQ(r.layout.bitsSize, 6u);

    BitmapRecipe longer = rle8;
    longer.sizeImage = 11;
    EXPECT_EQ(verdictOf(longer), BITMAP_OUT_OF_BLOCK);
    longer.sizeImage = 0xFFFFFFFF;
    EXPECT_EQ(verdictOf(longer), BITMAP_OUT_OF_BLOCK);

    BitmapRecipe noSize = rle8;
    noSize.sizeImage = 0;
    EXPECT_EQ(verdictOf(noSize), BITMAP_BAD_HEADER);

    BitmapRecipe topDown = rle8;
    topDown.height = -3;
    EXPECT_EQ(verdictOf(topDown), BITMAP_BAD_HEADER);
}

TEST(BitmapBlock, LaterHeadersPutTheColourTableAtTheirOwnSize)
{
    BitmapRecipe v4;
    v4.headerSize = 108;
    Checked r = check(buildBmp(v4));
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.colourOffset, 108u);
    EXPECT_EQ(r.layout.bitsOffset, 108u);

    BitmapRecipe v5;
    v5.headerSize = 124;
    v5.bitCount = 8;
    v5.clrUsed = 4;
    r = check(buildBmp(v5));
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.colourOffset, 124u);
    EXPECT_EQ(r.layout.bitsOffset, 124u + 16u);

    // Their masks are inside the header: nothing extra for bit fields.
    BitmapRecipe fields;
    fields.headerSize = 124;
    fields.bitCount = 32;
    fields.compression = BITMAP_BITFIELDS;
    r = check(buildBmp(fields));
    ASSERT_EQ(r.verdict, BITMAP_OK);
    EXPECT_EQ(r.layout.bitsOffset, 124u);

    // A header longer than the block.
    std::vector<uint8_t> cut = buildBmp(v4);
    putAt32(cut, 14, 124);
    cut.resize(14 + 100);
    putAt32(cut, 2, uint32_t(cut.size()));
    EXPECT_EQ(check(cut).verdict, BITMAP_OUT_OF_BLOCK);
}

TEST(BitmapBlock, EmbeddedColourProfileMustLieInTheBlock)
{
    BitmapRecipe v5;
    v5.headerSize = 124;
    v5.gap = 32;  // the profile lies between the bits' two possible places
    std::vector<uint8_t> file = buildBmp(v5);
    const size_t header = 14;
    putAt32(file, header + 56, 0x4D424544);  // 'MBED'
    putAt32(file, header + 112, 124);
    putAt32(file, header + 116, 32);
    EXPECT_EQ(check(file).verdict, BITMAP_OK);

    putAt32(file, header + 116, uint32_t(file.size()));
    EXPECT_EQ(check(file).verdict, BITMAP_OUT_OF_BLOCK);
    putAt32(file, header + 112, 0xFFFFFFF0);
    putAt32(file, header + 116, 0x20);
    EXPECT_EQ(check(file).verdict, BITMAP_OUT_OF_BLOCK);

    // Any other colour space has no profile to read.
    putAt32(file, header + 56, 0x73524742);  // 'sRGB'
    EXPECT_EQ(check(file).verdict, BITMAP_OK);
}
