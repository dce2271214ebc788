#include "ui/ToolActions.h"

#include "playback/PlaybackEngine.h"
#include "session/FileUtil.h"
#include "session/PlayerState.h"
#include "ui/BoardArea.h"
#include "ui/ErrorPanel.h"
#include "ui/EvaluationPanel.h"
#include "ui/GradePanel.h"
#include "ui/HelpPanel.h"
#include "ui/JumpSlider.h"
#include "ui/Overlays.h"
#include "ui/PictureButton.h"
#include "ui/ProposalPanel.h"
#include "ui/SeekBar.h"
#include "ui/StatusView.h"
#include "ui/Supervision.h"
#include "ui/TabSet.h"
#include "ui/TitleView.h"
#include "ui/ToolView.h"
#include "ui/WindowRules.h"

#include <QMouseEvent>
#include <QSlider>

namespace {

constexpr int kVolumeKeyStep = 10;

} // namespace

TToolActions::TToolActions(TTitleView& p_title, TStatusView& p_status, TToolActionTargets p_targets)
    : m_status(p_status), m_targets(std::move(p_targets))
{
    p_title.btnClose->OnMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
        btnCloseMouseDown(button, modifiers);
    };
    WireStatusBar();
    WireToolButtons();
}

void TToolActions::WireStatusBar()
{
    TPlaybackEngine& engine = m_targets.engine;
    TTabSet* tabs = m_status.tabLecturePage;
    QObject::connect(tabs, &QTabBar::currentChanged, tabs, [&engine](int index) { engine.tabLecturePageClick(index); });
    tabs->OnMouseDown = [this](const QMouseEvent& event) { tabLecturePageMouseDown(event); };
    TSeekBar* seek = m_status.scbPlay;
    seek->OnMouseDown = [&engine] { engine.scbPlayMouseDown(); };
    seek->OnMouseUp = [&engine] { engine.scbPlayMouseUp(); };
    seek->OnUpButtonClick = [&engine] { engine.scbPlayUpButtonClick(); };
    seek->OnDownButtonClick = [&engine] { engine.scbPlayDownButtonClick(); };
    QSlider* volume = m_status.paToolView->trbVolume;
    QObject::connect(volume, &QSlider::sliderReleased, volume, [&engine, volume] { engine.trbVolumeMouseUp(volume->value()); });
    for (QWidget* widget : {static_cast<QWidget*>(tabs), static_cast<QWidget*>(seek->Track()), static_cast<QWidget*>(volume)}) {
        m_targets.board.TakeWheelFrom(widget);
    }
}

// The release actions of the tool buttons.
void TToolActions::WireToolButtons()
{
    TToolView& tools = *m_status.paToolView;
    TPlaybackEngine& engine = m_targets.engine;
    TOverlays& overlays = m_targets.overlays;
    tools.btnPlay->OnMouseUp = [&engine] { engine.btnPlayMouseUp(); };
    tools.btnPlayPrev->OnMouseUp = [&engine] { engine.btnPlayPrevMouseUp(); };
    tools.btnPlayNext->OnMouseUp = [&engine] { engine.btnPlayNextMouseUp(); };
    tools.btnPlaySpeedDown->OnMouseUp = [&engine] { engine.btnPlaySpeedDownMouseUp(); };
    tools.btnPlaySpeedUp->OnMouseUp = [&engine] { engine.btnPlaySpeedUpMouseUp(); };
    tools.btnEnLarge->OnMouseUp = [&engine] { engine.ResizeingImage(true); };
    tools.btnReduce->OnMouseUp = [&engine] { engine.ResizeingImage(false); };
    for (TPictureButton* skin : {tools.btnSkinChangePrev, tools.btnSkinChangeNext}) {
        skin->OnMouseUp = [this, skin] {
            m_targets.board.btnSkinChangeMouseUp(skin, JoinPath(m_targets.state.m_sExeDir, QStringLiteral("image")));
        };
    }
    tools.btnGrade->OnMouseUp = [&overlays] { overlays.btnGradeMouseUp(); };
    tools.btnProposal->OnMouseUp = [&overlays] { overlays.paProposalView->Open(); };
    tools.btnEvaluation->OnMouseUp = [&overlays] { overlays.paEvaluationView->Open(); };
    tools.btnError->OnMouseUp = [&overlays] { overlays.paErrorView->Open(); };
    tools.btnHelp->OnMouseUp = [&overlays] { overlays.paHelpView->Open(); };
}

void TToolActions::tabLecturePageMouseDown(const QMouseEvent& p_event)
{
    TTabSet* tabs = m_status.tabLecturePage;
    const int index = tabs->tabAt(p_event.position().toPoint());
    if (p_event.button() == Qt::LeftButton && index >= 0 && index == tabs->currentIndex()) {
        m_targets.engine.tabLecturePageClick(index);
    }
}

void TToolActions::btnCloseMouseDown(Qt::MouseButton p_button, Qt::KeyboardModifiers p_modifiers)
{
    switch (CloseGestureOf(p_button, p_modifiers)) {
    case TCloseGesture::Close:
        m_targets.PostCloseRequest();
        break;
    case TCloseGesture::LiftSupervision:
        m_targets.supervision.LiftSupervision();
        break;
    case TCloseGesture::None:
        break;
    }
}

void TToolActions::KeyControl(TVirtualKey p_key)
{
    TPlaybackEngine& engine = m_targets.engine;
    const int volume = m_status.paToolView->trbVolume->value();
    switch (p_key) {
    case TVirtualKey::Space:
        engine.btnPlayMouseUp();
        break;
    case TVirtualKey::Left:
        if (m_targets.state.m_bPlaying) {
            engine.scbPlayDownButtonClick();
        }
        break;
    case TVirtualKey::Up:
        engine.btnPlaySpeedUpMouseUp();
        break;
    case TVirtualKey::Right:
        if (m_targets.state.m_bPlaying) {
            engine.scbPlayUpButtonClick();
        }
        break;
    case TVirtualKey::Down:
        engine.btnPlaySpeedDownMouseUp();
        break;
    case TVirtualKey::Add:
        engine.ResizeingImage(true);
        break;
    case TVirtualKey::Subtract:
        engine.ResizeingImage(false);
        break;
    case TVirtualKey::Comma:
        SetVolumeByKey(volume >= kVolumeKeyStep ? volume - kVolumeKeyStep : 0);
        break;
    case TVirtualKey::Period:
        SetVolumeByKey(volume <= TToolView::kVolumeMax - kVolumeKeyStep ? volume + kVolumeKeyStep : TToolView::kVolumeMax);
        break;
    case TVirtualKey::G:
        m_targets.overlays.paGradeView->Open();
        break;
    case TVirtualKey::None:
        break;
    }
}

void TToolActions::SetVolumeByKey(int p_nValue)
{
    QSlider* volume = m_status.paToolView->trbVolume;
    volume->setValue(p_nValue);
    m_targets.engine.trbVolumeMouseUp(volume->value());
}
