#pragma once
// Inside the graphics layer: how a pen turns a path's figures into painted area. The outline is
// what DrawPath paints and what the outline hit test and pen bounds measure, so the three agree.

#include "platform/graphics/GPPathFigure.h"

#include <QPainterPath>

#include <span>
#include <vector>

class TGPPen;

// Adds the figure's segments from point index `from` on (a Start point moves, Line points draw
// straight, three Bezier points make a cubic segment); AppendFigure adds all and the closing.
void AppendFigureSegments(QPainterPath& qpath, const TGPPathFigure& figure, size_t from);
void AppendFigure(QPainterPath& qpath, const TGPPathFigure& figure);

// The area the pen paints along the figures, to be filled once with the winding rule (so a
// translucent pen covers every pixel once however its strokes overlap).
QPainterPath BuildPenOutline(std::span<const TGPPathFigure> figures, const TGPPen& pen);

// All points of the figure coincide (it has length 0).
bool IsDegenerate(const TGPPathFigure& figure);

// The width the pen paints: a pen of width 0 paints one unit wide.
float EffectiveWidth(const TGPPen& pen);

// The farthest distance from the figures' points that the pen can paint.
float PenReach(const TGPPen& pen);
