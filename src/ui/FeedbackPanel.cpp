#include "ui/FeedbackPanel.h"

#include "session/PlayerState.h"
#include "ui/AlignEngine.h"
#include "ui/ControlRegistry.h"
#include "ui/ShellLook.h"
#include "ui/Picture.h"

#include <QPainter>
#include <QPushButton>

namespace {

constexpr int kTitleBand = 30;

// The panels' controls in the bars' look; sizes stay those of the design.
const char* const kPanelStyle = R"(
QLabel, QRadioButton, QCheckBox { color: #E6EAF0; font-size: 12px; background: transparent; }
QRadioButton::indicator { width: 10px; height: 10px; border: 2px solid #8A96A8; border-radius: 7px; background: #141820; }
QRadioButton::indicator:checked { background: #2F6FD0; border-color: #E6EAF0; }
QRadioButton::indicator:hover { border-color: #E6EAF0; }
QLineEdit, QPlainTextEdit, QComboBox { color: #E6EAF0; background: #141820; border: 1px solid #46505F; }
QComboBox QAbstractItemView { color: #E6EAF0; background: #1E232C; selection-background-color: #2F6FD0; }
QPushButton {
    color: #E6EAF0; background: #2C3342; border: 1px solid #46505F; border-radius: 4px; font-size: 12px; padding: 0px;
}
QPushButton:hover { background: #364052; }
QPushButton:pressed { background: #232935; }
)";

} // namespace

TFeedbackPanel::TFeedbackPanel(QWidget* p_boardArea, TPanelHost& p_host, const QString& p_sName, const QSize& p_size,
                               const QString& p_sBackground, const QString& p_sTitle)
    : TPanel(p_boardArea, p_sName, ShellLook::kBarColor), m_host(p_host), m_sTitle(p_sTitle)
{
    setGeometry(QRect(QPoint(0, 0), p_size));
    setStyleSheet(QString::fromLatin1(kPanelStyle));
    hide();
    m_host.registry.Register(this, TControlKind::Panel);
    imgBackground = new TPicture(this, p_sBackground);
    imgBackground->SetStretch(true);
    m_host.registry.Register(imgBackground, TControlKind::Picture);
    m_host.align.SetAlign(imgBackground, TAlign::Client);
}

void TFeedbackPanel::Open()
{
    if (m_host.state.m_bActivateView || m_host.IsClosing()) {
        return;
    }
    m_host.PauseSound();
    show();
    raise();
    m_host.state.m_bActivateView = true;
    Opened();
}

void TFeedbackPanel::Close()
{
    hide();
    m_host.state.m_bActivateView = false;
    m_host.PlaySound();
}

QPushButton* TFeedbackPanel::AddButton(const char* p_sName, const QString& p_sCaption, const QRect& p_rtBox,
                                       std::function<void()> p_onClick)
{
    auto* button = new QPushButton(p_sCaption, this);
    button->setObjectName(QLatin1String(p_sName));
    button->setGeometry(p_rtBox);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, onClick = std::move(p_onClick)] {
        if (!m_host.IsClosing()) {
            onClick();
        }
    });
    return button;
}

// Under the background picture: seen only while the skin has none.
void TFeedbackPanel::paintEvent(QPaintEvent* event)
{
    TPanel::paintEvent(event);
    if (!imgBackground->GetPicture().isNull()) {
        return;
    }
    QPainter p(this);
    p.fillRect(QRect(0, 0, width(), kTitleBand), QColor(0x2B, 0x32, 0x3F));
    p.setPen(QColor(0xE6, 0xEA, 0xF0));
    QFont font = p.font();
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(12, 0, width() - 24, kTitleBand), Qt::AlignLeft | Qt::AlignVCenter, m_sTitle);
    p.setPen(QColor(0x46, 0x50, 0x5F));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
