#include "bmpwriter.h"

#include "lebytes.h"

#include <stdio.h>

static const uint32_t FILE_HEADER = 14;
static const uint32_t INFO_HEADER = 40;

bool writeBenchBitmap(const char* path, int width, int height, int bits, int seed)
{
    uint32_t colours = bits == 8 ? 256 : 0;
    uint32_t stride = (static_cast<uint32_t>(width) * bits / 8 + 3) & ~3u;
    uint32_t offBits = FILE_HEADER + INFO_HEADER + 4 * colours;
    uint32_t imageSize = stride * static_cast<uint32_t>(height);

    std::vector<uint8_t> head;
    put16(head, 0x4D42);
    put32(head, offBits + imageSize);
    put32(head, 0);
    put32(head, offBits);
    put32(head, INFO_HEADER);
    put32(head, static_cast<uint32_t>(width));
    put32(head, static_cast<uint32_t>(height));
    put16(head, 1);
    put16(head, static_cast<unsigned>(bits));
    put32(head, 0);  // uncompressed
    put32(head, imageSize);
    put32(head, 2835);  // 72 dots per inch
    put32(head, 2835);
    put32(head, colours);
    put32(head, 0);
    for (uint32_t i = 0; i < colours; ++i) {
        head.push_back(static_cast<uint8_t>(i));
        head.push_back(static_cast<uint8_t>(255 - i));
        head.push_back(static_cast<uint8_t>(i * 7 + seed));
        head.push_back(0);
    }

    FILE* file = fopen(path, "wb");
    if (!file)
        return false;
    bool ok = fwrite(head.data(), 1, head.size(), file) == head.size();
    std::vector<uint8_t> row(stride, 0);
    for (int y = 0; ok && y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (bits == 8) {
                row[x] = static_cast<uint8_t>((x / 16 + y / 16 + seed) & 0xFF);
            } else {
                row[3 * x] = static_cast<uint8_t>(x * 255 / width);
                row[3 * x + 1] = static_cast<uint8_t>(y * 255 / height);
                row[3 * x + 2] = static_cast<uint8_t>((x + y) / 4 + seed * 37);
            }
        }
        ok = fwrite(row.data(), 1, stride, file) == stride;
    }
    return fclose(file) == 0 && ok;
}
