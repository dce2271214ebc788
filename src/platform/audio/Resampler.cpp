#include "platform/audio/Resampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double BesselI0(double p_dX)
{
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; k < 40; ++k) {
        term *= (p_dX / (2.0 * k)) * (p_dX / (2.0 * k));
        sum += term;
    }
    return sum;
}

}  // namespace

TResampler::TResampler(uint32_t p_u32InputRate, uint32_t p_u32OutputRate)
    : m_dStep(static_cast<double>(p_u32InputRate) / p_u32OutputRate)
    , m_bBypass(p_u32InputRate == p_u32OutputRate)
{
    // Cut below the lower Nyquist frequency, leaving the window room for its transition band.
    BuildKernel(0.9 * std::min(1.0, 1.0 / m_dStep));
    Reset();
}

void TResampler::BuildKernel(double p_dCutoff)
{
    const double beta = 7.0;
    const double norm = BesselI0(beta);
    m_kernel.assign(static_cast<size_t>(kPhases + 1) * kTaps, 0.0f);
    for (int phase = 0; phase <= kPhases; ++phase) {
        const double frac = static_cast<double>(phase) / kPhases;
        double taps[kTaps];
        double sum = 0.0;
        for (int j = 0; j < kTaps; ++j) {
            const double x = (j - (kHalfTaps - 1)) - frac;  // tap j reads input floor(t) + j - 7
            const double arg = std::numbers::pi * p_dCutoff * x;
            const double sinc = x == 0.0 ? 1.0 : std::sin(arg) / arg;
            const double r = x / kHalfTaps;
            const double window = r * r >= 1.0 ? 0.0 : BesselI0(beta * std::sqrt(1.0 - r * r)) / norm;
            taps[j] = sinc * window;
            sum += taps[j];
        }
        for (int j = 0; j < kTaps; ++j)  // unity gain at DC for every phase
            m_kernel[static_cast<size_t>(phase) * kTaps + j] = static_cast<float>(taps[j] / sum);
    }
}

void TResampler::Reset()
{
    m_bFinished = false;
    m_nOutput = 0;
    m_nInputEnd = 0;
    // Silence before the first frame feeds the first kernels.
    m_nBase = m_bBypass ? 0 : -(kHalfTaps - 1);
    m_input.assign(static_cast<size_t>(-m_nBase) * 2, 0.0f);
}

void TResampler::Push(const float* p_pStereo, size_t p_nFrames)
{
    m_input.insert(m_input.end(), p_pStereo, p_pStereo + 2 * p_nFrames);
    m_nInputEnd += static_cast<int64_t>(p_nFrames);
}

void TResampler::Finish()
{
    if (m_bFinished)
        return;
    m_bFinished = true;
    if (!m_bBypass)
        m_input.resize(m_input.size() + 2 * kHalfTaps, 0.0f);
}

bool TResampler::CanProduce(uint64_t p_nOutput) const
{
    const double t = static_cast<double>(p_nOutput) * m_dStep;
    if (m_bFinished && t >= static_cast<double>(m_nInputEnd))
        return false;
    const int64_t last = static_cast<int64_t>(std::floor(t)) + (m_bBypass ? 0 : kHalfTaps);
    const int64_t available = m_nBase + static_cast<int64_t>(m_input.size() / 2);
    return last < available;
}

bool TResampler::Drained() const
{
    return m_bFinished && !CanProduce(m_nOutput);
}

size_t TResampler::Pull(float* p_pStereoOut, size_t p_nMax)
{
    size_t produced = 0;
    while (produced < p_nMax && CanProduce(m_nOutput)) {
        const double t = static_cast<double>(m_nOutput) * m_dStep;
        const int64_t whole = static_cast<int64_t>(std::floor(t));
        float* out = p_pStereoOut + 2 * produced;
        if (m_bBypass) {
            const size_t at = static_cast<size_t>(whole - m_nBase) * 2;
            out[0] = m_input[at];
            out[1] = m_input[at + 1];
        } else {
            const double pos = (t - static_cast<double>(whole)) * kPhases;
            const int phase = std::min(static_cast<int>(pos), kPhases - 1);
            const float mix = static_cast<float>(pos - phase);
            const float* k0 = m_kernel.data() + static_cast<size_t>(phase) * kTaps;
            const float* k1 = k0 + kTaps;
            const float* in = m_input.data() + static_cast<size_t>(whole - (kHalfTaps - 1) - m_nBase) * 2;
            float left = 0.0f;
            float right = 0.0f;
            for (int j = 0; j < kTaps; ++j) {
                const float w = k0[j] + mix * (k1[j] - k0[j]);
                left += w * in[2 * j];
                right += w * in[2 * j + 1];
            }
            out[0] = left;
            out[1] = right;
        }
        ++m_nOutput;
        ++produced;
    }
    Compact();
    return produced;
}

void TResampler::Compact()
{
    // Keep what the next kernel still reads; drop the rest once it is a sizeable block.
    const double t = static_cast<double>(m_nOutput) * m_dStep;
    const int64_t keepFrom = static_cast<int64_t>(std::floor(t)) - (m_bBypass ? 0 : kHalfTaps - 1);
    const int64_t drop = keepFrom - m_nBase;
    if (drop < 4096)
        return;
    m_input.erase(m_input.begin(), m_input.begin() + drop * 2);
    m_nBase = keepFrom;
}
