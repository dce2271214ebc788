#pragma once
// A video file read back with the same FFmpeg libraries that wrote it: its streams, chapters and
// duration, the pictures of chosen frames as RGB, and the sound mixed down to one channel.

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <map>
#include <set>
#include <vector>

struct TDecodedChapter {
    double startSeconds = 0.0;
    QString title;
};

struct TDecodedVideo {
    bool opened = false;
    QString videoCodec;          // "h264"
    QString pixelFormat;         // "yuv420p"
    QSize size;
    double fps = 0.0;
    QString audioCodec;          // "aac"
    int channels = 0;
    int sampleRate = 0;
    double durationSeconds = 0.0;
    std::vector<TDecodedChapter> chapters;
    bool indexAtFront = false;   // the "moov" box comes before the "mdat" box
};

TDecodedVideo ReadVideoFile(const QString& p_sPath);

// The pictures of the frames with these indices (counted from 0 by presentation time), RGB.
std::map<int64_t, QImage> DecodeFrames(const QString& p_sPath, const std::set<int64_t>& p_frames);

// The sound, both channels averaged, at the file's sample rate.
std::vector<float> DecodeSound(const QString& p_sPath);
