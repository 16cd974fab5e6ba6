#include "composer.h"

#include "bmpcheck.h"
#include "composite.h"
#include "picture.h"
#include "picturecache.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// Room for the record of what made a composite: a line for the desktop and
// one for each monitor with its picture's stamp.
const uint32_t RECORD_ROOM = 512 + MONITOR_LIMIT * (160 + MAX_PATH + CACHE_TRAILER_STAMP);
// A picture's rows are read from its decoder in bands of about this size.
const uint32_t DECODE_BAND_BYTES = 256 * 1024;

// One monitor's picture, decoded at the size its operation draws it: the
// part the monitor shows, or for a tile the whole picture.
struct Decoded {
    uint8_t* pixels;
    PixelSource source;
};

static LayoutPlacement placementOf(int mode, FitOption fit)
{
    switch (mode) {
    case 0:
        return LAYOUT_TILE;
    case 1:
        switch (fit) {
        case FIT_FILL:
            return LAYOUT_FILL;
        case FIT_FIT:
            return LAYOUT_FIT;
        case FIT_STRETCH:
            return LAYOUT_STRETCH;
        default:
            return LAYOUT_CENTER;
        }
    default:
        // An unknown placement keeps its origin, as the applier writes it.
        return LAYOUT_DEFINED;
    }
}

// The part of the scaled picture an operation needs: for a tile all of it,
// otherwise what its target covers.
static LayoutRect neededPart(const LayoutOp& op)
{
    if (op.tiled) {
        LayoutRect whole = {0, 0, static_cast<int32_t>(op.scaled.width), static_cast<int32_t>(op.scaled.height)};
        return whole;
    }
    LayoutRect part = {op.target.left - op.originX, op.target.top - op.originY, op.target.right - op.originX,
                       op.target.bottom - op.originY};
    return part;
}

static bool allocate(Decoded* decoded, const LayoutRect& part)
{
    uint32_t width = static_cast<uint32_t>(part.right - part.left);
    uint32_t height = static_cast<uint32_t>(part.bottom - part.top);
    PictureSize size = {width, height};
    if (!pictureSizeAllowed(size))
        return false;
    decoded->pixels = static_cast<uint8_t*>(malloc(size_t(width) * height * 4));
    PixelSource source = {decoded->pixels, width, height, width * 4, part.left, part.top};
    decoded->source = source;
    return decoded->pixels != NULL;
}

// A picture through the imaging component, scaled by its own filter, read
// in bands of whole rows of which the part's columns are kept.
static bool decodePicture(PictureReader* reader, const LayoutOp& op, Decoded* decoded)
{
    LayoutRect part = neededPart(op);
    if (!scalePicture(reader, op.scaled) || !allocate(decoded, part))
        return false;
    uint32_t rowBytes = op.scaled.width * 4;
    uint32_t bandRows = DECODE_BAND_BYTES / rowBytes + 1;
    uint8_t* band = static_cast<uint8_t*>(malloc(size_t(bandRows) * rowBytes));
    bool read = band != NULL;
    const PixelSource& source = decoded->source;
    for (uint32_t done = 0; read && done < source.height;) {
        uint32_t count = source.height - done < bandRows ? source.height - done : bandRows;
        read = readPictureRows(reader, static_cast<uint32_t>(part.top) + done, count, band);
        for (uint32_t i = 0; read && i < count; ++i)
            memcpy(decoded->pixels + size_t(done + i) * source.stride, band + size_t(i) * rowBytes + 4 * size_t(part.left),
                   source.stride);
        done += count;
    }
    free(band);
    return read;
}

// A bitmap file, read and checked as the preview checks it.
static uint8_t* readBitmapBlock(const char* path, BitmapLayout* layout)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return NULL;
    uint8_t header[FILE_HEADER_SIZE];
    DWORD read = 0;
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    uint32_t blockSize = 0;
    uint8_t* block = NULL;
    if (ReadFile(file, header, sizeof header, &read, NULL) && read == sizeof header &&
        checkFileHeader(header, (uint64_t(high) << 32) | low, &blockSize) == BITMAP_OK)
        block = static_cast<uint8_t*>(malloc(blockSize));
    if (block && (!ReadFile(file, block, blockSize, &read, NULL) || read != blockSize ||
                  checkBitmapBlock(block, blockSize, layout) != BITMAP_OK)) {
        free(block);
        block = NULL;
    }
    if (block)
        useFileBitsOffset(header, blockSize, layout);
    CloseHandle(file);
    return block;
}

// A bitmap drawn by the platform into a 32-bit section of the part's size,
// halftoned where it is scaled, then kept as plain pixels.
static bool decodeBitmap(const uint8_t* block, const BitmapLayout& layout, const LayoutOp& op, Decoded* decoded)
{
    LayoutRect part = neededPart(op);
    if (!allocate(decoded, part))
        return false;
    const PixelSource& source = decoded->source;
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(source.width);
    info.bmiHeader.biHeight = -static_cast<LONG>(source.height);  // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = NULL;
    HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    bool drawn = false;
    if (section && bits) {
        HGDIOBJ replaced = SelectObject(memory, section);
        SetStretchBltMode(memory, HALFTONE);
        SetBrushOrgEx(memory, 0, 0, NULL);
        int rows = layout.height < 0 ? -layout.height : layout.height;
        drawn = StretchDIBits(memory, -part.left, -part.top, static_cast<int>(op.scaled.width),
                              static_cast<int>(op.scaled.height), 0, 0, layout.width, rows, block + layout.bitsOffset,
                              reinterpret_cast<const BITMAPINFO*>(block), DIB_RGB_COLORS, SRCCOPY) != 0;
        GdiFlush();
        if (drawn)
            memcpy(decoded->pixels, bits, size_t(source.stride) * source.height);
        SelectObject(memory, replaced);
        DeleteObject(section);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return drawn;
}

struct MonitorWork {
    LayoutOp op;
    Decoded decoded;
};

// Lays out and decodes one monitor's picture; false when it cannot be
// shown (the monitor then keeps the desktop colour).
static bool prepareMonitor(const LayoutRect& screen, const LayoutRect& primary, const LayoutRect& area,
                           const LayoutRect& monitor, const ScreenEntry& entry, FitOption fit, MonitorWork* work)
{
    bool picture = isPictureFile(entry.path);
    LayoutInput input = {area, monitor, {0, 0}, placementOf(entry.mode, fit), picture, entry.x, entry.y};
    if (picture) {
        PictureReader reader;
        if (!openPicture(entry.path, &reader))
            return false;
        input.picture = reader.size;
        work->op = layOut(screen, primary, input);
        bool shown = work->op.target.right <= work->op.target.left || decodePicture(&reader, work->op, &work->decoded);
        closePicture(&reader);
        return shown;
    }
    BitmapLayout layout;
    uint8_t* block = readBitmapBlock(entry.path, &layout);
    if (!block)
        return false;
    input.picture.width = static_cast<uint32_t>(layout.width);
    input.picture.height = static_cast<uint32_t>(layout.height < 0 ? -layout.height : layout.height);
    work->op = layOut(screen, primary, input);
    bool shown = work->op.target.right <= work->op.target.left || decodeBitmap(block, layout, work->op, &work->decoded);
    free(block);
    return shown;
}

// Everything that makes the composite, as bytes: the desktop, the options,
// and each monitor's place, entry and picture stamp. A composite is used
// again only while this is the same; one that misses a picture never is.
static uint32_t writeRecord(uint8_t* record, const MonitorSet& monitors, const ScreenEntry* entries, int count,
                            MonitorsOption option, FitOption fit, CompositeLaying laying, COLORREF desktop)
{
    LayoutRect screen = virtualScreenOf(monitors);
    uint32_t at = static_cast<uint32_t>(sprintf(reinterpret_cast<char*>(record),
                                                "composite 1 screen %ld %ld %ld %ld options %d %d %d colour %06lx\n",
                                                static_cast<long>(screen.left), static_cast<long>(screen.top),
                                                static_cast<long>(screen.right), static_cast<long>(screen.bottom),
                                                option, fit, laying, static_cast<unsigned long>(desktop)));
    for (int i = 0; i < monitors.count; ++i) {
        const LayoutRect& r = monitors.rects[i];
        const ScreenEntry& entry = entries[option == MONITORS_SPAN ? 0 : i % count];
        at += static_cast<uint32_t>(sprintf(reinterpret_cast<char*>(record + at),
                                            "monitor %ld %ld %ld %ld entry %d %d %d\n", static_cast<long>(r.left),
                                            static_cast<long>(r.top), static_cast<long>(r.right),
                                            static_cast<long>(r.bottom), entry.mode, entry.x, entry.y));
        uint32_t stamp = pictureStamp(entry.path, record + at, RECORD_ROOM - at);
        if (stamp == 0) {
            // A picture that cannot be looked at: its path stands for it.
            size_t length = strlen(entry.path) + 1;
            memcpy(record + at, entry.path, length);
            stamp = static_cast<uint32_t>(length);
        }
        at += stamp;
    }
    return at;
}

struct RowWork {
    int count;
    LayoutOp* ops;
    PixelSource* sources;
    LayoutRect screen;
    CompositeLaying laying;
    uint32_t colour;
    uint8_t* row;
};

static bool composedRows(void* context, uint32_t first, uint32_t count, uint8_t* rows)
{
    const RowWork* work = static_cast<const RowWork*>(context);
    uint32_t width = static_cast<uint32_t>(work->screen.right - work->screen.left);
    uint32_t height = static_cast<uint32_t>(work->screen.bottom - work->screen.top);
    uint32_t stride = bitmapStride24(width);
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t* out = rows + size_t(i) * stride;
        memset(out + 3 * size_t(width), 0, stride - 3 * width);
        if (work->laying == COMPOSITE_TILED) {
            int32_t y = virtualRowOf(first + i, work->screen.top, height);
            composeRow(work->ops, work->sources, work->count, y, work->screen.left, width, work->colour, work->row);
            rotateRow(work->row, width, wrapShift(work->screen.left, width), out);
        } else {
            int32_t y = work->screen.top + static_cast<int32_t>(first + i);
            composeRow(work->ops, work->sources, work->count, y, work->screen.left, width, work->colour, out);
        }
    }
    return true;
}

bool composeWallpaper(const MonitorSet& monitors, const ScreenEntry* entries, int count, MonitorsOption option,
                      FitOption fit, CompositeLaying laying, char* cachePath, int* unshown)
{
    *unshown = 0;
    LayoutRect screen = virtualScreenOf(monitors);
    if (count <= 0 || monitors.count <= 0 || !desktopAllowed(screen) || !cacheFilePath(entries[0].path, cachePath))
        return false;
    COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    uint8_t* record = static_cast<uint8_t*>(malloc(RECORD_ROOM + 16));
    if (!record)
        return false;
    uint32_t recordSize = writeRecord(record, monitors, entries, count, option, fit, laying, desktop);
    PictureSize size = {static_cast<uint32_t>(screen.right - screen.left),
                        static_cast<uint32_t>(screen.bottom - screen.top)};
    if (cacheIsCurrent(cachePath, record, recordSize, size)) {
        free(record);
        return true;
    }

    MonitorWork works[MONITOR_LIMIT];
    LayoutOp ops[MONITOR_LIMIT];
    PixelSource sources[MONITOR_LIMIT];
    memset(works, 0, sizeof works);
    for (int i = 0; i < monitors.count; ++i) {
        const ScreenEntry& entry = entries[option == MONITORS_SPAN ? 0 : i % count];
        const LayoutRect& area = option == MONITORS_SPAN ? screen : monitors.rects[i];
        if (!prepareMonitor(screen, monitors.rects[0], area, monitors.rects[i], entry, fit, &works[i])) {
            ++*unshown;
            free(works[i].decoded.pixels);
            memset(&works[i], 0, sizeof works[i]);
        }
        ops[i] = works[i].op;
        sources[i] = works[i].decoded.source;
    }
    // Nothing to show at all changes nothing; a composite that misses a
    // picture is made again next time.
    bool written = *unshown < monitors.count;
    if (*unshown > 0) {
        memcpy(record + recordSize, "incomplete", 11);
        recordSize += 11;
    }

    uint8_t* row = static_cast<uint8_t*>(malloc(3 * size_t(size.width)));
    uint32_t colour = (uint32_t(GetRValue(desktop)) << 16) | (uint32_t(GetGValue(desktop)) << 8) | GetBValue(desktop);
    RowWork work = {monitors.count, ops, sources, screen, laying, colour, row};
    written = written && row && writeCacheFile(cachePath, size, composedRows, &work, record, recordSize);
    free(row);
    for (int i = 0; i < monitors.count; ++i)
        free(works[i].decoded.pixels);
    free(record);
    return written;
}
