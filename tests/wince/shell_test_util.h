// A device set up for shell tests: the smartphone profile, a fresh window
// system on the virtual clock, a main window that records what it gets, and
// a resource table with a soft-key bar.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device_screen.h"
#include "string_block.h"
#include "wince/host/clock.h"
#include "wince/host/resource.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/host/window.h"
#include "wince/runtime.h"
#include "wince/wince.h"

namespace shell_test {

constexpr UINT kBarId = 7800;
constexpr WORD kLeftCommand = 100;
constexpr WORD kRightCommand = 101;

inline std::vector<std::string>& seen() {
  static std::vector<std::string> lines;
  return lines;
}

inline std::string line(const char* name, WPARAM w, LPARAM l) {
  return std::string(name) + " " + std::to_string(w) + " " + std::to_string(l);
}

inline LRESULT CALLBACK recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: seen().push_back(line("COMMAND", wParam, lParam)); return 0;
    case WM_HOTKEY: seen().push_back(line("HOTKEY", wParam, lParam)); return 0;
    case WM_KEYDOWN: seen().push_back(line("KEYDOWN", wParam, 0)); return 0;
    case WM_KEYUP: seen().push_back(line("KEYUP", wParam, 0)); return 0;
    case WM_ENABLE: seen().push_back(line("ENABLE", wParam, 0)); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

using ::stringBlock;

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wince::resetWindowing();
    wince::resetShell();
    wince::useVirtualClock();
    ASSERT_TRUE(wince::selectDeviceProfile("smartphone"));
    wince::detail::resizeDeviceScreen(240, 320);
    seen().clear();
    barData_ = {0, 2, I_IMAGENONE, kLeftCommand, 4, 0, 300, 0, NOMENU,
                I_IMAGENONE, kRightCommand, 4, 0, 301, 0, NOMENU};
    strings_ = stringBlock(300, {u"Left", u"Right"});
    entries_[0] = {nullptr, 10, nullptr, kBarId, reinterpret_cast<const BYTE*>(barData_.data()),
                   static_cast<DWORD>(barData_.size() * 2)};
    entries_[1] = {nullptr, 6, nullptr, 300 / 16 + 1, reinterpret_cast<const BYTE*>(strings_.data()),
                   static_cast<DWORD>(strings_.size() * 2)};
    table_ = {entries_, 2};
    wince::registerResourceTable(&table_);
    WNDCLASS wc{};
    wc.lpfnWndProc = recordingProc;
    wc.hInstance = wince::programInstance();
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = u"ShellTestMain";
    RegisterClass(&wc);
    main_ = CreateWindowEx(0, u"ShellTestMain", u"Main", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                           wince::programInstance(), nullptr);
    ASSERT_NE(main_, nullptr);
    SetActiveWindow(main_);
    wince::dispatchPending();
    seen().clear();
  }

  void TearDown() override {
    wince::resetWindowing();
    wince::resetShell();
    wince::unregisterResourceTable(&table_);
    wince::useRealClock();
  }

  HWND makeBar(DWORD flags = 0) {
    SHMENUBARINFO info{};
    info.cbSize = sizeof info;
    info.hwndParent = main_;
    info.dwFlags = flags;
    info.nToolBarId = kBarId;
    info.hInstRes = wince::programInstance();
    EXPECT_TRUE(SHCreateMenuBar(&info));
    return info.hwndMB;
  }

  // A key press (down and up), handled to the end.
  void press(UINT vk) {
    wince::injectKey(vk, true);
    wince::injectKey(vk, false);
    wince::dispatchPending();
  }

  HWND main_ = nullptr;
  std::vector<WORD> barData_;
  std::vector<WORD> strings_;
  wince::ResourceEntry entries_[2];
  wince::ResourceTable table_{};
};

}  // namespace shell_test
