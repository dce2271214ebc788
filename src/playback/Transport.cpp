// The transport controls: play and pause, speed and volume. The window forwards the button
// releases and the keys here; the pictures of the buttons stay with the window.

#include "playback/PlaybackEngine.h"

namespace {

constexpr int32_t kSpeedStep = 10;
constexpr int32_t kSpeedLimitSupervised = 30;
constexpr int32_t kSpeedLimit = 100;

} // namespace

void TPlaybackEngine::btnPlayMouseUp()
{
    if (m_state.m_bActivateView) {
        return;
    }
    if (m_state.m_bPlaying) {
        m_view.ShowPlayButtonState(false);
        StopSound();
    } else {
        m_view.ShowPlayButtonState(true);
        PlaySound();
    }
}

void TPlaybackEngine::btnPlaySpeedDownMouseUp()
{
    if (m_state.m_bActivateView) {
        return;
    }
    if (m_state.m_intPlaySpeed > 0 && !ChangeSpeed(m_state.m_intPlaySpeed - kSpeedStep)) {
        return;
    }
    ShowSpeedTexts();
}

void TPlaybackEngine::btnPlaySpeedUpMouseUp()
{
    if (m_state.m_bActivateView) {
        return;
    }
    const int32_t limit = IsSupervisedStudy() ? kSpeedLimitSupervised : kSpeedLimit;
    if (m_state.m_intPlaySpeed < limit && !ChangeSpeed(m_state.m_intPlaySpeed + kSpeedStep)) {
        return;
    }
    ShowSpeedTexts();
}

// Keeps the new speed; applies it to the voice when the voice is active. false when it is not:
// the speed then takes effect with the next page's voice and nothing is shown now.
bool TPlaybackEngine::ChangeSpeed(int32_t p_nSpeed)
{
    m_state.m_intPlaySpeed = p_nSpeed;
    if (BASS_ChannelIsActive(m_playChannel) == kActiveStopped) {
        return false;
    }
    BASS_ChannelSetAttribute(m_playChannel, kAttribTempo, static_cast<float>(p_nSpeed));
    return true;
}

void TPlaybackEngine::ShowSpeedTexts()
{
    const QString speed = QStringLiteral("%1%").arg(m_state.m_intPlaySpeed + 100);
    m_view.ShowStatusMessage(QStringLiteral("재생속도 : ") + speed);
    m_view.SetSpeedText(speed);
    m_view.RefreshToolTips();
}

void TPlaybackEngine::trbVolumeMouseUp(int32_t p_nValue)
{
    // Every later page's voice starts at this volume too.
    m_fVoiceVolume = static_cast<float>(p_nValue) / 100.0f;
    BASS_ChannelSetAttribute(m_playChannel, kAttribVolume, m_fVoiceVolume);
    const QString text = QStringLiteral("음성볼륨 : %1%").arg(p_nValue);
    m_view.SetVolumeHint(text);
    m_view.ShowStatusMessage(text);
}
