// The message window of the default skin: its 441 x 223 background (white, a blue stripe along
// the top, a question mark before the title, a rule under it), its OK and Cancel buttons of
// 64 x 21 in their up, down and over states, and the tick of its check box.

#include "SkinArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

namespace {

constexpr int kWindowWidth = 441;
constexpr int kWindowHeight = 223;
constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 21;
constexpr int kCheckMarkSize = 11;

const QColor kAccent(0x2F, 0x6F, 0xD0);

QFont BoldFont(int p_nPixels)
{
    QFont font(QStringLiteral("NanumGothic"));
    font.setPixelSize(p_nPixels);
    font.setBold(true);
    return font;
}

// The title sits at (56, 42) and the message at (35, 94): the mark goes before the title, the
// rule between them.
QImage MessageBackground()
{
    QImage image = SkinImage(kWindowWidth, kWindowHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    BeginSmooth(painter);
    QLinearGradient head(0.0, 6.0, 0.0, 76.0);
    head.setColorAt(0.0, QColor(0xEE, 0xF3, 0xFB));
    head.setColorAt(1.0, Qt::white);
    painter.fillRect(QRect(0, 6, kWindowWidth, 70), head);
    painter.fillRect(QRect(0, 0, kWindowWidth, 6), kAccent);

    const QPointF mark(36.0, 50.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAccent);
    painter.drawEllipse(mark, 11.5, 11.5);
    painter.setFont(BoldFont(16));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(mark.x() - 11.5, mark.y() - 11.5, 23.0, 23.0), Qt::AlignCenter, QStringLiteral("?"));

    painter.setPen(QPen(QColor(0xDD, 0xE2, 0xEA), 1.0));
    painter.drawLine(QPointF(20.0, 76.5), QPointF(kWindowWidth - 20.0, 76.5));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(0x8C, 0x96, 0xA6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, kWindowWidth - 1, kWindowHeight - 1);
    return image;
}

struct TButtonLook {
    QColor face;
    QColor border;
    QColor text;
};

QImage MessageButton(const QString& label, const TButtonLook& look, bool pressed)
{
    QImage image = ClearImage(kButtonWidth, kButtonHeight);
    QPainter painter(&image);
    BeginSmooth(painter);
    const QRectF box(0.5, 0.5, kButtonWidth - 1.0, kButtonHeight - 1.0);
    painter.setPen(QPen(look.border, 1.0));
    painter.setBrush(look.face);
    painter.drawRoundedRect(box, 4.0, 4.0);
    // A light top edge makes the raised states; a pressed button drops it and its label.
    if (!pressed) {
        painter.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
        painter.drawLine(QPointF(4.0, 1.5), QPointF(kButtonWidth - 4.0, 1.5));
    }
    painter.setFont(BoldFont(12));
    painter.setPen(look.text);
    painter.drawText(box.translated(0.0, pressed ? 1.0 : 0.0), Qt::AlignCenter, label);
    return image;
}

void AddButtonStates(std::vector<TSkinPicture>& out, const QString& name, const QString& label,
                     const TButtonLook& up)
{
    const TButtonLook down{up.face.darker(115), up.border.darker(115), up.text};
    const TButtonLook over{up.face.lighter(108), up.border, up.text};
    out.push_back({name + "_up.png", MessageButton(label, up, false)});
    out.push_back({name + "_down.png", MessageButton(label, down, true)});
    out.push_back({name + "_over.png", MessageButton(label, over, false)});
}

// The tick of the ticked check box, white, drawn on the box's blue.
QImage CheckMark()
{
    QImage image = ClearImage(kCheckMarkSize, kCheckMarkSize);
    QPainter painter(&image);
    BeginSmooth(painter);
    painter.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(2.0, 5.8), QPointF(4.6, 8.4), QPointF(9.2, 2.8)}));
    return image;
}

} // namespace

std::vector<TSkinPicture> MakeMessageWindowPictures()
{
    std::vector<TSkinPicture> out{{"message_back.png", MessageBackground()}, {"check_mark.png", CheckMark()}};
    AddButtonStates(out, "ok", QStringLiteral("확인"), {kAccent, QColor(32, 96, 170), Qt::white});
    AddButtonStates(out, "cancel", QStringLiteral("취소"),
                    {QColor(232, 234, 238), QColor(180, 185, 193), QColor(51, 55, 62)});
    return out;
}
