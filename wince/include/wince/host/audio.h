// Wave-output back ends for the launcher, the tools and the tests (programs
// use wince/audio.h).
#pragma once

#include <string>

#include "wince/audio.h"

namespace wince {

enum class WaveOutBackend {
  Automatic,  // SDL2 audio when a device opens, else the silent device
  Silent,  // consumes buffers in real time and plays nothing
  Capture,  // writes the stream into a WAV file; consumed only by captureWaveOut
};

// Chooses the back end of streams opened from now on; the capture device
// writes to `capturePath` (one file per stream; a later stream overwrites).
void selectWaveOutBackend(WaveOutBackend backend, const std::string& capturePath = {});
// The number of wave-output devices reported (1 by default; 0 emulates a
// machine without sound output).
void setWaveOutDeviceCount(UINT count);
// Capture device: consumes up to `frames` frames of queued audio, scaled by
// the volume, into the file and returns, once the WOM_DONE callbacks of the buffers it finished
// have run, the number of frames consumed. 0 for other back ends.
DWORD captureWaveOut(HWAVEOUT hwo, DWORD frames);
// The back end an open stream plays through: "sdl", "silent" or "capture";
// null for a bad handle.
const char* waveOutBackendName(HWAVEOUT hwo);

}  // namespace wince
