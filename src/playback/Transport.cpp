// The transport controls: play and pause, speed and volume. The window forwards the button
// releases and the keys here; the pictures of the buttons stay with the window, which follows
// m_bPlaying through the view.

#include "playback/PlaybackEngine.h"

namespace {

constexpr int32_t kSpeedStep = 10;

} // namespace

void TPlaybackEngine::btnPlayMouseUp()
{
    if (m_state.m_bActivateView) {
        return;
    }
    if (m_state.m_bPlaying) {
        StopSound();
    } else {
        PlaySound();
    }
}

void TPlaybackEngine::btnPlaySpeedDownMouseUp()
{
    if (m_state.m_bActivateView) {
        return;
    }
    if (m_state.m_intPlaySpeed > 0) {
        ChangeSpeed(m_state.m_intPlaySpeed - kSpeedStep);
    }
    ShowSpeedTexts();
}

void TPlaybackEngine::btnPlaySpeedUpMouseUp()
{
    if (m_state.m_bActivateView) {
        return;
    }
    const int32_t limit = IsSupervisedStudy() ? kSpeedLimitSupervised : kSpeedLimit;
    if (m_state.m_intPlaySpeed < limit) {
        ChangeSpeed(m_state.m_intPlaySpeed + kSpeedStep);
    }
    ShowSpeedTexts();
}

// The new speed applies to the voice at once, playing or paused, so the voice never plays at a
// speed other than the one shown; a page loaded later starts at it too.
void TPlaybackEngine::ChangeSpeed(int32_t p_nSpeed)
{
    m_state.m_intPlaySpeed = p_nSpeed;
    if (m_playChannel != 0) {
        BASS_ChannelSetAttribute(m_playChannel, kAttribTempo, static_cast<float>(p_nSpeed));
    }
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
