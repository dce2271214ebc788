#include "ui/JumpSlider.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

void TJumpSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        if (!handle.contains(event->position().toPoint())) {
            const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
            const int span = groove.width() - handle.width();
            const int x = event->position().toPoint().x() - groove.left() - handle.width() / 2;
            setSliderPosition(QStyle::sliderValueFromPosition(minimum(), maximum(), x, span, option.upsideDown));
        }
    }
    QSlider::mousePressEvent(event);
}
