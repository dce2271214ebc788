// The backgrounds of the title bar, the tool bar and the play bar. Each bar's three parts share one
// vertical gradient, so the left, client (stretched) and right pictures meet without a seam. The
// tool bar's left part sets the speed controls in a recessed well and parts the other buttons
// into groups with etched lines that fall into the gaps between the buttons.

#include "SkinArt.h"

#include <QLinearGradient>
#include <QPainter>

#include <initializer_list>

namespace {

constexpr int kTitleHeight = 30;
constexpr int kToolHeight = 53;
constexpr int kPlayHeight = 25;
constexpr int kClientWidth = 16;   // the client parts are stretched across

struct TBarLook {
    QColor top;
    QColor bottom;
};

const TBarLook kTitleLook{QColor(0x26, 0x2C, 0x38), QColor(0x1E, 0x23, 0x2C)};
const TBarLook kToolLook{QColor(0x25, 0x2B, 0x37), QColor(0x1B, 0x20, 0x28)};
const TBarLook kPlayLook{QColor(0x1A, 0x1F, 0x27), QColor(0x16, 0x1A, 0x21)};
const QColor kTitleText(0xAE, 0xB6, 0xC4);

// The gradient, and a one-pixel line along the top (light: the bar's lit edge, dark: a groove)
// and along the bottom.
QImage Bar(int p_nWidth, int p_nHeight, const TBarLook& p_look, const QColor& p_topLine, const QColor& p_bottomLine)
{
    QImage image = ClearImage(p_nWidth, p_nHeight);
    QPainter p(&image);
    QLinearGradient gradient(0.0, 0.0, 0.0, p_nHeight);
    gradient.setColorAt(0.0, p_look.top);
    gradient.setColorAt(1.0, p_look.bottom);
    p.fillRect(image.rect(), gradient);
    p.fillRect(QRect(0, 0, p_nWidth, 1), p_topLine);
    p.fillRect(QRect(0, p_nHeight - 1, p_nWidth, 1), p_bottomLine);
    return image;
}

// An etched line: dark, then light beside it.
void Etch(QPainter& p, qreal p_x, qreal p_top, qreal p_bottom)
{
    p.setPen(QPen(QColor(0, 0, 0, 70), 1.0));
    p.drawLine(QPointF(p_x - 0.5, p_top), QPointF(p_x - 0.5, p_bottom));
    p.setPen(QPen(QColor(255, 255, 255, 22), 1.0));
    p.drawLine(QPointF(p_x + 0.5, p_top), QPointF(p_x + 0.5, p_bottom));
}

QImage ToolBar(int p_nWidth)
{
    return Bar(p_nWidth, kToolHeight, kToolLook, QColor(255, 255, 255, 18), QColor(0, 0, 0, 60));
}

// The speed buttons and their label in one well; etched lines between the jump, zoom, desk and
// feedback groups.
QImage ToolBarLeft()
{
    QImage image = ToolBar(736);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(255, 255, 255, 14), 1.0));
    p.setBrush(QColor(0, 0, 0, 48));
    p.drawRoundedRect(QRectF(50.5, 12.5, 215.0, 33.0), 16.5, 16.5);
    for (const qreal x : {400.0, 480.0, 560.0}) {
        Etch(p, x, 14.0, 40.0);
    }
    return image;
}

// The volume bar and the help button apart.
QImage ToolBarRight()
{
    QImage image = ToolBar(170);
    QPainter p(&image);
    Etch(p, 120.0, 14.0, 40.0);
    return image;
}

QImage TitleBar(int p_nWidth)
{
    return Bar(p_nWidth, kTitleHeight, kTitleLook, QColor(255, 255, 255, 14), QColor(0x12, 0x15, 0x1B));
}

QImage TitleBarLeft()
{
    QImage image = TitleBar(90);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(SkinFont(12, true));
    p.setPen(kTitleText);
    p.drawText(QRect(12, 0, 78, kTitleHeight - 1), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("강의 플레이어"));
    return image;
}

QImage PlayBar(int p_nWidth)
{
    return Bar(p_nWidth, kPlayHeight, kPlayLook, QColor(0, 0, 0, 70), kPlayLook.bottom);
}

} // namespace

std::vector<TSkinPicture> MakeBarBackgrounds()
{
    return {
        {QStringLiteral("imgTitleViewLeft.png"), TitleBarLeft()},
        {QStringLiteral("imgTitleViewClient.png"), TitleBar(kClientWidth)},
        {QStringLiteral("imgTitleViewRight.png"), TitleBar(40)},
        {QStringLiteral("imgToolViewLeft.png"), ToolBarLeft()},
        {QStringLiteral("imgToolViewClient.png"), ToolBar(kClientWidth)},
        {QStringLiteral("imgToolViewRight.png"), ToolBarRight()},
        {QStringLiteral("imgPlayViewLeft.png"), PlayBar(175)},
        {QStringLiteral("imgPlayViewClient.png"), PlayBar(kClientWidth)},
        {QStringLiteral("imgPlayViewRight.png"), PlayBar(40)},
    };
}
