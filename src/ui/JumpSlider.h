#pragma once
// A horizontal slider whose track takes the handle to the pressed point and starts dragging it
// from there, instead of stepping a page towards it: every press ends in one release, at the
// value the learner sees. It can mark how far has been played: a band under the groove from
// the start up to that value.

#include <QColor>
#include <QSize>
#include <QSlider>

class TJumpSlider : public QSlider {
public:
    static inline const QColor kPlayedColor{0xE8, 0xA0, 0x30};
    static constexpr int kPlayedHeight = 3;

    explicit TJumpSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

    // The value the handle takes when pressed at p_nX (widget pixels).
    int ValueAt(int p_nX) const;
    // The x at which the handle's centre stands for the value.
    int XOf(int p_nValue) const;
    // The furthest value played, marked under the groove; below the minimum, no mark.
    void SetPlayedLimit(int p_nValue);
    int GetPlayedLimit() const { return m_nPlayedLimit; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void sliderChange(SliderChange p_change) override;
    void changeEvent(QEvent* event) override;

private:
    struct TTrack {
        QSize size;           // what it was asked for; no size when invalid
        int minimum = 0;
        int maximum = 0;
        int left = 0;         // the handle centre's leftmost x
        int span = 0;         // how far the handle centre travels
        int handleWidth = 0;
    };

    const TTrack& Track() const;
    int PlayedRight() const;

    mutable TTrack m_track;
    int m_nPlayedLimit = -1;
    int m_nPaintedHandleX = -1;   // where the last paint put the handle's centre
};
