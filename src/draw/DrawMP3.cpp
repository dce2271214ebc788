#include "draw/DrawMP3.h"

namespace {

constexpr float kClipWidth = 160.0f;
constexpr float kClipHeight = 60.0f;

}  // namespace

TDrawMP3::TDrawMP3(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, const QString& /*p_strResourceName*/,
                   const QString& p_strMP3Path)
    : TDrawParent(DrawType::MP3, p_pbDraw, p_u32DrawNo)
{
    m_boolResizable = false;
    if (p_strMP3Path.isEmpty()) {
        return;
    }
    const QString path = p_strMP3Path;   // utf16() is terminated while this lives
    m_loadChannel = BASS_StreamCreateFile(kFalse, path.utf16(), 0, 0, kStreamVoiceFlags);
    BASS_ChannelGetInfo(m_loadChannel, &m_channelInfo);
    m_playChannel = BASS_FX_TempoCreate(m_loadChannel, kTempoFlags);
    BASS_ChannelSetAttribute(m_playChannel, kAttribTempo, 0.0f);
}

TDrawMP3::~TDrawMP3()
{
    // An object ended without Dispose must not leave its streams open.
    Dispose();
}

void TDrawMP3::MP3Play()
{
    BASS_ChannelPlay(m_playChannel, kFalse);
    m_bPlaying = true;
}

void TDrawMP3::MP3Pause()
{
    BASS_ChannelPause(m_playChannel);
    m_bPlaying = false;
}

void TDrawMP3::MP3Stop()
{
    BASS_ChannelStop(m_playChannel);
    BASS_ChannelSetPosition(m_playChannel, 0, kPosByte);
}

void TDrawMP3::MP3SetPosition(int32_t p_nPosition)
{
    if (m_playChannel == 0 || BASS_ChannelIsActive(m_playChannel) == kActiveStopped) {
        return;
    }
    const QWORD position = BASS_ChannelSeconds2Bytes(m_playChannel, p_nPosition);
    BASS_ChannelSetPosition(m_playChannel, position, kPosByte);
}

void TDrawMP3::SetBounds(const TGPRectF& value)
{
    m_rtBounds = value;
}

void TDrawMP3::InitBounds(float p_fX, float p_fY)
{
    SetBounds({p_fX, p_fY, kClipWidth, kClipHeight});
}

void TDrawMP3::Dispose()
{
    if (m_playChannel != 0) {
        BASS_StreamFree(m_playChannel);
    }
    if (m_loadChannel != 0) {
        BASS_StreamFree(m_loadChannel);
    }
    m_playChannel = 0;
    m_loadChannel = 0;
    TDrawParent::Dispose();
}
