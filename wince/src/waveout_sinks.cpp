// The three consumers of a wave-output stream: SDL2 audio, a silent device
// paced by the real clock, and a capture device writing a WAV file.
#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "waveout_stream.h"

namespace wince::waveout {

namespace {

// Frames a sound card takes at a time (the SDL device's buffer).
constexpr int kCardFrames = 1024;
// Bytes the capture device copies at a time.
constexpr size_t kCaptureChunk = 64 * 1024;

class SdlSink : public Sink {
 public:
  explicit SdlSink(SDL_AudioDeviceID device) : m_device(device) { SDL_PauseAudioDevice(m_device, 0); }
  ~SdlSink() override {
    SDL_CloseAudioDevice(m_device);  // waits for a running callback
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  const char* name() const override { return "sdl"; }

 private:
  SDL_AudioDeviceID m_device;
};

void pullFromSdl(void* user, Uint8* out, int bytes) {
  static_cast<Stream*>(user)->pull(out, static_cast<size_t>(bytes));
}

class SilentSink : public Sink {
 public:
  explicit SilentSink(Stream& stream) : m_stream(stream) {
    m_thread = std::thread([this] { run(); });
  }
  ~SilentSink() override {
    {
      std::lock_guard<std::mutex> lock(m_lock);
      m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
  }
  const char* name() const override { return "silent"; }

 private:
  void run() {
    const WAVEFORMATEX& f = m_stream.format();
    std::vector<uint8_t> scratch;
    auto last = std::chrono::steady_clock::now();
    double owed = 0;
    std::unique_lock<std::mutex> lock(m_lock);
    // It takes the audio in the steps a sound card with a buffer of
    // kCardFrames would: no more wake-ups than the card's.
    const auto step = std::chrono::microseconds(std::clamp<int64_t>(
        int64_t{kCardFrames} * 1000000 / std::max<DWORD>(f.nSamplesPerSec, 1), 5000, 50000));
    while (!m_stop) {
      m_wake.wait_for(lock, step);
      const auto now = std::chrono::steady_clock::now();
      owed += std::chrono::duration<double>(now - last).count() * f.nSamplesPerSec;
      last = now;
      const size_t frames = static_cast<size_t>(owed);
      owed -= static_cast<double>(frames);
      scratch.resize(frames * f.nBlockAlign);
      lock.unlock();
      if (frames) m_stream.pull(scratch.data(), scratch.size());
      lock.lock();
    }
  }

  Stream& m_stream;
  std::mutex m_lock;
  std::condition_variable m_wake;
  bool m_stop = false;
  std::thread m_thread;
};

// Runs `open` with the process's error output thrown away: the sound
// libraries under SDL report there, line after line, every device they try
// and fail to open.
SDL_AudioDeviceID withoutErrorOutput(SDL_AudioDeviceID (*open)(void*), void* user) {
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
  if (null >= 0) close(null);
  const SDL_AudioDeviceID device = open(user);
  if (saved >= 0) {
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
  }
  return device;
}

SDL_AudioDeviceID openSdlDevice(void* user) {
  Stream& stream = *static_cast<Stream*>(user);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  const WAVEFORMATEX& f = stream.format();
  SDL_AudioSpec want{};
  SDL_AudioSpec have{};
  want.freq = static_cast<int>(f.nSamplesPerSec);
  want.format = f.wBitsPerSample == 16 ? AUDIO_S16LSB : AUDIO_U8;
  want.channels = static_cast<Uint8>(f.nChannels);
  want.samples = kCardFrames;
  want.callback = &pullFromSdl;
  want.userdata = &stream;
  // SDL converts to the device's own rate and format.
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return device;
}

void putLe(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

class CaptureSink : public Sink {
 public:
  CaptureSink(Stream& stream, FILE* file) : m_stream(stream), m_file(file) { writeHeader(); }
  ~CaptureSink() override {
    std::fseek(m_file, 0, SEEK_SET);
    writeHeader();
    std::fclose(m_file);
  }
  const char* name() const override { return "capture"; }

  DWORD consume(DWORD frames) override {
    // Buffers that the callbacks queue meanwhile are consumed as well.
    // Each step writes what was queued, through a buffer of a fixed size.
    const WAVEFORMATEX& f = m_stream.format();
    const size_t wanted = static_cast<size_t>(frames) * f.nBlockAlign;
    m_buffer.resize(kCaptureChunk);
    size_t total = 0;
    while (total < wanted) {
      const size_t copied = m_stream.take(m_buffer.data(), std::min(m_buffer.size(), wanted - total));
      std::fwrite(m_buffer.data(), 1, copied, m_file);
      total += copied;
      m_stream.waitForCallbacks();
      if (copied == 0) break;
    }
    std::fflush(m_file);
    m_bytes += static_cast<uint32_t>(total);
    return static_cast<DWORD>(total / f.nBlockAlign);
  }

 private:
  void writeHeader() {
    const WAVEFORMATEX& f = m_stream.format();
    std::vector<uint8_t> h = {'R', 'I', 'F', 'F'};
    putLe(h, 36 + m_bytes, 4);
    h.insert(h.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(h, 16, 4);
    putLe(h, WAVE_FORMAT_PCM, 2);
    putLe(h, f.nChannels, 2);
    putLe(h, f.nSamplesPerSec, 4);
    putLe(h, f.nSamplesPerSec * f.nBlockAlign, 4);
    putLe(h, f.nBlockAlign, 2);
    putLe(h, f.wBitsPerSample, 2);
    h.insert(h.end(), {'d', 'a', 't', 'a'});
    putLe(h, m_bytes, 4);
    std::fwrite(h.data(), 1, h.size(), m_file);
    std::fseek(m_file, 0, SEEK_END);
  }

  Stream& m_stream;
  FILE* m_file;
  uint32_t m_bytes = 0;
  std::vector<uint8_t> m_buffer;
};

}  // namespace

// Without a sound card the stream plays silently; one line says so, the
// first time only.
std::unique_ptr<Sink> makeSdlSink(Stream& stream) {
  const SDL_AudioDeviceID device = withoutErrorOutput(&openSdlDevice, &stream);
  if (device != 0) return std::make_unique<SdlSink>(device);
  static std::atomic<bool> told{false};
  if (told.exchange(true)) return nullptr;
  const char* why = SDL_GetError();
  std::fprintf(stderr, "No sound output (%s): playing without sound.\n", why && *why ? why : "no device");
  return nullptr;
}

std::unique_ptr<Sink> makeSilentSink(Stream& stream) { return std::make_unique<SilentSink>(stream); }

std::unique_ptr<Sink> makeCaptureSink(Stream& stream, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return nullptr;
  return std::make_unique<CaptureSink>(stream, f);
}

}  // namespace wince::waveout
