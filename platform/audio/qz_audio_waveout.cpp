#include "qz_audio_waveout.h"

#include <chrono>

AuWin32AudioDevice::~AuWin32AudioDevice() {
  setActive(0);
  m_mixer.release();
}

int AuWin32AudioDevice::close() { return setActive(0); }

void CALLBACK AuWin32AudioDevice::outputCallback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR,
                                                 DWORD_PTR) {
  if (message != WOM_DONE) return;
  auto* device = reinterpret_cast<AuWin32AudioDevice*>(instance);
  device->fillBuffer(device->m_headers[0]);
  device->fillBuffer(device->m_headers[1]);
}

int AuWin32AudioDevice::fillBuffer(WAVEHDR& header) {
  std::lock_guard<std::recursive_mutex> guard(m_lock);
  ++m_callbacks;
  if (header.dwFlags & WHDR_DONE) {
    waveOutUnprepareHeader(m_waveOut, &header, sizeof header);
    header.dwFlags = 0;
  } else if (header.dwFlags & WHDR_PREPARED) {
    return 0;
  }
  if (!m_active) return 0;
  const int frameBytes = m_mixer.isStereo() ? 4 : 2;
  m_mixer.render(reinterpret_cast<int16_t*>(header.lpData), static_cast<int32_t>(header.dwBufferLength / frameBytes));
  if (waveOutPrepareHeader(m_waveOut, &header, sizeof header) != MMSYSERR_NOERROR) return 0;
  return waveOutWrite(m_waveOut, &header, sizeof header) == MMSYSERR_NOERROR ? 1 : 0;
}

int AuWin32AudioDevice::setActive(int on) {
  if (on) {
    if (m_active) return 0;
    const WORD channels = m_mixer.isStereo() ? 2 : 1;
    const WORD align = static_cast<WORD>(channels * 2);
    const DWORD rate = m_mixer.getRate();
    const WAVEFORMATEX format = {WAVE_FORMAT_PCM, channels, rate, rate * align, align, 16, 0};
    const UINT devices = waveOutGetNumDevs();
    for (UINT i = 0; i < devices && !m_waveOut; ++i) {
      HWAVEOUT hwo = nullptr;
      if (waveOutOpen(&hwo, i, &format, reinterpret_cast<DWORD_PTR>(&outputCallback),
                      reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) == MMSYSERR_NOERROR) {
        m_waveOut = hwo;
      }
    }
    // Without a wave device nothing is queued.
    if (!m_waveOut) return -1;
    for (int i = 0; i < 2; ++i) {
      m_buffers[i].assign(static_cast<size_t>(kBufferFrames) * align, 0);
      m_headers[i] = WAVEHDR{};
      m_headers[i].lpData = m_buffers[i].data();
      m_headers[i].dwBufferLength = static_cast<DWORD>(m_buffers[i].size());
    }
    m_active = true;
    fillBuffer(m_headers[0]);
    fillBuffer(m_headers[1]);
    m_watchStop = false;
    m_watchdog = std::thread([this] { watchdog(); });
    return 0;
  }
  m_active = false;
  stopWatchdog();
  if (m_waveOut) {
    // Every buffer comes back through the callback before the reset returns,
    // so nothing calls back once the output is closed.
    waveOutReset(m_waveOut);
    for (WAVEHDR& h : m_headers) waveOutUnprepareHeader(m_waveOut, &h, sizeof h);
    waveOutClose(m_waveOut);
    m_waveOut = nullptr;
    for (int i = 0; i < 2; ++i) {
      m_headers[i] = WAVEHDR{};
      m_buffers[i] = {};
    }
  }
  return 0;
}

void AuWin32AudioDevice::watchdog() {
  std::unique_lock<std::mutex> lock(m_watchLock);
  while (!m_watchStop) {
    const uint32_t seen = m_callbacks;
    if (m_watchWake.wait_for(lock, std::chrono::milliseconds(500), [this] { return m_watchStop; })) break;
    if (seen == m_callbacks && m_active) {
      waveOutPause(m_waveOut);
      waveOutRestart(m_waveOut);
    }
  }
}

void AuWin32AudioDevice::stopWatchdog() {
  if (!m_watchdog.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(m_watchLock);
    m_watchStop = true;
  }
  m_watchWake.notify_all();
  m_watchdog.join();
}
