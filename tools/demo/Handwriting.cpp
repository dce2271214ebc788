// Glyphs in units of the digit height: x to the right, y down, 0 at the top and 1 on the baseline.
// Angles of arcs are in degrees on screen (0 right, 90 down); an arc runs from its first angle
// to its second, either way round.

#include "Handwriting.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace {

constexpr double kGap = 0.14;            // space between characters
constexpr double kSuperScale = 0.55;     // a superscript's size
constexpr double kSuperRise = -0.12;     // a superscript's top, above the line's top

TPenLine Arc(double cx, double cy, double rx, double ry, double fromDeg, double toDeg)
{
    const int steps = std::max(6, static_cast<int>(std::abs(toDeg - fromDeg) / 10.0));
    TPenLine line;
    for (int i = 0; i <= steps; ++i) {
        const double a = (fromDeg + (toDeg - fromDeg) * i / steps) * std::numbers::pi / 180.0;
        line.emplace_back(cx + rx * std::cos(a), cy + ry * std::sin(a));
    }
    return line;
}

TPenLine Poly(std::initializer_list<QPointF> points) { return TPenLine(points); }

// Pieces drawn without lifting the pen.
TPenLine Chain(std::initializer_list<TPenLine> pieces)
{
    TPenLine line;
    for (const TPenLine& piece : pieces)
        line.insert(line.end(), piece.begin(), piece.end());
    return line;
}

struct TGlyphShape {
    double advance;
    std::vector<TPenLine> strokes;
};

TGlyphShape Digit(QChar c)
{
    switch (c.unicode()) {
    case '0': return {0.6, {Arc(0.3, 0.5, 0.27, 0.48, -90, -450)}};
    case '1': return {0.42, {Poly({{0.06, 0.2}, {0.26, 0.02}, {0.26, 1.0}})}};
    case '2': return {0.62, {Chain({Arc(0.3, 0.29, 0.26, 0.26, 195, 390), Poly({{0.05, 1.0}, {0.6, 1.0}})})}};
    case '3': return {0.6, {Chain({Arc(0.28, 0.26, 0.23, 0.22, 205, 450), Arc(0.28, 0.73, 0.27, 0.26, 270, 510)})}};
    case '4': return {0.64, {Poly({{0.42, 0.0}, {0.03, 0.68}, {0.62, 0.68}}), Poly({{0.46, 0.32}, {0.46, 1.0}})}};
    case '5': return {0.6, {Chain({Poly({{0.54, 0.02}, {0.12, 0.02}, {0.1, 0.45}}), Arc(0.3, 0.69, 0.28, 0.28, 230, 500)})}};
    case '6': return {0.6, {Chain({Arc(0.58, 0.62, 0.5, 0.6, 250, 180), Arc(0.32, 0.74, 0.26, 0.25, 180, 540)})}};
    case '7': return {0.6, {Poly({{0.03, 0.02}, {0.58, 0.02}, {0.22, 1.0}})}};
    case '8': return {0.6, {Chain({Arc(0.3, 0.26, 0.21, 0.23, 90, -270), Arc(0.3, 0.74, 0.27, 0.26, 270, 630)})}};
    case '9': return {0.6, {Chain({Arc(0.3, 0.3, 0.25, 0.27, 0, -360), Poly({{0.55, 0.3}, {0.5, 1.0}})})}};
    default: return {0.0, {}};
    }
}

TGlyphShape Other(QChar c)
{
    switch (c.unicode()) {
    case 'a': return {0.6, {Chain({Arc(0.27, 0.73, 0.22, 0.26, -30, -390), Poly({{0.5, 0.47}, {0.52, 1.0}})})}};
    case 'b': return {0.6, {Poly({{0.08, 0.0}, {0.08, 1.0}}), Arc(0.32, 0.73, 0.25, 0.27, 195, 525)}};
    case 'c': return {0.54, {Arc(0.3, 0.73, 0.24, 0.26, -40, -320)}};
    case 'x': return {0.58, {Poly({{0.05, 0.47}, {0.52, 1.0}}), Poly({{0.52, 0.47}, {0.05, 1.0}})}};
    case '+': return {0.62, {Poly({{0.05, 0.55}, {0.57, 0.55}}), Poly({{0.31, 0.29}, {0.31, 0.81}})}};
    case '-': return {0.55, {Poly({{0.05, 0.55}, {0.5, 0.55}})}};
    case '=': return {0.62, {Poly({{0.05, 0.42}, {0.57, 0.42}}), Poly({{0.05, 0.68}, {0.57, 0.68}})}};
    case '(': return {0.4, {Arc(0.55, 0.5, 0.42, 0.6, 235, 125)}};
    case ')': return {0.4, {Arc(-0.15, 0.5, 0.42, 0.6, -55, 55)}};
    case ' ': return {0.3, {}};
    default: return Digit(c);
    }
}

std::vector<TPenLine> Place(const std::vector<TPenLine>& strokes, QPointF topLeft, double size)
{
    std::vector<TPenLine> placed;
    for (const TPenLine& stroke : strokes) {
        TPenLine line;
        for (const QPointF& p : stroke)
            line.push_back(topLeft + p * size);
        placed.push_back(std::move(line));
    }
    return placed;
}

std::vector<TWrittenGlyph> Lay(const QString& text, QPointF origin, double height, double& endX)
{
    std::vector<TWrittenGlyph> glyphs;
    double x = origin.x();
    bool superscript = false;
    for (const QChar c : text) {
        if (c == u'^') {
            superscript = true;
            continue;
        }
        const TGlyphShape shape = Other(c);
        if (shape.advance <= 0.0)
            continue;
        const double size = superscript ? height * kSuperScale : height;
        const QPointF topLeft(x, origin.y() + (superscript ? height * kSuperRise : 0.0));
        glyphs.push_back({c, QRectF(topLeft, QSizeF(shape.advance * size, size)), Place(shape.strokes, topLeft, size)});
        x += (shape.advance + kGap) * size;
        superscript = false;
    }
    endX = x;
    return glyphs;
}

} // namespace

std::vector<TWrittenGlyph> LayoutHandwriting(const QString& text, QPointF origin, double height)
{
    double endX = 0.0;
    return Lay(text, origin, height, endX);
}

double HandwritingAdvance(const QString& text, double height)
{
    double endX = 0.0;
    Lay(text, QPointF(0.0, 0.0), height, endX);
    return endX;
}

double PenLineLength(const TPenLine& line)
{
    double length = 0.0;
    for (std::size_t i = 1; i < line.size(); ++i)
        length += std::hypot(line[i].x() - line[i - 1].x(), line[i].y() - line[i - 1].y());
    return length;
}

TPenLine ResamplePenLine(const TPenLine& line, double step)
{
    if (line.size() < 2 || step <= 0.0)
        return line;
    TPenLine out{line.front()};
    double carried = 0.0;                // distance walked since the last sample
    for (std::size_t i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1], b = line[i];
        const double segment = std::hypot(b.x() - a.x(), b.y() - a.y());
        double at = step - carried;
        while (at <= segment) {
            out.push_back(a + (b - a) * (at / segment));
            at += step;
        }
        carried = segment - (at - step);
    }
    // The pen always reaches the end of the line; a sample just short of it is replaced.
    if (std::hypot(out.back().x() - line.back().x(), out.back().y() - line.back().y()) < step * 0.35 && out.size() > 1)
        out.back() = line.back();
    else
        out.push_back(line.back());
    return out;
}
