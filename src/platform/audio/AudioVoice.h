#pragma once
// The playing side of one tempo stream: decoder -> tempo stretcher -> resampler -> ring, and
// the map from output frames back to the source time line.
//
// Threads: the feeder (or the GUI thread, both under the engine's lock) calls Start, SetTempo
// and Pump; the output's real-time callback calls MixInto, which takes no lock, allocates
// nothing and logs nothing; the GUI thread reads HeardSource. Start and ResetHeard run only
// while the voice is not in the mixer.

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/audio/Resampler.h"
#include "platform/audio/SpscRing.h"

namespace soundtouch {
class SoundTouch;
}
class TMp3Decoder;

class TAudioVoice {
public:
    TAudioVoice(std::shared_ptr<TMp3Decoder> p_decoder, uint32_t p_u32OutputRate, size_t p_nRingFrames);
    ~TAudioVoice();
    TAudioVoice(const TAudioVoice&) = delete;
    TAudioVoice& operator=(const TAudioVoice&) = delete;

    // Feeder side.
    // Restarts the pipeline at source frame p_nSourceFrame with tempo factor p_dTempo (1 .. 2).
    void Start(int64_t p_nSourceFrame, double p_dTempo);
    // Changes the tempo from the next stretched frame on; the source time line stays continuous.
    void SetTempo(double p_dTempo);
    // Decodes and stretches ahead until p_nTargetFrames output frames wait in the ring.
    void Pump(size_t p_nTargetFrames);

    // Real-time side: adds this voice's next p_nFrames frames into p_pOut, which holds the
    // global output frames from p_u64Global on.
    void MixInto(float* p_pOut, uint32_t p_nFrames, uint64_t p_u64Global);

    // GUI side.
    void SetVolume(float p_fVolume) { m_fVolume.store(p_fVolume, std::memory_order_relaxed); }
    // Source time (frames) of the global output frame p_u64Heard; p_pEnded is set when the
    // voice's last frame has been heard by then.
    double HeardSource(uint64_t p_u64Heard, bool* p_pEnded) const;
    // The ring ran dry while the track was not finished.
    bool IsStalled() const { return m_bStalled.load(std::memory_order_relaxed); }
    // Frames waiting in the ring.
    size_t Buffered() const { return m_ring.Available(); }

private:
    // The reported source time of stretched frames is piecewise linear: one piece per tempo
    // and one for the ramp of the stretcher's correction after each change.
    struct TPiece {
        double dStretched;  // first stretched frame of the piece
        double dSource;     // reported source frame there
        double dSlope;      // source frames per stretched frame
    };
    struct TMarker {
        uint64_t u64Index;  // output frame (ring index) where the piece starts
        double dSource;
        double dSlope;      // source frames per output frame
    };
    struct THeard {
        std::atomic<uint32_t> u32Seq {0};
        std::atomic<uint64_t> u64Global {0};
        std::atomic<double> dSource {0.0};
        std::atomic<double> dSlope {0.0};
        std::atomic<uint64_t> u64Count {0};
    };
    static constexpr size_t kHeardEntries = 512;
    static constexpr size_t kDecodeFrames = 1152;

    double SourceAt(double p_dStretched) const;
    double CorrectionFor(double p_dTempo) const;
    void ConfigureStretcher(double p_dTempo);
    void AddPieces(double p_dAt, double p_dTempo, double p_dCorrectionFrom);
    void ProduceMore();
    void DrainStretcher();
    void MoveToRing();
    void EmitMarkers(uint64_t p_nFirst, size_t p_nCount);
    void WriteHeard(uint64_t p_u64Global, double p_dSource, double p_dSlope, uint64_t p_u64Count);

    std::shared_ptr<TMp3Decoder> m_decoder;
    std::unique_ptr<soundtouch::SoundTouch> m_stretcher;
    TResampler m_resampler;
    int m_nChannels;
    double m_dSourceRate;

    // Feeder state.
    double m_dTempo = 1.0;
    double m_dStretched = 0.0;       // stretched frames received so far
    int64_t m_nStartFrame = 0;
    double m_dModelStretched = 0.0;  // nominal time line: source = start + tempo * stretched
    double m_dModelSource = 0.0;
    double m_dCorrection = 0.0;      // correction reached at the end of the current ramp
    double m_dRampEnd = 0.0;
    std::deque<TPiece> m_pieces;
    double m_dMarkedStart = 0.0;    // first stretched frame of the piece last marked
    double m_dSequence = 0.0;       // stretched frames per stretcher sequence
    bool m_bDecoderEnded = false;
    bool m_bDone = false;
    std::vector<float> m_decoded;
    std::vector<float> m_stretchedBuf;
    std::vector<float> m_stereo;
    std::vector<float> m_staging;    // resampled frames not yet in the ring
    size_t m_nStagingRead = 0;
    size_t m_nStagingEnd = 0;

    // Shared with the real-time side.
    TSpscRing<float> m_ring;
    TSpscRing<TMarker> m_markers;
    std::atomic<bool> m_bFeederDone {false};
    std::atomic<float> m_fVolume {1.0f};
    std::atomic<bool> m_bStalled {false};
    std::atomic<bool> m_bEnded {false};
    std::atomic<uint64_t> m_u64EndGlobal {0};
    std::atomic<uint64_t> m_u64HeardCount {0};
    THeard m_heard[kHeardEntries];
    std::atomic<double> m_dStartSource {0.0};

    // Real-time state.
    TMarker m_current {0, 0.0, 0.0};
    float m_fGain = 1.0f;
};
