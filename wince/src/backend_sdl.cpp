// The SDL2 back end: one desktop window showing the device screen at an
// integer zoom; desktop keys and the mouse stand in for the device's keys and
// stylus.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>

#include "backend.h"
#include "device_screen.h"
#include "shell_chrome.h"
#include "script_runner.h"
#include "wince/clock.h"
#include "wince/host/png_io.h"
#include "wince/host/thread.h"
#include "wince/host/window.h"
#include "wince/thread.h"

namespace wince::detail {

namespace {

// Shortest time between two presentations while the program polls.
constexpr Uint32 kFrameMs = 16;

// The desktop's keys for the device's. A row maps the desktop keys first..last
// in order onto the device keys from vk on; --help prints the rows that
// have a text (the rows without one complete the row before).
struct KeyRow {
  SDL_Keycode first;
  SDL_Keycode last;
  UINT vk;
  const char* desktop;
  const char* device;
};

constexpr UINT kVolumeUp = 0x75;
constexpr UINT kVolumeDown = 0x76;
// The power button is the back end's own: it suspends and resumes the device.
constexpr SDL_Keycode kPowerKey = SDLK_F9;

constexpr KeyRow kKeyRows[] = {
    {SDLK_LEFT, SDLK_LEFT, VK_LEFT, "arrow keys", "the direction keys"},
    {SDLK_RIGHT, SDLK_RIGHT, VK_RIGHT, nullptr, nullptr},
    {SDLK_UP, SDLK_UP, VK_UP, nullptr, nullptr},
    {SDLK_DOWN, SDLK_DOWN, VK_DOWN, nullptr, nullptr},
    {SDLK_RETURN, SDLK_RETURN, VK_RETURN, "Return, keypad Enter", "action (select)"},
    {SDLK_KP_ENTER, SDLK_KP_ENTER, VK_RETURN, nullptr, nullptr},
    {SDLK_ESCAPE, SDLK_ESCAPE, VK_ESCAPE, "Escape, Backspace", "Back"},
    {SDLK_BACKSPACE, SDLK_BACKSPACE, VK_ESCAPE, nullptr, nullptr},
    {SDLK_F1, SDLK_F2, VK_TSOFT1, "F1, F2", "left and right soft key"},
    {SDLK_TAB, SDLK_TAB, VK_TAB, "Tab, Shift+Tab", "next and previous item (Tab, back-tab)"},
    {SDLK_APPLICATION, SDLK_APPLICATION, VK_APPS, "Menu key, F10", "the menu key"},
    {SDLK_F10, SDLK_F10, VK_APPS, nullptr, nullptr},
    {SDLK_0, SDLK_9, '0', "0-9, keypad 0-9", "phone keys 0-9"},
    {SDLK_KP_1, SDLK_KP_9, '1', nullptr, nullptr},
    {SDLK_KP_0, SDLK_KP_0, '0', nullptr, nullptr},
    {SDLK_a, SDLK_z, 'A', "letters", "letter keys (they also type their character)"},
    {SDLK_F3, SDLK_F3, VK_TTALK, "F3", "Talk"},
    {SDLK_F4, SDLK_F4, VK_TEND, "F4, End", "End, the red key"},
    {SDLK_END, SDLK_END, VK_TEND, nullptr, nullptr},
    {SDLK_F5, SDLK_F8, VK_APP1, "F5-F8", "the four application buttons"},
    {SDLK_PAGEUP, SDLK_PAGEUP, kVolumeUp, "Page Up, Page Down", "volume up, volume down"},
    {SDLK_PAGEDOWN, SDLK_PAGEDOWN, kVolumeDown, nullptr, nullptr},
    {SDLK_SPACE, SDLK_SPACE, VK_SPACE, "Space", "space"},
    {SDLK_LSHIFT, SDLK_LSHIFT, VK_SHIFT, "Shift", "shift"},
    {SDLK_RSHIFT, SDLK_RSHIFT, VK_SHIFT, nullptr, nullptr},
};

// What is not a key of the device, for --help.
constexpr const char* kOtherRows[][2] = {
    {"F9", "power button: suspend, then resume on the next press"},
    {"left mouse button", "stylus (tap and drag)"},
    {"closing the window", "closes the program"},
};

// Desktop key -> device key; 0 for keys the device does not have.
UINT deviceKey(SDL_Keycode key) {
  for (const KeyRow& row : kKeyRows) {
    if (key >= row.first && key <= row.last) return row.vk + static_cast<UINT>(key - row.first);
  }
  return 0;
}

}  // namespace

void printDesktopKeyMap(FILE* out) {
  std::fprintf(out, "Keys (in the window the desktop stands in for the device):\n");
  for (const KeyRow& row : kKeyRows) {
    if (row.desktop) std::fprintf(out, "  %-22s %s\n", row.desktop, row.device);
  }
  for (const auto& row : kOtherRows) std::fprintf(out, "  %-22s %s\n", row[0], row[1]);
}

namespace {

class SdlBackend : public Backend {
 public:
  SdlBackend(int zoom, std::vector<ScriptCommand> script) : zoom_(zoom) {
    if (!script.empty()) {
      runner_.emplace(std::move(script),
                      ScriptRunner::Hooks{[this](const std::string& path, std::string* error) {
                                            return screenshot(path, error);
                                          },
                                          nullptr});
    }
  }

  ~SdlBackend() override {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
  }

  bool open(const char* title, std::string* error) {
    // The screen is drawn in software: a GL driver would cost more memory
    // than the whole program for a picture of a few hundred pixels.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return failed(error);
    wakeEvent_ = SDL_RegisterEvents(1);
    const char* driver = SDL_GetCurrentVideoDriver();
    displayless_ = driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
    DeviceScreen& s = deviceScreen();
    window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, s.width * zoom_,
                               s.height * zoom_, SDL_WINDOW_SHOWN);
    if (!window_) return failed(error);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) return failed(error);
    // The screen is kept zoomed and in 32-bit colour, so that showing it is
    // a plain copy to the window rather than a stretch and a conversion.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, s.width * zoom_,
                                 s.height * zoom_);
    if (!texture_) return failed(error);
    return true;
  }

  bool waitForEvents(DWORD timeoutMs) override {
    present(false);
    DWORD ms = runner_ ? runner_->step(timeoutMs) : timeoutMs;
    // The wait reads the desktop's events; without one they are read here.
    // Every change to the screen is shown above, so the wait lasts until
    // input comes or the next timer is due.
    if (ms > 0) {
      wait(ms);
    } else {
      SDL_PumpEvents();
    }
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) handle(event);
    return true;
  }

  // A program that polls instead of waiting still gets its screen shown,
  // at most once a frame.
  void pollEvents() override {
    Uint32 now = SDL_GetTicks();
    if (now - lastPresent_ >= kFrameMs) present(false);
    SDL_Event event;
    while (SDL_PollEvent(&event)) handle(event);
  }

  void wake() override {
    if (displayless_) {
      std::lock_guard<std::mutex> lock(wakeMutex_);
      woken_ = true;
      wakeCondition_.notify_all();
      return;
    }
    SDL_Event event{};
    event.type = wakeEvent_;
    SDL_PushEvent(&event);
  }

  // The window as the user sees it (zoomed), read back from the renderer.
  bool screenshot(const std::string& path, std::string* error) override {
    int w = 0;
    int h = 0;
    if (SDL_GetRendererOutputSize(renderer_, &w, &h) != 0) return failed(error);
    refreshShellChrome();
    render();
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB24, rgb.data(), w * 3) != 0) {
      return failed(error);
    }
    SDL_RenderPresent(renderer_);
    return writePngRgb(path, rgb.data(), w, h, static_cast<size_t>(w) * 3, error);
  }

  bool headless() const override { return false; }
  bool scriptFailed() const override { return runner_ && runner_->failed(); }

 private:
  // Blocks until an event comes, wake() is called or ms pass. A driver
  // without a display has no desktop events, and SDL's own wait would poll
  // it every millisecond: the back end then waits on its own.
  void wait(DWORD ms) {
    if (displayless_) {
      std::unique_lock<std::mutex> lock(wakeMutex_);
      if (ms == INFINITE) {
        wakeCondition_.wait(lock, [this] { return woken_; });
      } else {
        wakeCondition_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return woken_; });
      }
      woken_ = false;
      return;
    }
    // SDL waits without end for a negative timeout.
    const int timeout = ms == INFINITE ? -1 : static_cast<int>(std::min<DWORD>(ms, INT32_MAX));
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, timeout)) handle(event);
  }

  static bool failed(std::string* error) {
    if (error) *error = SDL_GetError();
    return false;
  }

  void render() {
    const DeviceScreen& s = deviceScreen();
    const bool whole = shown_.size() != s.pixels.size();
    int first = s.height;
    int last = -1;
    for (int y = 0; y < s.height; ++y) {
      const auto row = s.pixels.begin() + static_cast<ptrdiff_t>(y) * s.width;
      if (whole || !std::equal(row, row + s.width, shown_.begin() + static_cast<ptrdiff_t>(y) * s.width)) {
        first = std::min(first, y);
        last = y;
      }
    }
    if (last >= 0) uploadRows(first, last);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    shown_ = s.pixels;
    shownTouched_ = s.touched;
  }

  // Widens 5-6-5 colour to 8 bits a channel, each channel's top bits repeated
  // below it.
  static Uint32 rgb888(uint16_t p) {
    const Uint32 r = p >> 11;
    const Uint32 g = (p >> 5) & 0x3F;
    const Uint32 b = p & 0x1F;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
  }

  // Converts and zooms device rows first..last into the texture.
  void uploadRows(int first, int last) {
    const DeviceScreen& s = deviceScreen();
    const int width = s.width * zoom_;
    const SDL_Rect rect{0, first * zoom_, width, (last - first + 1) * zoom_};
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, &rect, &pixels, &pitch) != 0) return;
    auto* line = static_cast<uint8_t*>(pixels);
    for (int y = first; y <= last; ++y) {
      const uint16_t* in = &s.pixels[static_cast<size_t>(y) * s.width];
      auto* out = reinterpret_cast<Uint32*>(line);
      for (int x = 0; x < s.width; ++x) out = std::fill_n(out, zoom_, rgb888(in[x]));
      for (int k = 1; k < zoom_; ++k) std::memcpy(line + static_cast<ptrdiff_t>(k) * pitch, line, width * 4);
      line += static_cast<ptrdiff_t>(zoom_) * pitch;
    }
    SDL_UnlockTexture(texture_);
  }

  // Shows the device screen when it changed since it was last shown.
  void present(bool always) {
    lastPresent_ = SDL_GetTicks();
    refreshShellChrome();
    const DeviceScreen& s = deviceScreen();
    if (!always && (s.touched == shownTouched_ || shown_ == s.pixels)) {
      shownTouched_ = s.touched;
      return;
    }
    render();
    SDL_RenderPresent(renderer_);
  }

  void handle(const SDL_Event& event) {
    switch (event.type) {
      case SDL_KEYDOWN:
      case SDL_KEYUP: key(event.key); break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT) {
          stylus(event.type == SDL_MOUSEBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP, event.button.x, event.button.y);
        }
        break;
      case SDL_MOUSEMOTION:
        if (event.motion.state & SDL_BUTTON_LMASK) stylus(WM_MOUSEMOVE, event.motion.x, event.motion.y);
        break;
      case SDL_QUIT: injectClose(); break;
      case SDL_WINDOWEVENT: window(event.window); break;
      default: break;
    }
  }

  void key(const SDL_KeyboardEvent& k) {
    if (k.keysym.sym == kPowerKey) {
      if (k.type == SDL_KEYDOWN && !k.repeat) {
        suspended_ = !suspended_;
        if (suspended_) simulateSuspend();
        else simulateResume();
      }
      return;
    }
    if (UINT vk = deviceKey(k.keysym.sym)) injectKey(vk, k.type == SDL_KEYDOWN);
  }

  // A stylus never leaves the screen: a mouse dragged out of the window
  // stays on its edge, so the program still sees where the stylus went up.
  void stylus(UINT msg, int x, int y) {
    const DeviceScreen& s = deviceScreen();
    injectStylus(msg, std::clamp(x / zoom_, 0, s.width - 1), std::clamp(y / zoom_, 0, s.height - 1));
  }

  void window(const SDL_WindowEvent& w) {
    switch (w.event) {
      case SDL_WINDOWEVENT_FOCUS_GAINED: injectAppActive(true); break;
      case SDL_WINDOWEVENT_FOCUS_LOST: injectAppActive(false); break;
      case SDL_WINDOWEVENT_EXPOSED: present(true); break;
      default: break;
    }
  }

  int zoom_;
  std::optional<ScriptRunner> runner_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  Uint32 wakeEvent_ = 0;
  std::vector<uint16_t> shown_;
  uint64_t shownTouched_ = 0;
  Uint32 lastPresent_ = 0;
  bool suspended_ = false;
  bool displayless_ = false;
  std::mutex wakeMutex_;
  std::condition_variable wakeCondition_;
  bool woken_ = false;
};

}  // namespace

std::unique_ptr<Backend> makeSdlBackend(const char* title, int zoom, std::vector<ScriptCommand> script,
                                        std::string* error) {
  auto backend = std::make_unique<SdlBackend>(zoom, std::move(script));
  if (!backend->open(title, error)) return nullptr;
  return backend;
}

}  // namespace wince::detail
