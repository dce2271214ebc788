// Seamless textures of the default skin: the six desk backgrounds and the three board patterns.

#include "SkinArt.h"

#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

constexpr int kTile = 256;
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

uint32_t Hash(int32_t x, int32_t y, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^ static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float Lattice(int x, int y, int periodX, int periodY, uint32_t seed)
{
    const int wx = ((x % periodX) + periodX) % periodX;
    const int wy = ((y % periodY) + periodY) % periodY;
    return static_cast<float>(Hash(wx, wy, seed) & 0xFFFFFFu) / static_cast<float>(0xFFFFFF);
}

float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }

// Value noise whose lattice wraps after periodX cells across and periodY cells down.
float TileNoise2(float x, float y, int periodX, int periodY, uint32_t seed)
{
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    const float fx = Smooth(x - static_cast<float>(ix));
    const float fy = Smooth(y - static_cast<float>(iy));
    const float a = Lattice(ix, iy, periodX, periodY, seed);
    const float b = Lattice(ix + 1, iy, periodX, periodY, seed);
    const float c = Lattice(ix, iy + 1, periodX, periodY, seed);
    const float d = Lattice(ix + 1, iy + 1, periodX, periodY, seed);
    return (a + (b - a) * fx) * (1.0f - fy) + (c + (d - c) * fx) * fy;
}

QRgb Opaque(const QColor& c) { return qRgb(c.red(), c.green(), c.blue()); }

// A tile filled pixel by pixel from a colour function of the pixel centre.
QImage PaintTile(int width, int height, const std::function<QColor(float, float)>& colorAt)
{
    QImage image = SkinImage(width, height, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = Opaque(colorAt(Centre(x), Centre(y)));
    }
    return image;
}

QColor Shade(const QColor& base, float amount)
{
    return amount >= 0.0f ? MixColor(base, Qt::white, amount) : MixColor(base, Qt::black, -amount);
}

// --- desk backgrounds -----------------------------------------------------------------------

QImage SoftWood()
{
    const QColor light(222, 202, 174), dark(196, 168, 134);
    return PaintTile(kTile, kTile, [&](float x, float y) {
        // Long horizontal streaks: few cells across, many down.
        const float grain = TileNoise2(x / 128.0f, y / 8.0f, 2, 32, 11);
        const float warp = TileFbm(x, y, kTile, 2, 3, 12);
        const float rings = 0.5f + 0.5f * std::sin(kTwoPi * (6.0f * y / kTile + 1.2f * warp));
        const float fine = TileNoise2(x / 2.0f, y / 2.0f, 128, 128, 13);
        return MixColor(light, dark, 0.55f * rings * grain + 0.25f * grain + 0.08f * fine);
    });
}

QImage Slate()
{
    const QColor base(92, 104, 118);
    return PaintTile(kTile, kTile, [&](float x, float y) {
        const float mottle = TileFbm(x, y, kTile, 4, 4, 21) - 0.5f;
        const float fine = TileNoise2(x, y, kTile, kTile, 22) - 0.5f;
        return Shade(base, 0.10f * mottle + 0.06f * fine);
    });
}

QImage Linen()
{
    const QColor base(236, 230, 218);
    return PaintTile(kTile, kTile, [&](float x, float y) {
        // Warp and weft threads, four pixels apart, each thread a little lighter or darker.
        const float warp = Lattice(Cell(x) / 4, 0, kTile / 4, 1, 31) - 0.5f;
        const float weft = Lattice(0, Cell(y) / 4, 1, kTile / 4, 32) - 0.5f;
        const float weave = std::cos(kTwoPi * x / 4.0f) * std::cos(kTwoPi * y / 4.0f);
        const float slub = TileFbm(x, y, kTile, 8, 3, 33) - 0.5f;
        return Shade(base, 0.04f * weave + 0.05f * (warp + weft) + 0.05f * slub);
    });
}

QImage Dark()
{
    const QColor base(40, 43, 48);
    return PaintTile(kTile, kTile, [&](float x, float y) {
        const float fine = TileNoise2(x, y, kTile, kTile, 41) - 0.5f;
        const float soft = TileFbm(x, y, kTile, 4, 3, 42) - 0.5f;
        // A faint diagonal pinstripe every 16 pixels (16 divides the tile, so it wraps).
        const int diag = (Cell(x) + Cell(y)) % 16;
        const float stripe = diag == 0 ? 0.035f : 0.0f;
        return Shade(base, 0.05f * fine + 0.06f * soft + stripe);
    });
}

QImage PastelGradient()
{
    const QColor lavender(222, 216, 240), mint(206, 234, 226), peach(244, 224, 214);
    return PaintTile(kTile, kTile, [&](float x, float y) {
        // Periodic gradients: one cosine period across the tile in each direction.
        const float u = 0.5f + 0.5f * std::cos(kTwoPi * x / kTile);
        const float v = 0.5f + 0.5f * std::cos(kTwoPi * y / kTile);
        const float n = TileFbm(x, y, kTile, 4, 4, 51);
        const QColor base = MixColor(MixColor(lavender, mint, u), peach, 0.45f * v);
        const float grain = TileNoise2(x, y, kTile, kTile, 52) - 0.5f;
        return Shade(base, 0.06f * (n - 0.5f) + 0.03f * grain);
    });
}

QImage SageFelt()
{
    const QColor base(166, 184, 160);
    return PaintTile(kTile, kTile, [&](float x, float y) {
        const float fibres = TileNoise2(x / 2.0f, y / 2.0f, 128, 128, 61) - 0.5f;
        const float tuft = TileFbm(x, y, kTile, 8, 4, 62) - 0.5f;
        return Shade(base, 0.07f * fibres + 0.08f * tuft);
    });
}

// --- board patterns -------------------------------------------------------------------------

QImage LinedNote()
{
    const QColor paper(253, 252, 246), rule(176, 202, 228);
    return PaintTile(kTile, kTile, [&](float x, float y) {
        const float grain = TileNoise2(x / 2.0f, y / 2.0f, 128, 128, 71) - 0.5f;
        QColor c = Shade(paper, 0.012f * grain);
        // A ruled line at the bottom of every 32-pixel row, with a soft pixel above it.
        const int row = Cell(y) % 32;
        if (row == 31)
            c = MixColor(c, rule, 0.9f);
        else if (row == 30)
            c = MixColor(c, rule, 0.2f);
        return c;
    });
}

QImage ChalkBoard()
{
    const QColor slate(33, 51, 43), chalk(196, 206, 200);
    return PaintTile(kTile, kTile, [&](float x, float y) {
        const float mottle = TileFbm(x, y, kTile, 4, 5, 81) - 0.5f;
        const float fine = TileNoise2(x, y, kTile, kTile, 82) - 0.5f;
        // Wiped chalk dust: a soft haze where low-frequency noise runs high.
        const float dust = std::clamp((TileFbm(x, y, kTile, 2, 4, 83) - 0.55f) * 2.5f, 0.0f, 1.0f);
        const QColor base = Shade(slate, 0.10f * mottle + 0.05f * fine);
        return MixColor(base, chalk, 0.07f * dust);
    });
}

QImage WhiteBoard()
{
    const QColor white(250, 251, 252), sheen(236, 240, 245);
    return PaintTile(kTile, kTile, [&](float x, float y) {
        const float grain = TileNoise2(x / 2.0f, y / 2.0f, 128, 128, 91) - 0.5f;
        const float band = 0.5f + 0.5f * std::cos(kTwoPi * (x + y) / kTile);
        return Shade(MixColor(white, sheen, 0.35f * band), 0.01f * grain);
    });
}

} // namespace

float TileNoise(float x, float y, int period, uint32_t seed)
{
    return TileNoise2(x, y, period, period, seed);
}

float TileFbm(float x, float y, int tileSize, int firstPeriod, int octaves, uint32_t seed)
{
    float sum = 0.0f, weight = 0.0f, amplitude = 1.0f;
    int period = firstPeriod;
    for (int o = 0; o < octaves; ++o) {
        const float cell = static_cast<float>(tileSize) / static_cast<float>(period);
        sum += amplitude * TileNoise(x / cell, y / cell, period, seed + static_cast<uint32_t>(o) * 101u);
        weight += amplitude;
        amplitude *= 0.5f;
        period *= 2;
    }
    return sum / weight;
}

QColor MixColor(const QColor& a, const QColor& b, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    auto mix = [t](int u, int v) {
        return static_cast<int>(RoundHalfEven(static_cast<float>(u) + (static_cast<float>(v) - static_cast<float>(u)) * t));
    };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()), mix(a.alpha(), b.alpha()));
}

std::vector<TSkinPicture> MakeDeskBackgrounds()
{
    return {
        {"back0.png", SoftWood()}, {"back1.png", Slate()},          {"back2.png", Linen()},
        {"back3.png", Dark()},     {"back4.png", PastelGradient()}, {"back5.png", SageFelt()},
    };
}

std::vector<TSkinPicture> MakeBoardPatterns()
{
    return {
        {"WhiteNoteFrameBG.png", LinedNote()},
        {"BlackBoardFrameBG.png", ChalkBoard()},
        {"WhiteBoardFrameBG.png", WhiteBoard()},
    };
}
