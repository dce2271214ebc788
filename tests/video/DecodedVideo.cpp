#include "DecodedVideo.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <QFile>

#include <cmath>
#include <memory>

namespace {

struct TInput {
    explicit TInput(const QString& p_sPath)
    {
        if (avformat_open_input(&format, p_sPath.toLocal8Bit().constData(), nullptr, nullptr) < 0 ||
            avformat_find_stream_info(format, nullptr) < 0) {
            avformat_close_input(&format);
        }
    }
    ~TInput()
    {
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }
    // Opens the decoder of the first stream of the kind; its index, or -1.
    int OpenDecoder(AVMediaType p_type)
    {
        const int index = format ? av_find_best_stream(format, p_type, -1, -1, nullptr, 0) : -1;
        if (index < 0) {
            return -1;
        }
        const AVCodec* decoder = avcodec_find_decoder(format->streams[index]->codecpar->codec_id);
        codec = avcodec_alloc_context3(decoder);
        avcodec_parameters_to_context(codec, format->streams[index]->codecpar);
        return avcodec_open2(codec, decoder, nullptr) < 0 ? -1 : index;
    }
    // Feeds the stream's packets through the decoder, every decoded frame to p_onFrame.
    template <class F>
    void Decode(int p_nStream, F p_onFrame)
    {
        AVPacket* packet = av_packet_alloc();
        AVFrame* frame = av_frame_alloc();
        const auto drain = [&] {
            while (avcodec_receive_frame(codec, frame) >= 0) {
                p_onFrame(*frame);
            }
        };
        while (av_read_frame(format, packet) >= 0) {
            if (packet->stream_index == p_nStream && avcodec_send_packet(codec, packet) >= 0) {
                drain();
            }
            av_packet_unref(packet);
        }
        avcodec_send_packet(codec, nullptr);
        drain();
        av_frame_free(&frame);
        av_packet_free(&packet);
    }

    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
};

// Where a top-level box starts in the file; -1 when it is not there.
qint64 BoxOffset(const QByteArray& p_file, const char* p_sType)
{
    qint64 at = 0;
    while (at + 8 <= p_file.size()) {
        const auto* bytes = reinterpret_cast<const uchar*>(p_file.constData() + at);
        quint64 size = (quint64(bytes[0]) << 24) | (quint64(bytes[1]) << 16) | (quint64(bytes[2]) << 8) | bytes[3];
        if (size == 1 && at + 16 <= p_file.size()) {
            size = 0;
            for (int i = 8; i < 16; ++i) {
                size = (size << 8) | bytes[i];
            }
        }
        if (p_file.mid(at + 4, 4) == p_sType) {
            return at;
        }
        if (size < 8) {
            return -1;
        }
        at += static_cast<qint64>(size);
    }
    return -1;
}

QImage ToRgb(const AVFrame& p_frame)
{
    QImage image(p_frame.width, p_frame.height, QImage::Format_RGB32);
    SwsContext* scaler = sws_getContext(p_frame.width, p_frame.height, static_cast<AVPixelFormat>(p_frame.format),
                                        p_frame.width, p_frame.height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    const int* matrix = sws_getCoefficients(p_frame.colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT);
    sws_setColorspaceDetails(scaler, matrix, 0, matrix, 1, 0, 1 << 16, 1 << 16);
    uint8_t* target[] = {image.bits()};
    const int stride[] = {static_cast<int>(image.bytesPerLine())};
    sws_scale(scaler, p_frame.data, p_frame.linesize, 0, p_frame.height, target, stride);
    sws_freeContext(scaler);
    return image;
}

} // namespace

TDecodedVideo ReadVideoFile(const QString& p_sPath)
{
    TDecodedVideo video;
    TInput input(p_sPath);
    if (!input.format) {
        return video;
    }
    video.opened = true;
    for (unsigned i = 0; i < input.format->nb_streams; ++i) {
        const AVStream* stream = input.format->streams[i];
        const AVCodecParameters* parameters = stream->codecpar;
        if (parameters->codec_type == AVMEDIA_TYPE_VIDEO) {
            video.videoCodec = QString::fromLatin1(avcodec_get_name(parameters->codec_id));
            video.pixelFormat = QString::fromLatin1(av_get_pix_fmt_name(static_cast<AVPixelFormat>(parameters->format)));
            video.size = QSize(parameters->width, parameters->height);
            video.fps = av_q2d(stream->avg_frame_rate);
        } else if (parameters->codec_type == AVMEDIA_TYPE_AUDIO) {
            video.audioCodec = QString::fromLatin1(avcodec_get_name(parameters->codec_id));
            video.channels = parameters->ch_layout.nb_channels;
            video.sampleRate = parameters->sample_rate;
        }
    }
    video.durationSeconds = static_cast<double>(input.format->duration) / AV_TIME_BASE;
    for (unsigned i = 0; i < input.format->nb_chapters; ++i) {
        const AVChapter* chapter = input.format->chapters[i];
        const AVDictionaryEntry* title = av_dict_get(chapter->metadata, "title", nullptr, 0);
        video.chapters.push_back({static_cast<double>(chapter->start) * av_q2d(chapter->time_base),
                                  title ? QString::fromUtf8(title->value) : QString()});
    }
    QFile file(p_sPath);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        const qint64 moov = BoxOffset(bytes, "moov");
        const qint64 mdat = BoxOffset(bytes, "mdat");
        video.indexAtFront = moov >= 0 && mdat >= 0 && moov < mdat;
    }
    return video;
}

std::map<int64_t, QImage> DecodeFrames(const QString& p_sPath, const std::set<int64_t>& p_frames)
{
    std::map<int64_t, QImage> pictures;
    TInput input(p_sPath);
    const int stream = input.OpenDecoder(AVMEDIA_TYPE_VIDEO);
    if (stream < 0) {
        return pictures;
    }
    const AVRational timeBase = input.format->streams[stream]->time_base;
    const AVRational frameRate = input.format->streams[stream]->avg_frame_rate;
    input.Decode(stream, [&](const AVFrame& frame) {
        const double seconds = static_cast<double>(frame.best_effort_timestamp) * av_q2d(timeBase);
        const int64_t index = std::llround(seconds * av_q2d(frameRate));
        if (p_frames.count(index) > 0) {
            pictures[index] = ToRgb(frame);
        }
    });
    return pictures;
}

std::vector<float> DecodeSound(const QString& p_sPath)
{
    std::vector<float> sound;
    TInput input(p_sPath);
    const int stream = input.OpenDecoder(AVMEDIA_TYPE_AUDIO);
    if (stream < 0 || input.codec->sample_fmt != AV_SAMPLE_FMT_FLTP) {
        return sound;
    }
    input.Decode(stream, [&](const AVFrame& frame) {
        const auto* left = reinterpret_cast<const float*>(frame.data[0]);
        const auto* right = reinterpret_cast<const float*>(frame.data[frame.ch_layout.nb_channels > 1 ? 1 : 0]);
        for (int i = 0; i < frame.nb_samples; ++i) {
            sound.push_back(0.5f * (left[i] + right[i]));
        }
    });
    return sound;
}
