#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "qzf_application.h"
#include "qzf_metrics.h"
#include "qzf_minimise.h"
#include "wince/clock.h"
#include "wince/host/clock.h"

namespace {

class VirtualClock : public ::testing::Test {
 protected:
  void SetUp() override { wince::useVirtualClock(1000000); }
  void TearDown() override { wince::useRealClock(); }
};

using MetricsTest = VirtualClock;

TEST_F(MetricsTest, FrameIntervalIsClampedAndRestartsOnReset) {
  CQZFMetrics metrics;
  EXPECT_EQ(metrics.getKind(), kQZFKindMetrics);
  EXPECT_EQ(metrics.getFrameInterval(1, 10), 1u);
  wince::advanceClock(250);
  metrics.frame();
  EXPECT_EQ(metrics.getFrameInterval(1, 10), 10u);
  EXPECT_EQ(metrics.getFrameInterval(1, 100), 25u);
  wince::advanceClock(30);
  metrics.frame();
  EXPECT_EQ(metrics.getFrameInterval(1, 10), 3u);
  metrics.reset();
  EXPECT_EQ(metrics.getFrameInterval(1, 10), 1u);
  EXPECT_EQ(metrics.getTime(), 100028u);
  EXPECT_EQ(metrics.getSeconds(), 1000u);
}

TEST_F(MetricsTest, SecondsIntervalCountsChangesOfTheWholeSecond) {
  CQZFMetrics metrics;
  wince::advanceClock(900);
  metrics.frame();
  EXPECT_EQ(metrics.getSecondsInterval(0, 60), 0u);
  wince::advanceClock(200);  // 1.1 s since the start: the second changed once
  metrics.frame();
  EXPECT_EQ(metrics.getSecondsInterval(0, 60), 1u);
  wince::advanceClock(2500);
  metrics.frame();
  EXPECT_EQ(metrics.getSecondsInterval(0, 60), 2u);
  EXPECT_EQ(metrics.getSecondsInterval(0, 1), 1u);
  metrics.frame();
  EXPECT_EQ(metrics.getSecondsInterval(0, 60), 0u);
}

class Button : public CQZFMinimise {
 public:
  explicit Button(CQZFObject* owner) : CQZFMinimise(owner) { setButton(QZRect{200, 0, 40, 20}); }
  void drawOverlay() override {}
};

TEST(Minimise, OnlyAPressAndReleaseOnTheButtonClosesTheGame) {
  constexpr int kUp = 0, kDown = 1, kMove = 2;
  struct Event {
    int type, x, y, result;
  };
  struct Case {
    const char* name;
    std::vector<Event> events;
    bool minimised;
  };
  const Case cases[] = {
      {"press and release on the button", {{kDown, 210, 5, 1}, {kMove, 215, 6, 1}, {kUp, 215, 6, 1}}, true},
      {"edges are inside", {{kDown, 240, 20, 1}, {kUp, 200, 0, 1}}, true},
      {"dragged off and released outside", {{kDown, 210, 5, 1}, {kMove, 100, 100, 1}, {kUp, 100, 100, 1}}, false},
      {"a drop from the table is passed on", {{kDown, 10, 10, 2}, {kMove, 210, 5, 2}, {kUp, 210, 5, 2}}, false},
      {"outside the button", {{kDown, 199, 5, 2}, {kDown, 241, 5, 2}, {kDown, 210, 21, 2}, {kDown, -5, 5, 2}}, false},
  };
  for (const Case& c : cases) {
    CQZFApplication app;
    Button button(&app);
    EXPECT_EQ(button.getKind(), kQZFKindMinimise);
    for (const Event& e : c.events) EXPECT_EQ(button.onPen(e.type, e.x, e.y), e.result) << c.name;
    EXPECT_EQ(app.isMinimiseRequested(), c.minimised) << c.name;
    EXPECT_FALSE(button.isPressed()) << c.name;
  }
}

}  // namespace
