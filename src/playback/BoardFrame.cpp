#include "playback/BoardFrame.h"

#include "platform/Rounding.h"
#include "platform/graphics/DevicePixels.h"
#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPImage.h"
#include "platform/graphics/GPTextureBrush.h"
#include "playback/PlaybackView.h"
#include "session/FileUtil.h"

#include <QPainter>

namespace {

constexpr int kFramePiece = 20;   // corners 20 x 20, edges 20 thick

// Frame piece suffixes in drawing order: top-left, left, bottom-left, bottom, bottom-right,
// right, top-right, top.
const std::array<QString, 8> kFrameSuffix = {
    QStringLiteral("LT.png"), QStringLiteral("L.png"),  QStringLiteral("LB.png"), QStringLiteral("B.png"),
    QStringLiteral("RB.png"), QStringLiteral("R.png"), QStringLiteral("RT.png"), QStringLiteral("T.png"),
};

QString FrameSetName(const QString& p_sFrameImageType)
{
    if (p_sFrameImageType == QLatin1String("WhiteNote")) {
        return QStringLiteral("WhiteNoteFrame");
    }
    if (p_sFrameImageType == QLatin1String("BlackBoard") || p_sFrameImageType == QLatin1String("LectureImage")) {
        return QStringLiteral("WhiteBoardFrame");
    }
    return QString();
}

int Round(double p_dValue)
{
    return static_cast<int>(RoundHalfEven(p_dValue));
}

void FillTiled(TGPGraphics& p_graphics, const TGPImage& p_image, const TGPRectF& p_rect, float p_fOriginX,
               float p_fOriginY)
{
    TGPTextureBrush brush(p_image);
    brush.TranslateTransform(p_fOriginX, p_fOriginY);
    p_graphics.FillRectangle(brush, p_rect);
}

// Pixel centres at half coordinates, as on the board: the pictures' pixels land on the target's
// pixels instead of half a pixel down and right, which left a line of the panel's colour along
// the top and left edges.
void AlignToPixels(TGPGraphics& p_graphics)
{
    p_graphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
}

} // namespace

QRect PlaceFramedBoard(const TBoardAreaLayout& p_layout, const TIntPoint& p_ptOriginalImage, float p_fViewRatio)
{
    const double ratio = p_fViewRatio;
    const int fw = Round(ratio * p_ptOriginalImage.X + 2 * kBoardFrameMargin);
    const int fh = Round(p_ptOriginalImage.Y * ratio + 2 * kBoardFrameMargin);
    const QSize screen = p_layout.screen;
    const int statusHeight = p_layout.statusHeight;
    const bool statusFix = p_layout.statusFix;
    int left = 0;
    int top = 0;
    if (p_layout.centerAlign) {
        left = Round((screen.width() - fw) / 2.0);
        top = statusFix ? Round((screen.height() - fh - statusHeight) / 2.0) : Round((screen.height() - fh) / 2.0);
    }
    if ((statusFix && screen.height() - statusHeight < fh) || (!statusFix && screen.height() < fh)) {
        top = 0;
    }
    if (screen.width() < fw) {
        left = 0;
    }
    return {left, top, fw, fh};
}

QImage PointerStickImage(qreal p_dDevicePixelRatio)
{
    QImage image(DeviceSize(QSize(kPointerStickSize, kPointerStickSize), p_dDevicePixelRatio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(p_dDevicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x3B, 0x2A, 0x1E, 110), 5.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(6, 6), QPointF(30, 30));
    painter.setPen(QPen(QColor(0xB9, 0x82, 0x4C), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(5, 5), QPointF(29, 29));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE5, 0x3E, 0x3E));
    painter.drawEllipse(QPointF(4.5, 4.5), 3.5, 3.5);
    return image;
}

TBoardFrame::TBoardFrame() = default;
TBoardFrame::~TBoardFrame() = default;

void TBoardFrame::LoadDesk(const QString& p_sPath)
{
    m_sDeskPath = p_sPath;
    m_gpImageBackGround = std::make_unique<TGPImage>(p_sPath, m_dDevicePixelRatio);
}

void TBoardFrame::LoadFrame(const QString& p_sImageFolder, const QString& p_sFrameImageType)
{
    m_sImageFolder = p_sImageFolder;
    m_sFrameImageType = p_sFrameImageType;
    const QString set = FrameSetName(p_sFrameImageType);
    for (size_t i = 0; i < kFrameSuffix.size(); ++i) {
        m_gpImageFrame[i] = std::make_unique<TGPImage>(JoinPath(p_sImageFolder, set + kFrameSuffix[i]), m_dDevicePixelRatio);
    }
}

void TBoardFrame::SetDevicePixelRatio(qreal p_dRatio)
{
    if (p_dRatio == m_dDevicePixelRatio) {
        return;
    }
    m_dDevicePixelRatio = p_dRatio;
    if (m_gpImageBackGround) {
        LoadDesk(m_sDeskPath);
    }
    if (m_gpImageFrame[0]) {
        LoadFrame(m_sImageFolder, m_sFrameImageType);
    }
}

void TBoardFrame::Clear()
{
    m_gpImageBackGround.reset();
    for (std::unique_ptr<TGPImage>& piece : m_gpImageFrame) {
        piece.reset();
    }
}

void TBoardFrame::PaintDesk(TGPGraphics& p_graphics, const QSize& p_area) const
{
    if (!m_gpImageBackGround) {
        return;
    }
    AlignToPixels(p_graphics);
    FillTiled(p_graphics, *m_gpImageBackGround,
              {0.0f, 0.0f, static_cast<float>(p_area.width()), static_cast<float>(p_area.height())}, 0.0f, 0.0f);
}

void TBoardFrame::PaintFrame(TGPGraphics& p_graphics, const QSize& p_box) const
{
    const float W = static_cast<float>(p_box.width());
    const float H = static_cast<float>(p_box.height());
    const float piece = kFramePiece;
    PaintDesk(p_graphics, p_box);
    if (!m_gpImageFrame[0]) {
        return;
    }
    AlignToPixels(p_graphics);
    const auto& frame = m_gpImageFrame;
    p_graphics.DrawImage(*frame[0], 0.0f, 0.0f);
    FillTiled(p_graphics, *frame[1], {0.0f, piece, static_cast<float>(frame[1]->GetWidth()), H - 2 * piece}, 0.0f,
              piece);
    p_graphics.DrawImage(*frame[2], 0.0f, H - piece);
    FillTiled(p_graphics, *frame[3], {piece, H - piece, W - 2 * piece, static_cast<float>(frame[3]->GetHeight())},
              piece, H - piece);
    p_graphics.DrawImage(*frame[4], W - piece, H - piece);
    FillTiled(p_graphics, *frame[5], {W - piece, piece, piece, H - 2 * piece}, W - piece, piece);
    p_graphics.DrawImage(*frame[6], W - piece, 0.0f);
    FillTiled(p_graphics, *frame[7], {piece, 0.0f, W - 2 * piece, piece}, piece, 0.0f);
}
