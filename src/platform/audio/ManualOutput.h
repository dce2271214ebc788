#pragma once
// The output of tests: nothing is rendered until the test advances it, and what is rendered
// counts as heard at once (no device buffer, no latency).

#include <vector>

#include "platform/audio/AudioOutput.h"

class TManualOutput : public TAudioOutput {
public:
    TManualOutput(TAudioMixer& p_mixer, uint32_t p_u32Rate);

    const char* Kind() const override { return "manual"; }
    uint64_t HeardFrame() const override;
    bool IsRealTime() const override { return false; }
    // Renders p_nFrames frames (at most kMaxBlock) into p_pStereoOut or a scratch buffer.
    void Render(uint32_t p_nFrames, float* p_pStereoOut);

    static constexpr uint32_t kMaxBlock = 256;

private:
    TAudioMixer& m_mixer;
    std::vector<float> m_scratch;
};
