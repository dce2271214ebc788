#include "platform/audio/SilentOutput.h"

#include <algorithm>

#include "platform/audio/AudioMixer.h"

namespace {

constexpr uint32_t kBlockFrames = 512;
constexpr int kPeriodMs = 5;

}  // namespace

TSilentOutput::TSilentOutput(TAudioMixer& p_mixer, uint32_t p_u32Rate, uint64_t p_u64HeardFrom)
    : TAudioOutput(p_u32Rate)
    , m_mixer(p_mixer)
    , m_buffer(2 * kBlockFrames)
    , m_u64StartFrame(p_u64HeardFrom)
    , m_n64StartNs(AudioNowNs())
{
    m_clock.Publish(m_u64StartFrame, m_n64StartNs, std::max(m_u64StartFrame, m_mixer.Rendered()));
    m_thread = std::thread([this] { Run(); });
}

TSilentOutput::~TSilentOutput()
{
    m_bStop.store(true);
    m_thread.join();
}

uint32_t TSilentOutput::LatencyFrames() const
{
    return Rate() * 2 * kPeriodMs / 1000 + kBlockFrames;
}

uint64_t TSilentOutput::HeardFrame() const
{
    return m_clock.Heard(Rate(), AudioNowNs());
}

void TSilentOutput::Run()
{
    const uint64_t lead = Rate() * kPeriodMs * 2 / 1000;
    auto wake = std::chrono::steady_clock::now();
    while (!m_bStop.load(std::memory_order_relaxed)) {
        // Render up to a little past the frame heard now, so the clock never waits for frames.
        const double elapsed = static_cast<double>(AudioNowNs() - m_n64StartNs) * Rate() / 1e9;
        const uint64_t due = m_u64StartFrame + static_cast<uint64_t>(elapsed) + lead;
        while (m_mixer.Rendered() < due) {
            const uint32_t frames = static_cast<uint32_t>(std::min<uint64_t>(kBlockFrames, due - m_mixer.Rendered()));
            m_mixer.Render(m_buffer.data(), frames);
        }
        m_clock.Publish(m_u64StartFrame, m_n64StartNs, m_mixer.Rendered());
        wake += std::chrono::milliseconds(kPeriodMs);
        std::this_thread::sleep_until(wake);
    }
}
