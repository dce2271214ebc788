#include "ui/JumpSlider.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {

// Beyond the handle's half width, what the style may paint around its centre (antialiased edges).
constexpr int kHandleMargin = 2;

} // namespace

// The style's geometry of the handle, asked again only when the size, the range or the style
// changed: asking a style sheet's style is most of what a tick costs the window.
const TJumpSlider::TTrack& TJumpSlider::Track() const
{
    if (m_track.size != size() || m_track.minimum != minimum() || m_track.maximum != maximum()) {
        QStyleOptionSlider option;
        initStyleOption(&option);
        const auto handleAt = [&](int p_nValue) {
            option.sliderPosition = option.sliderValue = p_nValue;
            return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        };
        const QRect first = handleAt(minimum());
        const QRect last = handleAt(maximum());
        m_track = {size(), minimum(), maximum(), first.left() + first.width() / 2, last.left() - first.left(), first.width()};
    }
    return m_track;
}

int TJumpSlider::ValueAt(int p_nX) const
{
    const TTrack& track = Track();
    return QStyle::sliderValueFromPosition(minimum(), maximum(), p_nX - track.left, track.span);
}

int TJumpSlider::XOf(int p_nValue) const
{
    const TTrack& track = Track();
    return track.left + QStyle::sliderPositionFromValue(minimum(), maximum(), p_nValue, track.span);
}

// The right end of the played band, or left of the track when there is none.
int TJumpSlider::PlayedRight() const
{
    return m_nPlayedLimit < minimum() ? XOf(minimum()) - 1 : XOf(std::min(m_nPlayedLimit, maximum()));
}

void TJumpSlider::SetPlayedLimit(int p_nValue)
{
    if (p_nValue == m_nPlayedLimit) {
        return;
    }
    const int before = PlayedRight();
    m_nPlayedLimit = p_nValue;
    const int after = PlayedRight();
    if (after != before) {
        update(QRect(QPoint(std::min(before, after) - 1, height() - kPlayedHeight),
                     QPoint(std::max(before, after) + 1, height() - 1)));
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
// by a pixel only every few ticks on a long session: the slider is repainted when it does, and
// only between where the handle was painted and where it goes (the filled groove ends there too).
void TJumpSlider::sliderChange(SliderChange p_change)
{
    if (p_change != SliderValueChange || isSliderDown() || m_nPaintedHandleX < 0) {
        QSlider::sliderChange(p_change);
        return;
    }
    const int x = XOf(value());
    if (x != m_nPaintedHandleX) {
        const int reach = Track().handleWidth / 2 + kHandleMargin;
        update(QRect(QPoint(std::min(x, m_nPaintedHandleX) - reach, 0),
                     QPoint(std::max(x, m_nPaintedHandleX) + reach, height() - 1)));
    }
}

void TJumpSlider::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::StyleChange) {
        m_track = {};
    }
    QSlider::changeEvent(event);
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
    painter.fillRect(QRect(left, height() - kPlayedHeight, PlayedRight() - left + 1, kPlayedHeight), kPlayedColor);
}
