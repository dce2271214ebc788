#include "ui/Picture.h"

#include <QPainter>

TPicture::TPicture(QWidget* parent, const QString& p_sName) : QWidget(parent)
{
    setObjectName(p_sName);
}

void TPicture::SetPicture(const QPixmap& p_picture)
{
    m_picture = p_picture;
    update();
}

bool TPicture::LoadPicture(const QString& p_sPath)
{
    QPixmap picture;
    const bool loaded = picture.load(p_sPath);
    SetPicture(loaded ? picture : QPixmap());
    return loaded;
}

void TPicture::SetStretch(bool p_bStretch)
{
    m_bStretch = p_bStretch;
    update();
}

void TPicture::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull()) {
        return;
    }
    QPainter painter(this);
    if (m_bStretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), m_picture);
    } else {
        painter.drawPixmap(0, 0, m_picture);
    }
}
