#include "platform/graphics/GPOutline.h"

#include "platform/graphics/GPPen.h"

#include <QPainterPathStroker>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

float EffectiveWidth(const TGPPen& pen)
{
    return pen.GetWidth() > 0.0f ? pen.GetWidth() : 1.0f;
}

namespace {

bool IsSimpleCap(TGPLineCap cap)
{
    return cap == TGPLineCap::Flat || cap == TGPLineCap::Square || cap == TGPLineCap::Round;
}

Qt::PenCapStyle ToQtCap(TGPLineCap cap)
{
    switch (cap) {
    case TGPLineCap::Square:
        return Qt::SquareCap;
    case TGPLineCap::Round:
        return Qt::RoundCap;
    default:
        return Qt::FlatCap;
    }
}

Qt::PenJoinStyle ToQtJoin(TGPLineJoin join)
{
    switch (join) {
    case TGPLineJoin::Bevel:
        return Qt::BevelJoin;
    case TGPLineJoin::Round:
        return Qt::RoundJoin;
    case TGPLineJoin::MiterClipped:
        return Qt::MiterJoin;
    default:
        return Qt::SvgMiterJoin;  // bevelled beyond the limit
    }
}

// Dash and gap lengths in pen widths.
QList<qreal> DashPattern(TGPDashStyle style)
{
    switch (style) {
    case TGPDashStyle::Dash:
        return {3, 1};
    case TGPDashStyle::Dot:
        return {1, 1};
    case TGPDashStyle::DashDot:
        return {3, 1, 1, 1};
    case TGPDashStyle::DashDotDot:
        return {3, 1, 1, 1, 1, 1};
    default:
        return {};
    }
}

// The pen's own caps go to the stroker only when both ends share one simple cap; dashes take
// flat ends (only the figure's two ends carry the pen's caps).
bool UniformCaps(const TGPPen& pen)
{
    return pen.GetStartCap() == pen.GetEndCap() && IsSimpleCap(pen.GetStartCap()) &&
           (pen.GetDashStyle() == TGPDashStyle::Solid || pen.GetStartCap() == TGPLineCap::Flat);
}

double SignedArea(const QPolygonF& polygon)
{
    double area = 0.0;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF& a = polygon[i];
        const QPointF& b = polygon[(i + 1) % polygon.size()];
        area += a.x() * b.y() - b.x() * a.y();
    }
    return area / 2.0;
}

// The turning sense of the stroker's outlines; added cap shapes must share it so the winding
// fill unites them with the stroke instead of cutting holes.
bool StrokerTurnsPositive()
{
    static const bool positive = [] {
        QPainterPath line;
        line.moveTo(0, 0);
        line.lineTo(10, 0);
        QPainterPathStroker stroker;
        stroker.setWidth(2);
        return SignedArea(stroker.createStroke(line).toFillPolygon()) > 0.0;
    }();
    return positive;
}

void AddOriented(QPainterPath& outline, const QPainterPath& shape)
{
    const bool positive = SignedArea(shape.toFillPolygon()) > 0.0;
    outline.addPath(positive == StrokerTurnsPositive() ? shape : shape.toReversed());
}

struct TEnd {
    QPointF Point;
    QPointF Outward;  // unit vector pointing away from the figure; (0, 0) for a figure of length 0
};

QPointF Unit(const QPointF& v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 0.0 ? v / length : QPointF();
}

TEnd FigureStart(const TGPPathFigure& figure)
{
    const TGPPointF& p = figure.Points.front();
    for (const TGPPointF& q : figure.Points) {
        if (!(q == p)) {
            return {QPointF(p.X, p.Y), Unit(QPointF(p.X - q.X, p.Y - q.Y))};
        }
    }
    return {QPointF(p.X, p.Y), QPointF()};
}

TEnd FigureEnd(const TGPPathFigure& figure)
{
    const TGPPointF& p = figure.Points.back();
    for (auto it = figure.Points.rbegin(); it != figure.Points.rend(); ++it) {
        if (!(*it == p)) {
            return {QPointF(p.X, p.Y), Unit(QPointF(p.X - it->X, p.Y - it->Y))};
        }
    }
    return {QPointF(p.X, p.Y), QPointF()};
}

QPainterPath ArrowShape(const TEnd& end, const TGPAdjustableArrowCap& cap, const TGPPen& pen)
{
    const double w = EffectiveWidth(pen);
    const QPointF u = end.Outward;
    const QPointF n(-u.y(), u.x());
    const QPointF back = end.Point - u * (cap.GetHeight() * w);
    const QPointF side = n * (cap.GetWidth() * w / 2.0);
    QPainterPath v;
    v.moveTo(back + side);
    v.lineTo(end.Point);
    v.lineTo(back - side);
    if (cap.IsFilled()) {
        v.closeSubpath();
    }
    QPainterPathStroker stroker;
    stroker.setWidth(w);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(ToQtJoin(pen.GetLineJoin()));
    stroker.setMiterLimit(pen.GetMiterLimit());
    QPainterPath shape = stroker.createStroke(v);
    if (cap.IsFilled()) {
        QPainterPath triangle;
        triangle.addPolygon(QPolygonF({back + side, end.Point, back - side}));
        triangle.closeSubpath();
        AddOriented(shape, triangle);
    }
    return shape;
}

void AddCap(QPainterPath& outline, const TEnd& end, TGPLineCap capStyle,
            const std::optional<TGPAdjustableArrowCap>& custom, const TGPPen& pen)
{
    const double half = EffectiveWidth(pen) / 2.0;
    // A figure of length 0 has no direction: square caps stand upright, triangles and arrows
    // are left out.
    const QPointF u = end.Outward.isNull() ? QPointF(1, 0) : end.Outward;
    const QPointF n(-u.y(), u.x());
    QPainterPath shape;
    switch (capStyle) {
    case TGPLineCap::Round:
        shape.addEllipse(end.Point, half, half);
        break;
    case TGPLineCap::Square:
        shape.addPolygon(QPolygonF({end.Point + n * half - (end.Outward.isNull() ? u * half : QPointF()),
                                    end.Point + n * half + u * half, end.Point - n * half + u * half,
                                    end.Point - n * half - (end.Outward.isNull() ? u * half : QPointF())}));
        shape.closeSubpath();
        break;
    case TGPLineCap::Triangle:
        if (end.Outward.isNull()) {
            return;
        }
        shape.addPolygon(QPolygonF({end.Point + n * half, end.Point + u * half, end.Point - n * half}));
        shape.closeSubpath();
        break;
    case TGPLineCap::Custom:
        if (!custom || end.Outward.isNull()) {
            return;
        }
        outline.addPath(ArrowShape(end, *custom, pen));
        return;
    default:
        return;
    }
    AddOriented(outline, shape);
}

}  // namespace

void AppendFigureSegments(QPainterPath& qpath, const TGPPathFigure& figure, size_t from)
{
    for (size_t i = from; i < figure.Points.size(); ++i) {
        const QPointF p(figure.Points[i].X, figure.Points[i].Y);
        switch (figure.Types[i]) {
        case TGPPathPointType::Start:
            qpath.moveTo(p);
            break;
        case TGPPathPointType::Line:
            qpath.lineTo(p);
            break;
        case TGPPathPointType::Bezier: {
            // A cubic segment is three Bezier points; the third ends it.
            const TGPPointF& c1 = figure.Points[i];
            const TGPPointF& c2 = figure.Points[i + 1];
            const TGPPointF& end = figure.Points[i + 2];
            qpath.cubicTo(c1.X, c1.Y, c2.X, c2.Y, end.X, end.Y);
            i += 2;
            break;
        }
        }
    }
}

void AppendFigure(QPainterPath& qpath, const TGPPathFigure& figure)
{
    AppendFigureSegments(qpath, figure, 0);
    if (figure.Closed) {
        qpath.closeSubpath();
    }
}

QPainterPath BuildPenOutline(std::span<const TGPPathFigure> figures, const TGPPen& pen)
{
    const bool uniform = UniformCaps(pen);
    QPainterPathStroker stroker;
    stroker.setWidth(EffectiveWidth(pen));
    stroker.setCapStyle(uniform ? ToQtCap(pen.GetStartCap()) : Qt::FlatCap);
    stroker.setJoinStyle(ToQtJoin(pen.GetLineJoin()));
    stroker.setMiterLimit(pen.GetMiterLimit());
    if (pen.GetDashStyle() != TGPDashStyle::Solid) {
        stroker.setDashPattern(DashPattern(pen.GetDashStyle()));
    }
    QPainterPath figurePath;
    for (const TGPPathFigure& figure : figures) {
        AppendFigure(figurePath, figure);
    }
    QPainterPath outline = stroker.createStroke(figurePath);
    outline.setFillRule(Qt::WindingFill);
    for (const TGPPathFigure& figure : figures) {
        // The stroker gives a figure of length 0 no caps at all; the pen still shows its caps
        // there (a round pen leaves a dot).
        if (figure.Closed || (uniform && !IsDegenerate(figure))) {
            continue;
        }
        AddCap(outline, FigureStart(figure), pen.GetStartCap(), pen.GetCustomStartCap(), pen);
        AddCap(outline, FigureEnd(figure), pen.GetEndCap(), pen.GetCustomEndCap(), pen);
    }
    return outline;
}

bool IsDegenerate(const TGPPathFigure& figure)
{
    const TGPPointF& first = figure.Points.front();
    return std::all_of(figure.Points.begin(), figure.Points.end(), [&](const TGPPointF& p) { return p == first; });
}

float PenReach(const TGPPen& pen)
{
    const float w = EffectiveWidth(pen);
    const bool mitered = pen.GetLineJoin() == TGPLineJoin::Miter || pen.GetLineJoin() == TGPLineJoin::MiterClipped;
    const float miter = std::max(1.0f, pen.GetMiterLimit());
    // Square caps reach to the corners of a half-width square; miters up to the limit.
    float reach = w / 2.0f * std::max(mitered ? miter : 1.0f, std::numbers::sqrt2_v<float>);
    for (const auto& cap : {pen.GetCustomStartCap(), pen.GetCustomEndCap()}) {
        if (cap) {
            reach = std::max(reach, w * (std::hypot(cap->GetHeight(), cap->GetWidth() / 2.0f) + 1.0f) +
                                        w / 2.0f * miter);
        }
    }
    return reach + 1.0f;
}
