#pragma once
// Test control of the audio outputs. A test selects the manual output before BASS_Init; its
// clock then stands still until the test advances it, which mixes exactly that many output
// frames (decoding and stretching ahead on the calling thread). Positions follow the frames
// advanced, so a test can check them without sleeping.

#include <cstdint>

// true: the next BASS_Init uses the manual output whatever device it is given. Stays in force
// until called again with false.
void AudioUseManualOutput(bool p_bManual);

// Mixes p_nFrames output frames (at the output rate) and counts them as heard. When p_pStereoOut
// is given, the mixed samples are copied there (2 interleaved floats per frame). false when the
// manual output is not the active output.
bool AudioManualAdvance(uint64_t p_nFrames, float* p_pStereoOut = nullptr);

// The active output: "manual", "silent", "device" or "" when the library is not initialised.
const char* AudioOutputKind();

// Output sample rate of the active output, 0 when the library is not initialised.
uint32_t AudioOutputRate();

// Makes the sound device output fail as a vanished device would (its callback aborts the
// device stream); the library must carry on with the silent output. No effect on other outputs.
void AudioSimulateDeviceFailure();

// Callbacks the sound device has made since it was (last) opened; 0 when it is not the output.
uint64_t AudioDeviceCallbacks();
