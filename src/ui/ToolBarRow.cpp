#include "ui/ToolBarRow.h"

#include "platform/Rounding.h"
#include "ui/JumpSlider.h"
#include "ui/ToolIcons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

namespace {

constexpr int kVolumeStart = 50;
constexpr int kVolumeMax = 100;

QToolButton* MakeButton(QWidget* parent, const QString& p_sName, TToolIcon p_icon, int p_nIconSize = 26)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(p_sName);
    button->setIcon(MakeToolIcon(p_icon));
    button->setIconSize(QSize(p_nIconSize, p_nIconSize));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(p_nIconSize + 14, p_nIconSize + 14);
    return button;
}

QWidget* MakeSeparator(QWidget* parent)
{
    auto* line = new QWidget(parent);
    line->setObjectName(QStringLiteral("toolSeparator"));
    line->setFixedSize(1, 26);
    return line;
}

// Calls the action if the owner gave one.
template <typename F, typename... Args>
void Call(const F& p_action, Args... p_args)
{
    if (p_action) {
        p_action(p_args...);
    }
}

} // namespace

TToolBarRow::TToolBarRow(QWidget* parent)
    : QWidget(parent),
      btnPlay(MakeButton(this, QStringLiteral("btnPlay"), TToolIcon::Pause, 30)),
      btnPlayPrev(MakeButton(this, QStringLiteral("btnPlayPrev"), TToolIcon::Back10, 30)),
      btnPlayNext(MakeButton(this, QStringLiteral("btnPlayNext"), TToolIcon::Forward10, 30)),
      btnPlaySpeedDown(MakeButton(this, QStringLiteral("btnPlaySpeedDown"), TToolIcon::SpeedDown)),
      lbSpeed(new QLabel(QStringLiteral("100%"), this)),
      btnPlaySpeedUp(MakeButton(this, QStringLiteral("btnPlaySpeedUp"), TToolIcon::SpeedUp)),
      btnReduce(MakeButton(this, QStringLiteral("btnReduce"), TToolIcon::ZoomOut)),
      btnEnLarge(MakeButton(this, QStringLiteral("btnEnLarge"), TToolIcon::ZoomIn)),
      trbVolume(new TJumpSlider(this)),
      btnClose(MakeButton(this, QStringLiteral("btnClose"), TToolIcon::Close, 22))
{
    setObjectName(QStringLiteral("paToolView"));
    lbSpeed->setObjectName(QStringLiteral("lbSpeed"));
    lbSpeed->setAlignment(Qt::AlignCenter);
    lbSpeed->setMinimumWidth(48);
    trbVolume->setObjectName(QStringLiteral("trbVolume"));
    trbVolume->setRange(0, kVolumeMax);
    trbVolume->setValue(kVolumeStart);
    trbVolume->setFixedWidth(100);
    trbVolume->setFocusPolicy(Qt::NoFocus);
    auto* volumeIcon = new QLabel(this);
    volumeIcon->setPixmap(MakeToolIcon(TToolIcon::Volume).pixmap(20, 20));

    btnPlayPrev->setToolTip(QStringLiteral("10초 뒤로 이동"));
    btnPlayNext->setToolTip(QStringLiteral("10초 앞으로 이동"));
    btnClose->setToolTip(QStringLiteral("닫기"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 0, 14, 0);
    layout->setSpacing(6);
    layout->addWidget(btnPlayPrev);
    layout->addWidget(btnPlay);
    layout->addWidget(btnPlayNext);
    layout->addSpacing(10);
    layout->addWidget(MakeSeparator(this));
    layout->addSpacing(10);
    layout->addWidget(btnPlaySpeedDown);
    layout->addWidget(lbSpeed);
    layout->addWidget(btnPlaySpeedUp);
    layout->addSpacing(10);
    layout->addWidget(MakeSeparator(this));
    layout->addSpacing(10);
    layout->addWidget(btnReduce);
    layout->addWidget(btnEnLarge);
    layout->addStretch(1);
    layout->addWidget(volumeIcon);
    layout->addWidget(trbVolume);
    layout->addSpacing(16);
    layout->addWidget(btnClose);

    connect(btnPlay, &QToolButton::clicked, this, [this] { Call(m_actions.btnPlayMouseUp); });
    connect(btnPlayPrev, &QToolButton::clicked, this, [this] { Call(m_actions.btnPlayPrevMouseUp); });
    connect(btnPlayNext, &QToolButton::clicked, this, [this] { Call(m_actions.btnPlayNextMouseUp); });
    connect(btnPlaySpeedDown, &QToolButton::clicked, this, [this] { Call(m_actions.btnPlaySpeedDownMouseUp); });
    connect(btnPlaySpeedUp, &QToolButton::clicked, this, [this] { Call(m_actions.btnPlaySpeedUpMouseUp); });
    connect(btnEnLarge, &QToolButton::clicked, this, [this] { Call(m_actions.btnEnLargeMouseUp); });
    connect(btnReduce, &QToolButton::clicked, this, [this] { Call(m_actions.btnReduceMouseUp); });
    // The close button acts on the press.
    connect(btnClose, &QToolButton::pressed, this, [this] { Call(m_actions.btnCloseMouseDown); });
    connect(trbVolume, &QSlider::sliderReleased, this, [this] { Call(m_actions.trbVolumeMouseUp, trbVolume->value()); });
}

void TToolBarRow::SetActions(TToolBarActions p_actions)
{
    m_actions = std::move(p_actions);
}

void TToolBarRow::ShowPlayButtonState(bool p_bPlaying)
{
    // The button shows what a click does next: pause while playing, play while paused.
    btnPlay->setIcon(MakeToolIcon(p_bPlaying ? TToolIcon::Pause : TToolIcon::Play));
    if (!p_bPlaying) {
        btnPlay->setToolTip(QStringLiteral("일시정지중"));
    }
}

void TToolBarRow::SetSpeedButtonsEnabled(bool p_bEnabled)
{
    btnPlaySpeedDown->setEnabled(p_bEnabled);
    btnPlaySpeedUp->setEnabled(p_bEnabled);
}

void TToolBarRow::SetSpeedText(const QString& p_sText)
{
    lbSpeed->setText(p_sText);
}

void TToolBarRow::SetVolumeHint(const QString& p_sText)
{
    trbVolume->setToolTip(p_sText);
}

void TToolBarRow::SetToolTipText(const TPlayerState& p_state)
{
    const int32_t speed = p_state.m_intPlaySpeed;
    const double ratio = p_state.m_viewRatio;
    trbVolume->setToolTip(QStringLiteral("음성볼륨 : 50%"));
    btnPlay->setToolTip(QStringLiteral("%1% 배속으로 재생중").arg(speed + 100));
    btnPlaySpeedUp->setToolTip(speed >= 100 ? QStringLiteral("최대 200% 배속 까지만 지원됩니다.")
                                            : QStringLiteral("클릭시 %1% 배속으로 UP").arg(speed + 110));
    btnPlaySpeedDown->setToolTip(speed <= 0 ? QStringLiteral("최소 100% 배속 까지만 지원됩니다.")
                                            : QStringLiteral("클릭시 %1% 배속으로 DOWN").arg(speed + 90));
    btnEnLarge->setToolTip(ratio >= 2.0 ? QStringLiteral("최대 200% 까지만 확대가 가능합니다.")
                                        : QStringLiteral("클릭시 %1% 로 확대").arg(RoundHalfEven((ratio + 0.1) * 100.0)));
    btnReduce->setToolTip(ratio > 1.0 ? QStringLiteral("클릭시 %1% 로 축소").arg(RoundHalfEven((ratio - 0.1) * 100.0))
                                      : QStringLiteral("원본 크기 이하로는 축소할수 없습니다."));
}
