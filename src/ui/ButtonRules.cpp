#include "ui/ButtonRules.h"

namespace {

TButtonReaction Show(TButtonState p_state)
{
    return {p_state, false, std::nullopt};
}

TButtonReaction Hover(const TButtonBehaviour& p_behaviour, TMouseStep p_step, bool& p_bLatch)
{
    switch (p_behaviour.hover) {
    case THoverRule::OnEnter:
        return p_step == TMouseStep::Enter ? Show(TButtonState::Over) : TButtonReaction{};
    case THoverRule::OnEveryMove:
        return p_step == TMouseStep::Move ? Show(TButtonState::Over) : TButtonReaction{};
    case THoverRule::OnFirstMove:
        if (p_step != TMouseStep::Move || p_bLatch) {
            return {};
        }
        p_bLatch = true;
        return Show(TButtonState::Over);
    }
    return {};
}

TButtonReaction Release(TReleaseRule p_rule)
{
    switch (p_rule) {
    case TReleaseRule::UpThenAct:
        return {TButtonState::Up, true, std::nullopt};
    case TReleaseRule::ActThenUp:
        return {std::nullopt, true, TButtonState::Up};
    case TReleaseRule::OverThenAct:
        return {TButtonState::Over, true, std::nullopt};
    case TReleaseRule::ActOnly:
        return {std::nullopt, true, std::nullopt};
    }
    return {};
}

} // namespace

TButtonReaction ButtonReaction(const TButtonBehaviour& p_behaviour, TMouseStep p_step, bool p_bPlaying,
                               bool& p_bLatch)
{
    switch (p_step) {
    case TMouseStep::Press:
        return Show(TButtonState::Down);
    case TMouseStep::Enter:
    case TMouseStep::Move:
        return Hover(p_behaviour, p_step, p_bLatch);
    case TMouseStep::Leave:
        if (p_behaviour.hover == THoverRule::OnFirstMove) {
            p_bLatch = false;
        }
        return Show(p_behaviour.disabledWhilePaused && !p_bPlaying ? TButtonState::Disable : TButtonState::Up);
    case TMouseStep::Release:
        return Release(p_behaviour.release);
    case TMouseStep::ReleaseOutside:
        return p_behaviour.actsOnReleaseOutside ? Release(p_behaviour.release) : TButtonReaction{};
    }
    return {};
}
