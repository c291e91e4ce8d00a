// An application started on a 240 x 320 portrait display, drawing to the
// screen (cleared to black), with every error report it receives kept and
// the frame's copies to the window captured. A test may give the application
// its own value table and prepare the runtime before the start.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "graphics_fixture.h"
#include "qz_font.h"
#include "qz_screen.h"
#include "qzf_application.h"
#include "qzf_graphics.h"

namespace started_graphics {

constexpr int kWidth = 240;
constexpr int kHeight = 320;
inline const QZGraphicsMode kPortrait[] = {{'D', 16, kWidth, kHeight, 0}};
inline const QZFModeTable kPortraitTable{kPortrait, 1};
inline const int16_t kValues[8] = {};
constexpr uint16_t kBackground = 0x0000;

struct Report {
  std::string source;
  int line;
  int16_t code;
  bool operator==(const Report&) const = default;
};

class TestApplication : public CQZFApplication {
 public:
  int16_t preInit(const QZFModeTable** out) override {
    *out = &kPortraitTable;
    return 0;
  }
  std::span<const int16_t> getValueTable(int) override { return values; }
  void reportError(const char* source, int line, int16_t code) override { reports.push_back({source, line, code}); }
  std::vector<Report> reports;
  std::span<const int16_t> values = kValues;
};

class StartedGraphicsTest : public GraphicsTest {
 protected:
  // Runs before anything starts.
  virtual void prepare() {}

  void SetUp() override {
    prepare();
    GraphicsTest::SetUp();
    QZSetScreenOutput(&output_);
    ASSERT_EQ(QZStartFont(), 0);
    ASSERT_EQ(app_.init(), 0);
    g_ = app_.getGraphics();
    ASSERT_NE(g_, nullptr);
    clearScreen();
  }
  void TearDown() override {
    app_.shutdown();
    QZStopFont();
    GraphicsTest::TearDown();
  }

  QZScreenEnvironment screenEnvironment() const override {
    QZScreenEnvironment environment;
    environment.display = [] { return QZDisplay{kWidth, kHeight, 16, true, false, 0, kHeight, kHeight, false}; };
    environment.modeListed = [](int) { return true; };
    return environment;
  }
  int screenWidth() const override { return kWidth; }
  int screenHeight() const override { return kHeight; }

  void clearScreen() {
    g_->drawToScreen();
    g_->fillRect(0, 0, kWidth, kHeight, 0, 255, kBackground);
    g_->flush();
  }

  CaptureOutput output_{kWidth, kHeight};
  TestApplication app_;
  CQZFGraphics* g_ = nullptr;
};

}  // namespace started_graphics
