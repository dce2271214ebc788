#include "ui/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include <cmath>

namespace {

constexpr int kIconSize = 48;   // painted large, shown smaller: crisp on any screen scale
const QColor kIconColor(0xE6, 0xEA, 0xF0);
const QColor kIconDisabledColor(0x6B, 0x72, 0x80);

QPainterPath Triangle(QPointF a, QPointF b, QPointF c)
{
    QPainterPath path(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

void PaintMagnifier(QPainter& p, bool p_bPlus)
{
    p.drawEllipse(QPointF(20, 20), 12, 12);
    p.drawLine(QPointF(29, 29), QPointF(40, 40));
    p.drawLine(QPointF(14, 20), QPointF(26, 20));
    if (p_bPlus) {
        p.drawLine(QPointF(20, 14), QPointF(20, 26));
    }
}

// A circular arrow round "10", open at the bottom; p_bForward turns it clockwise.
void PaintJump(QPainter& p, bool p_bForward)
{
    const QRectF ring(6, 6, 36, 36);
    const qreal start = p_bForward ? 200 : -20;
    const qreal sweep = p_bForward ? -250 : 250;
    QPainterPath arc;
    arc.arcMoveTo(ring, start);
    arc.arcTo(ring, start, sweep);
    p.drawPath(arc);
    // The head points along the arc's end (angles count counter-clockwise, y grows downwards).
    const QPointF end = arc.pointAtPercent(1.0);
    const qreal angle = qDegreesToRadians(arc.angleAtPercent(1.0));
    const QPointF direction(std::cos(angle), -std::sin(angle));
    const QPointF normal(-direction.y(), direction.x());
    p.fillPath(Triangle(end + direction * 9, end + normal * 8, end - normal * 8), p.pen().color());
    QFont font = p.font();
    font.setPixelSize(17);
    font.setBold(true);
    p.setFont(font);
    p.drawText(ring, Qt::AlignCenter, QStringLiteral("10"));
}

void PaintSpeed(QPainter& p, bool p_bUp)
{
    const qreal dx = p_bUp ? 1 : -1;
    for (int i = 0; i < 2; ++i) {
        const qreal x = 24 + dx * (i * 12 - 6);
        p.fillPath(Triangle(QPointF(x - dx * 8, 12), QPointF(x + dx * 8, 24), QPointF(x - dx * 8, 36)), p.pen().color());
    }
}

void PaintIcon(QPainter& p, TToolIcon p_icon)
{
    const QColor color = p.pen().color();
    switch (p_icon) {
    case TToolIcon::Play:
        p.fillPath(Triangle(QPointF(15, 9), QPointF(39, 24), QPointF(15, 39)), color);
        break;
    case TToolIcon::Pause:
        p.fillRect(QRectF(13, 10, 8, 28), color);
        p.fillRect(QRectF(27, 10, 8, 28), color);
        break;
    case TToolIcon::Back10:
        PaintJump(p, false);
        break;
    case TToolIcon::Forward10:
        PaintJump(p, true);
        break;
    case TToolIcon::SpeedDown:
        PaintSpeed(p, false);
        break;
    case TToolIcon::SpeedUp:
        PaintSpeed(p, true);
        break;
    case TToolIcon::ZoomIn:
        PaintMagnifier(p, true);
        break;
    case TToolIcon::ZoomOut:
        PaintMagnifier(p, false);
        break;
    case TToolIcon::Close:
        p.drawLine(QPointF(14, 14), QPointF(34, 34));
        p.drawLine(QPointF(34, 14), QPointF(14, 34));
        break;
    case TToolIcon::StepLeft:
        p.fillPath(Triangle(QPointF(30, 14), QPointF(18, 24), QPointF(30, 34)), color);
        break;
    case TToolIcon::StepRight:
        p.fillPath(Triangle(QPointF(18, 14), QPointF(30, 24), QPointF(18, 34)), color);
        break;
    case TToolIcon::Volume: {
        QPainterPath speaker(QPointF(8, 19));
        speaker.lineTo(16, 19);
        speaker.lineTo(26, 10);
        speaker.lineTo(26, 38);
        speaker.lineTo(16, 29);
        speaker.lineTo(8, 29);
        speaker.closeSubpath();
        p.fillPath(speaker, color);
        p.drawArc(QRectF(22, 14, 16, 20), -50 * 16, 100 * 16);
        p.drawArc(QRectF(22, 8, 22, 32), -50 * 16, 100 * 16);
        break;
    }
    }
}

QPixmap PaintPixmap(TToolIcon p_icon, const QColor& p_color)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(p_color, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    PaintIcon(painter, p_icon);
    return pixmap;
}

} // namespace

QIcon MakeToolIcon(TToolIcon p_icon)
{
    QIcon icon;
    icon.addPixmap(PaintPixmap(p_icon, kIconColor), QIcon::Normal);
    icon.addPixmap(PaintPixmap(p_icon, kIconDisabledColor), QIcon::Disabled);
    return icon;
}
