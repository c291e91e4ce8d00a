// The waveOut calls: a table of open streams by handle.
#include <map>
#include <memory>
#include <mutex>

#include "waveout_stream.h"

#include "wince/host/audio.h"

using wince::waveout::Stream;

namespace {

struct Table {
  std::mutex lock;
  std::map<uintptr_t, std::shared_ptr<Stream>> streams;
  uintptr_t next = 0x57A0010;
  UINT deviceCount = 1;
  wince::WaveOutBackend backend = wince::WaveOutBackend::Automatic;
  std::string capturePath;
};

Table& table() {
  static Table t;
  return t;
}

std::shared_ptr<Stream> find(HWAVEOUT hwo) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.lock);
  auto it = t.streams.find(reinterpret_cast<uintptr_t>(hwo));
  return it == t.streams.end() ? nullptr : it->second;
}

bool validFormat(const WAVEFORMATEX* f) {
  return f && f->wFormatTag == WAVE_FORMAT_PCM && (f->nChannels == 1 || f->nChannels == 2) &&
         (f->wBitsPerSample == 8 || f->wBitsPerSample == 16) && f->nSamplesPerSec >= 1000 &&
         f->nSamplesPerSec <= 192000 && f->nBlockAlign == f->nChannels * f->wBitsPerSample / 8;
}

}  // namespace

namespace wince {

void selectWaveOutBackend(WaveOutBackend backend, const std::string& capturePath) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.lock);
  t.backend = backend;
  t.capturePath = capturePath;
}

void setWaveOutDeviceCount(UINT count) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.lock);
  t.deviceCount = count;
}

DWORD captureWaveOut(HWAVEOUT hwo, DWORD frames) {
  std::shared_ptr<Stream> s = find(hwo);
  return s && s->sink() ? s->sink()->consume(frames) : 0;
}

const char* waveOutBackendName(HWAVEOUT hwo) {
  std::shared_ptr<Stream> s = find(hwo);
  return s && s->sink() ? s->sink()->name() : nullptr;
}

}  // namespace wince

UINT waveOutGetNumDevs() {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.lock);
  return t.deviceCount;
}

MMRESULT waveOutOpen(LPHWAVEOUT phwo, UINT uDeviceID, LPCWAVEFORMATEX pwfx, DWORD_PTR dwCallback,
                     DWORD_PTR dwInstance, DWORD fdwOpen) {
  if (!phwo) return MMSYSERR_INVALPARAM;
  *phwo = nullptr;
  if (fdwOpen != CALLBACK_FUNCTION && fdwOpen != CALLBACK_NULL) return MMSYSERR_INVALFLAG;
  if (uDeviceID != WAVE_MAPPER && uDeviceID >= waveOutGetNumDevs()) return MMSYSERR_BADDEVICEID;
  if (waveOutGetNumDevs() == 0) return MMSYSERR_NODRIVER;
  if (!validFormat(pwfx)) return WAVERR_BADFORMAT;
  Table& t = table();
  wince::WaveOutBackend backend;
  std::string capturePath;
  HWAVEOUT handle;
  {
    std::lock_guard<std::mutex> lock(t.lock);
    backend = t.backend;
    capturePath = t.capturePath;
    handle = reinterpret_cast<HWAVEOUT>(t.next);
    t.next += 0x10;
  }
  auto callback = fdwOpen == CALLBACK_FUNCTION ? reinterpret_cast<LPWAVECALLBACK>(dwCallback) : nullptr;
  auto stream = std::make_shared<Stream>(handle, *pwfx, callback, dwInstance);
  std::unique_ptr<wince::waveout::Sink> sink;
  if (backend == wince::WaveOutBackend::Capture) {
    sink = wince::waveout::makeCaptureSink(*stream, capturePath);
    if (!sink) return MMSYSERR_ERROR;
  } else if (backend == wince::WaveOutBackend::Automatic) {
    sink = wince::waveout::makeSdlSink(*stream);
  }
  if (!sink) sink = wince::waveout::makeSilentSink(*stream);
  stream->setSink(std::move(sink));
  {
    std::lock_guard<std::mutex> lock(t.lock);
    t.streams[reinterpret_cast<uintptr_t>(handle)] = stream;
  }
  *phwo = handle;
  stream->notify(WOM_OPEN, 0);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT hwo) {
  std::shared_ptr<Stream> s = find(hwo);
  if (!s) return MMSYSERR_INVALHANDLE;
  const MMRESULT r = s->close();
  if (r == MMSYSERR_NOERROR) {
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.lock);
    t.streams.erase(reinterpret_cast<uintptr_t>(hwo));
  }
  return r;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) {
  std::shared_ptr<Stream> s = find(hwo);
  if (!s) return MMSYSERR_INVALHANDLE;
  return cbwh < sizeof(WAVEHDR) ? MMSYSERR_INVALPARAM : s->prepare(pwh);
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) {
  std::shared_ptr<Stream> s = find(hwo);
  if (!s) return MMSYSERR_INVALHANDLE;
  return cbwh < sizeof(WAVEHDR) ? MMSYSERR_INVALPARAM : s->unprepare(pwh);
}

MMRESULT waveOutWrite(HWAVEOUT hwo, LPWAVEHDR pwh, UINT cbwh) {
  std::shared_ptr<Stream> s = find(hwo);
  if (!s) return MMSYSERR_INVALHANDLE;
  return cbwh < sizeof(WAVEHDR) ? MMSYSERR_INVALPARAM : s->write(pwh);
}

MMRESULT waveOutPause(HWAVEOUT hwo) {
  std::shared_ptr<Stream> s = find(hwo);
  if (!s) return MMSYSERR_INVALHANDLE;
  s->setPaused(true);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutRestart(HWAVEOUT hwo) {
  std::shared_ptr<Stream> s = find(hwo);
  if (!s) return MMSYSERR_INVALHANDLE;
  s->setPaused(false);
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutReset(HWAVEOUT hwo) {
  std::shared_ptr<Stream> s = find(hwo);
  return s ? s->reset() : MMSYSERR_INVALHANDLE;
}

namespace {

// A null handle is device 0; a stream addresses the device it plays on.
MMRESULT checkVolumeTarget(HWAVEOUT hwo) {
  if (hwo == nullptr) return waveOutGetNumDevs() > 0 ? MMSYSERR_NOERROR : MMSYSERR_BADDEVICEID;
  return find(hwo) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

}  // namespace

MMRESULT waveOutGetVolume(HWAVEOUT hwo, LPDWORD pdwVolume) {
  if (const MMRESULT r = checkVolumeTarget(hwo); r != MMSYSERR_NOERROR) return r;
  if (!pdwVolume) return MMSYSERR_INVALPARAM;
  *pdwVolume = wince::waveout::deviceVolume();
  return MMSYSERR_NOERROR;
}

MMRESULT waveOutSetVolume(HWAVEOUT hwo, DWORD dwVolume) {
  if (const MMRESULT r = checkVolumeTarget(hwo); r != MMSYSERR_NOERROR) return r;
  wince::waveout::setDeviceVolume(dwVolume);
  return MMSYSERR_NOERROR;
}
