#pragma once
// A page's drawing commands being written in time order, with the helpers the demo uses to
// write, draw and place things on the board. Times are milliseconds from the page's start.

#include "Handwriting.h"

#include "session/CommDefine.h"

#include <QByteArray>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <vector>

// Command codes of the packet file, by what they do.
enum TPacketCode : uint8_t {
    kStrokesCreate = 1, kStrokesStyle = 2, kStrokeBegin = 3, kStrokePoint = 4, kStrokeEnd = 5,
    kStrokesMove = 6, kStrokesResize = 7, kStrokesDelete = 8, kStrokesUndo = 12,
    kLineCreate = 21, kLineStyle = 22, kLineMove = 23, kLineDelete = 24,
    kShapeCreate = 31, kShapeStyle = 32, kShapeMove = 33, kShapeResize = 34, kShapeDelete = 35,
    kPictureCreate = 71, kPictureMove = 72, kPictureResize = 73, kPictureDelete = 74,
    kClipCreate = 81, kClipPosition = 85, kClipMove = 86, kClipDelete = 87,
    kRichTextCreate = 91, kRichTextMove = 92, kRichTextDelete = 93,
    kMarkerCreate = 101, kMarkerMove = 102, kMarkerDelete = 103,
    kViewScroll = 111, kPointerShow = 121, kPointerMove = 122, kPointerHide = 123,
};

// Pen style of a group of strokes, a line or a shape border: palette index and thickness step.
struct TInk {
    int colorIndex = 6;
    int thickness = 2;
};

// What a piece of handwriting left on the board.
struct TWriting {
    uint32_t drawNo = 0;
    double endMs = 0.0;                  // when the pen lifted for the last time
    QRectF bounds;                       // box of the points written by this call
    std::vector<TWrittenGlyph> glyphs;
};

struct TShapeStyle {
    bool fill = true;
    bool border = true;
    int faceColor = 3;
    int borderColor = 6;
    int thickness = 2;
    int borderType = 1;                  // 2 dashed
    int opacity = 100;
};

class TPacketScript {
public:
    // Appends one record. A time earlier than the previous record's is moved up to it, so the
    // frames of the file never decrease. Returns the time used.
    double Add(double ms, TPacketCode type, uint32_t drawNo, uint8_t byteParam = 0, float fp1 = 0.0f,
               float fp2 = 0.0f, float fp3 = 0.0f, float fp4 = 0.0f);
    uint32_t NewDrawNo() { return ++m_lastDrawNo; }

    // Writes text in handwriting from startMs, at a pace that ends near endMs (kept within a
    // natural writing speed). One point every frame while the pen moves.
    TWriting Write(const QString& text, QPointF origin, double height, const TInk& ink, double startMs,
                   double endMs);
    // Adds one more stroke group to an existing writing object (after an undo, say).
    TWriting WriteMore(uint32_t drawNo, const QString& text, QPointF origin, double height, double startMs,
                       double endMs);
    // A straight line: lineType 2 is dashed; arrow 1 round ends, 2 head at start, 3 at end, 4 both.
    uint32_t Line(double ms, QPointF from, QPointF to, const TInk& ink, int lineType = 1, int arrow = 1);
    uint32_t Shape(double ms, ShapeType kind, const QRectF& box, const TShapeStyle& style);
    // Places a page resource (picture, rich text or audio clip) in a box; returns its number.
    uint32_t Place(double ms, TPacketCode create, int resourceNo, const QRectF& box);
    // Move (to a new top-left) and resize, for the command of the object's kind.
    void Move(double ms, TPacketCode move, uint32_t drawNo, QPointF topLeft);
    void Resize(double ms, TPacketCode resize, uint32_t drawNo, const QRectF& box);
    uint32_t Marker(double ms, PopBlinkerType kind, QPointF topLeft);
    // Scrolls the view so that its top-left shows the board point (x, y).
    void Scroll(double ms, QPointF offset);
    // Pointer stick: shown at the first point, moved through the rest, hidden at hideMs.
    void Pointer(const std::vector<std::pair<double, QPointF>>& path, double hideMs);

    const std::vector<TPacketItem>& Items() const { return m_items; }
    double LastMs() const { return m_lastMs; }
    QByteArray ToFileBytes() const;

private:
    double StrokeGroup(uint32_t drawNo, const std::vector<TWrittenGlyph>& glyphs, double startMs, double endMs,
                       std::vector<QPointF>& inked);

    std::vector<TPacketItem> m_items;
    double m_lastMs = 0.0;
    uint32_t m_lastDrawNo = 0;
};
