#include "platform/audio/PortAudioOutput.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <thread>

#include <portaudio.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "platform/audio/AudioMixer.h"

namespace {

// The sound libraries under PortAudio (ALSA, JACK) print probing messages on stderr; the
// player has no use for them, so stderr points to nowhere while PortAudio is being set up.
class TQuietStderr {
public:
    TQuietStderr()
    {
#ifndef _WIN32
        std::fflush(stderr);
        m_nSaved = dup(STDERR_FILENO);
        const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (devNull >= 0) {
            dup2(devNull, STDERR_FILENO);
            close(devNull);
        }
#endif
    }
    ~TQuietStderr()
    {
#ifndef _WIN32
        if (m_nSaved >= 0) {
            dup2(m_nSaved, STDERR_FILENO);
            close(m_nSaved);
        }
#endif
    }
    TQuietStderr(const TQuietStderr&) = delete;
    TQuietStderr& operator=(const TQuietStderr&) = delete;

private:
    int m_nSaved = -1;
};

int DeviceCallback(const void*, void* p_pOutput, unsigned long p_nFrames,
                   const PaStreamCallbackTimeInfo* p_pTime, PaStreamCallbackFlags, void* p_pUser)
{
    double delay = -1.0;
    if (p_pTime && p_pTime->outputBufferDacTime > 0.0 && p_pTime->currentTime > 0.0)
        delay = p_pTime->outputBufferDacTime - p_pTime->currentTime;
    auto* output = static_cast<TPortAudioOutput*>(p_pUser);
    return output->Process(static_cast<float*>(p_pOutput), p_nFrames, delay) ? paContinue : paAbort;
}

// A fixed buffer size: some ALSA plugins (the PulseAudio bridge) stall when PortAudio picks one.
// About 23 ms at 44.1 kHz: a quarter of the device's buffering below, so the device is topped up
// in time, without the callback waking the machine every few milliseconds.
constexpr unsigned long kFramesPerBuffer = 1024;
// The device's buffering, at least: what is heard follows the device's own report of its delay,
// so a longer buffer costs the board nothing, and a busy machine (a shared school computer) can
// keep the callback waiting that long before the sound breaks up.
constexpr double kLeastLatencySeconds = 0.1;

// The library's set-up started ahead: joined by the first Open, or at the program's end when the
// start-up stopped before opening a device.
class TLibraryAhead {
public:
    ~TLibraryAhead() { Join(); }

    void Start()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_thread.joinable())
            return;
        m_thread = std::thread([] {
            TQuietStderr quiet;
            setenv("JACK_NO_START_SERVER", "1", 0);
            Pa_Initialize();
        });
    }

    void Join()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::thread m_thread;
};

TLibraryAhead g_libraryAhead;

}  // namespace

void TPortAudioOutput::PrepareLibraryAhead()
{
    g_libraryAhead.Start();
}

TPortAudioOutput::TPortAudioOutput(TAudioMixer& p_mixer, uint32_t p_u32Rate)
    : TAudioOutput(p_u32Rate)
    , m_mixer(p_mixer)
    , m_watchdog(AudioNowNs())
{
}

std::unique_ptr<TPortAudioOutput> TPortAudioOutput::Open(TAudioMixer& p_mixer, uint32_t p_u32Rate)
{
    g_libraryAhead.Join();
    std::unique_ptr<TPortAudioOutput> output(new TPortAudioOutput(p_mixer, p_u32Rate));
    TQuietStderr quiet;
    // Probing must not start a sound server as a side effect.
    setenv("JACK_NO_START_SERVER", "1", 0);
    if (Pa_Initialize() != paNoError)
        return nullptr;
    output->m_bLibrary = true;
    const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    const PaDeviceInfo* info = device == paNoDevice ? nullptr : Pa_GetDeviceInfo(device);
    if (!info)
        return nullptr;
    PaStreamParameters params {};
    params.device = device;
    params.channelCount = 2;
    params.sampleFormat = paFloat32;
    params.suggestedLatency = std::max(kLeastLatencySeconds, info->defaultLowOutputLatency);
    PaStream* stream = nullptr;
    if (Pa_OpenStream(&stream, nullptr, &params, p_u32Rate, kFramesPerBuffer, paNoFlag,
                      DeviceCallback, output.get()) != paNoError)
        return nullptr;
    output->m_pStream = stream;
    const PaStreamInfo* streamInfo = Pa_GetStreamInfo(stream);
    output->m_dLatency = streamInfo ? streamInfo->outputLatency : params.suggestedLatency;
    output->m_u32Latency = static_cast<uint32_t>(output->m_dLatency * p_u32Rate) + 1;
    return output;
}

bool TPortAudioOutput::Start(uint64_t p_u64HeardFrom)
{
    TQuietStderr quiet;
    m_clock.Publish(p_u64HeardFrom, AudioNowNs(), p_u64HeardFrom);
    m_watchdog = TDeviceWatchdog(AudioNowNs());
    return Pa_StartStream(m_pStream) == paNoError;
}

TPortAudioOutput::~TPortAudioOutput()
{
    TQuietStderr quiet;
    if (m_pStream) {
        Pa_AbortStream(m_pStream);
        Pa_CloseStream(m_pStream);
    }
    if (m_bLibrary)
        Pa_Terminate();
}

bool TPortAudioOutput::Process(float* p_pOut, unsigned long p_nFrames, double p_dDelay)
{
    if (m_bSimulateFailure.load(std::memory_order_relaxed)) {
        std::fill(p_pOut, p_pOut + 2 * p_nFrames, 0.0f);
        m_bAborted.store(true, std::memory_order_release);
        return false;
    }
    const uint64_t first = m_mixer.Rendered();
    m_mixer.Render(p_pOut, static_cast<uint32_t>(p_nFrames));
    const double delay = p_dDelay >= 0.0 && p_dDelay < 2.0 ? p_dDelay : m_dLatency;
    m_clock.Publish(first, AudioNowNs() + static_cast<int64_t>(delay * 1e9), first + p_nFrames);
    m_u64Callbacks.fetch_add(1, std::memory_order_release);
    return true;
}

uint64_t TPortAudioOutput::HeardFrame() const
{
    return m_clock.Heard(Rate(), AudioNowNs());
}

bool TPortAudioOutput::HasFailed() const
{
    if (m_bAborted.load(std::memory_order_acquire) || Pa_IsStreamActive(m_pStream) != 1)
        return true;
    // A device that stops calling back without an error (pulled out) counts as failed too.
    return m_watchdog.Stalled(Callbacks(), AudioNowNs());
}
