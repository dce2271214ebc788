#include "platform/audio/AudioLibrary.h"

#include "platform/audio/PortAudioOutput.h"

#include <QString>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/AudioTestOutput.h"

namespace {

TAudioEngine& Engine()
{
    return TAudioEngine::Instance();
}

std::string PathArgument(const void* p_pFile, DWORD p_u32Flags)
{
    if (p_u32Flags & kStreamUnicode)
        return QString::fromUtf16(static_cast<const char16_t*>(p_pFile)).toStdString();
    return static_cast<const char*>(p_pFile);
}

}  // namespace

DWORD BASS_GetVersion()
{
    return kAudioLibraryVersion;
}

DWORD BASS_FX_GetVersion()
{
    return kAudioLibraryVersion;
}

BOOL BASS_Init(int device, DWORD freq, DWORD, void*, const void*)
{
    return Engine().Init(device, freq) ? kTrue : kFalse;
}

BOOL BASS_Free()
{
    return Engine().Free() ? kTrue : kFalse;
}

HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags)
{
    // Only whole files by path are supported.
    if (mem || !file || offset != 0 || length != 0)
        return 0;
    return Engine().CreateFileStream(PathArgument(file, flags), flags);
}

HSTREAM BASS_FX_TempoCreate(HSTREAM decodingStream, DWORD flags)
{
    return Engine().CreateTempoStream(decodingStream, flags);
}

BOOL BASS_StreamFree(HSTREAM handle)
{
    return Engine().FreeStream(handle) ? kTrue : kFalse;
}

BOOL BASS_ChannelSetAttribute(DWORD handle, DWORD attrib, float value)
{
    return Engine().SetAttribute(handle, attrib, value) ? kTrue : kFalse;
}

BOOL BASS_ChannelGetInfo(DWORD handle, BASS_CHANNELINFO* info)
{
    return Engine().GetInfo(handle, info) ? kTrue : kFalse;
}

QWORD BASS_ChannelGetLength(DWORD handle, DWORD mode)
{
    return mode == kPosByte ? Engine().GetLength(handle) : static_cast<QWORD>(-1);
}

double BASS_ChannelBytes2Seconds(DWORD handle, QWORD position)
{
    return Engine().BytesToSeconds(handle, position);
}

QWORD BASS_ChannelSeconds2Bytes(DWORD handle, double seconds)
{
    return Engine().SecondsToBytes(handle, seconds);
}

BOOL BASS_ChannelPlay(DWORD handle, BOOL restart)
{
    if (restart && !Engine().SetPosition(handle, 0))
        return kFalse;
    return Engine().Play(handle) ? kTrue : kFalse;
}

BOOL BASS_ChannelStop(DWORD handle)
{
    return Engine().Stop(handle, false) ? kTrue : kFalse;
}

BOOL BASS_ChannelPause(DWORD handle)
{
    return Engine().Stop(handle, true) ? kTrue : kFalse;
}

DWORD BASS_ChannelIsActive(DWORD handle)
{
    return Engine().IsActive(handle);
}

QWORD BASS_ChannelGetPosition(DWORD handle, DWORD mode)
{
    return mode == kPosByte ? Engine().GetPosition(handle) : static_cast<QWORD>(-1);
}

BOOL BASS_ChannelSetPosition(DWORD handle, QWORD position, DWORD mode)
{
    return mode == kPosByte && Engine().SetPosition(handle, position) ? kTrue : kFalse;
}

void AudioUseManualOutput(bool p_bManual)
{
    Engine().UseManualOutput(p_bManual);
}

bool AudioManualAdvance(uint64_t p_nFrames, float* p_pStereoOut)
{
    return Engine().ManualAdvance(p_nFrames, p_pStereoOut);
}

const char* AudioOutputKind()
{
    return Engine().OutputKind();
}

uint32_t AudioOutputRate()
{
    return Engine().OutputRate();
}

void AudioSimulateDeviceFailure()
{
    Engine().SimulateDeviceFailure();
}

uint64_t AudioDeviceCallbacks()
{
    return Engine().DeviceCallbacks();
}

bool AudioDeviceMissing()
{
    return Engine().DeviceMissing();
}

void AudioPrepareDeviceAhead()
{
    TPortAudioOutput::PrepareLibraryAhead();
}
