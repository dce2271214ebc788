#include "platform/audio/AudioVoice.h"

#include <algorithm>
#include <cmath>

#include <soundtouch/SoundTouch.h>

#include "platform/audio/Mp3Decoder.h"

// The real-time side shares these with the other threads; they must not hide a lock.
static_assert(std::atomic<double>::is_always_lock_free && std::atomic<float>::is_always_lock_free &&
              std::atomic<uint64_t>::is_always_lock_free);

namespace {

// Stretcher settings for speech: short sequences keep syllables intact at up to twice the
// speed; the seek window is wide enough to find the pitch period of a voice.
constexpr int kSequenceMs = 40;
constexpr int kSeekWindowMs = 15;
constexpr int kOverlapMs = 8;
constexpr size_t kMarkerSlots = 256;
constexpr size_t kPullFrames = 1024;

}  // namespace

TAudioVoice::TAudioVoice(std::shared_ptr<TMp3Decoder> p_decoder, uint32_t p_u32OutputRate,
                         size_t p_nRingFrames)
    : m_decoder(std::move(p_decoder))
    , m_stretcher(std::make_unique<soundtouch::SoundTouch>())
    , m_resampler(static_cast<uint32_t>(m_decoder->GetRate()), p_u32OutputRate)
    , m_nChannels(m_decoder->GetChannels())
    , m_dSourceRate(m_decoder->GetRate())
    , m_ring(p_nRingFrames, 2)
    , m_markers(kMarkerSlots)
{
    m_stretcher->setSampleRate(static_cast<unsigned>(m_decoder->GetRate()));
    m_stretcher->setChannels(static_cast<unsigned>(m_nChannels));
    m_stretcher->setSetting(SETTING_SEQUENCE_MS, kSequenceMs);
    m_stretcher->setSetting(SETTING_SEEKWINDOW_MS, kSeekWindowMs);
    m_stretcher->setSetting(SETTING_OVERLAP_MS, kOverlapMs);
    m_stretcher->setSetting(SETTING_USE_QUICKSEEK, 0);
    m_stretcher->setTempo(1.0);
    m_decoded.resize(kDecodeFrames * static_cast<size_t>(m_nChannels));
    m_stretchedBuf.resize(kDecodeFrames * 4 * static_cast<size_t>(m_nChannels));
    m_stereo.resize(kDecodeFrames * 4 * 2);
    m_staging.resize(kPullFrames * 2);
}

TAudioVoice::~TAudioVoice() = default;

void TAudioVoice::Start(int64_t p_nSourceFrame, double p_dTempo)
{
    const int64_t start = std::clamp<int64_t>(p_nSourceFrame, 0, m_decoder->GetFrames());
    m_decoder->Seek(start);
    m_stretcher->clear();
    m_stretcher->setTempo(p_dTempo);
    m_resampler.Reset();
    m_ring.Reset();
    m_markers.Reset();
    m_nStartFrame = start;
    m_dStretched = 0.0;
    m_dModelStretched = 0.0;
    m_dModelSource = static_cast<double>(start);
    m_dTempo = p_dTempo;
    m_pieces.clear();
    m_dMarkedStart = std::nan("");
    m_bDecoderEnded = false;
    m_bDone = false;
    m_staging.assign(m_staging.size(), 0.0f);
    m_nStagingRead = m_nStagingEnd = 0;
    AddPieces(0.0, p_dTempo, 0.0);

    m_bFeederDone.store(false, std::memory_order_relaxed);
    m_bStalled.store(false, std::memory_order_relaxed);
    m_bEnded.store(false, std::memory_order_relaxed);
    m_u64EndGlobal.store(0, std::memory_order_relaxed);
    m_u64HeardCount.store(0, std::memory_order_relaxed);
    m_dStartSource.store(static_cast<double>(start), std::memory_order_relaxed);
    m_current = TMarker {0, static_cast<double>(start), 0.0};
    m_fGain = m_fVolume.load(std::memory_order_relaxed);
}

double TAudioVoice::CorrectionFor(double p_dTempo) const
{
    // Each stretcher sequence plays a stretch of the source at the original speed: after the
    // overlap it lags the nominal time line by (tempo - 1) x overlap, at its end by
    // (tempo - 1) x (sequence - overlap). The reported time follows the mean lag over the
    // sequence, overlap included; measured against the sound it is (tempo - 1) x (sequence
    // - overlap / 2) / 2.
    const double overlap = kOverlapMs * m_dSourceRate / 1000.0;
    return (p_dTempo - 1.0) * (m_dSequence + overlap / 2.0) / 2.0;
}

void TAudioVoice::AddPieces(double p_dAt, double p_dTempo, double p_dCorrectionFrom)
{
    m_dSequence = m_stretcher->getSetting(SETTING_NOMINAL_OUTPUT_SEQUENCE);
    const double ramp = std::max(1.0, m_dSequence);
    const double model = m_dModelSource + (p_dAt - m_dModelStretched) * m_dTempo;
    m_dModelStretched = p_dAt;
    m_dModelSource = model;
    m_dTempo = p_dTempo;
    const double target = CorrectionFor(p_dTempo);
    while (!m_pieces.empty() && m_pieces.back().dStretched >= p_dAt)
        m_pieces.pop_back();
    m_pieces.push_back({p_dAt, model - p_dCorrectionFrom, p_dTempo - (target - p_dCorrectionFrom) / ramp});
    m_pieces.push_back({p_dAt + ramp, model + p_dTempo * ramp - target, p_dTempo});
}

void TAudioVoice::SetTempo(double p_dTempo)
{
    if (p_dTempo == m_dTempo)
        return;
    const double at = m_dStretched;
    const double model = m_dModelSource + (at - m_dModelStretched) * m_dTempo;
    const double correction = model - SourceAt(at);
    m_stretcher->setTempo(p_dTempo);
    AddPieces(at, p_dTempo, correction);
}

double TAudioVoice::SourceAt(double p_dStretched) const
{
    auto it = std::upper_bound(m_pieces.begin(), m_pieces.end(), p_dStretched,
                               [](double v, const TPiece& p) { return v < p.dStretched; });
    const TPiece& piece = it == m_pieces.begin() ? *it : *(it - 1);
    return piece.dSource + (p_dStretched - piece.dStretched) * piece.dSlope;
}

void TAudioVoice::Pump(size_t p_nTargetFrames)
{
    while (m_ring.Available() < p_nTargetFrames) {
        if (m_nStagingRead < m_nStagingEnd) {
            MoveToRing();
            if (m_nStagingRead < m_nStagingEnd)
                break;  // ring full
            continue;
        }
        if (m_bDone || m_markers.Free() < 4)
            break;
        const uint64_t first = m_resampler.OutputCount();
        const size_t pulled = m_resampler.Pull(m_staging.data(), kPullFrames);
        if (pulled > 0) {
            EmitMarkers(first, pulled);
            m_nStagingRead = 0;
            m_nStagingEnd = pulled;
            continue;
        }
        if (m_resampler.Drained()) {
            m_bDone = true;
            m_bFeederDone.store(true, std::memory_order_release);
            break;
        }
        ProduceMore();
    }
}

void TAudioVoice::ProduceMore()
{
    if (m_bDecoderEnded) {
        m_resampler.Finish();
        return;
    }
    const int64_t got = m_decoder->Read(m_decoded.data(), static_cast<int64_t>(kDecodeFrames));
    if (got > 0) {
        m_stretcher->putSamples(m_decoded.data(), static_cast<unsigned>(got));
    } else {
        m_bDecoderEnded = true;
        m_stretcher->flush();
    }
    DrainStretcher();
    if (m_bDecoderEnded)
        m_resampler.Finish();
}

void TAudioVoice::DrainStretcher()
{
    const unsigned capacity = static_cast<unsigned>(m_stretchedBuf.size() / static_cast<size_t>(m_nChannels));
    for (;;) {
        const unsigned got = m_stretcher->receiveSamples(m_stretchedBuf.data(), capacity);
        if (got == 0)
            break;
        m_dStretched += got;
        for (unsigned i = 0; i < got; ++i) {
            const float* in = m_stretchedBuf.data() + static_cast<size_t>(i) * m_nChannels;
            m_stereo[2 * i] = in[0];
            m_stereo[2 * i + 1] = in[m_nChannels - 1];
        }
        m_resampler.Push(m_stereo.data(), got);
    }
}

void TAudioVoice::MoveToRing()
{
    m_nStagingRead += m_ring.Write(m_staging.data() + 2 * m_nStagingRead, m_nStagingEnd - m_nStagingRead);
}

void TAudioVoice::EmitMarkers(uint64_t p_nFirst, size_t p_nCount)
{
    // A marker goes out where the output enters a new piece of the time line; the real-time
    // side extends each marker linearly, so within a piece no further markers are needed.
    const double step = m_resampler.Step();
    const uint64_t last = p_nFirst + p_nCount - 1;
    for (uint64_t k = p_nFirst;;) {
        const double u = static_cast<double>(k) * step;
        auto it = std::upper_bound(m_pieces.begin(), m_pieces.end(), u,
                                   [](double v, const TPiece& p) { return v < p.dStretched; });
        if (it - m_pieces.begin() > 1)
            m_pieces.erase(m_pieces.begin(), it - 1);  // pieces behind the output are done
        const TPiece& piece = m_pieces.front();
        if (piece.dStretched != m_dMarkedStart) {
            const TMarker marker {k, SourceAt(u), piece.dSlope * step};
            m_markers.Write(&marker, 1);
            m_dMarkedStart = piece.dStretched;
        }
        if (m_pieces.size() < 2)
            break;
        const uint64_t next = static_cast<uint64_t>(std::ceil(m_pieces[1].dStretched / step));
        if (next > last)
            break;
        k = std::max(next, k + 1);
    }
}

void TAudioVoice::MixInto(float* p_pOut, uint32_t p_nFrames, uint64_t p_u64Global)
{
    if (m_bEnded.load(std::memory_order_relaxed))
        return;
    // Seen before the ring is read: when the feeder is done, every frame is already there.
    const bool feederDone = m_bFeederDone.load(std::memory_order_acquire);
    const float* first = nullptr;
    const float* second = nullptr;
    size_t firstCount = 0;
    const size_t count = m_ring.Peek(p_nFrames, &first, &firstCount, &second);

    // The volume glides over the buffer instead of stepping (no click).
    const float target = m_fVolume.load(std::memory_order_relaxed);
    const float glide = (target - m_fGain) / static_cast<float>(p_nFrames);
    for (size_t i = 0; i < count; ++i) {
        const float* in = i < firstCount ? first + 2 * i : second + 2 * (i - firstCount);
        const float gain = m_fGain + glide * static_cast<float>(i + 1);
        p_pOut[2 * i] += gain * in[0];
        p_pOut[2 * i + 1] += gain * in[1];
    }
    m_fGain = count == p_nFrames ? target : m_fGain + glide * static_cast<float>(count);

    // Record which source time each mixed frame carries, one entry per piece of the time line.
    uint64_t index = m_ring.ReadCount();
    uint64_t global = p_u64Global;
    size_t left = count;
    TMarker marker;
    while (left > 0) {
        while (m_markers.Front(&marker) && marker.u64Index <= index) {
            m_current = marker;
            m_markers.Consume(1);
        }
        size_t run = left;
        if (m_markers.Front(&marker) && marker.u64Index < index + left)
            run = static_cast<size_t>(marker.u64Index - index);
        const double source = m_current.dSource + static_cast<double>(index - m_current.u64Index) * m_current.dSlope;
        WriteHeard(global, source, m_current.dSlope, run);
        index += run;
        global += run;
        left -= run;
    }
    m_ring.Consume(count);

    if (count < p_nFrames && feederDone) {
        m_u64EndGlobal.store(p_u64Global + count, std::memory_order_relaxed);
        m_bEnded.store(true, std::memory_order_release);
    }
    m_bStalled.store(count < p_nFrames && !feederDone, std::memory_order_relaxed);
}

void TAudioVoice::WriteHeard(uint64_t p_u64Global, double p_dSource, double p_dSlope, uint64_t p_u64Count)
{
    const uint64_t slot = m_u64HeardCount.load(std::memory_order_relaxed);
    THeard& entry = m_heard[slot % kHeardEntries];
    const uint32_t seq = entry.u32Seq.load(std::memory_order_relaxed);
    entry.u32Seq.store(seq + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    entry.u64Global.store(p_u64Global, std::memory_order_relaxed);
    entry.dSource.store(p_dSource, std::memory_order_relaxed);
    entry.dSlope.store(p_dSlope, std::memory_order_relaxed);
    entry.u64Count.store(p_u64Count, std::memory_order_relaxed);
    entry.u32Seq.store(seq + 2, std::memory_order_release);
    m_u64HeardCount.store(slot + 1, std::memory_order_release);
}

double TAudioVoice::HeardSource(uint64_t p_u64Heard, bool* p_pEnded) const
{
    *p_pEnded = m_bEnded.load(std::memory_order_acquire) &&
                p_u64Heard >= m_u64EndGlobal.load(std::memory_order_relaxed);
    const uint64_t count = m_u64HeardCount.load(std::memory_order_acquire);
    // The newest entries first; the oldest slots may be rewritten meanwhile, so leave a margin.
    const uint64_t oldest = count > kHeardEntries - 16 ? count - (kHeardEntries - 16) : 0;
    for (uint64_t slot = count; slot > oldest; --slot) {
        const THeard& entry = m_heard[(slot - 1) % kHeardEntries];
        for (int attempt = 0; attempt < 4; ++attempt) {
            const uint32_t before = entry.u32Seq.load(std::memory_order_acquire);
            const uint64_t global = entry.u64Global.load(std::memory_order_relaxed);
            const double source = entry.dSource.load(std::memory_order_relaxed);
            const double slope = entry.dSlope.load(std::memory_order_relaxed);
            const uint64_t frames = entry.u64Count.load(std::memory_order_relaxed);
            std::atomic_thread_fence(std::memory_order_acquire);
            if ((before & 1) != 0 || entry.u32Seq.load(std::memory_order_relaxed) != before)
                continue;
            if (global > p_u64Heard)
                break;
            return source + static_cast<double>(std::min(p_u64Heard - global, frames)) * slope;
        }
    }
    return m_dStartSource.load(std::memory_order_relaxed);
}
