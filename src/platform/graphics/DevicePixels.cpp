#include "platform/graphics/DevicePixels.h"

#include "platform/ContentFile.h"

#include <QFileInfo>
#include <QRectF>

#include <cmath>

QSize DeviceSize(const QSize& p_szLogical, qreal p_dRatio)
{
    return {static_cast<int>(std::ceil(p_szLogical.width() * p_dRatio)),
            static_cast<int>(std::ceil(p_szLogical.height() * p_dRatio))};
}

QRect DeviceRect(const QRect& p_rtLogical, qreal p_dRatio)
{
    if (p_rtLogical.isEmpty()) {
        return {};
    }
    const QRectF logical(p_rtLogical);
    return QRectF(logical.topLeft() * p_dRatio, logical.size() * p_dRatio).toAlignedRect();
}

QRect LogicalRect(const QRect& p_rtDevice, qreal p_dRatio)
{
    if (p_rtDevice.isEmpty()) {
        return {};
    }
    const QRectF device(p_rtDevice);
    return QRectF(device.topLeft() / p_dRatio, device.size() / p_dRatio).toAlignedRect();
}

QString HighResolutionFileName(const QString& p_sPath)
{
    const QFileInfo info(p_sPath);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? p_sPath : p_sPath.left(p_sPath.size() - suffix.size() - 1);
    return suffix.isEmpty() ? stem + QStringLiteral("@2x") : stem + QStringLiteral("@2x.") + suffix;
}

TPictureFile PictureFileForRatio(const QString& p_sPath, qreal p_dRatio)
{
    if (p_dRatio > 1.0) {
        const QString highResolution = HighResolutionFileName(p_sPath);
        if (IsRegularFile(highResolution)) {
            return {highResolution, 2.0};
        }
    }
    return {p_sPath, 1.0};
}
