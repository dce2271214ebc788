#include "platform/audio/AudioEngine.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "platform/Rounding.h"
#include "platform/audio/AudioMixer.h"
#include "platform/audio/AudioVoice.h"
#include "platform/audio/ManualOutput.h"
#include "platform/audio/Mp3Decoder.h"
#include "platform/audio/PortAudioOutput.h"
#include "platform/audio/SilentOutput.h"

namespace {

constexpr DWORD kDefaultRate = 44100;
constexpr uint32_t kAheadMs = 100;        // decoded and stretched ahead of the real-time outputs
// While a voice plays the feeder tops its ring up four times in the time the ring holds ahead
// of the output's own buffering, so a late round still finds it far from empty; waking more
// often only costs the machine wake-ups. With nothing playing it only watches the output (a
// device that failed, a device to open again), whose clocks count in seconds.
constexpr std::chrono::milliseconds kFeedPeriod(kAheadMs / 4);
constexpr std::chrono::milliseconds kWatchPeriod(250);
constexpr size_t kManualAhead = 2048;     // ahead of the manual output's blocks
// A failed or missing sound device is tried again after 1 s, then after twice as long each time
// it still fails, up to 30 s.
constexpr int64_t kFirstRetryNs = 1'000'000'000;
constexpr int64_t kLongestRetryNs = 30'000'000'000;
// Channel types reported by BASS_ChannelGetInfo.
constexpr DWORD kChannelTypeMpegLayer1 = 0x10003;
constexpr DWORD kChannelTypeTempo = 0x1F200;

}  // namespace

// One handle: a decoding stream (a file opened for decoding) or a tempo stream (playable,
// built on a decoding stream's decoder). Positions and lengths are counted in bytes of 16-bit
// samples at the file's own rate and channel count.
struct TAudioEngine::TStream {
    bool bPlayable = false;
    std::shared_ptr<TMp3Decoder> decoder;
    std::string strPath;
    DWORD u32Flags = 0;
    DWORD hLinked = 0;  // decoding stream: its tempo stream; tempo stream: its source

    // Playable streams only.
    std::unique_ptr<TAudioVoice> voice;
    uint32_t u32VoiceRate = 0;
    TPlayState state = TPlayState::Stopped;
    int64_t nPosition = 0;       // source frame while not playing, and where playing started
    double dLastReported = 0.0;  // keeps the position monotone while playing
    float fTempo = 0.0f;         // percent change
    float fVolume = 1.0f;

    int64_t Length() const { return decoder->GetFrames(); }
    DWORD BytesPerFrame() const { return 2 * static_cast<DWORD>(decoder->GetChannels()); }
    double Tempo() const { return 1.0 + fTempo / 100.0; }
};

TAudioEngine& TAudioEngine::Instance()
{
    static TAudioEngine s_engine;
    return s_engine;
}

TAudioEngine::~TAudioEngine()
{
    Free();
}

// ---- library ----------------------------------------------------------------------------

bool TAudioEngine::Init(int p_nDevice, DWORD p_u32Freq)
{
    std::lock_guard lock(m_mutex);
    if (m_bInit)
        return false;
    const uint32_t rate = p_u32Freq == 0 ? kDefaultRate : std::clamp<DWORD>(p_u32Freq, 8000, 192000);
    m_mixer = std::make_unique<TAudioMixer>();
    if (m_bUseManual) {
        m_output = std::make_unique<TManualOutput>(*m_mixer, rate);
    } else {
        m_bWantDevice = p_nDevice != kNoSoundDevice;
        m_n64RetryDelayNs = kFirstRetryNs;
        m_n64RetryAtNs = AudioNowNs() + m_n64RetryDelayNs;
        if (m_bWantDevice)
            m_output = StartedDevice(rate, 0);
        if (!m_output)
            m_output = std::make_unique<TSilentOutput>(*m_mixer, rate, 0);
        m_bStopFeeder = false;
        m_feeder = std::thread([this] { FeederLoop(); });
    }
    m_bInit = true;
    return true;
}

bool TAudioEngine::Free()
{
    StopFeeder();
    std::lock_guard lock(m_mutex);
    if (!m_bInit && m_streams.empty())
        return false;
    for (auto& [handle, stream] : m_streams)
        if (stream->voice)
            Detach(*stream);
    m_output.reset();
    m_retired.clear();
    m_streams.clear();
    m_mixer.reset();
    const bool wasInit = m_bInit;
    m_bInit = false;
    return wasInit;
}

void TAudioEngine::StopFeeder()
{
    {
        std::lock_guard lock(m_mutex);
        m_bStopFeeder = true;
    }
    m_wake.notify_all();
    if (m_feeder.joinable())
        m_feeder.join();
}

void TAudioEngine::FeederLoop()
{
    std::unique_lock lock(m_mutex);
    while (!m_bStopFeeder) {
        FailOverIfNeeded();
        ReopenDeviceIfDue(lock);
        m_wake.wait_for(lock, FeedAll() ? kFeedPeriod : kWatchPeriod);
    }
}

void TAudioEngine::FailOverIfNeeded()
{
    if (!m_output || !m_output->HasFailed())
        return;
    // The device's unplayed frames are heard next on the silent output: no position is lost.
    const uint64_t heard = m_output->HeardFrame();
    const uint32_t rate = m_output->Rate();
    m_output.reset();
    m_output = std::make_unique<TSilentOutput>(*m_mixer, rate, heard);
    m_n64RetryAtNs = AudioNowNs() + m_n64RetryDelayNs;
}

std::unique_ptr<TAudioOutput> TAudioEngine::StartedDevice(uint32_t p_u32Rate, uint64_t p_u64HeardFrom)
{
    std::unique_ptr<TPortAudioOutput> device = TPortAudioOutput::Open(*m_mixer, p_u32Rate);
    if (device && !device->Start(p_u64HeardFrom))
        device.reset();
    return device;
}

// While the silent output stands in for a wanted device, the device is opened again now and then
// (it may come back: a sound server restarted, a headset plugged in). Opening can take long, so
// it runs without the lock; the silent output keeps the time meanwhile.
void TAudioEngine::ReopenDeviceIfDue(std::unique_lock<std::mutex>& p_lock)
{
    if (!m_bWantDevice || dynamic_cast<TPortAudioOutput*>(m_output.get()) || AudioNowNs() < m_n64RetryAtNs)
        return;
    const uint32_t rate = m_output->Rate();
    p_lock.unlock();
    std::unique_ptr<TPortAudioOutput> device = TPortAudioOutput::Open(*m_mixer, rate);
    p_lock.lock();
    m_n64RetryDelayNs = std::min(2 * m_n64RetryDelayNs, kLongestRetryNs);
    m_n64RetryAtNs = AudioNowNs() + m_n64RetryDelayNs;
    if (!device || m_bStopFeeder)
        return;
    // Only one output renders the mixer: the silent output stops before the device starts.
    const uint64_t heard = m_output->HeardFrame();
    m_output.reset();
    if (device->Start(heard)) {
        m_output = std::move(device);
        m_n64RetryDelayNs = kFirstRetryNs;
    } else {
        m_output = std::make_unique<TSilentOutput>(*m_mixer, rate, heard);
    }
}

bool TAudioEngine::FeedAll()
{
    const size_t target = TargetFrames();
    bool playing = false;
    for (auto& [handle, stream] : m_streams) {
        if (stream->state != TPlayState::Playing)
            continue;
        FinishIfEnded(*stream);
        if (stream->state == TPlayState::Playing) {
            stream->voice->Pump(target);
            playing = true;
        }
    }
    return playing;
}

size_t TAudioEngine::TargetFrames() const
{
    if (!m_output->IsRealTime())
        return kManualAhead;
    return static_cast<size_t>(m_output->Rate()) * kAheadMs / 1000 + 2 * m_output->LatencyFrames();
}

size_t TAudioEngine::RingFrames() const
{
    return TargetFrames() + 8192;
}

// ---- handles ----------------------------------------------------------------------------

TAudioEngine::TStream* TAudioEngine::Find(DWORD p_hStream)
{
    auto it = m_streams.find(p_hStream);
    return it == m_streams.end() ? nullptr : it->second.get();
}

TAudioEngine::TStream* TAudioEngine::FindTempo(DWORD p_hStream)
{
    TStream* stream = Find(p_hStream);
    return stream && stream->bPlayable ? stream : nullptr;
}

HSTREAM TAudioEngine::CreateFileStream(const std::string& p_strUtf8Path, DWORD p_u32Flags)
{
    std::shared_ptr<TMp3Decoder> decoder = TMp3Decoder::Open(p_strUtf8Path);
    if (!decoder)
        return 0;
    auto stream = std::make_unique<TStream>();
    stream->decoder = std::move(decoder);
    stream->strPath = p_strUtf8Path;
    stream->u32Flags = p_u32Flags;
    // Without the decoding-only flag the stream plays by itself (at the original tempo).
    stream->bPlayable = (p_u32Flags & kStreamDecode) == 0;
    std::lock_guard lock(m_mutex);
    while (m_hNext == 0 || m_streams.count(m_hNext))
        ++m_hNext;
    const HSTREAM handle = m_hNext++;
    m_streams.emplace(handle, std::move(stream));
    return handle;
}

HSTREAM TAudioEngine::CreateTempoStream(HSTREAM p_hSource, DWORD p_u32Flags)
{
    std::lock_guard lock(m_mutex);
    TStream* source = Find(p_hSource);
    // One tempo stream per decoding stream: both would pull from the same decoder.
    if (!source || source->bPlayable || Find(source->hLinked))
        return 0;
    auto stream = std::make_unique<TStream>();
    stream->bPlayable = true;
    stream->decoder = source->decoder;
    stream->strPath = source->strPath;
    stream->u32Flags = p_u32Flags;
    stream->hLinked = p_hSource;
    while (m_hNext == 0 || m_streams.count(m_hNext))
        ++m_hNext;
    const HSTREAM handle = m_hNext++;
    source->hLinked = handle;
    m_streams.emplace(handle, std::move(stream));
    return handle;
}

bool TAudioEngine::FreeStream(HSTREAM p_hStream)
{
    std::lock_guard lock(m_mutex);
    TStream* stream = Find(p_hStream);
    if (!stream)
        return false;
    if (stream->voice)
        Detach(*stream);
    m_streams.erase(p_hStream);
    return true;
}

// ---- format -----------------------------------------------------------------------------

bool TAudioEngine::GetInfo(DWORD p_hStream, BASS_CHANNELINFO* p_pInfo)
{
    std::lock_guard lock(m_mutex);
    TStream* stream = Find(p_hStream);
    if (!stream || !p_pInfo)
        return false;
    *p_pInfo = BASS_CHANNELINFO {};
    p_pInfo->freq = static_cast<DWORD>(stream->decoder->GetRate());
    p_pInfo->chans = static_cast<DWORD>(stream->decoder->GetChannels());
    p_pInfo->flags = stream->u32Flags;
    p_pInfo->ctype = stream->hLinked && stream->bPlayable
                         ? kChannelTypeTempo
                         : kChannelTypeMpegLayer1 + static_cast<DWORD>(std::max(stream->decoder->GetLayer(), 1) - 1);
    p_pInfo->filename = stream->strPath.c_str();
    return true;
}

QWORD TAudioEngine::GetLength(DWORD p_hStream)
{
    std::lock_guard lock(m_mutex);
    TStream* stream = Find(p_hStream);
    if (!stream)
        return static_cast<QWORD>(-1);
    return static_cast<QWORD>(stream->Length()) * stream->BytesPerFrame();
}

double TAudioEngine::BytesToSeconds(DWORD p_hStream, QWORD p_u64Bytes)
{
    std::lock_guard lock(m_mutex);
    TStream* stream = Find(p_hStream);
    if (!stream)
        return -1.0;
    return static_cast<double>(p_u64Bytes) /
           (static_cast<double>(stream->decoder->GetRate()) * stream->BytesPerFrame());
}

QWORD TAudioEngine::SecondsToBytes(DWORD p_hStream, double p_dSeconds)
{
    std::lock_guard lock(m_mutex);
    TStream* stream = Find(p_hStream);
    if (!stream || !(p_dSeconds >= 0.0))
        return static_cast<QWORD>(-1);
    const int64_t frames = RoundHalfEven(p_dSeconds * stream->decoder->GetRate());
    return static_cast<QWORD>(frames) * stream->BytesPerFrame();
}

// ---- playing ----------------------------------------------------------------------------

void TAudioEngine::StartVoice(TStream& p_stream)
{
    const uint32_t rate = m_output->Rate();
    if (!p_stream.voice || p_stream.u32VoiceRate != rate) {
        p_stream.voice = std::make_unique<TAudioVoice>(p_stream.decoder, rate, RingFrames());
        p_stream.u32VoiceRate = rate;
    }
    p_stream.voice->SetVolume(p_stream.fVolume);
    p_stream.voice->Start(p_stream.nPosition, p_stream.Tempo());
    p_stream.voice->Pump(TargetFrames());
    p_stream.dLastReported = static_cast<double>(p_stream.nPosition);
}

void TAudioEngine::Detach(TStream& p_stream)
{
    if (m_mixer && !m_mixer->Remove(p_stream.voice.get())) {
        m_retired.push_back(std::move(p_stream.voice));
        p_stream.u32VoiceRate = 0;
    }
}

void TAudioEngine::FinishIfEnded(TStream& p_stream)
{
    bool ended = false;
    p_stream.voice->HeardSource(m_output->HeardFrame(), &ended);
    if (!ended)
        return;
    Detach(p_stream);
    p_stream.state = TPlayState::Stopped;
    p_stream.nPosition = p_stream.Length();
}

double TAudioEngine::CurrentSource(TStream& p_stream)
{
    if (p_stream.state != TPlayState::Playing)
        return static_cast<double>(p_stream.nPosition);
    bool ended = false;
    const double heard = p_stream.voice->HeardSource(m_output->HeardFrame(), &ended);
    if (ended) {
        Detach(p_stream);
        p_stream.state = TPlayState::Stopped;
        p_stream.nPosition = p_stream.Length();
        return static_cast<double>(p_stream.nPosition);
    }
    const double clamped = std::clamp(heard, static_cast<double>(p_stream.nPosition),
                                      static_cast<double>(p_stream.Length()));
    p_stream.dLastReported = std::max(p_stream.dLastReported, clamped);
    return p_stream.dLastReported;
}

bool TAudioEngine::Play(DWORD p_hStream)
{
    std::lock_guard lock(m_mutex);
    TStream* stream = FindTempo(p_hStream);
    if (!stream || !m_output)
        return false;
    if (stream->state == TPlayState::Playing) {
        FinishIfEnded(*stream);
        if (stream->state == TPlayState::Playing)
            return true;
    }
    StartVoice(*stream);
    if (!m_mixer->Add(stream->voice.get()))
        return false;
    stream->state = TPlayState::Playing;
    m_wake.notify_all();
    return true;
}

bool TAudioEngine::Stop(DWORD p_hStream, bool p_bPause)
{
    std::lock_guard lock(m_mutex);
    TStream* stream = FindTempo(p_hStream);
    if (!stream)
        return false;
    if (stream->state == TPlayState::Playing) {
        const double heard = CurrentSource(*stream);
        if (stream->state == TPlayState::Playing) {
            Detach(*stream);
            stream->nPosition = RoundHalfEven(heard);
            stream->state = p_bPause ? TPlayState::Paused : TPlayState::Stopped;
            return true;
        }
    }
    // Pausing needs something playing; stopping always succeeds.
    if (p_bPause)
        return false;
    stream->state = TPlayState::Stopped;
    return true;
}

DWORD TAudioEngine::IsActive(DWORD p_hStream)
{
    std::lock_guard lock(m_mutex);
    TStream* stream = Find(p_hStream);
    if (!stream)
        return kActiveStopped;
    if (!stream->bPlayable)
        return stream->decoder->Tell() < stream->Length() ? kActivePlaying : kActiveStopped;
    if (stream->state == TPlayState::Paused)
        return kActivePaused;
    if (stream->state == TPlayState::Playing && m_output)
        FinishIfEnded(*stream);
    if (stream->state != TPlayState::Playing)
        return kActiveStopped;
    return stream->voice->IsStalled() ? kActiveStalled : kActivePlaying;
}

QWORD TAudioEngine::GetPosition(DWORD p_hStream)
{
    std::lock_guard lock(m_mutex);
    TStream* stream = Find(p_hStream);
    if (!stream)
        return static_cast<QWORD>(-1);
    const int64_t frames = stream->bPlayable ? RoundHalfEven(CurrentSource(*stream)) : stream->decoder->Tell();
    return static_cast<QWORD>(frames) * stream->BytesPerFrame();
}

bool TAudioEngine::SetPosition(DWORD p_hStream, QWORD p_u64Bytes)
{
    std::lock_guard lock(m_mutex);
    TStream* stream = Find(p_hStream);
    if (!stream)
        return false;
    const QWORD frames = p_u64Bytes / stream->BytesPerFrame();
    if (frames > static_cast<QWORD>(stream->Length()))
        return false;
    if (!stream->bPlayable) {
        // The decoder of a tempo stream belongs to it.
        return !Find(stream->hLinked) && stream->decoder->Seek(static_cast<int64_t>(frames));
    }
    if (stream->state == TPlayState::Playing)
        FinishIfEnded(*stream);
    stream->nPosition = static_cast<int64_t>(frames);
    if (stream->state == TPlayState::Playing) {
        Detach(*stream);
        StartVoice(*stream);
        if (!m_mixer->Add(stream->voice.get())) {
            stream->state = TPlayState::Stopped;
            return false;
        }
    }
    return true;
}

bool TAudioEngine::SetAttribute(DWORD p_hStream, DWORD p_u32Attrib, float p_fValue)
{
    std::lock_guard lock(m_mutex);
    TStream* stream = FindTempo(p_hStream);
    if (!stream || std::isnan(p_fValue))
        return false;
    if (p_u32Attrib == kAttribTempo) {
        stream->fTempo = std::clamp(p_fValue, 0.0f, 100.0f);
        if (stream->state == TPlayState::Playing)
            stream->voice->SetTempo(stream->Tempo());
        return true;
    }
    if (p_u32Attrib == kAttribVolume) {
        stream->fVolume = std::clamp(p_fValue, 0.0f, 1.0f);
        if (stream->voice)
            stream->voice->SetVolume(stream->fVolume);
        return true;
    }
    return false;
}

// ---- test control -----------------------------------------------------------------------

void TAudioEngine::UseManualOutput(bool p_bManual)
{
    std::lock_guard lock(m_mutex);
    m_bUseManual = p_bManual;
}

bool TAudioEngine::ManualAdvance(uint64_t p_nFrames, float* p_pStereoOut)
{
    std::lock_guard lock(m_mutex);
    auto* manual = dynamic_cast<TManualOutput*>(m_output.get());
    if (!manual)
        return false;
    for (uint64_t done = 0; done < p_nFrames;) {
        const uint32_t block = static_cast<uint32_t>(std::min<uint64_t>(TManualOutput::kMaxBlock, p_nFrames - done));
        FeedAll();
        manual->Render(block, p_pStereoOut ? p_pStereoOut + 2 * done : nullptr);
        done += block;
    }
    return true;
}

const char* TAudioEngine::OutputKind()
{
    std::lock_guard lock(m_mutex);
    return m_output ? m_output->Kind() : "";
}

uint32_t TAudioEngine::OutputRate()
{
    std::lock_guard lock(m_mutex);
    return m_output ? m_output->Rate() : 0;
}

bool TAudioEngine::DeviceMissing()
{
    std::lock_guard lock(m_mutex);
    return m_bInit && m_bWantDevice && !dynamic_cast<TPortAudioOutput*>(m_output.get());
}

uint64_t TAudioEngine::DeviceCallbacks()
{
    std::lock_guard lock(m_mutex);
    auto* device = dynamic_cast<TPortAudioOutput*>(m_output.get());
    return device ? device->Callbacks() : 0;
}

void TAudioEngine::SimulateDeviceFailure()
{
    std::lock_guard lock(m_mutex);
    if (auto* device = dynamic_cast<TPortAudioOutput*>(m_output.get()))
        device->SimulateFailure();
}
