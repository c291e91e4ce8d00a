// Window tests of the class library: a fresh window system on the virtual
// clock and a plain top-level window to hold the windows under test.
#pragma once

#include <gtest/gtest.h>

#include "wince/clock.h"
#include "wince/window.h"
#include "wince/host/clock.h"
#include "wince/host/window.h"

class CeWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wince::resetWindowing();
    wince::useVirtualClock(1000);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = kPlainClass;
    ASSERT_NE(RegisterClassW(&wc), 0);
    parent = CreateWindowExW(0, kPlainClass, u"", WS_VISIBLE, 0, 0, 240, 300, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    wince::resetWindowing();
    wince::useRealClock();
  }

  static constexpr const char16_t* kPlainClass = u"PlainWindow";
  HWND parent{};
};
