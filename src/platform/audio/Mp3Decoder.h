#pragma once
// One MPEG audio file opened for decoding: float samples at the file's own rate and channel
// count, gapless, with the exact length in sample frames and sample-accurate seeks.

#include <cstdint>
#include <memory>
#include <string>

struct mpg123_handle_struct;

class TMp3Decoder {
public:
    // nullptr when the file is missing, holds no MPEG audio or no sample at all.
    static std::unique_ptr<TMp3Decoder> Open(const std::string& p_strUtf8Path);
    ~TMp3Decoder();
    TMp3Decoder(const TMp3Decoder&) = delete;
    TMp3Decoder& operator=(const TMp3Decoder&) = delete;

    int GetRate() const { return m_nRate; }
    int GetChannels() const { return m_nChannels; }
    int GetLayer() const { return m_nLayer; }
    // Exact number of sample frames the decoder delivers from start to end. A file damaged
    // inside holds fewer; the missing frames are delivered as silence.
    int64_t GetFrames() const { return m_nFrames; }
    // True when the length came from the file's info tag rather than a scan.
    bool IsTagged() const { return m_bTagged; }

    // Decodes up to p_nFrames interleaved frames into p_pOut; 0 only at the end.
    int64_t Read(float* p_pOut, int64_t p_nFrames);
    // Moves to sample frame p_nFrame (0 .. GetFrames()), sample-accurately; false when out of range.
    bool Seek(int64_t p_nFrame);
    int64_t Tell() const { return m_nPosition; }

private:
    TMp3Decoder() = default;
    bool Prepare(const std::string& p_strUtf8Path, bool p_bIgnoreInfoTag);
    bool MeasureLength();

    mpg123_handle_struct* m_pHandle = nullptr;
    int m_nRate = 0;
    int m_nChannels = 0;
    int m_nLayer = 0;
    int64_t m_nFrames = 0;
    int64_t m_nPosition = 0;
    bool m_bTagged = false;
    bool m_bExhausted = false;  // the file's data ended before its length
};
