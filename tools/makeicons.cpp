// Draws the programs' icons as 16-colour .ico files: a framed landscape for
// the resident changer, the same picture with a pencil for the editor.
// Usage: makeicons RESOURCES_DIR   (writes resident/*.ico and editor/*.ico)
#include "lebytes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The standard 16-colour palette, as (r, g, b).
const uint8_t palette[16][3] = {
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128}, {0, 128, 128},
    {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255},
    {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

enum { BLACK = 0, MAROON = 1, GREEN = 2, OLIVE = 3, NAVY = 4, TEAL = 6, SILVER = 7, GRAY = 8,
       RED = 9, LIME = 10, YELLOW = 11, BLUE = 12, CYAN = 14, WHITE = 15, CLEAR = 16 };

struct Icon {
    int size;
    std::vector<int> pixels;  // palette index or CLEAR
    explicit Icon(int s) : size(s), pixels(s * s, CLEAR) {}
    void set(int x, int y, int c)
    {
        if (x >= 0 && y >= 0 && x < size && y < size)
            pixels[y * size + x] = c;
    }
    int get(int x, int y) const { return pixels[y * size + x]; }
};

// A picture frame with sky, sun and two hills inside. margin is the empty
// border around the frame; the frame itself is two pixels wide at 32 x 32.
void drawLandscape(Icon& icon, int margin)
{
    int n = icon.size;
    int frame = n >= 48 ? 3 : n >= 32 ? 2 : 1;
    int lo = margin, hi = n - 1 - margin;
    for (int y = lo; y <= hi; ++y)
        for (int x = lo; x <= hi; ++x) {
            bool border = x < lo + frame || x > hi - frame || y < lo + frame || y > hi - frame;
            if (border) {
                bool light = x - lo < y - lo ? (x < lo + frame) : (y < lo + frame);
                icon.set(x, y, (x == lo || y == lo || x == hi || y == hi) ? BLACK : (light ? YELLOW : OLIVE));
                continue;
            }
            double fx = double(x - lo) / (hi - lo), fy = double(y - lo) / (hi - lo);
            int c = fy < 0.35 ? BLUE : CYAN;
            // sun
            double sx = fx - 0.70, sy = fy - 0.30;
            if (sx * sx + sy * sy < 0.018)
                c = YELLOW;
            // far hill and near hill
            double far = 0.62 - 0.18 * (1.0 - (fx - 0.3) * (fx - 0.3) * 4.0);
            double near = 0.72 + 0.10 * (fx - 0.55) * (fx - 0.55) * 4.0 - 0.06;
            if (fy > far)
                c = GREEN;
            if (fy > near)
                c = LIME;
            icon.set(x, y, c);
        }
}

// A pencil across the lower right corner, for the editor.
void drawPencil(Icon& icon)
{
    int n = icon.size;
    int width = n >= 32 ? 3 : 2;
    for (int i = 0; i < n * 6 / 10; ++i) {
        int x = n - 2 - i, y = n * 4 / 10 + i;
        for (int w = -width / 2 - 1; w <= width / 2 + 1; ++w) {
            bool edge = w == -width / 2 - 1 || w == width / 2 + 1;
            int colour = edge ? BLACK : (i < 2 ? RED : (i > n * 6 / 10 - 4 ? (i > n * 6 / 10 - 2 ? BLACK : SILVER) : YELLOW));
            icon.set(x + w, y + w, colour);
            icon.set(x + w + 1, y + w, colour);
        }
    }
}

// One image of an icon file: its information header (at twice the height:
// the colour rows, then the transparency mask), palette and rows.
std::vector<uint8_t> iconImage(const Icon& icon)
{
    int n = icon.size;
    int xorRow = ((n * 4 + 31) / 32) * 4, andRow = ((n + 31) / 32) * 4;
    std::vector<uint8_t> out;
    put32(out, 40);
    put32(out, n);
    put32(out, n * 2);
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);
    put32(out, xorRow * n + andRow * n);
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (auto& c : palette) {
        out.push_back(c[2]);
        out.push_back(c[1]);
        out.push_back(c[0]);
        out.push_back(0);
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(xorRow, 0);
        for (int x = 0; x < n; ++x) {
            int c = icon.get(x, y);
            int value = c == CLEAR ? 0 : c;
            row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? value << 4 : value);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(andRow, 0);
        for (int x = 0; x < n; ++x)
            if (icon.get(x, y) == CLEAR)
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// An icon file of one or more images (several sizes of one picture), each
// described in the directory that heads the file.
bool writeIcon(const std::string& path, const std::vector<const Icon*>& icons)
{
    std::vector<std::vector<uint8_t>> images;
    for (const Icon* icon : icons)
        images.push_back(iconImage(*icon));
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // icon resource
    put16(out, static_cast<uint32_t>(icons.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(icons.size());
    for (size_t i = 0; i < icons.size(); ++i) {
        out.push_back(static_cast<uint8_t>(icons[i]->size));
        out.push_back(static_cast<uint8_t>(icons[i]->size));
        out.push_back(16);
        out.push_back(0);
        put16(out, 1);
        put16(out, 4);
        put32(out, static_cast<uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeicons RESOURCES_DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    Icon window32(32), small16(16), edit32(32), edit16(16);
    drawLandscape(window32, 1);
    // The tray shows the small-icon size of the display's scale: 16 at 100 %,
    // 20 at 125 %, 24 at 150 %, 32 at 200 %, 48 at 300 %. Each is drawn at
    // its own size, edge to edge, which reads best there; a shrunk or grown
    // one would be blurred.
    Icon tray16(16), tray20(20), tray24(24), tray32(32), tray48(48);
    for (Icon* tray : {&tray16, &tray20, &tray24, &tray32, &tray48})
        drawLandscape(*tray, 0);
    drawLandscape(small16, 0);
    drawLandscape(edit32, 1);
    drawPencil(edit32);
    drawLandscape(edit16, 0);
    drawPencil(edit16);
    bool ok = writeIcon(dir + "/resident/icon1.ico", {&window32}) &&
              writeIcon(dir + "/resident/icon2.ico", {&tray16, &tray20, &tray24, &tray32, &tray48}) &&
              writeIcon(dir + "/resident/icon3.ico", {&small16}) && writeIcon(dir + "/editor/icon1.ico", {&edit32}) &&
              writeIcon(dir + "/editor/icon2.ico", {&edit16});
    if (!ok) {
        std::fprintf(stderr, "makeicons: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
