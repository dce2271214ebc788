#include "ui/ExScrollBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

TExScrollBox::TExScrollBox(QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        // Moves without a pressed button reach the filter only with tracking on.
        bar->setMouseTracking(true);
        bar->installEventFilter(this);
    }
}

bool TExScrollBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && FOnNcMouseMove &&
        (watched == horizontalScrollBar() || watched == verticalScrollBar())) {
        const QPoint screen = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        FOnNcMouseMove(screen.x(), screen.y());
    }
    // The scroll bar still gets the move: it needs it for its hover and drag.
    return QScrollArea::eventFilter(watched, event);
}

void TExScrollBox::paintEvent(QPaintEvent* event)
{
    if (!FOnViewportPaint) {
        QScrollArea::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    FOnViewportPaint(painter);
}
