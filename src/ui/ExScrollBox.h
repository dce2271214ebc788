#pragma once
// The board area's scroll box. Besides scrolling it reports mouse moves over its own scroll
// bars (which the window's other mouse handlers never see) in screen coordinates, and lets the
// window paint the area behind the scrolled content.

#include <QScrollArea>

#include <functional>

class QPainter;

class TExScrollBox : public QScrollArea {
public:
    // X and Y in screen coordinates.
    using TExEventNCMouseMove = std::function<void(int X, int Y)>;
    using TViewportPaint = std::function<void(QPainter& painter)>;

    explicit TExScrollBox(QWidget* parent = nullptr);

    void SetOnNcMouseMove(TExEventNCMouseMove p_handler) { FOnNcMouseMove = std::move(p_handler); }
    // Paints the visible area under the content (the content widget is transparent).
    void SetOnViewportPaint(TViewportPaint p_handler) { FOnViewportPaint = std::move(p_handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TExEventNCMouseMove FOnNcMouseMove;
    TViewportPaint FOnViewportPaint;
};
