// One open wave-output stream: the queue of written buffers, the thread that
// delivers their completion callbacks, and the sink that consumes the audio.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "wince/audio.h"

namespace wince::waveout {

class Stream;

// The device's output volume (waveOutSetVolume): low word left, high word
// right. Streams apply it to what they hand their sink.
DWORD deviceVolume();
void setDeviceVolume(DWORD volume);

// What consumes a stream's audio: it calls Stream::pull from its own thread.
class Sink {
 public:
  virtual ~Sink() = default;
  // Frames consumed on demand (capture only).
  virtual DWORD consume(DWORD frames) { return 0; }
  virtual const char* name() const = 0;
};

std::unique_ptr<Sink> makeSdlSink(Stream& stream);  // null when no device opens
std::unique_ptr<Sink> makeSilentSink(Stream& stream);
std::unique_ptr<Sink> makeCaptureSink(Stream& stream, const std::string& path);

class Stream {
 public:
  Stream(HWAVEOUT handle, const WAVEFORMATEX& format, LPWAVECALLBACK callback, DWORD_PTR instance);
  ~Stream();

  void setSink(std::unique_ptr<Sink> sink) { m_sink = std::move(sink); }
  Sink* sink() { return m_sink.get(); }
  const WAVEFORMATEX& format() const { return m_format; }

  // Copies up to `bytes` bytes of queued audio into `out`, scaled by the
  // device volume, and fills the rest with silence; finished buffers go to
  // the callback thread. Returns the bytes of queued audio copied.
  size_t pull(uint8_t* out, size_t bytes);
  // As pull, without the silence: only the queued audio is written.
  size_t take(uint8_t* out, size_t bytes);
  // Returns after every buffer finished so far has had its callback.
  void waitForCallbacks();

  MMRESULT prepare(LPWAVEHDR header);
  MMRESULT unprepare(LPWAVEHDR header);
  MMRESULT write(LPWAVEHDR header);
  void setPaused(bool paused);
  MMRESULT reset();
  // Stops the sink and the callback thread; fails while buffers are queued.
  MMRESULT close();
  void notify(UINT message, DWORD_PTR param);

 private:
  void deliverLoop();
  void deliverFinished(std::unique_lock<std::mutex>& lock);
  void finishHead();
  bool onCallbackThread() const { return std::this_thread::get_id() == m_thread.get_id(); }

  HWAVEOUT m_handle;
  WAVEFORMATEX m_format;
  LPWAVECALLBACK m_callback;
  DWORD_PTR m_instance;
  std::mutex m_lock;
  std::condition_variable m_wake;
  std::condition_variable m_delivered;
  std::deque<LPWAVEHDR> m_queue;
  size_t m_headOffset = 0;
  std::deque<LPWAVEHDR> m_finished;
  uint64_t m_finishedCount = 0;
  uint64_t m_deliveredCount = 0;
  bool m_paused = false;
  bool m_stopping = false;
  std::unique_ptr<Sink> m_sink;
  std::thread m_thread;
};

}  // namespace wince::waveout
