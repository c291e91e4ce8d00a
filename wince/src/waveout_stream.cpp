#include "waveout_stream.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace wince::waveout {

namespace {

constexpr DWORD kFullVolume = 0xFFFFFFFF;

std::atomic<DWORD>& volume() {
  static std::atomic<DWORD> v{kFullVolume};
  return v;
}

// Scales whole samples of `bytes` bytes of audio in place; the channel of a
// sample follows from its position (interleaved, left first).
void scale(uint8_t* data, size_t bytes, const WAVEFORMATEX& f, DWORD level) {
  const int32_t levels[2] = {static_cast<int32_t>(LOWORD(level)),
                             static_cast<int32_t>(f.nChannels == 2 ? HIWORD(level) : LOWORD(level))};
  const size_t width = f.wBitsPerSample / 8;
  for (size_t i = 0, n = 0; i + width <= bytes; i += width, ++n) {
    const int32_t gain = levels[n % f.nChannels];
    if (width == 1) {
      data[i] = static_cast<uint8_t>((data[i] - 128) * gain / 0xFFFF + 128);
    } else {
      const auto s = static_cast<int16_t>(data[i] | (data[i + 1] << 8));
      const auto v = static_cast<uint16_t>(static_cast<int16_t>(static_cast<int64_t>(s) * gain / 0xFFFF));
      data[i] = static_cast<uint8_t>(v);
      data[i + 1] = static_cast<uint8_t>(v >> 8);
    }
  }
}

}  // namespace

DWORD deviceVolume() { return volume().load(); }
void setDeviceVolume(DWORD level) { volume().store(level); }

Stream::Stream(HWAVEOUT handle, const WAVEFORMATEX& format, LPWAVECALLBACK callback, DWORD_PTR instance)
    : m_handle(handle), m_format(format), m_callback(callback), m_instance(instance) {
  m_thread = std::thread([this] { deliverLoop(); });
}

Stream::~Stream() {
  m_sink.reset();
  {
    std::lock_guard<std::mutex> lock(m_lock);
    m_stopping = true;
  }
  m_wake.notify_all();
  if (m_thread.joinable()) m_thread.join();
}

void Stream::notify(UINT message, DWORD_PTR param) {
  if (m_callback) m_callback(m_handle, message, m_instance, param, 0);
}

void Stream::deliverLoop() {
  std::unique_lock<std::mutex> lock(m_lock);
  for (;;) {
    m_wake.wait(lock, [this] { return !m_finished.empty() || m_stopping; });
    if (!m_finished.empty()) {
      deliverFinished(lock);
    } else {
      return;
    }
  }
}

void Stream::deliverFinished(std::unique_lock<std::mutex>& lock) {
  while (!m_finished.empty()) {
    LPWAVEHDR header = m_finished.front();
    m_finished.pop_front();
    header->dwFlags = (header->dwFlags | WHDR_DONE) & ~WHDR_INQUEUE;
    lock.unlock();
    notify(WOM_DONE, reinterpret_cast<DWORD_PTR>(header));
    lock.lock();
    ++m_deliveredCount;
    m_delivered.notify_all();
  }
}

void Stream::finishHead() {
  m_finished.push_back(m_queue.front());
  m_queue.pop_front();
  m_headOffset = 0;
  ++m_finishedCount;
}

size_t Stream::pull(uint8_t* out, size_t bytes) {
  const size_t copied = take(out, bytes);
  std::memset(out + copied, m_format.wBitsPerSample == 8 ? 0x80 : 0, bytes - copied);
  return copied;
}

size_t Stream::take(uint8_t* out, size_t bytes) {
  size_t copied = 0;
  bool finished = false;
  {
    std::lock_guard<std::mutex> lock(m_lock);
    while (!m_paused && !m_queue.empty()) {
      const LPWAVEHDR head = m_queue.front();
      const size_t n = std::min<size_t>(head->dwBufferLength - m_headOffset, bytes - copied);
      std::memcpy(out + copied, head->lpData + m_headOffset, n);
      copied += n;
      m_headOffset += n;
      if (m_headOffset < head->dwBufferLength) break;
      finishHead();
      finished = true;
    }
  }
  const DWORD level = deviceVolume();
  if (level != kFullVolume) scale(out, copied, m_format, level);
  if (finished) m_wake.notify_all();
  return copied;
}

void Stream::waitForCallbacks() {
  std::unique_lock<std::mutex> lock(m_lock);
  if (onCallbackThread()) return;
  const uint64_t target = m_finishedCount;
  m_delivered.wait(lock, [&] { return m_deliveredCount >= target; });
}

MMRESULT Stream::prepare(LPWAVEHDR header) {
  if (!header || !header->lpData) return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> lock(m_lock);
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT Stream::unprepare(LPWAVEHDR header) {
  if (!header) return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> lock(m_lock);
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT Stream::write(LPWAVEHDR header) {
  if (!header || !header->lpData) return MMSYSERR_INVALPARAM;
  std::lock_guard<std::mutex> lock(m_lock);
  if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  m_queue.push_back(header);
  return MMSYSERR_NOERROR;
}

void Stream::setPaused(bool paused) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_paused = paused;
}

MMRESULT Stream::reset() {
  std::unique_lock<std::mutex> lock(m_lock);
  while (!m_queue.empty()) finishHead();
  if (onCallbackThread()) {
    deliverFinished(lock);
    return MMSYSERR_NOERROR;
  }
  m_wake.notify_all();
  const uint64_t target = m_finishedCount;
  m_delivered.wait(lock, [&] { return m_deliveredCount >= target; });
  return MMSYSERR_NOERROR;
}

MMRESULT Stream::close() {
  {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_queue.empty()) return WAVERR_STILLPLAYING;
    if (onCallbackThread()) return MMSYSERR_ERROR;
  }
  m_sink.reset();
  {
    std::lock_guard<std::mutex> lock(m_lock);
    m_stopping = true;
  }
  m_wake.notify_all();
  m_thread.join();
  notify(WOM_CLOSE, 0);
  return MMSYSERR_NOERROR;
}

}  // namespace wince::waveout
