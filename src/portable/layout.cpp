#include "layout.h"

static int64_t clamp64(int64_t value, int64_t lowest, int64_t highest)
{
    return value < lowest ? lowest : value > highest ? highest : value;
}

static int64_t width(const LayoutRect& r)
{
    return int64_t(r.right) - r.left;
}

static int64_t height(const LayoutRect& r)
{
    return int64_t(r.bottom) - r.top;
}

static bool isEmpty(const LayoutRect& r)
{
    return width(r) <= 0 || height(r) <= 0;
}

static LayoutRect intersect(const LayoutRect& a, const LayoutRect& b)
{
    LayoutRect r = {a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
                    a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (isEmpty(r))
        r.right = r.left, r.bottom = r.top;
    return r;
}

bool desktopAllowed(const LayoutRect& screen)
{
    return !isEmpty(screen) && screen.left >= -DESKTOP_MAX_REACH && screen.top >= -DESKTOP_MAX_REACH &&
           screen.right <= DESKTOP_MAX_REACH && screen.bottom <= DESKTOP_MAX_REACH &&
           width(screen) <= DESKTOP_MAX_SIDE && height(screen) <= DESKTOP_MAX_SIDE &&
           uint64_t(width(screen)) * uint64_t(height(screen)) <= DESKTOP_MAX_PIXELS;
}

LayoutRect boundingRect(const LayoutRect* monitors, int count)
{
    LayoutRect box = {0, 0, 0, 0};
    bool any = false;
    for (int i = 0; i < count; ++i) {
        if (isEmpty(monitors[i]))
            continue;
        if (!any) {
            box = monitors[i];
            any = true;
            continue;
        }
        box.left = monitors[i].left < box.left ? monitors[i].left : box.left;
        box.top = monitors[i].top < box.top ? monitors[i].top : box.top;
        box.right = monitors[i].right > box.right ? monitors[i].right : box.right;
        box.bottom = monitors[i].bottom > box.bottom ? monitors[i].bottom : box.bottom;
    }
    return box;
}

// A side scaled by numerator / denominator, rounded, at least 1 and at most
// LAYOUT_MAX_SIDE. Doubles hold the products exactly (sides below 2^32) and
// keep the 32-bit build clear of 64-bit division.
static uint32_t scaledSide(double side, double numerator, double denominator)
{
    double scaled = side * numerator / denominator + 0.5;
    if (scaled < 1)
        return 1;
    if (scaled > LAYOUT_MAX_SIDE)
        return LAYOUT_MAX_SIDE;
    return static_cast<uint32_t>(scaled);
}

// The picture scaled to cover the area (cover) or to lie within it (fit),
// keeping its proportions: the side that decides matches the area's.
static PictureSize scaleToArea(PictureSize picture, int64_t areaWidth, int64_t areaHeight, bool cover)
{
    double pw = picture.width;
    double ph = picture.height;
    double aw = static_cast<double>(areaWidth);
    double ah = static_cast<double>(areaHeight);
    // The picture is relatively wider than the area when pw / ph > aw / ah.
    bool wider = pw * ah > ph * aw;
    PictureSize scaled;
    if (wider != cover) {
        scaled.width = scaledSide(aw, 1, 1);
        scaled.height = scaledSide(ph, aw, pw);
    } else {
        scaled.height = scaledSide(ah, 1, 1);
        scaled.width = scaledSide(pw, ah, ph);
    }
    return scaled;
}

// The origin that centres a side of size inside [start, start + room).
static int32_t centred(int32_t start, int64_t room, uint32_t size)
{
    return static_cast<int32_t>(clamp64(int64_t(start) + (room - int64_t(size)) / 2, INT32_MIN, INT32_MAX));
}

LayoutOp layOut(const LayoutRect& virtualScreen, const LayoutRect& primary, const LayoutInput& input)
{
    LayoutOp op = {{0, 0, 0, 0}, {0, 0}, 0, 0, false};
    // Nothing lies outside the virtual screen, which lies within the reach:
    // every origin below then stays far inside 32 bits.
    if (!desktopAllowed(virtualScreen))
        return op;
    const LayoutRect area = intersect(input.area, virtualScreen);
    PictureSize picture = input.picture;
    if (picture.width == 0 || picture.height == 0 || isEmpty(area) || isEmpty(input.monitor))
        return op;
    if (picture.width > LAYOUT_MAX_SIDE)
        picture.width = LAYOUT_MAX_SIDE;
    if (picture.height > LAYOUT_MAX_SIDE)
        picture.height = LAYOUT_MAX_SIDE;
    int64_t aw = width(area);
    int64_t ah = height(area);

    op.scaled = picture;
    switch (input.placement) {
    case LAYOUT_TILE:
        op.tiled = true;
        op.originX = area.left;
        op.originY = area.top;
        break;
    case LAYOUT_DEFINED:
        op.originX = static_cast<int32_t>(clamp64(int64_t(primary.left) + input.originX, -2 * DESKTOP_MAX_REACH,
                                                  2 * DESKTOP_MAX_REACH));
        op.originY = static_cast<int32_t>(clamp64(int64_t(primary.top) + input.originY, -2 * DESKTOP_MAX_REACH,
                                                  2 * DESKTOP_MAX_REACH));
        break;
    case LAYOUT_FILL:
        op.scaled = scaleToArea(picture, aw, ah, true);
        break;
    case LAYOUT_FIT:
        op.scaled = scaleToArea(picture, aw, ah, false);
        break;
    case LAYOUT_STRETCH:
        op.scaled.width = static_cast<uint32_t>(aw);
        op.scaled.height = static_cast<uint32_t>(ah);
        break;
    case LAYOUT_CENTER:
    default:
        if (input.shrinkLarger && (picture.width > aw || picture.height > ah))
            op.scaled = scaleToArea(picture, aw, ah, false);
        break;
    }
    if (!op.tiled && input.placement != LAYOUT_DEFINED) {
        op.originX = centred(area.left, aw, op.scaled.width);
        op.originY = centred(area.top, ah, op.scaled.height);
    }

    LayoutRect drawn = intersect(input.monitor, virtualScreen);
    if (!op.tiled) {
        LayoutRect picturePlace = {op.originX, op.originY,
                                   static_cast<int32_t>(clamp64(int64_t(op.originX) + op.scaled.width, INT32_MIN,
                                                                INT32_MAX)),
                                   static_cast<int32_t>(clamp64(int64_t(op.originY) + op.scaled.height, INT32_MIN,
                                                                INT32_MAX))};
        drawn = intersect(drawn, picturePlace);
    }
    op.target = drawn;
    return op;
}
