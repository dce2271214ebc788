#include "draw/DrawPopBlinker.h"

#include "platform/graphics/DevicePixels.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPImage.h"
#include "session/FileUtil.h"

TDrawPopBlinker::TDrawPopBlinker(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo,
                                 PopBlinkerType p_enumPopBlinkerType, const QString& p_sExeDirectory)
    : TDrawParent(DrawType::PopBlinker, p_pbDraw, p_u32DrawNo), m_enumPopBlinkerType(p_enumPopBlinkerType)
{
    const QString fileName = PictureFileName(p_enumPopBlinkerType);
    if (!fileName.isEmpty()) {
        const QString path = JoinPath(p_sExeDirectory, QStringLiteral("image"), fileName);
        m_imgPopBlinker = std::make_unique<TGPImage>(path);
        const TPictureFile fine = PictureFileForRatio(path, 2.0);
        if (fine.ratio > 1.0) {
            m_imgPopBlinkerFine = std::make_unique<TGPImage>(path, fine.ratio);
        }
    }
}

TDrawPopBlinker::~TDrawPopBlinker() = default;

QString TDrawPopBlinker::PictureFileName(PopBlinkerType p_enumPopBlinkerType)
{
    switch (p_enumPopBlinkerType) {
    case PopBlinkerType::FireWork:
        return QStringLiteral("PopBlinker1ToolCursor.png");
    case PopBlinkerType::Important:
        return QStringLiteral("PopBlinker2ToolCursor.png");
    case PopBlinkerType::PopEyes:
        return QStringLiteral("PopBlinker3ToolCursor.png");
    default:
        return {};
    }
}

void TDrawPopBlinker::InitBounds(float p_fX, float p_fY)
{
    const float width = m_imgPopBlinker ? static_cast<float>(m_imgPopBlinker->GetWidth()) : 0.0f;
    const float height = m_imgPopBlinker ? static_cast<float>(m_imgPopBlinker->GetHeight()) : 0.0f;
    SetBounds({p_fX, p_fY, width, height});
}

void TDrawPopBlinker::Draw(TGPGraphics& p_gGraphics)
{
    if (m_imgPopBlinkerFine && p_gGraphics.GetDevicePixelRatio() > 1.0) {
        p_gGraphics.DrawImage(*m_imgPopBlinkerFine, m_rtBounds);
    } else if (m_imgPopBlinker) {
        p_gGraphics.DrawImage(*m_imgPopBlinker, m_rtBounds);
    }
}

void TDrawPopBlinker::Dispose()
{
    m_imgPopBlinker.reset();
    m_imgPopBlinkerFine.reset();
    TDrawParent::Dispose();
}
