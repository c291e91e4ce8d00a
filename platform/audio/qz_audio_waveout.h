// The audio device on the platform's wave output: two buffers of 2000 frames
// refilled from the output callback, and a watchdog that kicks a stalled
// stream.
#pragma once

#include <atomic>
#include <vector>

#include "qz_audio_device.h"
#include "wince/audio.h"
#include "wince/thread.h"

class AuWin32AudioDevice : public AuMultichannelAudioDevice {
 public:
  static constexpr int kBufferFrames = 2000;

  AuWin32AudioDevice() = default;
  ~AuWin32AudioDevice() override;

  int close() override;
  // 1: opens the first wave device that accepts the mixer's format and queues
  // both buffers; -1 when there is none. 0: stops the output and closes it.
  int setActive(int on) override;
  bool isActive() const { return m_active.load(); }
  HWAVEOUT getWaveOut() const { return m_waveOut; }

 private:
  static void CALLBACK outputCallback(HWAVEOUT hwo, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                                      DWORD_PTR param2);
  int fillBuffer(WAVEHDR& header);
  static DWORD WINAPI watchdog(LPVOID device);
  void startWatchdog();
  void stopWatchdog();

  HWAVEOUT m_waveOut = nullptr;
  WAVEHDR m_headers[2] = {};
  std::vector<char> m_buffers[2];
  // Read by the output callback and the watchdog.
  std::atomic<bool> m_active{false};
  std::atomic<uint32_t> m_callbacks{0};
  // The watchdog runs on a runtime thread and sleeps on the runtime's clock
  // (its stop event's timed wait), so it keeps virtual time in headless runs.
  HANDLE m_watchdog = nullptr;
  HANDLE m_watchStop = nullptr;
};
