#pragma once
// A small single-stroke handwriting font for the demo's formulas: digits, the letters a b c x,
// + - = ( ) and a superscript marker "^" that writes the next character small and raised.
// Glyphs are centre lines (what a pen traces), so they can be replayed point by point.

#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

using TPenLine = std::vector<QPointF>;   // one pen-down trace, in board pixels

// One character laid out on the board.
struct TWrittenGlyph {
    QChar character;
    QRectF box;                          // the character's cell: advance width x height
    std::vector<TPenLine> strokes;       // in writing order
};

// Lays out text with its top-left at origin; height is the height of a digit. Characters the
// font lacks are skipped. Spaces advance without strokes.
std::vector<TWrittenGlyph> LayoutHandwriting(const QString& text, QPointF origin, double height);

// How far text moves the pen to the right: where a following character would start.
double HandwritingAdvance(const QString& text, double height);

// Points along a pen line, spaced `step` pixels apart by arc length; first and last kept.
TPenLine ResamplePenLine(const TPenLine& line, double step);

// Arc length of a pen line.
double PenLineLength(const TPenLine& line);
