// The SDL2 back end's mapping of desktop input to device input, through
// SDL's "dummy" video driver, so no display is needed.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "backend.h"
#include "device_screen.h"
#include "runtime_test_util.h"
#include "wince/host/png_io.h"
#include "wince/host/system.h"
#include "wince/host/window.h"
#include "wince/shell.h"

namespace {

using namespace runtime_test;

std::string name(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN: return "KEYDOWN";
    case WM_KEYUP: return "KEYUP";
    case WM_LBUTTONDOWN: return "DOWN";
    case WM_MOUSEMOVE: return "MOVE";
    case WM_LBUTTONUP: return "UP";
    case WM_CLOSE: return "CLOSE";
    case WM_ACTIVATE: return "ACTIVATE";
    default: return "";
  }
}

LRESULT CALLBACK recordProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::string n = name(msg);
  if (msg == WM_LBUTTONDOWN || msg == WM_MOUSEMOVE || msg == WM_LBUTTONUP) {
    seen().push_back(n + " " + std::to_string(GET_X_LPARAM(lParam)) + "," + std::to_string(GET_Y_LPARAM(lParam)));
  } else if (!n.empty()) {
    seen().push_back(n + " " + std::to_string(LOWORD(wParam)));
  }
  return msg == WM_CLOSE ? 0 : DefWindowProc(hwnd, msg, wParam, lParam);
}

class SdlBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    wince::resetWindowing();
    ASSERT_TRUE(wince::selectDeviceProfile("smartphone"));
    wince::detail::resizeDeviceScreen(240, 320);
    std::string error;
    auto backend = wince::detail::makeSdlBackend("test", 2, {}, &error);
    ASSERT_NE(backend, nullptr) << error;
    backend_ = backend.get();
    wince::detail::installBackend(std::move(backend));
    hwnd_ = makeMainWindow(wince::programInstance(), recordProc);
    wince::dispatchPending();
    seen().clear();
  }

  void TearDown() override {
    wince::resetWindowing();
    wince::detail::installBackend(nullptr);
    unsetenv("SDL_VIDEODRIVER");
  }

  // Queues desktop events, lets the back end take them and the program handle them.
  void feed(std::initializer_list<SDL_Event> events) {
    for (SDL_Event e : events) SDL_PushEvent(&e);
    backend_->pollEvents();
    wince::dispatchPending();
  }

  static SDL_Event key(Uint32 type, SDL_Keycode sym) {
    SDL_Event e{};
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    return e;
  }

  static SDL_Event button(Uint32 type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    return e;
  }

  static SDL_Event motion(int x, int y, Uint32 state) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = state;
    return e;
  }

  wince::detail::Backend* backend_ = nullptr;
  HWND hwnd_ = nullptr;
};

TEST_F(SdlBackend, DesktopKeysBecomeDeviceKeys) {
  struct Case {
    SDL_Keycode sym;
    int vk;  // 0: the device has no such key
  } cases[] = {
      {SDLK_LEFT, VK_LEFT},     {SDLK_DOWN, VK_DOWN},       {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN},
      {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_BACKSPACE, VK_ESCAPE}, {SDLK_F1, VK_F1},        {SDLK_F2, VK_F2},
      {SDLK_0, '0'},            {SDLK_KP_0, '0'},           {SDLK_KP_7, '7'},         {SDLK_q, 'Q'},
      {SDLK_F4, VK_F4},         {SDLK_F5, VK_APP1},         {SDLK_PAGEUP, 117},       {SDLK_PAGEDOWN, 118},
      {SDLK_TAB, VK_TAB},       {SDLK_APPLICATION, VK_APPS}, {SDLK_F10, VK_APPS},     {SDLK_END, VK_F4},
      {SDLK_z, 'Z'},            {SDLK_9, '9'},              {SDLK_F8, VK_APP4},       {SDLK_F11, 0},
      {SDLK_HOME, 0},
  };
  for (const Case& c : cases) {
    seen().clear();
    feed({key(SDL_KEYDOWN, c.sym), key(SDL_KEYUP, c.sym)});
    std::vector<std::string> want;
    if (c.vk) want = {"KEYDOWN " + std::to_string(c.vk), "KEYUP " + std::to_string(c.vk)};
    EXPECT_EQ(seen(), want) << SDL_GetKeyName(c.sym);
  }
}

TEST_F(SdlBackend, MouseIsTheStylusAtDevicePixels) {
  // Hovering makes nothing (a stylus cannot hover); a drag out of the window
  // stays on the screen's edge.
  feed({motion(50, 50, 0), button(SDL_MOUSEBUTTONDOWN, 21, 41), motion(31, 61, SDL_BUTTON_LMASK),
        motion(-3, 61, SDL_BUTTON_LMASK), motion(500, 900, SDL_BUTTON_LMASK), button(SDL_MOUSEBUTTONUP, -3, 61)});
  std::vector<std::string> want = {"DOWN 10,20", "MOVE 15,30", "MOVE 0,30", "MOVE 239,319", "UP 0,30"};
  EXPECT_EQ(seen(), want);
}

TEST_F(SdlBackend, ClosingAndFocus) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_Event lost{};
  lost.type = SDL_WINDOWEVENT;
  lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  SDL_Event gained = lost;
  gained.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  feed({lost, gained, quit});
  std::vector<std::string> want = {"ACTIVATE 0", "ACTIVATE 1", "CLOSE 0"};
  EXPECT_EQ(seen(), want);
}

TEST_F(SdlBackend, F9IsThePowerButton) {
  MSGQUEUEOPTIONS options{sizeof(MSGQUEUEOPTIONS), 0, 0, sizeof(POWER_BROADCAST), TRUE};
  HANDLE queue = CreateMsgQueue(nullptr, &options);
  HANDLE notifications = RequestPowerNotifications(queue, PBT_TRANSITION);
  auto next = [&] {
    POWER_BROADCAST pb{};
    DWORD read = 0;
    DWORD flags = 0;
    return ReadMsgQueue(queue, &pb, sizeof pb, &read, 0, &flags) ? pb.Flags : 0u;
  };
  feed({key(SDL_KEYDOWN, SDLK_F9), key(SDL_KEYUP, SDLK_F9)});
  EXPECT_EQ(next(), static_cast<DWORD>(POWER_STATE_SUSPEND));
  feed({key(SDL_KEYDOWN, SDLK_F9), key(SDL_KEYUP, SDLK_F9)});
  EXPECT_EQ(next(), static_cast<DWORD>(POWER_STATE_ON));
  EXPECT_EQ(next(), 0u);
  EXPECT_TRUE(seen().empty());  // the program sees no key
  StopPowerNotifications(notifications);
  CloseMsgQueue(queue);
}

TEST_F(SdlBackend, ScreenshotShowsTheZoomedScreen) {
  SHFullScreen(hwnd_, SHFS_HIDETASKBAR);  // no title bar over the first rows
  wince::detail::DeviceScreen& s = wince::detail::deviceScreen();
  std::fill(s.pixels.begin(), s.pixels.end(), 0x001F);  // blue
  s.row(0)[0] = 0xF800;                                 // one red pixel
  std::filesystem::path file = testFolder() / "window.png";
  std::string error;
  ASSERT_TRUE(backend_->screenshot(file.string(), &error)) << error;
  wince::RgbImage image;
  ASSERT_TRUE(wince::readPng(file.string(), &image, &error)) << error;
  ASSERT_EQ(image.width, 480);
  ASSERT_EQ(image.height, 640);
  for (auto [x, y] : {std::pair{0, 0}, {1, 1}}) EXPECT_GT(image.pixel(x, y)[0], 240) << x << "," << y;
  EXPECT_LT(image.pixel(2, 0)[0], 16);
  EXPECT_GT(image.pixel(479, 639)[2], 240);
}

}  // namespace
