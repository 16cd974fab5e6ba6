// The bitmap check on arbitrary files: the first 14 bytes are the file
// header, the rest the block read behind it. Whatever the check accepts, the
// colour table and pixel bits it claims are read byte by byte from a block
// allocated at exactly its size, so a claim past the block is caught. The
// whole input is also checked as a block on its own, which reaches the
// information header without a matching bfSize. Checking the information
// header alone must give the verdict of the whole block, and the file
// header's offset to the bits, where it is used, must keep them inside it.
#include "bmpcheck.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        abort();
}

volatile uint32_t sink;

void touchLayout(const uint8_t* block, uint32_t blockSize, const uint8_t* fileHeader = nullptr)
{
    BitmapLayout layout;
    BitmapVerdict verdict = checkBitmapBlock(block, blockSize, &layout);
    // The header alone, as the preview checks it before reading the rest,
    // gives the same verdict.
    std::vector<uint8_t> header(block, block + (blockSize < INFO_HEADER_V5_SIZE ? blockSize : INFO_HEADER_V5_SIZE));
    check(checkInfoHeader(header.data(), static_cast<uint32_t>(header.size()), blockSize, nullptr) == verdict);
    if (verdict != BITMAP_OK)
        return;
    check(layout.width > 0 && layout.width <= BITMAP_MAX_SIDE);
    check(layout.height != 0 && layout.height >= -BITMAP_MAX_SIDE && layout.height <= BITMAP_MAX_SIDE);
    check(layout.colourCount <= 256);
    check(layout.colourOffset >= INFO_HEADER_SIZE);
    check(layout.bitsOffset == layout.colourOffset + 4u * layout.colourCount);
    check(layout.bitsSize > 0);
    check(uint64_t(layout.bitsOffset) + layout.bitsSize <= blockSize);
    // The file header's offset to the bits, where it is taken, lies behind
    // the colour table and keeps the bits inside the block.
    if (fileHeader) {
        useFileBitsOffset(fileHeader, blockSize, &layout);
        check(layout.bitsOffset >= layout.colourOffset + 4u * layout.colourCount);
        check(uint64_t(layout.bitsOffset) + layout.bitsSize <= blockSize);
    }

    uint32_t sum = 0;
    for (uint32_t i = 0; i < layout.colourOffset; ++i)
        sum += block[i];
    for (uint32_t i = 0; i < 4u * layout.colourCount; ++i)
        sum += block[layout.colourOffset + i];
    for (uint32_t i = 0; i < layout.bitsSize; ++i)
        sum += block[layout.bitsOffset + i];
    sink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> whole(data, data + size);
    touchLayout(whole.data(), static_cast<uint32_t>(whole.size()));

    uint8_t header[FILE_HEADER_SIZE] = {};
    for (size_t i = 0; i < FILE_HEADER_SIZE && i < size; ++i)
        header[i] = data[i];
    uint32_t blockSize = 0;
    if (checkFileHeader(header, size, &blockSize) != BITMAP_OK)
        return 0;
    check(blockSize >= INFO_HEADER_SIZE && uint64_t(blockSize) + FILE_HEADER_SIZE <= size);
    std::vector<uint8_t> block(data + FILE_HEADER_SIZE, data + FILE_HEADER_SIZE + blockSize);
    touchLayout(block.data(), blockSize, header);
    return 0;
}
