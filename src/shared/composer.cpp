#include "composer.h"

#include "bitmapdecode.h"
#include "composite.h"
#include "picture.h"
#include "picturecache.h"
#include "picturedecode.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// Room for the record of what made a composite: a line for the desktop and
// one for each monitor with its picture's stamp.
const uint32_t RECORD_ROOM = 512 + MONITOR_LIMIT * (160 + PICTURE_PATH_BYTES + CACHE_TRAILER_STAMP);

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

// The entry monitor i shows.
static int entryOf(int monitor, int count, MonitorsOption option)
{
    return option == MONITORS_SPAN ? 0 : monitor % count;
}

// A decoded part some monitors share: a tile every monitor of the same
// picture repeats, or the same part of a picture on monitors of one size.
struct Piece {
    int entry;
    PictureSize scaled;
    LayoutRect part;
    DecodedPart decoded;
};

struct Pieces {
    Piece pieces[MONITOR_LIMIT];
    int count;
};

static bool samePart(const Piece& piece, int entry, const LayoutOp& op)
{
    LayoutRect part = neededPart(op);
    return piece.entry == entry && piece.scaled.width == op.scaled.width && piece.scaled.height == op.scaled.height &&
           memcmp(&piece.part, &part, sizeof part) == 0;
}

// One picture open for the monitors that show it: through the imaging
// component, or a bitmap mapped for the platform to draw.
struct OpenPicture {
    bool picture;
    PictureReader reader;
    MappedBitmap bitmap;
    PictureSize size;
};

static bool openEntry(const ScreenEntry& entry, OpenPicture* open)
{
    open->picture = isPictureFile(entry.path);
    if (open->picture) {
        if (!openPicture(entry.path, &open->reader))
            return false;
        open->size = open->reader.size;
        return true;
    }
    if (!mapBitmap(entry.path, &open->bitmap))
        return false;
    open->size = mappedBitmapSize(open->bitmap);
    return true;
}

static void closeEntry(OpenPicture* open)
{
    if (open->picture)
        closePicture(&open->reader);
    else
        unmapBitmap(&open->bitmap);
}

// The monitors that show an entry, laid out and given their decoded parts
// from one opening of its file; false for each monitor that cannot show it.
static void prepareEntry(const MonitorSet& monitors, const ScreenEntry* entries, int count, int entry,
                         MonitorsOption option, FitOption fit, LayoutOp* ops, PixelSource* sources, bool* shown,
                         Pieces* pieces)
{
    OpenPicture open;
    bool opened = openEntry(entries[entry], &open);
    LayoutRect screen = virtualScreenOf(monitors);
    for (int i = 0; i < monitors.count; ++i) {
        if (entryOf(i, count, option) != entry)
            continue;
        if (!opened)
            continue;
        const ScreenEntry& shownEntry = entries[entry];
        LayoutInput input = {option == MONITORS_SPAN ? screen : monitors.rects[i],
                             monitors.rects[i],
                             open.size,
                             placementOf(shownEntry.mode, fit),
                             open.picture,
                             shownEntry.x,
                             shownEntry.y};
        ops[i] = layOut(screen, monitors.rects[0], input);
        shown[i] = true;
        if (ops[i].target.right <= ops[i].target.left)
            continue;
        int found = 0;
        while (found < pieces->count && !samePart(pieces->pieces[found], entry, ops[i]))
            ++found;
        if (found == pieces->count) {
            Piece* piece = &pieces->pieces[pieces->count];
            memset(piece, 0, sizeof *piece);
            piece->entry = entry;
            piece->scaled = ops[i].scaled;
            piece->part = neededPart(ops[i]);
            bool decoded = open.picture ? decodePicturePart(&open.reader, ops[i], &piece->decoded)
                                        : decodeBitmapPart(open.bitmap, ops[i], &piece->decoded);
            if (!decoded) {
                freeDecodedPart(&piece->decoded);
                memset(&ops[i], 0, sizeof ops[i]);
                shown[i] = false;
                continue;
            }
            ++pieces->count;
        }
        sources[i] = pieces->pieces[found].decoded.source;
    }
    if (opened)
        closeEntry(&open);
}

// Everything that makes the composite, as bytes: the desktop, the options,
// and each monitor's place, entry and picture stamp. A composite is used
// again only while this is the same; one that misses a picture never is.
static uint32_t writeRecord(uint8_t* record, const MonitorSet& monitors, const ScreenEntry* entries, int count,
                            MonitorsOption option, FitOption fit, CompositeLaying laying, COLORREF desktop)
{
    LayoutRect screen = virtualScreenOf(monitors);
    uint32_t at = static_cast<uint32_t>(sprintf(reinterpret_cast<char*>(record),
                                                "composite 2 screen %ld %ld %ld %ld options %d %d %d colour %06lx\n",
                                                static_cast<long>(screen.left), static_cast<long>(screen.top),
                                                static_cast<long>(screen.right), static_cast<long>(screen.bottom),
                                                option, fit, laying, static_cast<unsigned long>(desktop)));
    for (int i = 0; i < monitors.count; ++i) {
        const LayoutRect& r = monitors.rects[i];
        const ScreenEntry& entry = entries[entryOf(i, count, option)];
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

// Whether the picture drawn leaves some of the monitor to the desktop colour.
static bool leavesColour(const LayoutOp& op, const LayoutRect& monitor)
{
    return op.target.left > monitor.left || op.target.top > monitor.top || op.target.right < monitor.right ||
           op.target.bottom < monitor.bottom;
}

bool composeWallpaper(const MonitorSet& monitors, const ScreenEntry* entries, int count, MonitorsOption option,
                      FitOption fit, CompositeLaying laying, Composed* composed)
{
    composed->unshown = 0;
    composed->showsDesktopColour = true;
    LayoutRect screen = virtualScreenOf(monitors);
    if (count <= 0 || monitors.count <= 0 || !desktopAllowed(screen))
        return false;
    COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    uint8_t* record = static_cast<uint8_t*>(malloc(RECORD_ROOM + 16));
    if (!record)
        return false;
    uint32_t recordSize = writeRecord(record, monitors, entries, count, option, fit, laying, desktop);
    PictureSize size = {static_cast<uint32_t>(screen.right - screen.left),
                        static_cast<uint32_t>(screen.bottom - screen.top)};
    if (!cacheFilePath(record, recordSize, composed->path)) {
        free(record);
        return false;
    }
    if (cacheIsCurrent(composed->path, record, recordSize, size)) {
        free(record);
        return true;
    }

    LayoutOp ops[MONITOR_LIMIT];
    PixelSource sources[MONITOR_LIMIT];
    bool shown[MONITOR_LIMIT];
    Pieces pieces;
    memset(ops, 0, sizeof ops);
    memset(sources, 0, sizeof sources);
    memset(shown, 0, sizeof shown);
    pieces.count = 0;
    int entriesUsed = option == MONITORS_SPAN ? 1 : (count < monitors.count ? count : monitors.count);
    for (int entry = 0; entry < entriesUsed; ++entry)
        prepareEntry(monitors, entries, count, entry, option, fit, ops, sources, shown, &pieces);
    composed->showsDesktopColour = false;
    for (int i = 0; i < monitors.count; ++i) {
        composed->unshown += shown[i] ? 0 : 1;
        composed->showsDesktopColour = composed->showsDesktopColour || !shown[i] || leavesColour(ops[i], monitors.rects[i]);
    }
    // Nothing to show at all changes nothing; a composite that misses a
    // picture is made again next time.
    bool written = composed->unshown < monitors.count;
    if (composed->unshown > 0) {
        memcpy(record + recordSize, "incomplete", 11);
        recordSize += 11;
    }

    uint8_t* row = static_cast<uint8_t*>(malloc(3 * size_t(size.width)));
    uint32_t colour = (uint32_t(GetRValue(desktop)) << 16) | (uint32_t(GetGValue(desktop)) << 8) | GetBValue(desktop);
    RowWork work = {monitors.count, ops, sources, screen, laying, colour, row};
    written = written && row && writeCacheFile(composed->path, size, composedRows, &work, record, recordSize);
    free(row);
    for (int i = 0; i < pieces.count; ++i)
        freeDecodedPart(&pieces.pieces[i].decoded);
    free(record);
    return written;
}
