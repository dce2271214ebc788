#pragma once
// Inside the graphics layer: how a pen turns a path's figures into painted area. The outline is
// what DrawPath paints and what the outline hit test and pen bounds measure, so the three agree.

#include "platform/graphics/GPGraphicsPath.h"

#include <QPainterPath>
#include <QPen>

#include <vector>

class TGPPen;

QPainterPath FiguresToQPainterPath(const std::vector<TGPPathFigure>& figures, Qt::FillRule rule);

// True when the painter's own stroking draws exactly what the pen draws (same simple cap at
// both ends, no custom caps, and no dashes unless the caps are flat); MakeQPen then gives it.
bool StrokesWithQPen(const TGPPen& pen);
QPen MakeQPen(const TGPPen& pen);

// The area the pen paints along the figures, to be filled with the winding rule.
QPainterPath BuildPenOutline(const std::vector<TGPPathFigure>& figures, const TGPPen& pen);

// The farthest distance from the figures' points that the pen can paint.
float PenReach(const TGPPen& pen);
