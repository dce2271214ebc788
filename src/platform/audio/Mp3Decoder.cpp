#include "platform/audio/Mp3Decoder.h"

#include <algorithm>

#include <mpg123.h>

namespace {

// The library keeps no global state worth tearing down; initialising it once is enough.
void InitLibraryOnce()
{
    static const bool s_bDone = [] {
        mpg123_init();
        return true;
    }();
    (void)s_bDone;
}

}  // namespace

std::unique_ptr<TMp3Decoder> TMp3Decoder::Open(const std::string& p_strUtf8Path)
{
    InitLibraryOnce();
    std::unique_ptr<TMp3Decoder> decoder(new TMp3Decoder());
    if (!decoder->Prepare(p_strUtf8Path) || !decoder->MeasureLength() || decoder->m_nFrames <= 0)
        return nullptr;
    return decoder;
}

TMp3Decoder::~TMp3Decoder()
{
    if (m_pHandle) {
        mpg123_close(m_pHandle);
        mpg123_delete(m_pHandle);
    }
}

bool TMp3Decoder::Prepare(const std::string& p_strUtf8Path)
{
    int err = MPG123_OK;
    m_pHandle = mpg123_new(nullptr, &err);
    if (!m_pHandle)
        return false;
    // Gapless trimming gives the exact length; no Frankenstein streams keeps one format for
    // the whole file and stops at the length the info tag announces.
    const long flags = MPG123_GAPLESS | MPG123_FORCE_FLOAT | MPG123_QUIET | MPG123_NO_FRANKENSTEIN;
    if (mpg123_param(m_pHandle, MPG123_ADD_FLAGS, flags, 0.0) != MPG123_OK)
        return false;
    mpg123_format_none(m_pHandle);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(m_pHandle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    if (mpg123_open(m_pHandle, p_strUtf8Path.c_str()) != MPG123_OK)
        return false;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(m_pHandle, &rate, &channels, &encoding) != MPG123_OK)
        return false;
    if (rate <= 0 || (channels != 1 && channels != 2) || encoding != MPG123_ENC_FLOAT_32)
        return false;
    m_nRate = static_cast<int>(rate);
    m_nChannels = channels;
    mpg123_frameinfo info {};
    if (mpg123_info(m_pHandle, &info) == MPG123_OK)
        m_nLayer = info.layer;
    return true;
}

bool TMp3Decoder::MeasureLength()
{
    // The encoder's info tag (frame count, encoder delay and padding) gives the exact gapless
    // length at once; without it the length from the first frames is an estimate, so the file
    // is scanned frame by frame (headers only, nothing is decoded).
    long delay = -1;
    double unused = 0.0;
    mpg123_getstate(m_pHandle, MPG123_ENC_DELAY, &delay, &unused);
    m_bTagged = delay >= 0;
    if (!m_bTagged && mpg123_scan(m_pHandle) != MPG123_OK)
        return false;
    const off_t length = mpg123_length(m_pHandle);
    if (length <= 0)
        return false;
    m_nFrames = length;
    return Seek(0);
}

int64_t TMp3Decoder::Read(float* p_pOut, int64_t p_nFrames)
{
    const int64_t wanted = std::min<int64_t>(p_nFrames, m_nFrames - m_nPosition);
    if (wanted <= 0)
        return 0;
    const size_t frameBytes = sizeof(float) * static_cast<size_t>(m_nChannels);
    size_t done = 0;
    unsigned char* out = reinterpret_cast<unsigned char*>(p_pOut);
    const size_t wantedBytes = static_cast<size_t>(wanted) * frameBytes;
    while (done < wantedBytes) {
        size_t got = 0;
        const int err = mpg123_read(m_pHandle, out + done, wantedBytes - done, &got);
        done += got;
        if (err == MPG123_NEW_FORMAT || (err == MPG123_OK && got > 0))
            continue;
        if (err != MPG123_OK || got == 0)
            break;  // end of data or an error that resyncing did not get past
    }
    const int64_t frames = static_cast<int64_t>(done / frameBytes);
    m_nPosition += frames;
    return frames;
}

bool TMp3Decoder::Seek(int64_t p_nFrame)
{
    if (p_nFrame < 0 || p_nFrame > m_nFrames)
        return false;
    const off_t at = mpg123_seek(m_pHandle, static_cast<off_t>(p_nFrame), SEEK_SET);
    if (at < 0)
        return false;
    m_nPosition = at;
    return at == p_nFrame;
}
