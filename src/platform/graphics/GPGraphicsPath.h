#pragma once
// A vector path made of figures. Each figure is a run of connected straight and cubic segments,
// open or closed. Consecutive AddLine / AddArc / AddBeziers calls extend the current figure, joined
// by a straight segment when the new start differs from the figure's end; StartFigure,
// CloseFigure and the closed shapes (rectangle, ellipse, pie, polygon) make the next call begin a
// new figure. Angles are in degrees from the positive x axis towards the positive y axis
// (clockwise on the screen); a start angle is the direction of a ray from the ellipse's centre,
// and the arc starts where that ray meets the ellipse.
// Calls with non-finite coordinates add nothing.

#include "platform/GPGeometry.h"
#include "platform/graphics/GPPathFigure.h"
#include "platform/graphics/GPTypes.h"

#include <QPainterPath>

#include <vector>

class TGPPen;

class TGPGraphicsPath {
public:
    explicit TGPGraphicsPath(TGPFillMode fillMode = TGPFillMode::Alternate);

    // Empties the path and sets the fill mode back to alternate.
    void Reset();
    // The next addition begins a new figure; the current one stays open.
    void StartFigure();
    // Closes the current figure (a segment back to its first point); the next addition begins a
    // new figure.
    void CloseFigure();
    void CloseAllFigures();

    void AddLine(const TGPPointF& p1, const TGPPointF& p2);
    void AddLine(float x1, float y1, float x2, float y2);
    // 3k + 1 points (k >= 1): cubic segments sharing their end points. Other counts add nothing.
    void AddBeziers(const TGPPointF* points, int count);
    void AddBeziers(const std::vector<TGPPointF>& points);
    void AddArc(const TGPRectF& rect, float startAngle, float sweepAngle);
    void AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    // Each of these adds a closed figure of its own.
    void AddRectangle(const TGPRectF& rect);
    void AddEllipse(const TGPRectF& rect);
    void AddEllipse(float x, float y, float width, float height);
    // A wedge: the ellipse's centre, a line to the arc's start, the arc, closed back to the centre.
    void AddPie(const TGPRectF& rect, float startAngle, float sweepAngle);
    void AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle);
    // At least 3 points; fewer add nothing.
    void AddPolygon(const TGPPointF* points, int count);
    void AddPolygon(const std::vector<TGPPointF>& points);

    TGPFillMode GetFillMode() const { return m_fillMode; }
    void SetFillMode(TGPFillMode mode);

    // The box of all points of the path (curve control points included; a curve never leaves
    // them), without any pen. (0, 0, 0, 0) for an empty path.
    TGPRectF GetBounds() const;
    // The box of everything the pen draws along the path: width, caps, joins, arrowheads.
    TGPRectF GetBounds(const TGPPen& pen) const;
    // The point lies in the filled interior, by the fill mode.
    bool IsVisible(const TGPPointF& point) const;
    bool IsVisible(float x, float y) const { return IsVisible(TGPPointF{x, y}); }
    // The point lies within what the pen draws along the path.
    bool IsOutlineVisible(const TGPPointF& point, const TGPPen& pen) const;
    bool IsOutlineVisible(float x, float y, const TGPPen& pen) const
    {
        return IsOutlineVisible(TGPPointF{x, y}, pen);
    }

    // Inspection of the figures and their points.
    int GetFigureCount() const { return static_cast<int>(m_arrayFigures.size()); }
    const std::vector<TGPPathFigure>& GetFigures() const { return m_arrayFigures; }
    const TGPPathFigure& GetFigure(int index) const { return m_arrayFigures[static_cast<size_t>(index)]; }
    int GetPointCount() const;
    std::vector<TGPPointF> GetPathPoints() const;
    // The box of each figure's points (control points included), in figure order.
    const std::vector<TGPRectF>& GetFigureBoxes() const;

    // The path as the painter fills and strokes it (kept up to date as figures are added).
    const QPainterPath& ToQPainterPath() const;

private:
    TGPPathFigure& OpenFigureFor(const TGPPointF& start);
    void AppendArcSegments(TGPPathFigure& figure, const TGPRectF& rect, float startAngle, float sweepAngle);
    void CloseCurrent();
    void AddClosedFigure(TGPPathFigure figure);

    std::vector<TGPPathFigure> m_arrayFigures;
    TGPFillMode m_fillMode;
    bool m_bNewFigure = true;
    // The painter's copy, extended as figures grow so appending stays cheap; rebuilt from the
    // figures only after a change to an earlier figure (CloseAllFigures).
    mutable QPainterPath m_qPath;
    mutable bool m_bQPathValid = true;
    mutable std::vector<TGPRectF> m_arrayFigureBoxes;
    mutable size_t m_nBoxedPoints = 0;  // points of the last boxed figure taken into its box
};
