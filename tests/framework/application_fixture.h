// Shared pieces of the tests that drive an application object: window
// messages, and a headless display whose copies to the window are counted,
// with the graphics layer started. The test's application must be shut down before
// this fixture's TearDown runs.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "qz_bitmap.h"
#include "qz_plane.h"
#include "qz_rect.h"
#include "qz_screen.h"
#include "wince/window.h"

inline MSG windowMessage(UINT id, WPARAM wParam, LPARAM lParam = 0) {
  MSG m{};
  m.message = id;
  m.wParam = wParam;
  m.lParam = lParam;
  return m;
}

class CountingOutput : public QZScreenOutput {
 public:
  void blit(HBITMAP, int x, int y, int w, int h, int, int) override {
    ++copies;
    last = QZRect{static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(w), static_cast<int16_t>(h)};
  }
  void fillRect(int, int, int, int, uint16_t) override {}
  int copies = 0;
  QZRect last{};
};

class ApplicationEnvironment : public ::testing::Test {
 protected:
  void SetUp() override {
    QZSetScreenDepth(16);
    QZSetGraphicsConfig(QZGraphicsConfig{10, 64, 16, 0});
    QZScreenEnvironment environment;
    environment.display = [this] {
      return QZDisplay{displayWidth_, displayHeight_, 16, true, false, 0, displayHeight_, displayHeight_, false};
    };
    environment.modeListed = [](int) { return true; };
    QZSetScreenEnvironment(environment);
    QZSetScreenOutput(&output_);
    ASSERT_EQ(QZStartGraphics(nullptr), 0);
  }
  void TearDown() override {
    QZStopGraphics();
    QZSetScreenOutput(nullptr);
    QZSetScreenEnvironment({});
  }

  // A pixel of the screen plane.
  static uint16_t screenPixel(int x, int y) {
    const QZPlane* p = QZGetScreenPlane();
    return QZPlaneImageBits(p)[static_cast<size_t>(y) * p->pitch + x];
  }

  int displayWidth_ = 240;
  int displayHeight_ = 320;
  CountingOutput output_;
};
