// Small pictures of the default skin: the attention markers.

#include "SkinArt.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr int kMarkerSize = 32;

// Twelve rays in four colours around a bright core, each ending in a spark.
QImage Fireworks()
{
    QImage image = ClearImage(kMarkerSize, kMarkerSize);
    QPainter painter(&image);
    BeginSmooth(painter);
    const std::array<QColor, 4> colours = {QColor(255, 149, 0), QColor(236, 72, 153), QColor(59, 130, 246),
                                           QColor(250, 204, 21)};
    const QPointF centre(16.0, 16.0);
    for (int i = 0; i < 12; ++i) {
        const double angle = i * std::numbers::pi / 6.0;
        const double inner = 4.5, outer = (i % 2 == 0) ? 12.0 : 10.0;
        const QPointF dir(std::cos(angle), std::sin(angle));
        const QColor colour = colours[static_cast<std::size_t>(i % 4)];
        painter.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre + dir * inner, centre + dir * outer);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(centre + dir * (outer + 2.2), 1.7, 1.7);
    }
    painter.setBrush(QColor(255, 236, 179));
    painter.drawEllipse(centre, 3.0, 3.0);
    return image;
}

// A red round badge with a white exclamation mark, drawn as shapes so no font is needed.
QImage ImportantBadge()
{
    QImage image = ClearImage(kMarkerSize, kMarkerSize);
    QPainter painter(&image);
    BeginSmooth(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawEllipse(QPointF(16.0, 17.0), 14.5, 14.5);
    painter.setPen(QPen(Qt::white, 2.0));
    painter.setBrush(QColor(229, 72, 77));
    painter.drawEllipse(QPointF(16.0, 16.0), 13.5, 13.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    QPainterPath bar;
    bar.moveTo(13.6, 7.0);
    bar.lineTo(18.4, 7.0);
    bar.lineTo(17.2, 19.0);
    bar.lineTo(14.8, 19.0);
    bar.closeSubpath();
    painter.drawPath(bar);
    painter.drawEllipse(QPointF(16.0, 23.2), 2.1, 2.1);
    return image;
}

// Two eyes looking to the right, with a glint in each pupil.
QImage Eyes()
{
    QImage image = ClearImage(kMarkerSize, kMarkerSize);
    QPainter painter(&image);
    BeginSmooth(painter);
    for (const double cx : {10.0, 22.0}) {
        painter.setPen(QPen(QColor(51, 65, 85), 1.6));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(cx, 16.0), 6.6, 9.2);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(30, 41, 59));
        painter.drawEllipse(QPointF(cx + 2.2, 17.0), 3.3, 3.9);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(cx + 3.2, 15.6), 1.1, 1.1);
    }
    return image;
}

} // namespace

std::vector<TSkinPicture> MakeMarkerPictures()
{
    return {
        {"PopBlinker1ToolCursor.png", Fireworks()},
        {"PopBlinker2ToolCursor.png", ImportantBadge()},
        {"PopBlinker3ToolCursor.png", Eyes()},
    };
}
