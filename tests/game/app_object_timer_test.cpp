// The game clock: its text, counting once per whole second with a cap per
// update, start and stop, the redraw of its rectangle, and its saved state.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app_game_services.h"
#include "app_object_timer.h"
#include "app_serialise_stream.h"
#include "qz_font.h"
#include "qz_screen.h"
#include "qzf_application.h"
#include "qzf_font_manager.h"
#include "qzf_graphics.h"
#include "qzf_metrics.h"
#include "started_graphics_fixture.h"
#include "wince/clock.h"
#include "wince/host/clock.h"

namespace {

constexpr int16_t kClockX = 100, kClockY = 4, kClockW = 40, kClockH = 12;

// A layout with the clock's rectangle at entries 49, 48, 47 and 210.
struct Layout : CAppPlainGameServices {
  Layout() {
    setValue(49, kClockX);
    setValue(48, kClockY);
    setValue(47, kClockW);
    setValue(210, kClockH);
  }
};

using started_graphics::kHeight;
using started_graphics::kWidth;
using started_graphics::Report;

class ClockTest : public started_graphics::StartedGraphicsTest {
 protected:
  void prepare() override {
    wince::useVirtualClock(5000000);
  }
  void SetUp() override {
    StartedGraphicsTest::SetUp();
    newFrame();
  }
  void TearDown() override {
    StartedGraphicsTest::TearDown();
    wince::useRealClock();
  }

  // A drawn frame: nothing dirty, nothing covered.
  void newFrame() {
    app_.getGraphics()->clearGrid();
    app_.getGraphics()->computeUncovered();
  }
  // One frame `ms` milliseconds after the last: the metrics measure it, then
  // the clock updates.
  void frame(CObjectTimer& clock, uint64_t ms) {
    wince::advanceClock(ms);
    app_.getMetrics()->frame();
    clock.update();
  }
  const Layout layout_;
  bool clockDirty() const { return app_.getGraphics()->isRectDirty(kClockX, kClockY, kClockW, kClockH); }
  static uint32_t now() { return CQZFMetrics::getTime(); }
};

std::string text(uint32_t t) {
  char16_t buffer[CObjectTimer::kTextSize];
  CObjectTimer::format(t, buffer);
  return std::string(buffer, buffer + std::char_traits<char16_t>::length(buffer));
}

TEST(ClockFormat, ShowsHoursMinutesAndSeconds) {
  const struct {
    uint32_t t;
    const char* shown;
  } cases[] = {
      {0, "0:00:00"},
      {99, "0:00:00"},
      {5999, "0:00:59"},
      {6150, "0:01:01"},
      {359999, "0:59:59"},
      {366000, "1:01:00"},
      {92160000, "256:00:00"},  // past 255 hours the hours are not cut to a byte
      {UINT32_MAX, "11930:27:52"},
  };
  for (const auto& c : cases) EXPECT_EQ(text(c.t), c.shown) << c.t;
}

TEST_F(ClockTest, StartsStoppedAndStartOrStopTwiceChangesNothing) {
  CObjectTimer clock(&app_, &layout_);
  EXPECT_EQ(clock.getKind(), CObjectTimer::kKind);
  EXPECT_EQ(clock.find(kQZFKindApplication), &app_);
  EXPECT_FALSE(clock.isRunning());
  EXPECT_EQ(clock.getElapsed(), 0u);
  EXPECT_EQ(clock.getLastUpdate(), 0u);

  frame(clock, 3000);  // stopped: counts nothing
  EXPECT_EQ(clock.getElapsed(), 0u);

  clock.start();
  const uint32_t started = now();
  EXPECT_EQ(clock.getLastUpdate(), started);
  wince::advanceClock(500);
  clock.start();
  EXPECT_EQ(clock.getLastUpdate(), started);

  frame(clock, 1000);  // 1.5 s since the start
  EXPECT_EQ(clock.getElapsed(), 150u);
  clock.stop();
  EXPECT_FALSE(clock.isRunning());
  const uint32_t stopped = clock.getElapsed();
  frame(clock, 2000);
  clock.stop();
  EXPECT_EQ(clock.getElapsed(), stopped);
}

TEST_F(ClockTest, CountsOncePerWholeSecondAndRedrawsThen) {
  CObjectTimer clock(&app_, &layout_);
  app_.getMetrics()->frame();
  clock.start();
  const uint32_t started = now();
  // Frames within the same second add nothing and keep the last update.
  for (int i = 0; i < 3; ++i) {
    frame(clock, 100);
    EXPECT_EQ(clock.getElapsed(), 0u);
    EXPECT_EQ(clock.getLastUpdate(), started);
    EXPECT_FALSE(clockDirty());
  }
  frame(clock, 800);  // 1.1 s: the second changed
  EXPECT_EQ(clock.getElapsed(), 110u);
  EXPECT_EQ(clock.getLastUpdate(), now());
  EXPECT_TRUE(clockDirty());
  EXPECT_FALSE(app_.getGraphics()->isRectDirty(0, 200, 240, 100));
}

TEST_F(ClockTest, ALongGapAddsAtMostAMinute) {
  CObjectTimer clock(&app_, &layout_);
  clock.start();
  frame(clock, 90000);
  EXPECT_EQ(clock.getElapsed(), 6000u);
  EXPECT_EQ(clock.getLastUpdate(), now());
  frame(clock, 2000);
  EXPECT_EQ(clock.getElapsed(), 6200u);
}

TEST_F(ClockTest, AClockThatSteppedBackAddsNothing) {
  CObjectTimer clock(&app_, &layout_);
  clock.start();
  frame(clock, 3000);
  EXPECT_EQ(clock.getElapsed(), 300u);
  wince::useVirtualClock(4000000);  // the platform clock went back 1000 s
  frame(clock, 1000);
  EXPECT_EQ(clock.getElapsed(), 300u);
  frame(clock, 1000);
  EXPECT_EQ(clock.getElapsed(), 400u);
}

TEST_F(ClockTest, StopCountsTheTimeUpToTheStop) {
  CObjectTimer clock(&app_, &layout_);
  clock.start();
  wince::advanceClock(2500);
  app_.getMetrics()->frame();
  clock.stop();
  EXPECT_EQ(clock.getElapsed(), 250u);
}

TEST_F(ClockTest, SetElapsedRedraws) {
  CObjectTimer clock(&app_, &layout_);
  clock.setElapsed(366000);
  EXPECT_EQ(clock.getElapsed(), 366000u);
  EXPECT_TRUE(clockDirty());
}

TEST_F(ClockTest, KeepsWorkingWhenTheApplicationRestartsItsManagers) {
  CObjectTimer clock(&app_, &layout_);
  clock.start();
  app_.shutdown();
  clock.update();  // no metrics: nothing counted
  clock.setElapsed(100);
  ASSERT_EQ(app_.init(), 0);
  newFrame();
  frame(clock, 1500);
  EXPECT_EQ(clock.getElapsed(), 250u);
  EXPECT_TRUE(clockDirty());
}

// Digits and the colon as 3 x 5 glyphs of the clock's font; every pixel of
// the glyph at table position p has colour p + 1.
class ClockDrawTest : public ClockTest {
 protected:
  static constexpr char16_t kTable[] = u"0123456789:";

  void SetUp() override {
    ClockTest::SetUp();
    std::vector<imgpack::BlobImage> glyphs;
    for (int p = 0; kTable[p]; ++p) {
      imgpack::BlobImage glyph = makeBlob(static_cast<int16_t>(CObjectTimer::kFont + p), 3, 5, 0);
      glyph.pixels.assign(glyph.pixels.size(), static_cast<uint16_t>(p + 1));
      glyphs.push_back(glyph);
    }
    loadBlobs(3, glyphs, imgpack::BlobStorage::Direct);
    ASSERT_EQ(fonts_.setCharacterTable(kTable), 0);
    app_.setFontManager(&fonts_);
  }
  void TearDown() override {
    app_.setFontManager(nullptr);
    ClockTest::TearDown();
  }
  void clearScreen() {
    app_.getGraphics()->drawToScreen();
    app_.getGraphics()->fillRect(0, 0, kWidth, kHeight, 0, 255, 0);
    app_.getGraphics()->flush();
  }
  // The characters drawn on a row, from the glyphs' colours, and the first x.
  std::string drawnRow(int y, int* firstX) {
    app_.getGraphics()->flush();
    std::string out;
    *firstX = -1;
    for (int x = 0; x < kWidth; ++x) {
      const uint16_t colour = pixelAt(x, y);
      if (colour == 0) continue;
      if (*firstX < 0) *firstX = x;
      out += static_cast<char>(kTable[colour - 1]);
      x += 2;
    }
    return out;
  }

  CQZFFontManager fonts_{&app_};
};

TEST_F(ClockDrawTest, DrawsTheTimeCentredOnlyWhenItsRectangleIsDirty) {
  CObjectTimer clock(&app_, &layout_);
  clearScreen();
  clock.setElapsed(366000);
  clock.draw(0, 0);
  int x = 0;
  EXPECT_EQ(drawnRow(kClockY + 2, &x), "1:01:00");
  EXPECT_EQ(x, kClockX + fonts_.alignOffset(u"1:01:00", kClockW, 1, CObjectTimer::kFont));
  EXPECT_GT(x, kClockX);

  clearScreen();
  newFrame();
  clock.draw(0, 0);
  EXPECT_EQ(drawnRow(kClockY + 2, &x), "") << "a clean clock is not drawn again";

  // The play screen's origin moves the text; later changes mark the clock there.
  app_.getGraphics()->invalidateAll();
  clock.draw(10, 20);
  clearScreen();
  newFrame();
  clock.setElapsed(6150);
  EXPECT_TRUE(app_.getGraphics()->isRectDirty(10 + kClockX, 20 + kClockY, kClockW, kClockH));
  clock.draw(10, 20);
  EXPECT_EQ(drawnRow(kClockY + 22, &x), "0:01:01");
  EXPECT_EQ(x, 10 + kClockX + fonts_.alignOffset(u"0:01:01", kClockW, 1, CObjectTimer::kFont));

  clearScreen();
  app_.setFontManager(nullptr);
  clock.draw(10, 20);
  EXPECT_EQ(drawnRow(kClockY + 22, &x), "") << "no font manager, nothing drawn";
}

SerialiseStream memory(int32_t mode, std::vector<uint8_t>& bytes) {
  SerialiseStream s;
  s.mode = mode;
  s.data = bytes.data();
  s.limit = static_cast<uint16_t>(bytes.size());
  return s;
}

TEST_F(ClockTest, SavesRunningFlagAndElapsedTime) {
  CObjectTimer clock(&app_, &layout_);
  clock.setElapsed(0x01020304);
  clock.start();
  SerialiseStream count;
  EXPECT_EQ(clock.serialise(count), 0);
  EXPECT_EQ(count.position, 5);

  std::vector<uint8_t> bytes(5);
  SerialiseStream out = memory(SERIALISE_WRITE_MEMORY, bytes);
  ASSERT_EQ(clock.serialise(out), 0);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 1, 2, 3, 4}));

  wince::advanceClock(7000);
  CObjectTimer restored(&app_, &layout_);
  bytes[0] = 0x80;  // any set byte is running
  SerialiseStream in = memory(SERIALISE_READ_MEMORY, bytes);
  ASSERT_EQ(restored.serialise(in), 0);
  EXPECT_TRUE(restored.isRunning());
  EXPECT_EQ(restored.getElapsed(), 0x01020304u);
  // Counts from the load, not from the old session's last update.
  EXPECT_EQ(restored.getLastUpdate(), now());
  EXPECT_TRUE(app_.reports.empty());
}

TEST_F(ClockTest, AShortStreamIsReportedWithTheFailingField) {
  const struct {
    size_t size;
    int line;
  } cases[] = {{0, 115}, {3, 116}};
  for (const auto& c : cases) {
    app_.reports.clear();
    CObjectTimer clock(&app_, &layout_);
    std::vector<uint8_t> bytes(c.size + 1, 1);
    SerialiseStream in = memory(SERIALISE_READ_MEMORY, bytes);
    in.limit = static_cast<uint16_t>(c.size);
    EXPECT_EQ(clock.serialise(in), QZ_ERR_OVERRUN) << c.size;
    EXPECT_EQ(app_.reports, (std::vector<Report>{{"app_object_timer", c.line, QZ_ERR_OVERRUN}})) << c.size;
    EXPECT_EQ(clock.getElapsed(), 0u);
  }
}

}  // namespace
