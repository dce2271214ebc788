#include "ui/StatusMessage.h"

#include "ui/ShellLook.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kFontPixels = 20;
constexpr qreal kOutlineWidth = 2.0;   // half of it lies outside the letters: one pixel
constexpr int kOutlineRoom = 2;
const QColor kOutlineColor(0x0B, 0x12, 0x1C, 180);
const QString kNoSoundDeviceText = QStringLiteral("소리 장치 없음");

} // namespace

TStatusMessage::TStatusMessage(QWidget* parent) : QLabel(parent), tmMessageStatus(new QTimer(this))
{
    tmMessageStatus->setObjectName(QStringLiteral("tmMessageStatus"));
    tmMessageStatus->setInterval(kMessageStatusIntervalMs);
    connect(tmMessageStatus, &QTimer::timeout, this, [this] { EndMessage(); });
    setObjectName(QStringLiteral("lbStatusMessage"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, ShellLook::kStatusMessageColor);
    setPalette(palette);
    QFont bold = font();
    bold.setPixelSize(kFontPixels);
    bold.setBold(true);
    setFont(bold);
    setGeometry(kLeft, kTop, kWidth, kHeight);
}

void TStatusMessage::ShowText(const QString& p_sText)
{
    setText(p_sText);
    const int needed = fontMetrics().horizontalAdvance(p_sText) + 2 * kOutlineRoom;
    resize(std::max(kWidth, needed), std::max(kHeight, fontMetrics().height() + 2 * kOutlineRoom));
}

void TStatusMessage::ShowMessage(const QString& p_sText)
{
    ShowText(p_sText);
    if (!tmMessageStatus->isActive()) {
        tmMessageStatus->start();
    }
}

void TStatusMessage::EndMessage()
{
    tmMessageStatus->stop();
    ShowText(StandingText());
}

void TStatusMessage::StopMessageClock()
{
    tmMessageStatus->stop();
}

void TStatusMessage::ShowSoundDeviceMissing(bool p_bMissing)
{
    if (p_bMissing == m_bSoundDeviceMissing) {
        return;
    }
    m_bSoundDeviceMissing = p_bMissing;
    if (!tmMessageStatus->isActive()) {
        ShowText(StandingText());
    }
}

QString TStatusMessage::StandingText() const
{
    return m_bSoundDeviceMissing ? kNoSoundDeviceText : QString();
}

void TStatusMessage::paintEvent(QPaintEvent*)
{
    if (text().isEmpty()) {
        return;
    }
    QPainterPath letters;
    const QFontMetrics metrics = fontMetrics();
    const int baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    letters.addText(QPointF(kOutlineRoom, baseline), font(), text());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(letters, QPen(kOutlineColor, kOutlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(letters, palette().color(QPalette::WindowText));
}
