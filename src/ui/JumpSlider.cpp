#include "ui/JumpSlider.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {

struct TTrackSpan {
    int left = 0;    // the handle centre's leftmost x
    int span = 0;    // how far the handle centre travels
};

TTrackSpan TrackSpan(const QSlider& p_slider)
{
    QStyleOptionSlider option;
    option.initFrom(&p_slider);
    option.orientation = Qt::Horizontal;
    option.minimum = p_slider.minimum();
    option.maximum = p_slider.maximum();
    option.sliderPosition = p_slider.sliderPosition();
    option.sliderValue = p_slider.value();
    const QStyle* style = p_slider.style();
    const QRect handle = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &p_slider);
    const QRect groove = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &p_slider);
    return {groove.left() + handle.width() / 2, groove.width() - handle.width()};
}

} // namespace

int TJumpSlider::ValueAt(int p_nX) const
{
    const TTrackSpan track = TrackSpan(*this);
    return QStyle::sliderValueFromPosition(minimum(), maximum(), p_nX - track.left, track.span);
}

int TJumpSlider::XOf(int p_nValue) const
{
    const TTrackSpan track = TrackSpan(*this);
    return track.left + QStyle::sliderPositionFromValue(minimum(), maximum(), p_nValue, track.span);
}

void TJumpSlider::SetPlayedLimit(int p_nValue)
{
    if (p_nValue != m_nPlayedLimit) {
        m_nPlayedLimit = p_nValue;
        update();
    }
}

void TJumpSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        if (!handle.contains(event->position().toPoint())) {
            setSliderPosition(ValueAt(event->position().toPoint().x()));
        }
    }
    QSlider::mousePressEvent(event);
}

// While a page plays the value changes on every tick of the frame clock, but the handle moves
// by a pixel only every few ticks on a long session: the slider is repainted when it does.
void TJumpSlider::sliderChange(SliderChange p_change)
{
    if (p_change == SliderValueChange && !isSliderDown() && XOf(value()) == m_nPaintedHandleX) {
        return;
    }
    QSlider::sliderChange(p_change);
}

void TJumpSlider::paintEvent(QPaintEvent* event)
{
    m_nPaintedHandleX = XOf(sliderPosition());
    QSlider::paintEvent(event);
    if (m_nPlayedLimit < minimum()) {
        return;
    }
    QPainter painter(this);
    const int left = XOf(minimum());
    const int right = XOf(std::min(m_nPlayedLimit, maximum()));
    painter.fillRect(QRect(left, height() - kPlayedHeight, right - left + 1, kPlayedHeight), kPlayedColor);
}
