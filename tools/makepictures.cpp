// Writes the test pictures into a folder: PNG files of its own (stored
// deflate blocks, with their CRC and Adler checksums), broken ones, and
// 24-bit BMP files that scripts/make-pictures.sh turns into JPEG, GIF and
// TIFF. Each picture is upright bands of flat colour, so that a test can
// tell which part of it lands where. Usage: makepictures DIR
#include "lebytes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Band {
    int percent;  // of the width, from the left
    uint8_t r, g, b;
};

struct Picture {
    const char* name;
    uint32_t width, height;
    std::vector<Band> bands;
};

// Each picture's colours as the tests expect them (tests/e2e/support/pictures.h).
const std::vector<Picture> PICTURES = {
    {"halves.png", 320, 240, {{50, 200, 40, 40}, {50, 40, 40, 200}}},
    {"halves.bmp", 320, 240, {{50, 40, 160, 40}, {50, 220, 200, 40}}},  // becomes halves.jpg
    {"other.bmp", 200, 100, {{100, 120, 60, 160}}},                    // becomes other.gif, other.tif
    // Twice as wide as a 1024 x 768 screen: "Center" must show both edges.
    {"wide.png", 2048, 512, {{25, 200, 40, 40}, {50, 230, 230, 230}, {25, 40, 40, 200}}},
};

uint8_t channelAt(const Picture& picture, uint32_t x, int channel)
{
    uint32_t edge = 0;
    for (const Band& band : picture.bands) {
        edge += picture.width * band.percent / 100;
        if (x < edge || &band == &picture.bands.back())
            return channel == 0 ? band.r : channel == 1 ? band.g : band.b;
    }
    return 0;
}

uint32_t crc32(const uint8_t* bytes, size_t count, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void putBig32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    putBig32(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBig32(out, crc32(&out[start], out.size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t count = raw.size() - at < 65535 ? raw.size() - at : 65535;
        out.push_back(at + count == raw.size() ? 1 : 0);  // last block?
        put16(out, static_cast<unsigned>(count));
        put16(out, static_cast<unsigned>(~count & 0xFFFF));
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + count);
        at += count;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBig32(out, b << 16 | a);
    return out;
}

std::vector<uint8_t> pngHeader(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> ihdr;
    putBig32(ihdr, width);
    putBig32(ihdr, height);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(out, "IHDR", ihdr);
    return out;
}

std::vector<uint8_t> png(const Picture& picture)
{
    std::vector<uint8_t> raw;
    for (uint32_t y = 0; y < picture.height; ++y) {
        raw.push_back(0);  // filter: none
        for (uint32_t x = 0; x < picture.width; ++x)
            for (int c = 0; c < 3; ++c)
                raw.push_back(channelAt(picture, x, c));
    }
    std::vector<uint8_t> out = pngHeader(picture.width, picture.height);
    putChunk(out, "IDAT", storedZlib(raw));
    putChunk(out, "IEND", {});
    return out;
}

std::vector<uint8_t> bmp(const Picture& picture)
{
    uint32_t stride = (picture.width * 3 + 3) & ~3u;
    std::vector<uint8_t> out = {'B', 'M'};
    put32(out, 54 + stride * picture.height);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, picture.width);
    put32(out, picture.height);
    put16(out, 1);
    put16(out, 24);
    for (int i = 0; i < 6; ++i)
        put32(out, 0);
    for (uint32_t y = 0; y < picture.height; ++y) {
        for (uint32_t x = 0; x < picture.width; ++x)
            for (int c = 2; c >= 0; --c)
                out.push_back(channelAt(picture, x, c));
        out.resize(out.size() + stride - picture.width * 3, 0);
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    bool written = file && fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file)
        written = fclose(file) == 0 && written;
    if (!written)
        fprintf(stderr, "makepictures: cannot write %s\n", path.c_str());
    return written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: makepictures DIR\n");
        return 2;
    }
    std::string dir = std::string(argv[1]) + "/";
    bool ok = true;
    for (const Picture& picture : PICTURES) {
        std::string name = picture.name;
        bool isPng = name.compare(name.size() - 4, 4, ".png") == 0;
        ok = writeFile(dir + name, isPng ? png(picture) : bmp(picture)) && ok;
    }

    // A PNG whose image data was damaged after its checksum was taken.
    std::vector<uint8_t> broken = png(PICTURES[0]);
    broken[broken.size() - 12 - 40] ^= 0xFF;
    ok = writeFile(dir + "brokenchunk.png", broken) && ok;

    // A header that claims 100,000 x 100,000 pixels, with one row of data.
    std::vector<uint8_t> huge = pngHeader(100000, 100000);
    putChunk(huge, "IDAT", storedZlib(std::vector<uint8_t>(1 + 3 * 100000, 0)));
    putChunk(huge, "IEND", {});
    ok = writeFile(dir + "huge.png", huge) && ok;
    return ok ? 0 : 1;
}
