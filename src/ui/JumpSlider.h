#pragma once
// A horizontal slider whose track takes the handle to the pressed point and starts dragging it
// from there, instead of stepping a page towards it: every press ends in one release, at the
// value the learner sees.

#include <QSlider>

class TJumpSlider : public QSlider {
public:
    explicit TJumpSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
