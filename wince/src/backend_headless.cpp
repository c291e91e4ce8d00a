// The headless back end: the device screen stays in memory, time is virtual
// and input comes only from the script.
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "backend.h"
#include "device_screen.h"
#include "shell_chrome.h"
#include "script_runner.h"
#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/png_io.h"

namespace wince::detail {

namespace {

// How long (real time) a power transition waits for the program's power
// thread to post its message. The post normally arrives at once.
constexpr auto kPostGrace = std::chrono::seconds(2);

class HeadlessBackend : public Backend {
 public:
  explicit HeadlessBackend(std::vector<ScriptCommand> script)
      : runner_(std::move(script), {[](const std::string& path, std::string* error) {
                                      return writeScreen(path, error);
                                    },
                                    [this] { awaitPost(); }}) {}

  bool waitForEvents(DWORD timeoutMs) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      woken_ = false;  // earlier posts are in the queue already
    }
    DWORD ms = runner_.step(timeoutMs);
    if (ms > 0) advanceClock(ms);
    return true;
  }

  void wake() override {
    std::lock_guard<std::mutex> lock(mutex_);
    woken_ = true;
    cv_.notify_all();
  }

  bool screenshot(const std::string& path, std::string* error) override { return writeScreen(path, error); }
  bool headless() const override { return true; }
  bool scriptFailed() const override { return runner_.failed(); }

 private:
  static bool writeScreen(const std::string& path, std::string* error) {
    refreshShellChrome();
    DeviceScreen& s = deviceScreen();
    return writePng565(path, s.pixels.data(), s.width, s.height, static_cast<size_t>(s.width) * 2, error);
  }

  void awaitPost() {
    std::unique_lock<std::mutex> lock(mutex_);
    cv_.wait_for(lock, kPostGrace, [this] { return woken_; });
  }

  ScriptRunner runner_;
  std::mutex mutex_;
  std::condition_variable cv_;
  bool woken_ = false;
};

}  // namespace

std::unique_ptr<Backend> makeHeadlessBackend(std::vector<ScriptCommand> script) {
  return std::make_unique<HeadlessBackend>(std::move(script));
}

}  // namespace wince::detail
