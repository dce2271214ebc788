#include "ui/PaintBox.h"

#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent, const QString& p_sName) : QWidget(parent)
{
    setObjectName(p_sName);
    setMouseTracking(true);
}

void TPaintBox::paintEvent(QPaintEvent* event)
{
    if (m_onPaint) {
        QPainter painter(this);
        m_onPaint(painter, event->region());
    }
}
