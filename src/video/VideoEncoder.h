#pragma once
// The video file: an MP4 container with an H.264 stream (yuv420p, BT.709) and an AAC stereo
// stream, its index at the front so that it plays while it downloads, and named chapters. The
// frames come as pictures of the video's size, the sound as interleaved stereo floats at the
// sample rate the file was opened with. Nothing of FFmpeg shows outside this unit.

#include <QImage>
#include <QRegion>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

struct TVideoFormat {
    QSize size;               // even width and height
    int fps = 30;
    int sampleRate = 48000;
};

struct TVideoChapter {
    int64_t startMs = 0;      // video time
    int64_t endMs = 0;
    QString title;
};

class TVideoEncoder {
public:
    ~TVideoEncoder();
    TVideoEncoder(const TVideoEncoder&) = delete;
    TVideoEncoder& operator=(const TVideoEncoder&) = delete;

    // Creates the file at p_sPath with its streams and chapters; nothing and the reason in
    // p_psError when a codec, the container or the file cannot be opened.
    static std::unique_ptr<TVideoEncoder> Open(const QString& p_sPath, const TVideoFormat& p_format,
                                               const std::vector<TVideoChapter>& p_chapters, QString* p_psError);

    // The next frame: the picture, of which only the region changed since the previous frame is
    // converted again (the first frame: all of it). p_bKeyFrame: the frame starts a chapter,
    // where a player jumps to.
    bool WriteFrame(const QImage& p_imgFrame, const QRegion& p_rgnChanged, bool p_bKeyFrame);
    // The next p_nFrames stereo sample frames.
    bool WriteAudio(const float* p_pStereo, int64_t p_nFrames);
    // Drains the encoders and completes the file. The file is whole only when this succeeds.
    bool Finish();
    // What failed last, for the user.
    QString Error() const { return m_sError; }

private:
    struct TState;
    explicit TVideoEncoder(std::unique_ptr<TState> p_state);
    bool Fail(const QString& p_sWhat, int p_nCode);
    void ConvertBands(const QImage& p_imgFrame, const QRegion& p_rgnChanged);
    bool EncodeAudio(bool p_bFlush);
    bool Drain(int p_nStream);

    std::unique_ptr<TState> m_state;
    QString m_sError;
};
