#pragma once
// The audio library interface of the player: the calls keep their names and contracts; behind
// them sit the project's own decoder, tempo stretcher, mixer and outputs.
//
// The player calls from the window's thread; the calls are also safe from other threads (one
// lock serialises them; the catalogue measures its voice tracks on every core). Handles are non-zero 32-bit numbers; 0 means
// failure, and every call on handle 0 fails quietly (returns 0 / FALSE / -1 as stated).
// Positions and lengths in bytes are on the source's own time line (a decoding stream's format);
// one byte format is used for all of them, so bytes -> seconds -> bytes is exact.
// That format is 16-bit samples at the file's own rate and channel count: one sample frame is
// 2 x channels bytes, seconds = bytes / (rate x 2 x channels), and seconds -> bytes rounds to the
// nearest frame (half to even). A tempo stream uses its source's format, so its position counts
// source frames and advances faster at a higher tempo.
//
// Decoding streams (and tempo streams on them) can be created and measured before BASS_Init;
// playing needs the library initialised. The length of a file is exact: from its info tag, or
// from counting its frames when it has none (a tag that promises more than the file holds is
// ignored). Audio missing inside a damaged file is played as silence, so a stream always
// reaches exactly its length.

#include "platform/audio/AudioLibraryTypes.h"

DWORD BASS_GetVersion();
DWORD BASS_FX_GetVersion();
BOOL BASS_Init(int device, DWORD freq, DWORD flags, void* window, const void* clsid);
BOOL BASS_Free();

// file: a UTF-16 path (const char16_t*) when flags has kStreamUnicode, else a UTF-8 path.
HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
HSTREAM BASS_FX_TempoCreate(HSTREAM decodingStream, DWORD flags);
BOOL BASS_StreamFree(HSTREAM handle);

BOOL BASS_ChannelSetAttribute(DWORD handle, DWORD attrib, float value);
BOOL BASS_ChannelGetInfo(DWORD handle, BASS_CHANNELINFO* info);
QWORD BASS_ChannelGetLength(DWORD handle, DWORD mode);           // (QWORD)-1 on error
double BASS_ChannelBytes2Seconds(DWORD handle, QWORD position);  // negative on error
QWORD BASS_ChannelSeconds2Bytes(DWORD handle, double seconds);   // (QWORD)-1 on error

BOOL BASS_ChannelPlay(DWORD handle, BOOL restart);
BOOL BASS_ChannelStop(DWORD handle);
BOOL BASS_ChannelPause(DWORD handle);
DWORD BASS_ChannelIsActive(DWORD handle);
QWORD BASS_ChannelGetPosition(DWORD handle, DWORD mode);         // (QWORD)-1 on error
BOOL BASS_ChannelSetPosition(DWORD handle, QWORD position, DWORD mode);

// true while a sound device was asked for and none plays (the silent output keeps the time).
bool AudioDeviceMissing();
// Starts setting up the sound library (it probes every device, a good part of the player's
// start-up) on a thread of its own, so that it runs beside the window's start-up; BASS_Init then
// finds it done or waits for the rest. Called once, at the program's start.
void AudioPrepareDeviceAhead();
