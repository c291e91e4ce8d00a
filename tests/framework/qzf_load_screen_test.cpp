#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "qzf_load_screen.h"

namespace {

class CountingLoadScreen : public CQZFLoadScreen {
 public:
  void drawProgress() override { drawn.push_back(getCurrent()); }
  int16_t loadImages(int) override { return 0; }
  void releaseImages() override {}
  std::vector<uint16_t> drawn;
};

TEST(LoadScreen, StepsStopAtTheTotalAndEveryStepDraws) {
  CountingLoadScreen screen;
  EXPECT_EQ(screen.getKind(), kQZFKindNone);
  screen.addSteps(3);
  for (int i = 0; i < 5; ++i) screen.step();
  EXPECT_EQ(screen.getCurrent(), 3);
  EXPECT_EQ(screen.drawn, (std::vector<uint16_t>{1, 2, 3, 3, 3}));
  screen.addSteps(9);
  EXPECT_EQ(screen.getTotal(), 12);
}

}  // namespace
