#include "platform/audio/ManualOutput.h"

#include "platform/audio/AudioMixer.h"

TManualOutput::TManualOutput(TAudioMixer& p_mixer, uint32_t p_u32Rate)
    : TAudioOutput(p_u32Rate)
    , m_mixer(p_mixer)
    , m_scratch(2 * kMaxBlock)
{
}

uint64_t TManualOutput::HeardFrame() const
{
    return m_mixer.Rendered();
}

void TManualOutput::Render(uint32_t p_nFrames, float* p_pStereoOut)
{
    m_mixer.Render(p_pStereoOut ? p_pStereoOut : m_scratch.data(), p_nFrames);
}
