#pragma once
// Band-limited sample rate conversion of stereo frames (windowed sinc, 16 taps, polyphase).
// Output frame k stands at input time k * Step(): the kernel is centred on it, so the time
// mapping has no delay. Equal rates pass the frames through untouched.

#include <cstddef>
#include <cstdint>
#include <vector>

class TResampler {
public:
    TResampler(uint32_t p_u32InputRate, uint32_t p_u32OutputRate);

    // Input frames per output frame.
    double Step() const { return m_dStep; }
    void Reset();
    // Appends input frames (2 interleaved floats each).
    void Push(const float* p_pStereo, size_t p_nFrames);
    // No more input: the frames still held become producible (the kernel reads zeros past the end).
    void Finish();
    // Produces up to p_nMax output frames; returns how many.
    size_t Pull(float* p_pStereoOut, size_t p_nMax);
    // Output frames produced since Reset; the next one stands at input time OutputCount() * Step().
    uint64_t OutputCount() const { return m_nOutput; }
    // Nothing is left to produce after Finish.
    bool Drained() const;

private:
    static constexpr int kHalfTaps = 8;
    static constexpr int kTaps = 2 * kHalfTaps;
    static constexpr int kPhases = 512;

    void BuildKernel(double p_dCutoff);
    bool CanProduce(uint64_t p_nOutput) const;
    void Compact();

    double m_dStep;
    bool m_bBypass;
    bool m_bFinished = false;
    std::vector<float> m_kernel;  // (kPhases + 1) x kTaps
    std::vector<float> m_input;   // interleaved stereo, first frame at input index m_nBase
    int64_t m_nBase = 0;
    int64_t m_nInputEnd = 0;      // input frames pushed (zero padding excluded)
    uint64_t m_nOutput = 0;
};
