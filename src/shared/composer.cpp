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
// part the monitor shows, or for a tile the whole picture. A bitmap's pixels
// live in a section of the platform's, a picture's in a block of our own.
struct Decoded {
    HBITMAP section;
    uint8_t* pixels;
    PixelSource source;
};

static void freeDecoded(Decoded* decoded)
{
    if (decoded->section)
        DeleteObject(decoded->section);
    else
        free(decoded->pixels);
    memset(decoded, 0, sizeof *decoded);
}

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
    if (!scalePictureForPart(reader, op.scaled) || !allocate(decoded, part))
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

// A bitmap file, mapped rather than read, so that its bytes take no memory
// of the program's own; its headers are checked as the preview checks them.
struct MappedBitmap {
    HANDLE file;
    HANDLE mapping;
    const uint8_t* view;
    BitmapLayout layout;
    // The information header and colour table, copied once checked: what the
    // platform is told of the bits cannot change under it, even should the
    // file change while it is mapped.
    uint8_t* info;
};

static void unmapBitmap(MappedBitmap* bitmap)
{
    free(bitmap->info);
    if (bitmap->view)
        UnmapViewOfFile(bitmap->view);
    if (bitmap->mapping)
        CloseHandle(bitmap->mapping);
    if (bitmap->file != INVALID_HANDLE_VALUE)
        CloseHandle(bitmap->file);
    memset(bitmap, 0, sizeof *bitmap);
    bitmap->file = INVALID_HANDLE_VALUE;
}

static bool mapBitmap(const char* path, MappedBitmap* bitmap)
{
    memset(bitmap, 0, sizeof *bitmap);
    bitmap->file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (bitmap->file == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0;
    DWORD low = GetFileSize(bitmap->file, &high);
    uint32_t blockSize = 0;
    bool usable = low != INVALID_FILE_SIZE && low >= FILE_HEADER_SIZE &&
                  (bitmap->mapping = CreateFileMappingA(bitmap->file, NULL, PAGE_READONLY, 0, 0, NULL)) != NULL &&
                  (bitmap->view = static_cast<const uint8_t*>(MapViewOfFile(bitmap->mapping, FILE_MAP_READ, 0, 0, 0))) !=
                      NULL &&
                  checkFileHeader(bitmap->view, (uint64_t(high) << 32) | low, &blockSize) == BITMAP_OK &&
                  checkBitmapBlock(bitmap->view + FILE_HEADER_SIZE, blockSize, &bitmap->layout) == BITMAP_OK;
    if (usable) {
        useFileBitsOffset(bitmap->view, blockSize, &bitmap->layout);
        uint32_t infoSize = bitmap->layout.colourOffset + 4 * uint32_t(bitmap->layout.colourCount);
        bitmap->info = static_cast<uint8_t*>(malloc(infoSize));
        usable = bitmap->info != NULL;
        if (usable)
            memcpy(bitmap->info, bitmap->view + FILE_HEADER_SIZE, infoSize);
    }
    if (!usable)
        unmapBitmap(bitmap);
    return usable;
}

// The part of a plain 24- or 32-bit bitmap drawn at its own size: only the
// pixels the part needs, read row by row from the file, without a section of
// the platform's or the whole picture in memory on the way.
static bool copyBitmapPart(const MappedBitmap& bitmap, const LayoutRect& part, Decoded* decoded)
{
    if (!allocate(decoded, part))
        return false;
    const BitmapLayout& layout = bitmap.layout;
    uint32_t bytesPerPixel = layout.bitCount / 8;
    uint32_t stride = (uint32_t(layout.width) * layout.bitCount + 31) / 32 * 4;
    uint32_t rows = static_cast<uint32_t>(layout.height < 0 ? -layout.height : layout.height);
    const PixelSource& source = decoded->source;
    DWORD rowBytes = source.width * bytesPerPixel;
    uint8_t* line = static_cast<uint8_t*>(malloc(rowBytes));
    bool read = line != NULL;
    for (uint32_t y = 0; read && y < source.height; ++y) {
        uint32_t pictureRow = static_cast<uint32_t>(part.top) + y;
        // Bottom-up unless the height is negative. Within the checked block,
        // so below 4 GiB.
        uint32_t at = FILE_HEADER_SIZE + layout.bitsOffset +
                      (layout.height < 0 ? pictureRow : rows - 1 - pictureRow) * stride +
                      uint32_t(part.left) * bytesPerPixel;
        DWORD got = 0;
        read = SetFilePointer(bitmap.file, static_cast<LONG>(at), NULL, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
               ReadFile(bitmap.file, line, rowBytes, &got, NULL) && got == rowBytes;
        const uint8_t* in = line;
        uint8_t* out = decoded->pixels + size_t(y) * source.stride;
        for (uint32_t x = 0; read && x < source.width; ++x, in += bytesPerPixel, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 0;
        }
    }
    free(line);
    return read;
}

// A bitmap drawn by the platform into a 32-bit section of the part's size,
// halftoned where it is scaled; the section holds the decoded pixels. A
// plain 24- or 32-bit one at its own size is copied instead.
static bool decodeBitmap(const MappedBitmap& bitmap, const LayoutOp& op, Decoded* decoded)
{
    const BitmapLayout& plain = bitmap.layout;
    if (plain.compression == BITMAP_RGB && (plain.bitCount == 24 || plain.bitCount == 32) &&
        op.scaled.width == uint32_t(plain.width) &&
        op.scaled.height == uint32_t(plain.height < 0 ? -plain.height : plain.height))
        return copyBitmapPart(bitmap, neededPart(op), decoded);

    LayoutRect part = neededPart(op);
    uint32_t width = static_cast<uint32_t>(part.right - part.left);
    uint32_t height = static_cast<uint32_t>(part.bottom - part.top);
    PictureSize size = {width, height};
    if (!pictureSizeAllowed(size))
        return false;
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = NULL;
    decoded->section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    bool drawn = false;
    if (decoded->section && bits) {
        HGDIOBJ replaced = SelectObject(memory, decoded->section);
        SetStretchBltMode(memory, HALFTONE);
        SetBrushOrgEx(memory, 0, 0, NULL);
        const BitmapLayout& layout = bitmap.layout;
        int rows = layout.height < 0 ? -layout.height : layout.height;
        drawn = StretchDIBits(memory, -part.left, -part.top, static_cast<int>(op.scaled.width),
                              static_cast<int>(op.scaled.height), 0, 0, layout.width, rows,
                              bitmap.view + FILE_HEADER_SIZE + layout.bitsOffset,
                              reinterpret_cast<const BITMAPINFO*>(bitmap.info), DIB_RGB_COLORS, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, replaced);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    decoded->pixels = static_cast<uint8_t*>(bits);
    PixelSource source = {decoded->pixels, width, height, width * 4, part.left, part.top};
    decoded->source = source;
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
    MappedBitmap bitmap;
    if (!mapBitmap(entry.path, &bitmap))
        return false;
    input.picture.width = static_cast<uint32_t>(bitmap.layout.width);
    input.picture.height =
        static_cast<uint32_t>(bitmap.layout.height < 0 ? -bitmap.layout.height : bitmap.layout.height);
    work->op = layOut(screen, primary, input);
    bool shown = work->op.target.right <= work->op.target.left || decodeBitmap(bitmap, work->op, &work->decoded);
    unmapBitmap(&bitmap);
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
            freeDecoded(&works[i].decoded);
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
        freeDecoded(&works[i].decoded);
    free(record);
    return written;
}
