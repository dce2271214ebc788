#pragma once
// The sound device: PortAudio's default output, driven by its callback. The frame heard now
// comes from the DAC time PortAudio gives each buffer (or its reported output latency).

#include <atomic>
#include <memory>

#include "platform/audio/AudioOutput.h"
#include "platform/audio/DeviceWatchdog.h"

class TPortAudioOutput : public TAudioOutput {
public:
    // nullptr when no device opens at that rate. Library messages on stderr are suppressed.
    // The device stream is opened, not started: nothing renders the mixer before Start.
    static std::unique_ptr<TPortAudioOutput> Open(TAudioMixer& p_mixer, uint32_t p_u32Rate);
    // Initialises the library on a thread of its own; Open waits for it. The library then stays
    // initialised for the program's life (the devices are opened by Open only).
    static void PrepareLibraryAhead();
    // Starts the device stream; global frame p_u64HeardFrom is heard first (taking over from
    // another output, its frames still unheard follow). false when the device does not start.
    bool Start(uint64_t p_u64HeardFrom);
    ~TPortAudioOutput() override;

    const char* Kind() const override { return "device"; }
    uint64_t HeardFrame() const override;
    uint32_t LatencyFrames() const override { return m_u32Latency; }
    bool HasFailed() const override;
    uint64_t Callbacks() const { return m_u64Callbacks.load(std::memory_order_acquire); }
    // The next callback aborts the stream, as a device that vanished would.
    void SimulateFailure() { m_bSimulateFailure.store(true); }

    // The device callback's work: renders one buffer whose first frame is heard p_dDelay seconds
    // from now (negative: unknown); returns false to abort the stream.
    bool Process(float* p_pOut, unsigned long p_nFrames, double p_dDelay);

private:
    TPortAudioOutput(TAudioMixer& p_mixer, uint32_t p_u32Rate);

    TAudioMixer& m_mixer;
    void* m_pStream = nullptr;
    bool m_bLibrary = false;
    double m_dLatency = 0.0;
    uint32_t m_u32Latency = 0;
    TOutputClock m_clock;
    std::atomic<bool> m_bSimulateFailure {false};
    std::atomic<bool> m_bAborted {false};
    std::atomic<uint64_t> m_u64Callbacks {0};
    // Used by the engine's feeder thread only.
    mutable TDeviceWatchdog m_watchdog;
};
