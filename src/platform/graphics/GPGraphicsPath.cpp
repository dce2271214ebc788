#include "platform/graphics/GPGraphicsPath.h"

#include "platform/graphics/GPOutline.h"
#include "platform/graphics/GPPen.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

bool IsFinite(const TGPPointF& p)
{
    return std::isfinite(p.X) && std::isfinite(p.Y);
}

bool IsFinite(const TGPRectF& r)
{
    return std::isfinite(r.X) && std::isfinite(r.Y) && std::isfinite(r.Width) && std::isfinite(r.Height);
}

bool AllFinite(const TGPPointF* points, int count)
{
    return std::all_of(points, points + count, [](const TGPPointF& p) { return IsFinite(p); });
}

TGPRectF PointsBox(const std::vector<TGPPointF>& points)
{
    float minX = points.front().X, maxX = minX, minY = points.front().Y, maxY = minY;
    for (const TGPPointF& p : points) {
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    return {minX, minY, maxX - minX, maxY - minY};
}

double DegreesToRadians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

// The parameter t of the ellipse point (a cos t, b sin t) that lies on the ray at angle theta
// from the centre. It stays within the quadrant of theta, so whole turns are kept.
double EllipseParameter(double theta, double a, double b)
{
    const double t = std::atan2(a * std::sin(theta), b * std::cos(theta));
    return theta + std::remainder(t - theta, 2.0 * std::numbers::pi);
}

TGPPointF EllipsePoint(double cx, double cy, double a, double b, double t)
{
    return {static_cast<float>(cx + a * std::cos(t)), static_cast<float>(cy + b * std::sin(t))};
}

}  // namespace

TGPGraphicsPath::TGPGraphicsPath(TGPFillMode fillMode) : m_fillMode(fillMode)
{
    m_qPath.setFillRule(fillMode == TGPFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

void TGPGraphicsPath::Reset()
{
    m_arrayFigures.clear();
    m_arrayFigureBoxes.clear();
    m_bNewFigure = true;
    m_qPath.clear();
    m_bQPathValid = true;
    SetFillMode(TGPFillMode::Alternate);
}

void TGPGraphicsPath::StartFigure()
{
    m_bNewFigure = true;
}

void TGPGraphicsPath::CloseCurrent()
{
    if (!m_bNewFigure && !m_arrayFigures.empty() && !m_arrayFigures.back().Closed) {
        m_arrayFigures.back().Closed = true;
        if (m_bQPathValid) {
            m_qPath.closeSubpath();
        }
    }
}

void TGPGraphicsPath::CloseFigure()
{
    CloseCurrent();
    m_bNewFigure = true;
}

void TGPGraphicsPath::CloseAllFigures()
{
    for (TGPPathFigure& figure : m_arrayFigures) {
        if (!figure.Closed) {
            figure.Closed = true;
            m_bQPathValid = false;
        }
    }
    m_bNewFigure = true;
}

TGPPathFigure& TGPGraphicsPath::OpenFigureFor(const TGPPointF& start)
{
    if (m_bNewFigure || m_arrayFigures.empty()) {
        m_arrayFigures.push_back(TGPPathFigure{{start}, {TGPPathPointType::Start}, false});
        m_bNewFigure = false;
        if (m_bQPathValid) {
            m_qPath.moveTo(start.X, start.Y);
        }
        return m_arrayFigures.back();
    }
    TGPPathFigure& figure = m_arrayFigures.back();
    // Joined to the figure by a straight segment unless it starts where the figure ends.
    if (!(figure.Points.back() == start)) {
        figure.Points.push_back(start);
        figure.Types.push_back(TGPPathPointType::Line);
        if (m_bQPathValid) {
            m_qPath.lineTo(start.X, start.Y);
        }
    }
    return figure;
}

void TGPGraphicsPath::AddLine(const TGPPointF& p1, const TGPPointF& p2)
{
    if (!IsFinite(p1) || !IsFinite(p2)) {
        return;
    }
    TGPPathFigure& figure = OpenFigureFor(p1);
    figure.Points.push_back(p2);
    figure.Types.push_back(TGPPathPointType::Line);
    if (m_bQPathValid) {
        m_qPath.lineTo(p2.X, p2.Y);
    }
}

void TGPGraphicsPath::AddLine(float x1, float y1, float x2, float y2)
{
    AddLine(TGPPointF{x1, y1}, TGPPointF{x2, y2});
}

void TGPGraphicsPath::AddBeziers(const TGPPointF* points, int count)
{
    if (points == nullptr || count < 4 || (count - 1) % 3 != 0 || !AllFinite(points, count)) {
        return;
    }
    TGPPathFigure& figure = OpenFigureFor(points[0]);
    const size_t from = figure.Points.size();
    figure.Points.insert(figure.Points.end(), points + 1, points + count);
    figure.Types.insert(figure.Types.end(), static_cast<size_t>(count - 1), TGPPathPointType::Bezier);
    if (m_bQPathValid) {
        AppendFigureSegments(m_qPath, figure, from);
    }
}

void TGPGraphicsPath::AddBeziers(const std::vector<TGPPointF>& points)
{
    AddBeziers(points.data(), static_cast<int>(points.size()));
}

void TGPGraphicsPath::AppendArcSegments(TGPPathFigure& figure, const TGPRectF& rect, float startAngle,
                                        float sweepAngle)
{
    const double a = rect.Width / 2.0;
    const double b = rect.Height / 2.0;
    const double cx = rect.X + a;
    const double cy = rect.Y + b;
    const double sweep = std::clamp(static_cast<double>(sweepAngle), -360.0, 360.0);
    const double theta0 = DegreesToRadians(startAngle);
    const double t0 = EllipseParameter(theta0, a, b);
    const double t1 = EllipseParameter(theta0 + DegreesToRadians(sweep), a, b);
    const double span = t1 - t0;
    // Quarter turns at most per cubic segment; arcs on quadrant limits keep their controls
    // inside the ellipse's box.
    const int segments = static_cast<int>(std::ceil(std::abs(span) / (std::numbers::pi / 2.0) - 1e-9));
    const double step = segments > 0 ? span / segments : 0.0;
    const double k = 4.0 / 3.0 * std::tan(step / 4.0);
    for (int i = 0; i < segments; ++i) {
        const double ta = t0 + step * i;
        const double tb = (i + 1 == segments) ? t1 : t0 + step * (i + 1);
        const double ca = std::cos(ta), sa = std::sin(ta), cb = std::cos(tb), sb = std::sin(tb);
        figure.Points.push_back({static_cast<float>(cx + a * (ca - k * sa)), static_cast<float>(cy + b * (sa + k * ca))});
        figure.Points.push_back({static_cast<float>(cx + a * (cb + k * sb)), static_cast<float>(cy + b * (sb - k * cb))});
        figure.Points.push_back(EllipsePoint(cx, cy, a, b, tb));
        figure.Types.insert(figure.Types.end(), 3, TGPPathPointType::Bezier);
    }
}

void TGPGraphicsPath::AddArc(const TGPRectF& rect, float startAngle, float sweepAngle)
{
    if (!IsFinite(rect) || !std::isfinite(startAngle) || !std::isfinite(sweepAngle)) {
        return;
    }
    const double a = rect.Width / 2.0;
    const double b = rect.Height / 2.0;
    const TGPPointF start =
        EllipsePoint(rect.X + a, rect.Y + b, a, b, EllipseParameter(DegreesToRadians(startAngle), a, b));
    TGPPathFigure& figure = OpenFigureFor(start);
    const size_t from = figure.Points.size();
    AppendArcSegments(figure, rect, startAngle, sweepAngle);
    if (m_bQPathValid) {
        AppendFigureSegments(m_qPath, figure, from);
    }
}

void TGPGraphicsPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle)
{
    AddArc(TGPRectF{x, y, width, height}, startAngle, sweepAngle);
}

void TGPGraphicsPath::AddClosedFigure(TGPPathFigure figure)
{
    figure.Closed = true;
    m_arrayFigures.push_back(std::move(figure));
    m_bNewFigure = true;
    if (m_bQPathValid) {
        AppendFigureSegments(m_qPath, m_arrayFigures.back(), 0);
        m_qPath.closeSubpath();
    }
}

void TGPGraphicsPath::AddRectangle(const TGPRectF& rect)
{
    if (!IsFinite(rect)) {
        return;
    }
    const float right = rect.X + rect.Width;
    const float bottom = rect.Y + rect.Height;
    AddClosedFigure(TGPPathFigure{{{rect.X, rect.Y}, {right, rect.Y}, {right, bottom}, {rect.X, bottom}},
                                  {TGPPathPointType::Start, TGPPathPointType::Line, TGPPathPointType::Line,
                                   TGPPathPointType::Line},
                                  true});
}

void TGPGraphicsPath::AddEllipse(const TGPRectF& rect)
{
    if (!IsFinite(rect)) {
        return;
    }
    TGPPathFigure figure{{{rect.X + rect.Width, rect.Y + rect.Height / 2.0f}}, {TGPPathPointType::Start}, true};
    AppendArcSegments(figure, rect, 0.0f, 360.0f);
    AddClosedFigure(std::move(figure));
}

void TGPGraphicsPath::AddEllipse(float x, float y, float width, float height)
{
    AddEllipse(TGPRectF{x, y, width, height});
}

void TGPGraphicsPath::AddPie(const TGPRectF& rect, float startAngle, float sweepAngle)
{
    if (!IsFinite(rect) || !std::isfinite(startAngle) || !std::isfinite(sweepAngle)) {
        return;
    }
    const double a = rect.Width / 2.0;
    const double b = rect.Height / 2.0;
    const TGPPointF centre{static_cast<float>(rect.X + a), static_cast<float>(rect.Y + b)};
    TGPPathFigure figure{{centre}, {TGPPathPointType::Start}, true};
    figure.Points.push_back(
        EllipsePoint(rect.X + a, rect.Y + b, a, b, EllipseParameter(DegreesToRadians(startAngle), a, b)));
    figure.Types.push_back(TGPPathPointType::Line);
    AppendArcSegments(figure, rect, startAngle, sweepAngle);
    AddClosedFigure(std::move(figure));
}

void TGPGraphicsPath::AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle)
{
    AddPie(TGPRectF{x, y, width, height}, startAngle, sweepAngle);
}

void TGPGraphicsPath::AddPolygon(const TGPPointF* points, int count)
{
    if (points == nullptr || count < 3 || !AllFinite(points, count)) {
        return;
    }
    TGPPathFigure figure{{points, points + count}, std::vector<TGPPathPointType>(static_cast<size_t>(count), TGPPathPointType::Line), true};
    figure.Types.front() = TGPPathPointType::Start;
    AddClosedFigure(std::move(figure));
}

void TGPGraphicsPath::AddPolygon(const std::vector<TGPPointF>& points)
{
    AddPolygon(points.data(), static_cast<int>(points.size()));
}

void TGPGraphicsPath::SetFillMode(TGPFillMode mode)
{
    m_fillMode = mode;
    m_qPath.setFillRule(mode == TGPFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

TGPRectF TGPGraphicsPath::GetBounds() const
{
    const std::vector<TGPRectF>& boxes = GetFigureBoxes();
    if (boxes.empty()) {
        return {};
    }
    float minX = boxes[0].X, minY = boxes[0].Y, maxX = minX + boxes[0].Width, maxY = minY + boxes[0].Height;
    for (const TGPRectF& b : boxes) {
        minX = std::min(minX, b.X);
        minY = std::min(minY, b.Y);
        maxX = std::max(maxX, b.X + b.Width);
        maxY = std::max(maxY, b.Y + b.Height);
    }
    return {minX, minY, maxX - minX, maxY - minY};
}

TGPRectF TGPGraphicsPath::GetBounds(const TGPPen& pen) const
{
    QRectF box;
    for (const TGPPathFigure& figure : m_arrayFigures) {
        box = box.united(BuildPenOutline({&figure, 1}, pen).boundingRect());
    }
    return {static_cast<float>(box.x()), static_cast<float>(box.y()), static_cast<float>(box.width()),
            static_cast<float>(box.height())};
}

bool TGPGraphicsPath::IsVisible(const TGPPointF& point) const
{
    return IsFinite(point) && ToQPainterPath().contains(QPointF(point.X, point.Y));
}

bool TGPGraphicsPath::IsOutlineVisible(const TGPPointF& point, const TGPPen& pen) const
{
    if (!IsFinite(point)) {
        return false;
    }
    // Only figures whose box, grown by the farthest reach of the pen, holds the point can be hit.
    const float reach = PenReach(pen);
    const std::vector<TGPRectF>& boxes = GetFigureBoxes();
    for (size_t i = 0; i < m_arrayFigures.size(); ++i) {
        const TGPRectF& b = boxes[i];
        if (point.X >= b.X - reach && point.X <= b.X + b.Width + reach && point.Y >= b.Y - reach &&
            point.Y <= b.Y + b.Height + reach &&
            BuildPenOutline({&m_arrayFigures[i], 1}, pen).contains(QPointF(point.X, point.Y))) {
            return true;
        }
    }
    return false;
}

const std::vector<TGPRectF>& TGPGraphicsPath::GetFigureBoxes() const
{
    // Only the last figure ever grows, so earlier boxes stay valid.
    if (!m_arrayFigureBoxes.empty() && m_nBoxedPoints < m_arrayFigures[m_arrayFigureBoxes.size() - 1].Points.size()) {
        m_arrayFigureBoxes.pop_back();
    }
    while (m_arrayFigureBoxes.size() < m_arrayFigures.size()) {
        const std::vector<TGPPointF>& points = m_arrayFigures[m_arrayFigureBoxes.size()].Points;
        m_arrayFigureBoxes.push_back(PointsBox(points));
        m_nBoxedPoints = points.size();
    }
    return m_arrayFigureBoxes;
}

int TGPGraphicsPath::GetPointCount() const
{
    size_t count = 0;
    for (const TGPPathFigure& figure : m_arrayFigures) {
        count += figure.Points.size();
    }
    return static_cast<int>(count);
}

std::vector<TGPPointF> TGPGraphicsPath::GetPathPoints() const
{
    std::vector<TGPPointF> points;
    points.reserve(static_cast<size_t>(GetPointCount()));
    for (const TGPPathFigure& figure : m_arrayFigures) {
        points.insert(points.end(), figure.Points.begin(), figure.Points.end());
    }
    return points;
}

const QPainterPath& TGPGraphicsPath::ToQPainterPath() const
{
    if (!m_bQPathValid) {
        const Qt::FillRule rule = m_qPath.fillRule();
        m_qPath.clear();
        m_qPath.setFillRule(rule);
        for (const TGPPathFigure& figure : m_arrayFigures) {
            AppendFigure(m_qPath, figure);
        }
        m_bQPathValid = true;
    }
    return m_qPath;
}
