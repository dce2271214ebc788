#include "ui/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kIconSize = 48;   // painted large, shown smaller: crisp on any screen scale
const QColor kIconColor(0xE6, 0xEA, 0xF0);
const QColor kIconDisabledColor(0x6B, 0x72, 0x80);

QPixmap PaintPixmap(TToolIcon p_icon, const QColor& p_color)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal tip = p_icon == TToolIcon::StepLeft ? 18 : 30;
    const qreal back = p_icon == TToolIcon::StepLeft ? 30 : 18;
    QPainterPath arrow(QPointF(back, 14));
    arrow.lineTo(tip, 24);
    arrow.lineTo(back, 34);
    arrow.closeSubpath();
    painter.fillPath(arrow, p_color);
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
