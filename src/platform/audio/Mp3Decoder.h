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
    // Exact number of sample frames the decoder delivers from start to end.
    int64_t GetFrames() const { return m_nFrames; }
    // True when the length came from the file's info tag rather than a scan.
    bool IsTagged() const { return m_bTagged; }

    // Decodes up to p_nFrames interleaved frames into p_pOut; 0 at the end or on a hard error.
    int64_t Read(float* p_pOut, int64_t p_nFrames);
    // Moves to sample frame p_nFrame (0 .. GetFrames()); false on failure.
    bool Seek(int64_t p_nFrame);
    int64_t Tell() const { return m_nPosition; }
    // Called when decoding ended before the announced length (a truncated file): the length
    // becomes what was actually decoded.
    void TruncateAt(int64_t p_nFrames) { m_nFrames = p_nFrames; }

private:
    TMp3Decoder() = default;
    bool Prepare(const std::string& p_strUtf8Path);
    bool MeasureLength();

    mpg123_handle_struct* m_pHandle = nullptr;
    int m_nRate = 0;
    int m_nChannels = 0;
    int m_nLayer = 0;
    int64_t m_nFrames = 0;
    int64_t m_nPosition = 0;
    bool m_bTagged = false;
};
