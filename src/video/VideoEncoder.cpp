#include "video/VideoEncoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <vector>

namespace {

// Speed first: a lecture is mostly a still board with a little ink moving, which the fastest
// presets already encode well; the quality level keeps thin strokes and small text sharp.
constexpr const char* kX264Preset = "ultrafast";
constexpr const char* kX264Quality = "20";
constexpr int kKeyFrameSeconds = 10;
// The picture is converted in bands of rows, each on its own: a frame converts only the bands
// its changes touch, and every band is always converted alike, whichever frame converts it.
constexpr int kBandRows = 16;
constexpr int64_t kAudioBitRate = 128000;
constexpr int kVideoStream = 0;
constexpr int kAudioStream = 1;

QString AvError(int p_nCode)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(p_nCode, text, sizeof(text));
    return QString::fromLocal8Bit(text);
}

} // namespace

struct TVideoEncoder::TState {
    ~TState()
    {
        if (format && format->pb) {
            avio_closep(&format->pb);
        }
        avformat_free_context(format);
        avcodec_free_context(&video);
        avcodec_free_context(&audio);
        sws_freeContext(band);
        sws_freeContext(lastBand);
        swr_free(&resampler);
        av_frame_free(&picture);
        av_frame_free(&sound);
        av_packet_free(&packet);
    }

    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    SwsContext* band = nullptr;        // a band of the frame's RGB to yuv420p
    SwsContext* lastBand = nullptr;    // the last band, when the height is no multiple of the band's
    SwrContext* resampler = nullptr;   // interleaved floats to planar, and the queue of samples
    AVFrame* picture = nullptr;        // the last converted frame, sent again while it holds
    AVFrame* sound = nullptr;
    AVPacket* packet = nullptr;
    int64_t videoPts = 0;
    int64_t audioPts = 0;
};

TVideoEncoder::TVideoEncoder(std::unique_ptr<TState> p_state) : m_state(std::move(p_state)) {}

TVideoEncoder::~TVideoEncoder() = default;

namespace {

AVCodecContext* OpenVideoCodec(const TVideoFormat& p_format, bool p_bGlobalHeader, QString* p_psError)
{
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) {
        *p_psError = QStringLiteral("the H.264 encoder (libx264) is not available in libavcodec");
        return nullptr;
    }
    AVCodecContext* context = avcodec_alloc_context3(codec);
    context->width = p_format.size.width();
    context->height = p_format.size.height();
    context->time_base = AVRational{1, p_format.fps};
    context->framerate = AVRational{p_format.fps, 1};
    context->pix_fmt = AV_PIX_FMT_YUV420P;
    // The library's default is one thread; 0 lets the encoder take as many as the cores allow
    // (frames encoded side by side, the output the same whatever their number).
    context->thread_count = 0;
    context->gop_size = p_format.fps * kKeyFrameSeconds;
    context->colorspace = AVCOL_SPC_BT709;
    context->color_primaries = AVCOL_PRI_BT709;
    context->color_trc = AVCOL_TRC_BT709;
    context->color_range = AVCOL_RANGE_MPEG;
    if (p_bGlobalHeader) {
        context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    av_opt_set(context->priv_data, "preset", kX264Preset, 0);
    av_opt_set(context->priv_data, "crf", kX264Quality, 0);
    if (const int code = avcodec_open2(context, codec, nullptr); code < 0) {
        *p_psError = QStringLiteral("the H.264 encoder cannot be opened: %1").arg(AvError(code));
        avcodec_free_context(&context);
    }
    return context;
}

AVCodecContext* OpenAudioCodec(const TVideoFormat& p_format, bool p_bGlobalHeader, QString* p_psError)
{
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!codec) {
        *p_psError = QStringLiteral("the AAC encoder is not available in libavcodec");
        return nullptr;
    }
    AVCodecContext* context = avcodec_alloc_context3(codec);
    context->sample_fmt = AV_SAMPLE_FMT_FLTP;
    context->sample_rate = p_format.sampleRate;
    context->time_base = AVRational{1, p_format.sampleRate};
    context->bit_rate = kAudioBitRate;
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    av_channel_layout_copy(&context->ch_layout, &stereo);
    if (p_bGlobalHeader) {
        context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    // The default coder's search took as long as the whole picture's encoding; noise substitution
    // and temporal noise shaping add a quarter to the fast one for nothing a voice needs.
    av_opt_set(context->priv_data, "aac_coder", "fast", 0);
    av_opt_set(context->priv_data, "aac_pns", "0", 0);
    av_opt_set(context->priv_data, "aac_tns", "0", 0);
    if (const int code = avcodec_open2(context, codec, nullptr); code < 0) {
        *p_psError = QStringLiteral("the AAC encoder cannot be opened: %1").arg(AvError(code));
        avcodec_free_context(&context);
    }
    return context;
}

bool AddStream(AVFormatContext* p_format, const AVCodecContext* p_codec)
{
    AVStream* stream = avformat_new_stream(p_format, nullptr);
    if (!stream) {
        return false;
    }
    stream->time_base = p_codec->time_base;
    return avcodec_parameters_from_context(stream->codecpar, p_codec) >= 0;
}

void AddChapters(AVFormatContext* p_format, const std::vector<TVideoChapter>& p_chapters)
{
    if (p_chapters.empty()) {
        return;
    }
    p_format->chapters = static_cast<AVChapter**>(av_calloc(p_chapters.size(), sizeof(AVChapter*)));
    for (const TVideoChapter& chapter : p_chapters) {
        auto* entry = static_cast<AVChapter*>(av_mallocz(sizeof(AVChapter)));
        entry->id = static_cast<int64_t>(p_format->nb_chapters);
        entry->time_base = AVRational{1, 1000};
        entry->start = chapter.startMs;
        entry->end = chapter.endMs;
        av_dict_set(&entry->metadata, "title", chapter.title.toUtf8().constData(), 0);
        p_format->chapters[p_format->nb_chapters++] = entry;
    }
}

// RGB rows of the frame's width to yuv420p (BT.709, limited range as H.264 players expect).
SwsContext* OpenScaler(int p_nWidth, int p_nRows)
{
    SwsContext* scaler = sws_getContext(p_nWidth, p_nRows, AV_PIX_FMT_BGRA, p_nWidth, p_nRows, AV_PIX_FMT_YUV420P,
                                        SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (scaler) {
        const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
        sws_setColorspaceDetails(scaler, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
    }
    return scaler;
}

} // namespace

std::unique_ptr<TVideoEncoder> TVideoEncoder::Open(const QString& p_sPath, const TVideoFormat& p_format,
                                                   const std::vector<TVideoChapter>& p_chapters, QString* p_psError)
{
    av_log_set_level(AV_LOG_ERROR);
    auto state = std::make_unique<TState>();
    const QByteArray path = p_sPath.toLocal8Bit();
    if (avformat_alloc_output_context2(&state->format, nullptr, "mp4", path.constData()) < 0) {
        *p_psError = QStringLiteral("the MP4 muxer is not available in libavformat");
        return nullptr;
    }
    const bool globalHeader = (state->format->oformat->flags & AVFMT_GLOBALHEADER) != 0;
    state->video = OpenVideoCodec(p_format, globalHeader, p_psError);
    if (!state->video) {
        return nullptr;
    }
    state->audio = OpenAudioCodec(p_format, globalHeader, p_psError);
    if (!state->audio) {
        return nullptr;
    }
    if (!AddStream(state->format, state->video) || !AddStream(state->format, state->audio)) {
        *p_psError = QStringLiteral("the streams cannot be added to the MP4 file");
        return nullptr;
    }
    AddChapters(state->format, p_chapters);

    const int width = p_format.size.width();
    const int lastRows = p_format.size.height() % kBandRows;
    state->band = OpenScaler(width, kBandRows);
    state->lastBand = lastRows > 0 ? OpenScaler(width, lastRows) : nullptr;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    swr_alloc_set_opts2(&state->resampler, &stereo, AV_SAMPLE_FMT_FLTP, p_format.sampleRate, &stereo,
                        AV_SAMPLE_FMT_FLT, p_format.sampleRate, 0, nullptr);
    state->picture = av_frame_alloc();
    state->sound = av_frame_alloc();
    state->packet = av_packet_alloc();
    if (!state->band || (lastRows > 0 && !state->lastBand) || !state->resampler || swr_init(state->resampler) < 0 || !state->picture || !state->sound ||
        !state->packet) {
        *p_psError = QStringLiteral("the picture and sound converters cannot be set up");
        return nullptr;
    }
    state->picture->format = AV_PIX_FMT_YUV420P;
    state->picture->width = p_format.size.width();
    state->picture->height = p_format.size.height();
    if (av_frame_get_buffer(state->picture, 0) < 0) {
        *p_psError = QStringLiteral("no memory for a frame of %1 x %2").arg(p_format.size.width()).arg(p_format.size.height());
        return nullptr;
    }

    if (const int code = avio_open(&state->format->pb, path.constData(), AVIO_FLAG_WRITE); code < 0) {
        *p_psError = QStringLiteral("cannot write %1: %2").arg(p_sPath, AvError(code));
        return nullptr;
    }
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    const int code = avformat_write_header(state->format, &options);
    av_dict_free(&options);
    if (code < 0) {
        *p_psError = QStringLiteral("cannot write %1: %2").arg(p_sPath, AvError(code));
        return nullptr;
    }
    return std::unique_ptr<TVideoEncoder>(new TVideoEncoder(std::move(state)));
}

bool TVideoEncoder::Fail(const QString& p_sWhat, int p_nCode)
{
    m_sError = QStringLiteral("%1: %2").arg(p_sWhat, AvError(p_nCode));
    return false;
}

bool TVideoEncoder::WriteFrame(const QImage& p_imgFrame, const QRegion& p_rgnChanged, bool p_bKeyFrame)
{
    AVFrame* picture = m_state->picture;
    const bool first = m_state->videoPts == 0;
    if (first || !p_rgnChanged.isEmpty()) {
        // The encoder may still hold the last frame: then the new one goes into fresh buffers.
        if (const int code = av_frame_make_writable(picture); code < 0) {
            return Fail(QStringLiteral("no memory for a frame"), code);
        }
        ConvertBands(p_imgFrame, first ? QRegion(p_imgFrame.rect()) : p_rgnChanged);
    }
    picture->pts = m_state->videoPts++;
    picture->pict_type = p_bKeyFrame ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
    if (const int code = avcodec_send_frame(m_state->video, picture); code < 0) {
        return Fail(QStringLiteral("the H.264 encoder failed"), code);
    }
    return Drain(kVideoStream);
}

void TVideoEncoder::ConvertBands(const QImage& p_imgFrame, const QRegion& p_rgnChanged)
{
    const int height = p_imgFrame.height();
    std::vector<bool> due(static_cast<size_t>((height + kBandRows - 1) / kBandRows), false);
    for (const QRect& rect : p_rgnChanged & p_imgFrame.rect()) {
        for (int band = rect.top() / kBandRows; band <= rect.bottom() / kBandRows; ++band) {
            due[static_cast<size_t>(band)] = true;
        }
    }
    AVFrame* picture = m_state->picture;
    const int stride = static_cast<int>(p_imgFrame.bytesPerLine());
    for (size_t band = 0; band < due.size(); ++band) {
        if (!due[band]) {
            continue;
        }
        const int top = static_cast<int>(band) * kBandRows;
        const int rows = std::min(kBandRows, height - top);
        const uint8_t* source[] = {p_imgFrame.constScanLine(top)};
        uint8_t* target[] = {picture->data[0] + top * picture->linesize[0], picture->data[1] + top / 2 * picture->linesize[1],
                             picture->data[2] + top / 2 * picture->linesize[2]};
        sws_scale(rows == kBandRows ? m_state->band : m_state->lastBand, source, &stride, 0, rows, target,
                  picture->linesize);
    }
}

bool TVideoEncoder::WriteAudio(const float* p_pStereo, int64_t p_nFrames)
{
    const uint8_t* source[] = {reinterpret_cast<const uint8_t*>(p_pStereo)};
    if (const int code = swr_convert(m_state->resampler, nullptr, 0, source, static_cast<int>(p_nFrames)); code < 0) {
        return Fail(QStringLiteral("the sound could not be converted"), code);
    }
    return EncodeAudio(false);
}

// Whole encoder frames while the queue holds them; with p_bFlush the rest as a last, shorter one.
bool TVideoEncoder::EncodeAudio(bool p_bFlush)
{
    AVCodecContext* audio = m_state->audio;
    AVFrame* sound = m_state->sound;
    for (;;) {
        const int queued = swr_get_out_samples(m_state->resampler, 0);
        if (queued <= 0 || (queued < audio->frame_size && !p_bFlush)) {
            return true;
        }
        av_frame_unref(sound);
        sound->format = audio->sample_fmt;
        sound->sample_rate = audio->sample_rate;
        av_channel_layout_copy(&sound->ch_layout, &audio->ch_layout);
        sound->nb_samples = std::min(queued, audio->frame_size);
        if (const int code = av_frame_get_buffer(sound, 0); code < 0) {
            return Fail(QStringLiteral("no memory for sound"), code);
        }
        const int got = swr_convert(m_state->resampler, sound->data, sound->nb_samples, nullptr, 0);
        if (got <= 0) {
            return true;
        }
        sound->nb_samples = got;
        sound->pts = m_state->audioPts;
        m_state->audioPts += got;
        if (const int code = avcodec_send_frame(audio, sound); code < 0) {
            return Fail(QStringLiteral("the AAC encoder failed"), code);
        }
        if (!Drain(kAudioStream)) {
            return false;
        }
    }
}

// Writes every packet the stream's encoder has ready.
bool TVideoEncoder::Drain(int p_nStream)
{
    AVCodecContext* codec = p_nStream == kVideoStream ? m_state->video : m_state->audio;
    AVStream* stream = m_state->format->streams[p_nStream];
    AVPacket* packet = m_state->packet;
    for (;;) {
        const int received = avcodec_receive_packet(codec, packet);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) {
            return true;
        }
        if (received < 0) {
            return Fail(QStringLiteral("the encoder failed"), received);
        }
        if (p_nStream == kVideoStream) {
            packet->duration = 1;   // one frame: the last frame lasts as long as the others
        }
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = p_nStream;
        if (const int code = av_interleaved_write_frame(m_state->format, packet); code < 0) {
            return Fail(QStringLiteral("cannot write %1").arg(QString::fromLocal8Bit(m_state->format->url)), code);
        }
    }
}

bool TVideoEncoder::Finish()
{
    if (!EncodeAudio(true)) {
        return false;
    }
    for (const int stream : {kVideoStream, kAudioStream}) {
        AVCodecContext* codec = stream == kVideoStream ? m_state->video : m_state->audio;
        if (const int code = avcodec_send_frame(codec, nullptr); code < 0) {
            return Fail(QStringLiteral("the encoder could not be drained"), code);
        }
        if (!Drain(stream)) {
            return false;
        }
    }
    // Moving the index to the front rewrites the file here: a full disk shows now.
    if (const int code = av_write_trailer(m_state->format); code < 0) {
        return Fail(QStringLiteral("cannot write %1").arg(QString::fromLocal8Bit(m_state->format->url)), code);
    }
    const int closed = avio_closep(&m_state->format->pb);
    if (closed < 0) {
        return Fail(QStringLiteral("cannot write %1").arg(QString::fromLocal8Bit(m_state->format->url)), closed);
    }
    return true;
}
