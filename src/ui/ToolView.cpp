#include "ui/ToolView.h"

#include "playback/PlaybackEngine.h"
#include "session/CommDefine.h"
#include "session/PlayerState.h"
#include "ui/AlignEngine.h"
#include "ui/BarParts.h"
#include "ui/ControlRegistry.h"
#include "ui/JumpSlider.h"
#include "ui/PictureButton.h"
#include "ui/ShellLook.h"
#include "ui/ToolButtons.h"
#include "ui/ToolTips.h"

#include <QLabel>

namespace {

constexpr int kSpeedLabelWidth = 58;
constexpr int kSpeedFontPixels = 13;

} // namespace

TToolView::TToolView(QWidget* parent, TPlayerState& p_state, TControlRegistry& p_registry, TAlignEngine& p_align)
    : TPanel(parent, QStringLiteral("paToolView"), ShellLook::kBarColor), m_state(p_state)
{
    p_registry.Register(this, TControlKind::Panel);
    TBarParts parts(p_registry, p_align);
    paToolViewLeft = parts.Part(this, QStringLiteral("paToolViewLeft"), TAlign::Left, QSize(kLeftWidth, height()));
    paToolViewClient = parts.Part(this, QStringLiteral("paToolViewClient"), TAlign::Client, QSize());
    paToolViewRight = parts.Part(this, QStringLiteral("paToolViewRight"), TAlign::Right, QSize(kRightWidth, height()));
    imgToolViewLeft = parts.Background(paToolViewLeft, QStringLiteral("imgToolViewLeft"));
    imgToolViewClient = parts.Background(paToolViewClient, QStringLiteral("imgToolViewClient"));
    imgToolViewRight = parts.Background(paToolViewRight, QStringLiteral("imgToolViewRight"));

    const auto button = [&](const char* name, bool* latch = nullptr) {
        return MakeToolButton(paToolViewLeft, QLatin1String(name), p_state, p_registry, latch);
    };
    btnPlaySpeedUp = button("btnPlaySpeedUp", &p_state.m_bIsRectPlaySpeedUpbtn);
    lbSpeed = new QLabel(QStringLiteral("100%"), paToolViewLeft);
    lbSpeed->setObjectName(QStringLiteral("lbSpeed"));
    lbSpeed->setGeometry(130, 21, kSpeedLabelWidth, 16);
    lbSpeed->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ShellLook::SetLabelLook(lbSpeed, ShellLook::kSpeedColor, kSpeedFontPixels, true);
    p_registry.Register(lbSpeed, TControlKind::Label);
    btnPlaySpeedDown = button("btnPlaySpeedDown", &p_state.m_bIsRectPlaySpeedDownbtn);
    btnPlay = button("btnPlay", &p_state.m_bIsRectPlaybtn);
    btnPlayPrev = button("btnPlayPrev");
    btnPlayNext = button("btnPlayNext");
    btnEnLarge = button("btnEnLarge");
    btnReduce = button("btnReduce");
    btnSkinChangePrev = button("btnSkinChangePrev");
    btnSkinChangeNext = button("btnSkinChangeNext");
    btnProposal = button("btnProposal");
    btnEvaluation = button("btnEvaluation");
    btnError = button("btnError");
    btnGrade = button("btnGrade");

    trbVolume = new TJumpSlider(paToolViewRight);
    trbVolume->setObjectName(QStringLiteral("trbVolume"));
    trbVolume->setGeometry(10, 16, 100, 15);
    trbVolume->setRange(0, kVolumeMax);
    trbVolume->setValue(TPlaybackEngine::kVolumeStart);
    trbVolume->setFocusPolicy(Qt::NoFocus);
    p_registry.Register(trbVolume, TControlKind::TrackBar);
    btnHelp = MakeToolButton(paToolViewRight, QStringLiteral("btnHelp"), p_state, p_registry);
}

void TToolView::ShowPlayingState(bool p_bPlaying)
{
    btnPlay->ShowState(TButtonState::Up);
    for (TPictureButton* speed : {btnPlaySpeedDown, btnPlaySpeedUp}) {
        speed->setEnabled(p_bPlaying);
        speed->ShowState(p_bPlaying ? TButtonState::Up : TButtonState::Disable);
    }
}

void TToolView::SetSpeedText(const QString& p_sText)
{
    lbSpeed->setText(p_sText);
}

void TToolView::SetToolTipText()
{
    const TToolTipTexts tips = ToolTipTexts(m_state, trbVolume->value(), IsSupervisedStudy());
    trbVolume->setToolTip(tips.trbVolume);
    btnPlay->setToolTip(tips.btnPlay);
    btnPlaySpeedUp->setToolTip(tips.btnPlaySpeedUp);
    btnPlaySpeedDown->setToolTip(tips.btnPlaySpeedDown);
    btnEnLarge->setToolTip(tips.btnEnLarge);
    btnReduce->setToolTip(tips.btnReduce);
    btnPlayNext->setToolTip(tips.btnPlayNext);
}
