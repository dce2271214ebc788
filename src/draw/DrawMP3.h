#pragma once
// An audio clip of the page: it holds its own decoding stream and a tempo stream on it, and
// occupies a box on the board, but draws nothing. Its box never reaches the paint bounds.

#include "draw/DrawParent.h"
#include "platform/audio/AudioLibrary.h"

#include <QString>

class TDrawMP3 : public TDrawParent {
public:
    // Opens the clip the way the page voice is opened: a decoding stream on the file (UTF-16
    // path, decoding only, pre-scan), its information, a tempo stream on it at normal speed.
    // A file that cannot be opened leaves both handles 0; every later call on them fails quietly.
    // No file (an empty path) opens nothing: the clip then never calls the audio library.
    // The resource name is not used.
    TDrawMP3(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, const QString& p_strResourceName,
             const QString& p_strMP3Path);
    ~TDrawMP3() override;

    void MP3Play();
    void MP3Pause();
    // Stops and rewinds to the start.
    void MP3Stop();
    // Seeks to p_nPosition seconds, only while the stream is active (playing, stalled or
    // paused): a clip that was never played stays where it is.
    void MP3SetPosition(int32_t p_nPosition);
    bool IsPlaying() const { return m_bPlaying; }

    // Stores the box only; the paint bounds stay as they were (all zero).
    void SetBounds(const TGPRectF& value) override;
    using TDrawParent::InitBounds;
    // A 160 x 60 box at the point.
    void InitBounds(float p_fX, float p_fY) override;
    // Frees the clip's own streams (the tempo stream first); the library and the page voice
    // are untouched.
    void Dispose() override;
    // Nothing: a clip never paints.
    TGPRectF GetPaintExtent() const override { return {}; }

    HSTREAM GetPlayChannel() const { return m_playChannel; }
    HSTREAM GetLoadChannel() const { return m_loadChannel; }
    const BASS_CHANNELINFO& GetChannelInfo() const { return m_channelInfo; }

private:
    HSTREAM m_playChannel = 0;
    HSTREAM m_loadChannel = 0;
    BASS_CHANNELINFO m_channelInfo{};
    bool m_bPlaying = false;
};
