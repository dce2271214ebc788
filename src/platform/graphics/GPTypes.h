#pragma once
// Values shared by the graphics classes. The numbers are the ones the drawing code and the
// recorded content use (dash style 1 = dash, cap 2 = round, 255 = custom, ...).

#include <array>
#include <cstddef>
#include <cstdint>

// 32-bit colour: alpha in bits 24-31, then red, green, blue.
using TGPColor = uint32_t;

enum class TGPFillMode : uint8_t {
    Alternate = 0,  // even-odd
    Winding = 1,    // non-zero
};

enum class TGPDashStyle : uint8_t {
    Solid = 0,
    Dash = 1,
    Dot = 2,
    DashDot = 3,
    DashDotDot = 4,
};

enum class TGPLineCap : uint8_t {
    Flat = 0,
    Square = 1,
    Round = 2,
    Triangle = 3,
    NoAnchor = 16,  // no cap at all: ends like Flat
    Custom = 255,  // drawn by the pen's custom cap at that end
};

enum class TGPLineJoin : uint8_t {
    Miter = 0,         // bevelled where the miter would pass the limit
    Bevel = 1,
    Round = 2,
    MiterClipped = 3,  // clipped at the limit
};

enum class TGPSmoothingMode : uint8_t {
    Default = 0,
    HighSpeed = 1,
    HighQuality = 2,
    None = 3,
    AntiAlias = 4,
};

enum class TGPPixelOffsetMode : uint8_t {
    Default = 0,
    HighSpeed = 1,
    HighQuality = 2,  // pixel (i, j) covers [i, i+1) x [j, j+1)
    None = 3,
    Half = 4,
};

enum class TGPInterpolationMode : uint8_t {
    Default = 0,
    LowQuality = 1,
    HighQuality = 2,
    Bilinear = 3,
    Bicubic = 4,
    NearestNeighbor = 5,
    HighQualityBilinear = 6,
    HighQualityBicubic = 7,
};

// Font style bits.
constexpr int kGPFontStyleRegular = 0;
constexpr int kGPFontStyleBold = 1;
constexpr int kGPFontStyleItalic = 2;
constexpr int kGPFontStyleUnderline = 4;

// Kinds of the points of a path figure.
enum class TGPPathPointType : uint8_t {
    Start = 0,   // first point of a figure
    Line = 1,    // end of a straight segment
    Bezier = 3,  // one of the three points of a cubic segment (two controls, then the end)
};

// 5 x 5 colour matrix, applied to the row vector (r, g, b, a, 1) with components in 0..1.
using TGPColorMatrix = std::array<std::array<float, 5>, 5>;

TGPColorMatrix IdentityColorMatrix();
