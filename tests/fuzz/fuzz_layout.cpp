// The layout and the composite rows on arbitrary desktops: up to four
// monitors anywhere (also left of and above the primary), pictures of any
// size and placement. No operation may draw outside its monitor or the
// virtual screen, and drawing rows from sources of exactly the size the
// operation needs never reads or writes past them.
#include "composite.h"
#include "layout.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    uint32_t take(uint32_t bytes)
    {
        uint32_t value = 0;
        for (uint32_t i = 0; i < bytes; ++i)
            value = value << 8 | (at < size ? data[at++] : 0);
        return value;
    }
    int32_t coordinate() { return static_cast<int32_t>(take(4)); }
};

void check(bool condition)
{
    if (!condition)
        abort();
}

bool inside(const LayoutRect& inner, const LayoutRect& outer)
{
    return inner.right <= inner.left || inner.bottom <= inner.top ||
           (inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
            inner.bottom <= outer.bottom);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in = {data, size};
    int count = 1 + static_cast<int>(in.take(1) % 4);
    LayoutRect monitors[4];
    for (int i = 0; i < count; ++i) {
        // Mostly small desktops, so that rows can be drawn; any corner at all
        // now and then.
        bool wild = in.take(1) == 0xFF;
        int32_t left = wild ? in.coordinate() : static_cast<int32_t>(in.take(2) % 1200) - 600;
        int32_t top = wild ? in.coordinate() : static_cast<int32_t>(in.take(2) % 1200) - 600;
        int32_t width = wild ? in.coordinate() : static_cast<int32_t>(in.take(2) % 400);
        int32_t height = wild ? in.coordinate() : static_cast<int32_t>(in.take(2) % 400);
        int64_t right = int64_t(left) + width;
        int64_t bottom = int64_t(top) + height;
        monitors[i] = {left, top, static_cast<int32_t>(right > INT32_MAX ? INT32_MAX : right < INT32_MIN ? INT32_MIN : right),
                       static_cast<int32_t>(bottom > INT32_MAX ? INT32_MAX : bottom < INT32_MIN ? INT32_MIN : bottom)};
    }
    LayoutRect screen = boundingRect(monitors, count);
    bool spanning = in.take(1) & 1;
    std::vector<LayoutOp> ops;
    std::vector<std::vector<uint8_t>> buffers;
    std::vector<PixelSource> sources;
    for (int i = 0; i < count; ++i) {
        LayoutInput layout = {spanning ? screen : monitors[i], monitors[i], {in.take(4), in.take(4)},
                              static_cast<LayoutPlacement>(in.take(1) % 6), (in.take(1) & 1) != 0,
                              in.coordinate(), in.coordinate()};
        LayoutOp op = layOut(screen, monitors[0], layout);
        bool empty = op.target.right <= op.target.left || op.target.bottom <= op.target.top;
        check(inside(op.target, monitors[i]));
        check(inside(op.target, screen));
        check(empty || desktopAllowed(screen));
        check(empty || (op.scaled.width >= 1 && op.scaled.height >= 1 && op.scaled.width <= LAYOUT_MAX_SIDE &&
                        op.scaled.height <= LAYOUT_MAX_SIDE));
        // A source of exactly the pixels the operation needs.
        PixelSource source = {nullptr, 0, 0, 0, 0, 0};
        if (!empty) {
            if (op.tiled) {
                source.width = op.scaled.width;
                source.height = op.scaled.height;
            } else {
                source.left = op.target.left - op.originX;
                source.top = op.target.top - op.originY;
                source.width = static_cast<uint32_t>(op.target.right - op.target.left);
                source.height = static_cast<uint32_t>(op.target.bottom - op.target.top);
            }
        }
        if (uint64_t(source.width) * source.height > (1u << 20))
            source.width = source.height = 0;
        buffers.emplace_back(size_t(source.width) * source.height * 4, 0x7F);
        source.stride = source.width * 4;
        source.pixels = buffers.back().empty() ? nullptr : buffers.back().data();
        ops.push_back(op);
        sources.push_back(source);
    }
    if (!desktopAllowed(screen) || uint64_t(screen.right - screen.left) > 4096)
        return 0;
    uint32_t width = static_cast<uint32_t>(screen.right - screen.left);
    uint32_t height = static_cast<uint32_t>(screen.bottom - screen.top);
    std::vector<uint8_t> row(size_t(width) * 3);
    std::vector<uint8_t> stored(size_t(width) * 3);
    for (int32_t y = screen.top; y < screen.bottom; y += 1 + (screen.bottom - screen.top) / 8) {
        composeRow(ops.data(), sources.data(), count, y, screen.left, width, 0x123456, row.data());
        // Wrapped around for a bitmap tiled from the primary's top-left: the
        // row goes where it is stored and comes back from there, and each
        // column of it lands in the row once.
        uint32_t at = wrappedRow(y, height);
        check(at < height && virtualRowOf(at, screen.top, height) == y);
        uint32_t shift = wrapShift(screen.left, width);
        check(shift < width);
        rotateRow(row.data(), width, shift, stored.data());
        check(std::memcmp(stored.data() + 3 * size_t(shift), row.data(), 3 * size_t(width - shift)) == 0);
    }
    return 0;
}
