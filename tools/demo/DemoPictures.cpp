#include "DemoPictures.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

QByteArray ToPng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

namespace {

void GridLines(QPainter& painter, QSize size, int spacing, const QColor& colour)
{
    painter.setPen(QPen(colour, 1.0));
    for (int x = spacing; x < size.width(); x += spacing)
        painter.drawLine(QPointF(x + 0.5, 0.0), QPointF(x + 0.5, size.height()));
    for (int y = spacing; y < size.height(); y += spacing)
        painter.drawLine(QPointF(0.0, y + 0.5), QPointF(size.width(), y + 0.5));
}

} // namespace

QByteArray MakeGraphPaperPng(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(252, 253, 248));
    QPainter painter(&image);
    GridLines(painter, size, 20, QColor(224, 236, 226));
    GridLines(painter, size, 100, QColor(190, 212, 196));
    painter.end();
    return ToPng(image);
}

QByteArray MakeAreaCardPng(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRoundedRect(QRectF(1.0, 1.0, side - 2.0, side - 2.0), side * 0.08, side * 0.08);
    // Unit 1 is a quarter of x; the model fills the card with a margin.
    const double margin = side * 0.12;
    const double x = (side - 2.0 * margin) * 0.75, one = (side - 2.0 * margin) * 0.25;
    painter.setPen(QPen(QColor(54, 96, 146), 2.0));
    painter.setBrush(QColor(184, 204, 228));
    painter.drawRect(QRectF(margin, margin, x, x));
    painter.setBrush(QColor(215, 227, 188));
    painter.drawRect(QRectF(margin + x, margin, one, x));
    painter.drawRect(QRectF(margin, margin + x, x, one));
    painter.setBrush(QColor(251, 213, 181));
    painter.drawRect(QRectF(margin + x, margin + x, one, one));
    painter.end();
    return ToPng(image);
}
