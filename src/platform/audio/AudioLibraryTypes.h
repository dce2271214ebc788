#pragma once
// The types, flags and records of the audio library interface (AudioLibrary.h), apart from its
// calls, so that the engine behind the calls can use them without including the calls.

#include <cstdint>

using DWORD = uint32_t;
using QWORD = uint64_t;
using BOOL = int;
using HSTREAM = DWORD;

constexpr BOOL kFalse = 0;
constexpr BOOL kTrue = 1;

// Version: high 16 bits 0x0204.
constexpr DWORD kAudioLibraryVersion = 0x02040000;

// Init: device -1 is the default output (PortAudio when a device opens, else the silent real-time
// output); device 0 is "no sound" (the silent real-time output). A default device that fails or
// does not open is tried again in the background while the silent output keeps the time.
constexpr int kDefaultDevice = -1;
constexpr int kNoSoundDevice = 0;

// Stream creation flags as the player passes them.
constexpr DWORD kStreamUnicode = 0x80000000;   // the path is UTF-16 (wchar_t / char16_t)
constexpr DWORD kStreamDecode = 0x00200000;    // decoding only: feeds a tempo stream
constexpr DWORD kStreamPrescan = 0x00020000;   // exact length by a full scan when untagged (always done)
constexpr DWORD kStreamVoiceFlags = 0x80230000;

// Tempo stream creation flag as the player passes it.
constexpr DWORD kTempoFlags = 2;

// Attributes.
constexpr DWORD kAttribVolume = 2;             // 0.0 .. 1.0
constexpr DWORD kAttribTempo = 0x10000;        // percent change, 0 .. 100 (others clamp)

// Position modes.
constexpr DWORD kPosByte = 0;

// Is-active results.
constexpr DWORD kActiveStopped = 0;
constexpr DWORD kActivePlaying = 1;
constexpr DWORD kActiveStalled = 2;
constexpr DWORD kActivePaused = 3;

struct BASS_CHANNELINFO {
    DWORD freq = 0;
    DWORD chans = 0;
    DWORD flags = 0;
    DWORD ctype = 0;
    DWORD origres = 0;
    DWORD plugin = 0;
    DWORD sample = 0;
    const char* filename = nullptr;
};
