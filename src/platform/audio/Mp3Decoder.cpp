#include "platform/audio/Mp3Decoder.h"

#include "platform/ContentFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

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

uint32_t BigEndian32(const unsigned char* p_pBytes)
{
    return (uint32_t {p_pBytes[0]} << 24) | (uint32_t {p_pBytes[1]} << 16) | (uint32_t {p_pBytes[2]} << 8) | p_pBytes[3];
}

// True when the file is shorter than its info tag says (a truncated download or copy): the
// tag's frame count would then promise audio that is not there.
bool IsShorterThanInfoTag(const std::string& p_strUtf8Path)
{
    std::FILE* file = std::fopen(p_strUtf8Path.c_str(), "rb");
    if (!file)
        return false;
    unsigned char head[10] = {};
    long frameAt = 0;
    if (std::fread(head, 1, sizeof head, file) == sizeof head && std::memcmp(head, "ID3", 3) == 0) {
        frameAt = 10 + ((head[6] & 0x7F) << 21 | (head[7] & 0x7F) << 14 | (head[8] & 0x7F) << 7 | (head[9] & 0x7F));
        if (head[5] & 0x10)
            frameAt += 10;  // footer
    }
    unsigned char frame[64] = {};
    std::fseek(file, 0, SEEK_END);
    const long fileSize = std::ftell(file);
    unsigned char tail[3] = {};
    const bool id3v1 = fileSize >= 128 && std::fseek(file, fileSize - 128, SEEK_SET) == 0 &&
                       std::fread(tail, 1, 3, file) == 3 && std::memcmp(tail, "TAG", 3) == 0;
    const bool readFrame = std::fseek(file, frameAt, SEEK_SET) == 0 && std::fread(frame, 1, sizeof frame, file) == sizeof frame;
    std::fclose(file);
    // Layer III frame header, then the side information, then "Xing" or "Info".
    if (!readFrame || frame[0] != 0xFF || (frame[1] & 0xE0) != 0xE0 || ((frame[1] >> 1) & 3) != 1)
        return false;
    const bool mpeg1 = ((frame[1] >> 3) & 3) == 3;
    const bool mono = ((frame[3] >> 6) & 3) == 3;
    const int tagAt = 4 + (mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17));
    if (std::memcmp(frame + tagAt, "Xing", 4) != 0 && std::memcmp(frame + tagAt, "Info", 4) != 0)
        return false;
    const uint32_t flags = BigEndian32(frame + tagAt + 4);
    if ((flags & 2) == 0)
        return false;  // no byte count to check against
    const uint32_t tagBytes = BigEndian32(frame + tagAt + 8 + ((flags & 1) ? 4 : 0));
    const long audioBytes = fileSize - frameAt - (id3v1 ? 128 : 0);
    return audioBytes < static_cast<long>(tagBytes);
}

}  // namespace

std::unique_ptr<TMp3Decoder> TMp3Decoder::Open(const std::string& p_strUtf8Path)
{
    if (!IsRegularFile(QString::fromStdString(p_strUtf8Path)))
        return nullptr;
    InitLibraryOnce();
    std::unique_ptr<TMp3Decoder> decoder(new TMp3Decoder());
    if (!decoder->Prepare(p_strUtf8Path, IsShorterThanInfoTag(p_strUtf8Path)) || !decoder->MeasureLength() ||
        decoder->m_nFrames <= 0)
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

bool TMp3Decoder::Prepare(const std::string& p_strUtf8Path, bool p_bIgnoreInfoTag)
{
    int err = MPG123_OK;
    m_pHandle = mpg123_new(nullptr, &err);
    if (!m_pHandle)
        return false;
    // Gapless trimming gives the exact length; no Frankenstein streams keeps one format for
    // the whole file and stops at the length the info tag announces. A tag that promises more
    // than the file holds is ignored, and the frames are counted instead.
    // Garbage inside a file is skipped however long it is.
    long flags = MPG123_GAPLESS | MPG123_FORCE_FLOAT | MPG123_QUIET | MPG123_NO_FRANKENSTEIN;
    if (p_bIgnoreInfoTag)
        flags |= MPG123_IGNORE_INFOFRAME;
    if (mpg123_param(m_pHandle, MPG123_ADD_FLAGS, flags, 0.0) != MPG123_OK ||
        mpg123_param(m_pHandle, MPG123_RESYNC_LIMIT, -1, 0.0) != MPG123_OK)
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
    const size_t wantedBytes = static_cast<size_t>(wanted) * frameBytes;
    unsigned char* out = reinterpret_cast<unsigned char*>(p_pOut);
    size_t done = 0;
    while (!m_bExhausted && done < wantedBytes) {
        size_t got = 0;
        const int err = mpg123_read(m_pHandle, out + done, wantedBytes - done, &got);
        done += got;
        if (err != MPG123_OK && err != MPG123_NEW_FORMAT)
            m_bExhausted = true;  // the end of the data, or damage the decoder cannot get past
        else if (got == 0 && err == MPG123_OK)
            m_bExhausted = true;
    }
    // What the file lacks up to its length is silence, so the time line stays whole.
    std::fill(out + done, out + wantedBytes, 0);
    m_nPosition += wanted;
    return wanted;
}

bool TMp3Decoder::Seek(int64_t p_nFrame)
{
    if (p_nFrame < 0 || p_nFrame > m_nFrames)
        return false;
    const off_t at = mpg123_seek(m_pHandle, static_cast<off_t>(p_nFrame), SEEK_SET);
    m_nPosition = p_nFrame;
    m_bExhausted = at != p_nFrame;  // past what a damaged file holds: silence from here
    return true;
}
