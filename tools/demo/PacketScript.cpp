#include "PacketScript.h"

#include "platform/Rounding.h"
#include "session/PacketItems.h"

#include <algorithm>
#include <cmath>

namespace {

// Writing pace in heights of the character being written per second, so small superscripts are
// written as carefully as full-size digits: slow enough to read along, fast enough to keep up,
// and with pen samples close enough (one a frame) that curves stay round.
constexpr double kSlowestPace = 2.0;
constexpr double kFastestPace = 6.5;
constexpr double kLiftWithinGlyphMs = 50.0;
constexpr double kLiftBetweenGlyphsMs = 80.0;

float F(double value) { return static_cast<float>(value); }

// The box of the points, as the player measures a stroke group (zero-sized rectangles count).
QRectF BoundsOf(const std::vector<QPointF>& points)
{
    if (points.empty())
        return {};
    double left = points.front().x(), right = left, top = points.front().y(), bottom = top;
    for (const QPointF& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRectF(left, top, right - left, bottom - top);
}

double PenUpTime(const std::vector<TWrittenGlyph>& glyphs)
{
    double total = 0.0;
    for (const TWrittenGlyph& glyph : glyphs)
        total += kLiftBetweenGlyphsMs + kLiftWithinGlyphMs * static_cast<double>(glyph.strokes.size() - 1);
    return total;
}

// Length of all strokes, each glyph measured in its own height.
double InkInHeights(const std::vector<TWrittenGlyph>& glyphs)
{
    double total = 0.0;
    for (const TWrittenGlyph& glyph : glyphs)
        for (const TPenLine& stroke : glyph.strokes)
            total += PenLineLength(stroke) / glyph.box.height();
    return total;
}

} // namespace

double TPacketScript::Add(double ms, TPacketCode type, uint32_t drawNo, uint8_t byteParam, float fp1, float fp2,
                          float fp3, float fp4)
{
    ms = std::max(ms, m_lastMs);
    m_lastMs = ms;
    m_items.push_back(MakePacketItem(type, MilliSecondsToFrameNo(static_cast<uint32_t>(RoundHalfEven(ms))), drawNo,
                                     fp1, fp2, fp3, fp4, byteParam));
    return ms;
}

double TPacketScript::StrokeGroup(uint32_t drawNo, const std::vector<TWrittenGlyph>& glyphs, double startMs,
                                  double endMs, std::vector<QPointF>& inked)
{
    const double inkMs = std::max(1.0, endMs - startMs - PenUpTime(glyphs));
    const double pace = std::clamp(InkInHeights(glyphs) / inkMs, kSlowestPace / 1000.0, kFastestPace / 1000.0);
    double t = startMs;
    for (const TWrittenGlyph& glyph : glyphs) {
        const double step = pace * glyph.box.height() * kFrameMilliseconds;   // pen travel in a frame
        for (std::size_t s = 0; s < glyph.strokes.size(); ++s) {
            const TPenLine points = ResamplePenLine(glyph.strokes[s], step);
            t = Add(t, kStrokeBegin, drawNo);
            for (const QPointF& p : points) {
                t = Add(t, kStrokePoint, drawNo, 0, F(p.x()), F(p.y()));
                t += kFrameMilliseconds;
            }
            t = Add(t - kFrameMilliseconds, kStrokeEnd, drawNo);
            inked.insert(inked.end(), points.begin(), points.end());
            if (s + 1 < glyph.strokes.size())
                t += kLiftWithinGlyphMs;
        }
        t += kLiftBetweenGlyphsMs;
    }
    return t - kLiftBetweenGlyphsMs;
}

TWriting TPacketScript::Write(const QString& text, QPointF origin, double height, const TInk& ink, double startMs,
                              double endMs)
{
    const uint32_t drawNo = NewDrawNo();
    const double t = Add(startMs, kStrokesCreate, drawNo);
    Add(t, kStrokesStyle, drawNo, 0, F(ink.colorIndex), F(ink.thickness), 100.0f);
    return WriteMore(drawNo, text, origin, height, t, endMs);
}

TWriting TPacketScript::WriteMore(uint32_t drawNo, const QString& text, QPointF origin, double height,
                                  double startMs, double endMs)
{
    TWriting writing;
    writing.drawNo = drawNo;
    writing.glyphs = LayoutHandwriting(text, origin, height);
    std::vector<QPointF> inked;
    writing.endMs = StrokeGroup(drawNo, writing.glyphs, startMs, endMs, inked);
    writing.bounds = BoundsOf(inked);
    return writing;
}

uint32_t TPacketScript::Line(double ms, QPointF from, QPointF to, const TInk& ink, int lineType, int arrow)
{
    const uint32_t drawNo = NewDrawNo();
    const double t = Add(ms, kLineCreate, drawNo, 0, F(from.x()), F(from.y()), F(to.x()), F(to.y()));
    Add(t, kLineStyle, drawNo, static_cast<uint8_t>(arrow), F(ink.colorIndex), F(ink.thickness), 100.0f, F(lineType));
    return drawNo;
}

uint32_t TPacketScript::Shape(double ms, ShapeType kind, const QRectF& box, const TShapeStyle& style)
{
    const uint32_t drawNo = NewDrawNo();
    const double t = Add(ms, kShapeCreate, drawNo, static_cast<uint8_t>(kind), F(box.x()), F(box.y()), F(box.width()),
                         F(box.height()));
    // Style pairs packed as high * 1000 + low.
    const float fillAndBorder = F((style.fill ? 1 : 0) * 1000 + (style.border ? 1 : 0));
    const float colors = F(style.faceColor * 1000 + style.borderColor);
    const float widthAndType = F(style.thickness * 1000 + style.borderType);
    Add(t, kShapeStyle, drawNo, static_cast<uint8_t>(style.opacity), fillAndBorder, colors, widthAndType);
    return drawNo;
}

uint32_t TPacketScript::Place(double ms, TPacketCode create, int resourceNo, const QRectF& box)
{
    const uint32_t drawNo = NewDrawNo();
    Add(ms, create, drawNo, static_cast<uint8_t>(resourceNo), F(box.x()), F(box.y()), F(box.width()),
        F(box.height()));
    return drawNo;
}

void TPacketScript::Move(double ms, TPacketCode move, uint32_t drawNo, QPointF topLeft)
{
    Add(ms, move, drawNo, 0, F(topLeft.x()), F(topLeft.y()));
}

void TPacketScript::Resize(double ms, TPacketCode resize, uint32_t drawNo, const QRectF& box)
{
    Add(ms, resize, drawNo, 0, F(box.x()), F(box.y()), F(box.width()), F(box.height()));
}

uint32_t TPacketScript::Marker(double ms, PopBlinkerType kind, QPointF topLeft)
{
    const uint32_t drawNo = NewDrawNo();
    Add(ms, kMarkerCreate, drawNo, static_cast<uint8_t>(kind), F(topLeft.x()), F(topLeft.y()));
    return drawNo;
}

void TPacketScript::Scroll(double ms, QPointF offset)
{
    // This command carries the vertical offset first.
    Add(ms, kViewScroll, 0, 0, F(offset.y()), F(offset.x()));
}

void TPacketScript::Pointer(const std::vector<std::pair<double, QPointF>>& path, double hideMs)
{
    if (path.empty())
        return;
    Add(path.front().first, kPointerShow, 0);
    for (const auto& [ms, at] : path)
        Add(ms, kPointerMove, 0, 0, F(at.x()), F(at.y()));
    Add(hideMs, kPointerHide, 0);
}

QByteArray TPacketScript::ToFileBytes() const
{
    QByteArray bytes(static_cast<qsizetype>(m_items.size() * kPacketItemSize), '\0');
    auto* out = reinterpret_cast<unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < m_items.size(); ++i)
        PacketItemToBytes(m_items[i], out + i * kPacketItemSize);
    return bytes;
}
