// A fixture for window tests: a fresh window manager on the virtual clock,
// and a window class whose procedure records every message it gets as
// "name:MESSAGE" and lets a test handle messages first.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/window.h"
#include "wince/system.h"
#include "wince/window.h"

namespace wintest {

inline std::string messageName(UINT msg) {
  static const std::map<UINT, const char*> names = {
      {WM_CREATE, "CREATE"},         {WM_DESTROY, "DESTROY"},     {WM_MOVE, "MOVE"},
      {WM_SIZE, "SIZE"},             {WM_ACTIVATE, "ACTIVATE"},   {WM_SETFOCUS, "SETFOCUS"},
      {WM_KILLFOCUS, "KILLFOCUS"},   {WM_ENABLE, "ENABLE"},       {WM_PAINT, "PAINT"},
      {WM_CLOSE, "CLOSE"},           {WM_ERASEBKGND, "ERASEBKGND"}, {WM_SHOWWINDOW, "SHOWWINDOW"},
      {WM_CANCELMODE, "CANCELMODE"}, {WM_KEYDOWN, "KEYDOWN"},     {WM_KEYUP, "KEYUP"},
      {WM_CHAR, "CHAR"},             {WM_COMMAND, "COMMAND"},     {WM_TIMER, "TIMER"},
      {WM_MOUSEMOVE, "MOUSEMOVE"},   {WM_LBUTTONDOWN, "LBUTTONDOWN"}, {WM_LBUTTONUP, "LBUTTONUP"},
      {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"}, {WM_CAPTURECHANGED, "CAPTURECHANGED"}, {WM_INITDIALOG, "INITDIALOG"},
  };
  auto it = names.find(msg);
  if (it != names.end()) return it->second;
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", msg);
  return buf;
}

using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class WindowTest : public ::testing::Test {
 protected:
  static constexpr const char16_t* kClass = u"TestWindow";

  void SetUp() override {
    wince::resetWindowing();
    wince::setInstanceNamespace(("wintest-" + std::to_string(getpid())).c_str());
    wince::useVirtualClock(1000);
    current() = this;
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = &WindowTest::proc;
    wc.cbWndExtra = 8;
    wc.lpszClassName = kClass;
    ASSERT_NE(RegisterClass(&wc), 0);
  }

  void TearDown() override {
    handler = nullptr;  // it may refer to the test body's locals
    wince::resetWindowing();
    current() = nullptr;
  }

  // A named window of the test class; the log shows it by name.
  HWND make(const std::string& name, DWORD style, HWND parent = nullptr, RECT r = RECT{0, 0, 100, 80},
            DWORD exStyle = 0) {
    pendingName_ = name;
    HWND h = CreateWindowEx(exStyle, kClass, u"", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                            nullptr, nullptr, nullptr);
    if (h != nullptr) names_[h] = name;
    return h;
  }

  // Messages recorded since the last call, as "name:MESSAGE".
  std::vector<std::string> take(const std::vector<UINT>& only = {}) {
    std::vector<std::string> out;
    for (const auto& [msg, text] : log_) {
      if (only.empty() || std::find(only.begin(), only.end(), msg) != only.end()) out.push_back(text);
    }
    log_.clear();
    return out;
  }

  std::string nameOf(HWND h) const {
    auto it = names_.find(h);
    return it != names_.end() ? it->second : (h == nullptr ? "null" : "?");
  }

  Handler handler;

 private:
  static WindowTest*& current() {
    static WindowTest* t = nullptr;
    return t;
  }

  static LRESULT CALLBACK proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    WindowTest* t = current();
    if (t == nullptr) return DefWindowProc(h, msg, wp, lp);
    if (msg == WM_CREATE && !t->names_.count(h)) t->names_[h] = t->pendingName_;
    t->log_.emplace_back(msg, t->nameOf(h) + ":" + messageName(msg));
    if (t->handler) {
      if (auto r = t->handler(h, msg, wp, lp)) return *r;
    }
    return DefWindowProc(h, msg, wp, lp);
  }

  std::string pendingName_;
  std::map<HWND, std::string> names_;
  std::vector<std::pair<UINT, std::string>> log_;
};

using Log = std::vector<std::string>;

}  // namespace wintest
