#include "ui/Picture.h"

#include "platform/graphics/DevicePixels.h"

#include <QEvent>
#include <QPainter>

QPixmap LoadPictureForRatio(const QString& p_sPath, qreal p_dRatio)
{
    const TPictureFile file = PictureFileForRatio(p_sPath, p_dRatio);
    QPixmap picture;
    if (picture.load(file.path)) {
        picture.setDevicePixelRatio(file.ratio);
    }
    return picture;
}

TPicture::TPicture(QWidget* parent, const QString& p_sName) : QWidget(parent)
{
    setObjectName(p_sName);
}

void TPicture::SetPicture(const QPixmap& p_picture)
{
    SetPicture(p_picture, QString());
}

void TPicture::SetPicture(const QPixmap& p_picture, const QString& p_sPath)
{
    m_picture = p_picture;
    m_sPath = p_picture.isNull() ? QString() : p_sPath;
    update();
}

bool TPicture::LoadPicture(const QString& p_sPath)
{
    SetPicture(LoadPictureForRatio(p_sPath, devicePixelRatioF()), p_sPath);
    return !m_picture.isNull();
}

void TPicture::SetStretch(bool p_bStretch)
{
    m_bStretch = p_bStretch;
    update();
}

bool TPicture::event(QEvent* event)
{
    if (event->type() == QEvent::ScreenChangeInternal && !m_sPath.isEmpty() &&
        PictureFileForRatio(m_sPath, devicePixelRatioF()).ratio != m_picture.devicePixelRatio()) {
        LoadPicture(m_sPath);
    }
    return QWidget::event(event);
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
