// Draws the sample wallpapers into a folder: palette images with 4 and 8 bits
// and 24-bit ones, all small landscapes and patterns. Usage: makesamples DIR
#include <cmath>
#include "lebytes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t)
{
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

struct Image {
    int width, height;
    std::vector<Rgb> pixels;
    Image(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}
    Rgb& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

uint8_t clamp8(double v)
{
    return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v + 0.5);
}

// Writes the image with the given bit depth; for 4 and 8 bits the palette is
// built by uniform quantisation of the image's colours (palette passed in).
bool writeBmp(const std::string& path, Image& image, int bits, const std::vector<Rgb>& palette)
{
    int rowBytes = ((image.width * bits + 31) / 32) * 4;
    uint32_t colours = bits <= 8 ? static_cast<uint32_t>(palette.size()) : 0;
    uint32_t offset = 14 + 40 + 4 * colours;
    uint32_t size = offset + static_cast<uint32_t>(rowBytes) * image.height;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, size);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, image.width);
    put32(out, image.height);
    put16(out, 1);
    put16(out, bits);
    put32(out, 0);
    put32(out, static_cast<uint32_t>(rowBytes) * image.height);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, colours);
    put32(out, 0);
    for (const Rgb& c : palette) {
        out.push_back(clamp8(c.b));
        out.push_back(clamp8(c.g));
        out.push_back(clamp8(c.r));
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < image.width; ++x) {
            Rgb c = image.at(x, y);
            if (bits == 24) {
                row[x * 3] = clamp8(c.b);
                row[x * 3 + 1] = clamp8(c.g);
                row[x * 3 + 2] = clamp8(c.r);
                continue;
            }
            // Nearest palette colour, with a little ordered dithering.
            static const double bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
            double d = (bayer[y & 3][x & 3] / 16.0 - 0.5) * (bits == 4 ? 40 : 10);
            size_t best = 0;
            double bestDistance = 1e18;
            for (size_t i = 0; i < palette.size(); ++i) {
                double dr = c.r + d - palette[i].r, dg = c.g + d - palette[i].g, db = c.b + d - palette[i].b;
                double dist = dr * dr * 0.3 + dg * dg * 0.59 + db * db * 0.11;
                if (dist < bestDistance) {
                    bestDistance = dist;
                    best = i;
                }
            }
            if (bits == 8)
                row[x] = static_cast<uint8_t>(best);
            else
                row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? best << 4 : best);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}

double hill(double x, double a, double b, double c)
{
    return std::sin(x * a + b) * c;
}

Image sunset(int w, int h)
{
    Image img(w, h);
    Rgb top{70, 40, 120}, middle{240, 120, 60}, horizon{255, 210, 120};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double t = static_cast<double>(y) / h;
            Rgb sky = t < 0.6 ? mix(top, middle, t / 0.6) : mix(middle, horizon, (t - 0.6) / 0.4);
            double dx = x - w * 0.62, dy = y - h * 0.62;
            double r = std::sqrt(dx * dx + dy * dy);
            if (r < h * 0.12)
                sky = mix(Rgb{255, 240, 190}, sky, r / (h * 0.12) * 0.3);
            double far = h * 0.68 + hill(x / double(w), 9, 1, h * 0.04) + hill(x / double(w), 23, 2, h * 0.015);
            double near = h * 0.8 + hill(x / double(w), 5, 4, h * 0.06) + hill(x / double(w), 17, 0.5, h * 0.02);
            if (y > near)
                sky = mix(Rgb{40, 20, 50}, Rgb{20, 10, 30}, (y - near) / (h - near + 1));
            else if (y > far)
                sky = mix(Rgb{110, 60, 100}, Rgb{80, 40, 90}, (y - far) / (near - far + 1));
            img.at(x, y) = sky;
        }
    return img;
}

Image lake(int w, int h)
{
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double t = static_cast<double>(y) / h;
            double fx = x / double(w);
            Rgb c = mix(Rgb{120, 180, 235}, Rgb{210, 235, 250}, t / 0.55);
            double mountain = h * 0.55 - std::fabs(std::fmod(fx * 3.0 + 0.3, 1.0) - 0.5) * h * 0.5
                              + hill(fx, 31, 0, h * 0.015);
            if (y > mountain && y < h * 0.55) {
                double snow = mountain + h * 0.05;
                c = y < snow ? Rgb{245, 245, 250} : mix(Rgb{90, 100, 120}, Rgb{60, 90, 70}, (y - snow) / (h * 0.3));
            }
            if (y >= h * 0.55) {
                double depth = (y - h * 0.55) / (h * 0.45);
                c = mix(Rgb{70, 130, 190}, Rgb{20, 60, 110}, depth);
                if (std::sin(x * 0.15 + y * 0.9) > 0.93)
                    c = mix(c, Rgb{230, 240, 255}, 0.6);
            }
            img.at(x, y) = c;
        }
    return img;
}

Image tiles(int w, int h)
{
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int cx = x % 40 - 20, cy = y % 40 - 20;
            bool diamond = std::abs(cx) + std::abs(cy) < 14;
            bool ring = std::abs(std::abs(cx) + std::abs(cy) - 17) < 2;
            Rgb c = ((x / 40 + y / 40) % 2) ? Rgb{0, 128, 128} : Rgb{0, 96, 128};
            if (ring) c = Rgb{255, 255, 255};
            if (diamond) c = (std::abs(cx) + std::abs(cy) < 6) ? Rgb{255, 255, 0} : Rgb{128, 0, 128};
            img.at(x, y) = c;
        }
    return img;
}

Image forest(int w, int h)
{
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.at(x, y) = mix(Rgb{150, 200, 240}, Rgb{230, 240, 220}, double(y) / h);
    for (int layer = 0; layer < 3; ++layer) {
        Rgb shade = mix(Rgb{110, 160, 120}, Rgb{20, 80, 40}, layer / 2.0);
        double base = h * (0.5 + 0.15 * layer);
        for (int tree = 0; tree < 14; ++tree) {
            double tx = std::fmod(tree * 0.37 * w + layer * 23.0, double(w));
            double th = h * (0.18 + 0.06 * std::sin(tree * 1.7 + layer));
            for (int y = static_cast<int>(base - th); y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    if (y < 0) continue;
                    double half = (y - (base - th)) / th * th * 0.3;
                    if (std::fabs(x - tx) < half && y < base)
                        img.at(x, y) = shade;
                }
            for (int y = static_cast<int>(base); y < h; ++y)
                for (int x = 0; x < w; ++x)
                    img.at(x, y) = layer == 2 ? Rgb{40, 90, 40} : img.at(x, y);
        }
    }
    return img;
}

Image night(int w, int h)
{
    Image img(w, h);
    uint32_t seed = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.at(x, y) = mix(Rgb{5, 10, 40}, Rgb{40, 50, 110}, double(y) / h);
    for (int i = 0; i < w * h / 90; ++i) {
        seed = seed * 1103515245u + 12345u;
        int x = (seed >> 8) % w;
        seed = seed * 1103515245u + 12345u;
        int y = (seed >> 8) % (h * 3 / 4);
        img.at(x, y) = Rgb{255, 255, 230};
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double dx = x - w * 0.25, dy = y - h * 0.25;
            if (dx * dx + dy * dy < (h * 0.1) * (h * 0.1) && (dx - h * 0.04) * (dx - h * 0.04) + dy * dy > (h * 0.09) * (h * 0.09))
                img.at(x, y) = Rgb{250, 240, 200};
            double ground = h * 0.85 + hill(x / double(w), 7, 0, h * 0.03);
            if (y > ground)
                img.at(x, y) = Rgb{10, 15, 20};
        }
    return img;
}

std::vector<Rgb> uniformPalette()
{
    std::vector<Rgb> palette;
    for (int r = 0; r < 8; ++r)
        for (int g = 0; g < 8; ++g)
            for (int b = 0; b < 4; ++b)
                palette.push_back({r * 255.0 / 7, g * 255.0 / 7, b * 255.0 / 3});
    return palette;
}

std::vector<Rgb> vgaPalette()
{
    return {{0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128},
            {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},
            {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesamples DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    Image a = sunset(320, 240), b = lake(400, 300), c = tiles(160, 160), d = forest(240, 180), e = night(320, 240);
    bool ok = writeBmp(dir + "/sunset.bmp", a, 24, {}) && writeBmp(dir + "/lake.bmp", b, 8, uniformPalette()) &&
              writeBmp(dir + "/tiles.bmp", c, 4, vgaPalette()) && writeBmp(dir + "/forest.bmp", d, 24, {}) &&
              writeBmp(dir + "/night.bmp", e, 8, uniformPalette());
    if (!ok) {
        std::fprintf(stderr, "makesamples: cannot write into %s\n", dir.c_str());
        return 1;
    }
    std::printf("sample bitmaps written to %s\n", dir.c_str());
    return 0;
}
