#include "ui/ToolButtons.h"

#include "session/PlayerState.h"
#include "ui/ControlRegistry.h"
#include "ui/PictureButton.h"

#include <array>
#include <stdexcept>

namespace {

constexpr TButtonBehaviour kLatched{THoverRule::OnFirstMove, TReleaseRule::ActOnly, false};
constexpr TButtonBehaviour kSpeed{THoverRule::OnFirstMove, TReleaseRule::UpThenAct, true};
constexpr TButtonBehaviour kJump{THoverRule::OnEnter, TReleaseRule::ActThenUp, false};
constexpr TButtonBehaviour kZoom{THoverRule::OnEnter, TReleaseRule::UpThenAct, false};
constexpr TButtonBehaviour kSkin{THoverRule::OnEnter, TReleaseRule::OverThenAct, false};
constexpr TButtonBehaviour kPanel{THoverRule::OnEveryMove, TReleaseRule::UpThenAct, false};
constexpr TButtonBehaviour kPrint{THoverRule::OnEveryMove, TReleaseRule::ActOnly, false};

constexpr std::array<const char*, 4> kStateSuffix = {"Up", "Down", "Over", "Disable"};

constexpr TToolBarPart kLeft = TToolBarPart::ToolViewLeft;

} // namespace

const std::vector<TToolButtonInfo>& ToolButtons()
{
    static const std::vector<TToolButtonInfo> buttons = {
        {"btnPlaySpeedUp", kLeft, QRect(59, 17, 59, 24), "imgPlaySpeedUp", kSpeed, ""},
        {"btnPlaySpeedDown", kLeft, QRect(199, 17, 59, 24), "imgPlaySpeedDown", kSpeed, ""},
        {"btnPlay", kLeft, QRect(272, 7, 34, 34), "imgPlay", kLatched, ""},
        {"btnPlayPrev", kLeft, QRect(322, 7, 34, 34), "imgPlayPrev", kJump, "10초 뒤로 이동"},
        {"btnPlayNext", kLeft, QRect(362, 7, 34, 34), "imgPlayNext", kJump, ""},
        {"btnEnLarge", kLeft, QRect(403, 6, 34, 34), "imgEnLarge", kZoom, "교안 이미지 확대"},
        {"btnReduce", kLeft, QRect(443, 7, 34, 34), "imgReduce", kZoom, "교안 이미지 축소"},
        {"btnSkinChangePrev", kLeft, QRect(483, 7, 34, 34), "imgSkinPrev", kSkin, "배경 스킨 변경"},
        {"btnSkinChangeNext", kLeft, QRect(523, 7, 34, 34), "imgSkinNext", kSkin, "배경 스킨 변경"},
        {"btnProposal", kLeft, QRect(562, 6, 34, 34), "imgProposal", kPanel, "강의 건의"},
        {"btnEvaluation", kLeft, QRect(602, 6, 34, 34), "imgEvaluation", kPanel, "강의 평가"},
        {"btnError", kLeft, QRect(642, 6, 34, 34), "imgError", kPanel, "오류신고"},
        {"btnGrade", kLeft, QRect(682, 6, 34, 34), "imgGrade", kPrint, "교안 인쇄 (시험 성적 입력은 Ctrl+G)"},
        {"btnHelp", TToolBarPart::ToolViewRight, QRect(129, 6, 34, 34), "imgHelp", kPanel, "도움말"},
        {"btnClose", TToolBarPart::TitleViewRight, QRect(11, 1, 26, 26), "imgClose", {}, "닫기", true},
    };
    return buttons;
}

const TToolButtonInfo& ToolButton(const QString& p_sName)
{
    for (const TToolButtonInfo& info : ToolButtons()) {
        if (p_sName == QLatin1String(info.name)) {
            return info;
        }
    }
    throw std::invalid_argument("no tool button " + p_sName.toStdString());
}

QString StatePictureName(const QString& p_sPictureSet, TButtonState p_state)
{
    return p_sPictureSet + QLatin1String(kStateSuffix[static_cast<size_t>(p_state)]);
}

QStringList StatePictureNames(const QString& p_sPictureSet)
{
    QStringList names;
    for (const char* suffix : kStateSuffix) {
        names.append(p_sPictureSet + QLatin1String(suffix));
    }
    return names;
}

QStringList AllStatePictureNames()
{
    QStringList names = StatePictureNames(QLatin1String(kPausePictureSet));
    for (const TToolButtonInfo& info : ToolButtons()) {
        names.append(StatePictureNames(QLatin1String(info.pictureSet)));
    }
    return names;
}

TPictureButton* MakeToolButton(QWidget* p_parent, const QString& p_sName, const TPlayerState& p_state,
                               TControlRegistry& p_registry, bool* p_bLatch)
{
    const TToolButtonInfo& info = ToolButton(p_sName);
    auto* button = new TPictureButton(p_parent, p_sName, p_state);
    button->setGeometry(info.box);
    button->setToolTip(QString::fromUtf8(info.toolTip));
    if (!info.pressOnly) {
        button->SetBehaviour(info.behaviour, p_bLatch);
    }
    const QString set = QLatin1String(info.pictureSet);
    const bool followsPlaying = p_sName == QLatin1String("btnPlay");
    button->SetStatePictures([&p_registry, &p_state, set, followsPlaying](TButtonState state) {
        const QString current = followsPlaying && !p_state.m_bPlaying ? QLatin1String(kPausePictureSet) : set;
        return p_registry.FindAs<TPicture>(StatePictureName(current, state), TControlKind::Picture);
    });
    p_registry.Register(button, TControlKind::Picture);
    return button;
}
