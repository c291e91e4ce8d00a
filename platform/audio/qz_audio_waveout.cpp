#include "qz_audio_waveout.h"

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
    startWatchdog();
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

DWORD WINAPI AuWin32AudioDevice::watchdog(LPVOID parameter) {
  auto* device = static_cast<AuWin32AudioDevice*>(parameter);
  for (;;) {
    const uint32_t seen = device->m_callbacks;
    if (WaitForSingleObject(device->m_watchStop, 500) != WAIT_TIMEOUT) return 0;
    if (seen == device->m_callbacks && device->m_active) {
      waveOutPause(device->m_waveOut);
      waveOutRestart(device->m_waveOut);
    }
  }
}

void AuWin32AudioDevice::startWatchdog() {
  m_watchStop = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  m_watchdog = m_watchStop ? CreateThread(nullptr, 0, &watchdog, this, 0, nullptr) : nullptr;
}

void AuWin32AudioDevice::stopWatchdog() {
  if (m_watchdog) {
    SetEvent(m_watchStop);
    WaitForSingleObject(m_watchdog, INFINITE);
    CloseHandle(m_watchdog);
    m_watchdog = nullptr;
  }
  if (m_watchStop) CloseHandle(m_watchStop);
  m_watchStop = nullptr;
}
