// The reported position against the sound actually produced: each output window is located in
// the source by cross-correlation, and its source time is compared with the position reported
// when that window is heard.

#include <cmath>
#include <iostream>

#include "AudioTestSupport.h"
#include "platform/audio/Mp3Decoder.h"

namespace {

struct TSyncError {
    double meanMs = 0.0;
    double worstMs = 0.0;
    int points = 0;
};

// Source frame whose next p_nWindow frames (left channel) match p_pOut best, searched around p_nGuess.
int64_t LocateInSource(const std::vector<float>& source, int channels, const float* p_pOut, int p_nWindow,
                       int64_t p_nGuess, double* p_pScore)
{
    double outEnergy = 0.0;
    for (int i = 0; i < p_nWindow; ++i)
        outEnergy += p_pOut[2 * i] * p_pOut[2 * i];
    int64_t best = -1;
    *p_pScore = -1.0;
    const int64_t frames = static_cast<int64_t>(source.size()) / channels;
    for (int64_t at = std::max<int64_t>(0, p_nGuess - 3000); at < std::min(frames - p_nWindow, p_nGuess + 3000); ++at) {
        double dot = 0.0;
        double energy = 0.0;
        for (int i = 0; i < p_nWindow; ++i) {
            const double s = source[(at + i) * channels];
            dot += s * p_pOut[2 * i];
            energy += s * s;
        }
        const double score = dot / std::sqrt(energy * outEnergy + 1e-12);
        if (score > *p_pScore) {
            *p_pScore = score;
            best = at;
        }
    }
    return best;
}

TSyncError MeasureSync(float tempo)
{
    auto decoder = TMp3Decoder::Open(AudioFixture("noise44s_vbr.mp3"));
    std::vector<float> source(static_cast<size_t>(decoder->GetFrames()) * decoder->GetChannels());
    decoder->Read(source.data(), decoder->GetFrames());

    TVoicePair voice(AudioFixture("noise44s_vbr.mp3"), tempo);
    voice.SetPosition(11025);
    BASS_ChannelPlay(voice.play, kFalse);
    constexpr int kBlock = 64;
    constexpr int kWindow = 128;
    const int blocks = 1000;
    std::vector<float> out(2 * static_cast<size_t>(kBlock) * (blocks + 4));
    std::vector<int64_t> reported(blocks + 4);
    for (int b = 0; b < blocks + 4; ++b) {
        reported[b] = voice.Position();  // the source time of output frame b * kBlock, heard next
        AudioManualAdvance(kBlock, out.data() + 2 * static_cast<size_t>(b) * kBlock);
    }
    TSyncError result;
    double sum = 0.0;
    for (int b = 10; b < blocks; b += 3) {
        double score = 0.0;
        const int64_t content = LocateInSource(source, decoder->GetChannels(), out.data() + 2 * static_cast<size_t>(b) * kBlock,
                                               kWindow, reported[b], &score);
        if (score < 0.95)
            continue;  // a window across a splice of the stretcher has no single source time
        const double errorMs = (reported[b] - content) * 1000.0 / 44100.0;
        sum += errorMs;
        result.worstMs = std::max(result.worstMs, std::fabs(errorMs));
        ++result.points;
    }
    result.meanMs = result.points ? sum / result.points : 0.0;
    return result;
}

}  // namespace

TEST_F(ManualAudioTest, PositionIsTheSourceTimeOfTheSoundHeard)
{
    for (const float tempo : {0.0f, 50.0f, 100.0f}) {
        SCOPED_TRACE(tempo);
        const TSyncError error = MeasureSync(tempo);
        std::cout << "tempo +" << tempo << "%: mean error " << error.meanMs << " ms, worst " << error.worstMs
                  << " ms over " << error.points << " windows\n";
        ASSERT_GT(error.points, 100);
        // On average the position is the sound's own time; within a stretcher sequence the sound
        // runs at the original speed and each sequence starts anywhere in the 15 ms seek window,
        // so single windows stray by up to half the sequence's speed-up plus half the seek
        // window (0 at tempo 0, about 24 ms at +100).
        EXPECT_LT(std::fabs(error.meanMs), 1.0);
        EXPECT_LT(error.worstMs, tempo == 0.0f ? 0.1 : tempo / 100.0 * 16.0 + 8.5);
    }
}
