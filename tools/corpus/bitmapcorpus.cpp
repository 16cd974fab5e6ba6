#include "bitmapcorpus.h"

#include "../lebytes.h"

namespace {

const uint32_t RLE8 = 1;
const uint32_t RLE4 = 2;
const uint32_t BITFIELDS = 3;

// Pure colours: exact in every depth, 5- and 6-bit channels included.
const uint32_t RED = 0x0000FF;
const uint32_t GREEN = 0x00FF00;
const uint32_t BLUE = 0xFF0000;
const uint32_t YELLOW = 0x00FFFF;
const uint32_t MAGENTA = 0xFF00FF;
const uint32_t CYAN = 0xFFFF00;

uint8_t red(uint32_t c) { return c & 0xFF; }
uint8_t green(uint32_t c) { return (c >> 8) & 0xFF; }
uint8_t blue(uint32_t c) { return (c >> 16) & 0xFF; }

// A picture of one colour and how it is stored.
struct Picture {
    uint32_t headerSize = 40;  // 12 (core), 40, 108 or 124
    int32_t width = 16;
    int32_t height = 12;       // negative: rows top-down
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t clrUsed = 0;      // 0: the depth's full table
    uint32_t colour = RED;
};

uint32_t tableEntries(const Picture& s)
{
    if (s.clrUsed)
        return s.clrUsed;
    return s.bitCount <= 8 ? 1u << s.bitCount : 0;
}

// The palette index every pixel uses: the last entry the depth can index.
uint8_t pixelIndex(const Picture& s)
{
    uint32_t entries = tableEntries(s);
    uint32_t reach = s.bitCount <= 8 ? 1u << s.bitCount : 0;
    return static_cast<uint8_t>((entries < reach ? entries : reach) - 1);
}

std::vector<uint8_t> rows(const Picture& s)
{
    int32_t count = s.height < 0 ? -s.height : s.height;
    std::vector<uint8_t> out;
    uint8_t index = s.bitCount <= 8 ? pixelIndex(s) : 0;
    for (int32_t y = 0; y < count; ++y) {
        if (s.compression == RLE8 || s.compression == RLE4) {
            // One run across the row, then end of line (end of bitmap last).
            out.push_back(static_cast<uint8_t>(s.width));
            out.push_back(s.compression == RLE8 ? index : static_cast<uint8_t>(index << 4 | index));
            out.push_back(0);
            out.push_back(y + 1 == count ? 1 : 0);
            continue;
        }
        std::vector<uint8_t> row((static_cast<size_t>(s.width) * s.bitCount + 31) / 32 * 4, 0);
        for (int32_t x = 0; x < s.width; ++x) {
            switch (s.bitCount) {
            case 1:
                row[x / 8] |= static_cast<uint8_t>((index & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<uint8_t>(index << (x % 2 ? 0 : 4));
                break;
            case 8:
                row[x] = index;
                break;
            case 16: {
                // 5-6-5 with bit fields, else 5-5-5.
                unsigned value = s.compression == BITFIELDS
                                     ? (red(s.colour) >> 3) << 11 | (green(s.colour) >> 2) << 5 | blue(s.colour) >> 3
                                     : (red(s.colour) >> 3) << 10 | (green(s.colour) >> 3) << 5 | blue(s.colour) >> 3;
                row[2 * x] = value & 0xFF;
                row[2 * x + 1] = value >> 8;
                break;
            }
            default:
                row[x * (s.bitCount / 8)] = blue(s.colour);
                row[x * (s.bitCount / 8) + 1] = green(s.colour);
                row[x * (s.bitCount / 8) + 2] = red(s.colour);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void putMasks(std::vector<uint8_t>& out, const Picture& s)
{
    bool wide = s.bitCount == 32;
    put32(out, wide ? 0xFF0000 : 0xF800);
    put32(out, wide ? 0x00FF00 : 0x07E0);
    put32(out, wide ? 0x0000FF : 0x001F);
}

std::vector<uint8_t> build(const Picture& s)
{
    std::vector<uint8_t> info;
    if (s.headerSize == 12) {
        put32(info, 12);
        put16(info, s.width);
        put16(info, s.height);
        put16(info, 1);
        put16(info, s.bitCount);
    } else {
        std::vector<uint8_t> bits = rows(s);
        put32(info, s.headerSize);
        put32(info, s.width);
        put32(info, s.height);
        put16(info, 1);
        put16(info, s.bitCount);
        put32(info, s.compression);
        put32(info, static_cast<uint32_t>(bits.size()));
        put32(info, 2835);
        put32(info, 2835);
        put32(info, s.clrUsed);
        put32(info, 0);
        if (s.headerSize > 40) {
            putMasks(info, s);
            put32(info, 0);          // alpha mask
            put32(info, 0x73524742); // 'sRGB'
            info.resize(s.headerSize, 0);
        } else if (s.compression == BITFIELDS) {
            putMasks(info, s);
        }
    }
    uint32_t entries = tableEntries(s);
    for (uint32_t i = 0; i < entries; ++i) {
        // A grey ramp, with the picture's colour in the entry the pixels use.
        uint8_t grey = static_cast<uint8_t>(i * 7);
        bool used = i == pixelIndex(s);
        info.push_back(used ? blue(s.colour) : grey);
        info.push_back(used ? green(s.colour) : grey);
        info.push_back(used ? red(s.colour) : grey);
        if (s.headerSize != 12)
            info.push_back(0);
    }
    std::vector<uint8_t> bits = rows(s);
    std::vector<uint8_t> file = {'B', 'M'};
    put32(file, static_cast<uint32_t>(14 + info.size() + bits.size()));
    put32(file, 0);
    put32(file, static_cast<uint32_t>(14 + info.size()));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), bits.begin(), bits.end());
    return file;
}

std::vector<uint8_t> with32(std::vector<uint8_t> bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (value >> (8 * i)) & 0xFF;
    return bytes;
}

std::vector<uint8_t> with16(std::vector<uint8_t> bytes, size_t at, uint16_t value)
{
    bytes[at] = value & 0xFF;
    bytes[at + 1] = value >> 8;
    return bytes;
}

std::vector<uint8_t> cutAt(const std::vector<uint8_t>& bytes, size_t length)
{
    return std::vector<uint8_t>(bytes.begin(), bytes.begin() + length);
}

// Field offsets in the file: the file header, then the information header.
const size_t BF_SIZE = 2;
const size_t BF_OFF_BITS = 10;
const size_t BI_SIZE = 14;
const size_t BI_WIDTH = 18;
const size_t BI_HEIGHT = 22;
const size_t BI_PLANES = 26;
const size_t BI_BIT_COUNT = 28;
const size_t BI_COMPRESSION = 30;
const size_t BI_SIZE_IMAGE = 34;
const size_t BI_CLR_USED = 46;
const size_t V5_CS_TYPE = 14 + 56;
const size_t V5_PROFILE_DATA = 14 + 112;
const size_t V5_PROFILE_SIZE = 14 + 116;

Picture picture(uint16_t bitCount, uint32_t colour, uint32_t headerSize = 40, uint32_t compression = 0)
{
    Picture s;
    s.bitCount = bitCount;
    s.colour = colour;
    s.headerSize = headerSize;
    s.compression = compression;
    return s;
}

// Run-length bits that break the rules: the header is sound, the platform
// decodes what it can.
std::vector<uint8_t> withRunLengthBits(const Picture& s, const std::vector<uint8_t>& bits)
{
    std::vector<uint8_t> file = build(s);
    size_t at = file.size() - rows(s).size();
    file.resize(at);
    file.insert(file.end(), bits.begin(), bits.end());
    file = with32(file, BF_SIZE, static_cast<uint32_t>(file.size()));
    return with32(file, BI_SIZE_IMAGE, static_cast<uint32_t>(bits.size()));
}

}  // namespace

std::vector<BitmapCase> hostileBitmaps()
{
    std::vector<BitmapCase> cases;
    auto drawn = [&](const char* name, const Picture& s) { cases.push_back({name, build(s), PREVIEW_DRAWN, s.colour}); };
    auto add = [&](const char* name, std::vector<uint8_t> bytes, PreviewOutcome outcome, uint32_t colour = 0) {
        cases.push_back({name, std::move(bytes), outcome, colour});
    };

    // Valid controls: every depth and header version the preview draws.
    drawn("valid_1bit", picture(1, BLUE));
    drawn("valid_4bit", picture(4, GREEN));
    drawn("valid_8bit", picture(8, MAGENTA));
    Picture short8 = picture(8, CYAN);
    short8.clrUsed = 20;
    drawn("valid_8bit_20_colours", short8);
    drawn("valid_16bit_555", picture(16, YELLOW));
    drawn("valid_16bit_565_bitfields", picture(16, CYAN, 40, BITFIELDS));
    drawn("valid_24bit", picture(24, RED));
    Picture topDown = picture(24, GREEN);
    topDown.height = -12;
    drawn("valid_24bit_top_down", topDown);
    drawn("valid_32bit", picture(32, BLUE));
    drawn("valid_32bit_bitfields", picture(32, MAGENTA, 40, BITFIELDS));
    drawn("valid_rle8", picture(8, YELLOW, 40, RLE8));
    drawn("valid_rle4", picture(4, RED, 40, RLE4));
    drawn("valid_v4_24bit", picture(24, CYAN, 108));
    drawn("valid_v4_8bit", picture(8, GREEN, 108));
    drawn("valid_v5_24bit", picture(24, BLUE, 124));
    drawn("valid_v5_16bit_bitfields", picture(16, MAGENTA, 124, BITFIELDS));
    Picture widePalette = picture(1, YELLOW);
    widePalette.clrUsed = 256;  // more colours than one bit can index
    drawn("palette_larger_than_depth", widePalette);
    // A header the platform knows but the preview does not draw.
    add("core_header_24bit", build(picture(24, RED, 12)), PREVIEW_REFUSED);

    const std::vector<uint8_t> rgb = build(picture(24, RED));
    const std::vector<uint8_t> pal8 = build(picture(8, GREEN));

    // Bad bit count, header size, planes, compression.
    for (uint16_t bits : {0, 2, 7, 64})
        add(("bit_count_" + std::to_string(bits)).c_str(), with16(rgb, BI_BIT_COUNT, bits), PREVIEW_REFUSED);
    for (uint32_t size : {0u, 39u, 41u, 64u, 0xFFFFFFFFu})
        add(("header_size_" + std::to_string(size)).c_str(), with32(rgb, BI_SIZE, size), PREVIEW_REFUSED);
    add("planes_0", with16(rgb, BI_PLANES, 0), PREVIEW_REFUSED);
    add("planes_2", with16(rgb, BI_PLANES, 2), PREVIEW_REFUSED);
    for (uint32_t code : {1u, 3u, 4u, 5u, 0xFFFFFFFFu})
        add(("compression_" + std::to_string(code) + "_on_24bit").c_str(), with32(rgb, BI_COMPRESSION, code),
            PREVIEW_REFUSED);

    // Palettes larger than the file, or than any table may be.
    add("palette_past_file", with32(cutAt(pal8, 54 + 16), BF_SIZE, 54 + 16), PREVIEW_REFUSED);
    Picture twoColours = picture(8, GREEN);
    twoColours.clrUsed = 2;
    add("palette_announced_past_file", with32(build(twoColours), BI_CLR_USED, 256), PREVIEW_REFUSED);
    add("palette_300_colours", with32(pal8, BI_CLR_USED, 300), PREVIEW_REFUSED);
    add("palette_count_max", with32(pal8, BI_CLR_USED, 0xFFFFFFFF), PREVIEW_REFUSED);
    Picture fewColours = picture(8, BLUE);
    fewColours.clrUsed = 2;
    std::vector<uint8_t> indexPastTable = build(fewColours);
    for (size_t i = indexPastTable.size() - rows(fewColours).size(); i < indexPastTable.size(); ++i)
        indexPastTable[i] = 200;
    add("pixel_index_past_palette", indexPastTable, PREVIEW_EITHER);

    // Bit fields the platform has to make sense of.
    std::vector<uint8_t> zeroMasks = build(picture(32, MAGENTA, 40, BITFIELDS));
    for (size_t i = 54; i < 66; ++i)
        zeroMasks[i] = 0;
    add("bitfields_zero_masks", zeroMasks, PREVIEW_EITHER);
    add("bitfields_overlapping_masks", with32(build(picture(16, CYAN, 40, BITFIELDS)), 54, 0xFFFF), PREVIEW_EITHER);

    // Run-length bits: runs past the row and the image, deltas off the
    // picture, a literal run past the data, no end marker, top-down rows.
    const Picture rle8 = picture(8, YELLOW, 40, RLE8);
    const Picture rle4 = picture(4, RED, 40, RLE4);
    add("rle8_run_past_row", withRunLengthBits(rle8, {255, 255, 0, 0, 255, 255, 0, 1}), PREVIEW_EITHER);
    std::vector<uint8_t> manyRows;
    for (int i = 0; i < 40; ++i)
        manyRows.insert(manyRows.end(), {16, 255, 0, 0});
    manyRows.insert(manyRows.end(), {0, 1});
    add("rle8_rows_past_image", withRunLengthBits(rle8, manyRows), PREVIEW_EITHER);
    add("rle8_delta_off_image", withRunLengthBits(rle8, {0, 2, 255, 255, 16, 255, 0, 2, 200, 1, 4, 255, 0, 1}),
        PREVIEW_EITHER);
    add("rle8_literal_past_data", withRunLengthBits(rle8, {4, 255, 0, 200, 1, 2, 3, 4}), PREVIEW_EITHER);
    add("rle8_no_end_marker", withRunLengthBits(rle8, {16, 255, 0, 0, 16, 255}), PREVIEW_EITHER);
    add("rle4_run_past_row", withRunLengthBits(rle4, {255, 0xFF, 0, 0, 0, 255, 0x12, 0x34, 0, 1}), PREVIEW_EITHER);
    add("rle4_literal_past_data", withRunLengthBits(rle4, {0, 255, 0x12}), PREVIEW_EITHER);
    add("rle8_top_down", with32(build(rle8), BI_HEIGHT, static_cast<uint32_t>(-12)), PREVIEW_REFUSED);
    add("rle8_no_size", with32(build(rle8), BI_SIZE_IMAGE, 0), PREVIEW_REFUSED);
    add("rle8_size_past_file", with32(build(rle8), BI_SIZE_IMAGE, 100000), PREVIEW_REFUSED);

    // Width and height zero, negative or huge.
    add("width_0", with32(rgb, BI_WIDTH, 0), PREVIEW_REFUSED);
    add("width_negative", with32(rgb, BI_WIDTH, static_cast<uint32_t>(-16)), PREVIEW_REFUSED);
    add("width_huge", with32(rgb, BI_WIDTH, 0x7FFFFFFF), PREVIEW_REFUSED);
    add("width_40000", with32(rgb, BI_WIDTH, 40000), PREVIEW_REFUSED);
    add("height_0", with32(rgb, BI_HEIGHT, 0), PREVIEW_REFUSED);
    add("height_huge", with32(rgb, BI_HEIGHT, 0x7FFFFFFF), PREVIEW_REFUSED);
    add("height_most_negative", with32(rgb, BI_HEIGHT, 0x80000000), PREVIEW_REFUSED);
    add("pixels_beyond_bound", with32(with32(rgb, BI_WIDTH, 8192), BI_HEIGHT, 8193), PREVIEW_REFUSED);

    // Pixel data past the end of the file, and files cut at every boundary
    // of the headers, the colour table and the rows (bfSize still tells the
    // whole length).
    std::vector<uint8_t> shortRows = cutAt(rgb, rgb.size() - 100);
    add("rows_past_end", with32(shortRows, BF_SIZE, static_cast<uint32_t>(shortRows.size())), PREVIEW_REFUSED);
    for (size_t at : {0, 1, 2, 6, 10, 13, 14, 18, 30, 53, 54, 54 + 512, 54 + 1024, 54 + 1024 + 96})
        add(("truncated_at_" + std::to_string(at)).c_str(), cutAt(pal8, at), PREVIEW_REFUSED);
    add("truncated_in_v5_header", cutAt(build(picture(24, BLUE, 124)), 14 + 108), PREVIEW_REFUSED);
    add("truncated_in_bitfield_masks", cutAt(build(picture(32, BLUE, 40, BITFIELDS)), 14 + 40 + 6), PREVIEW_REFUSED);
    std::vector<uint8_t> headersOnly = cutAt(pal8, 54);
    add("headers_only_size_matching", with32(headersOnly, BF_SIZE, 54), PREVIEW_REFUSED);

    // bfSize lying in both directions; bfOffBits lying in both directions
    // (the preview takes the bits right after the colour table whatever it
    // says).
    add("file_size_larger", with32(rgb, BF_SIZE, static_cast<uint32_t>(rgb.size() + 1000)), PREVIEW_REFUSED);
    add("file_size_smaller", with32(rgb, BF_SIZE, 54 + 100), PREVIEW_REFUSED);
    add("file_size_0", with32(rgb, BF_SIZE, 0), PREVIEW_REFUSED);
    add("file_size_max", with32(rgb, BF_SIZE, 0xFFFFFFFF), PREVIEW_REFUSED);
    std::vector<uint8_t> trailing = rgb;
    trailing.insert(trailing.end(), 500, 0xA5);
    add("file_size_short_of_trailing_junk", trailing, PREVIEW_DRAWN, RED);
    add("bits_offset_0", with32(rgb, BF_OFF_BITS, 0), PREVIEW_DRAWN, RED);
    add("bits_offset_past_file", with32(rgb, BF_OFF_BITS, 0xFFFFFFF0), PREVIEW_DRAWN, RED);
    add("bits_offset_in_palette", with32(pal8, BF_OFF_BITS, 60), PREVIEW_DRAWN, GREEN);

    // A colour profile of a version 5 header outside the file.
    std::vector<uint8_t> profile = with32(build(picture(24, BLUE, 124)), V5_CS_TYPE, 0x4D424544);  // 'MBED'
    add("v5_profile_past_file", with32(with32(profile, V5_PROFILE_DATA, 4000), V5_PROFILE_SIZE, 100),
        PREVIEW_REFUSED);
    return cases;
}
