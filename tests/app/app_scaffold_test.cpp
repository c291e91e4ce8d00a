// The stand-in application: its load screen while the start runs, the empty
// screen after it, Back, and the facts it gives the state dump.
#include <gtest/gtest.h>

#include <string>

#include "../framework/application_fixture.h"
#include "app_scaffold.h"
#include "qzf_graphics.h"
#include "wince/shell.h"

namespace {

class ScaffoldTest : public ApplicationEnvironment {
 protected:
  void TearDown() override {
    app_.shutdown();
    ApplicationEnvironment::TearDown();
  }
  std::string dump() const {
    std::string out;
    app_.describe(out);
    return out;
  }
  CAppScaffold app_;
};

TEST_F(ScaffoldTest, TheLoadScreenShowsWhileStartingThenTheScreenIsEmpty) {
  ASSERT_EQ(app_.init(), 0);
  EXPECT_GT(output_.copies, 0);  // the progress went to the window during the start
  EXPECT_EQ(app_.getLoadScreen(), nullptr);
  const CAppScaffoldLoadScreen::Bar bar = CAppScaffoldLoadScreen::barFor(240, 320);
  const uint16_t background = screenPixel(0, 0);
  EXPECT_EQ(screenPixel(bar.x + 3, bar.y + 3), background);
  EXPECT_EQ(screenPixel(239, 319), background);
  EXPECT_EQ(app_.tick(), 1);
  app_.drawFrame();
  EXPECT_EQ(dump(),
            "application=scaffold\nframes=1\nscreen=empty\nforms=\nfocus=none\npen=-1,-1\nupdate_list=screen\n");
}

TEST_F(ScaffoldTest, TheBarGrowsWithTheSteps) {
  ASSERT_EQ(app_.init(), 0);
  CAppScaffoldLoadScreen screen(&app_);
  EXPECT_EQ(screen.getPercent(), 100);  // no steps: a full bar
  ASSERT_EQ(screen.loadImages(0), 0);
  screen.addSteps(4);
  screen.step();
  screen.step();
  EXPECT_EQ(screen.getPercent(), 50);
  const CAppScaffoldLoadScreen::Bar bar = CAppScaffoldLoadScreen::barFor(240, 320);
  const int middle = bar.x + 2 + (bar.w - 4) / 2, row = bar.y + bar.h / 2;
  const uint16_t background = screenPixel(0, 0);
  EXPECT_NE(screenPixel(middle - 1, row), background);
  EXPECT_EQ(screenPixel(middle + 1, row), background);
  screen.addSteps(2);
  EXPECT_EQ(screen.getPercent(), 33);
}

TEST_F(ScaffoldTest, ALoadScreenWithoutGraphicsDrawsNothing) {
  CAppScaffoldLoadScreen screen(&app_);
  EXPECT_EQ(screen.loadImages(0), -50);
  screen.addSteps(1);
  screen.step();
  EXPECT_EQ(output_.copies, 0);
}

TEST_F(ScaffoldTest, TheDumpListsTheLastFramesUpdates) {
  ASSERT_EQ(app_.init(), 0);
  app_.tick();
  app_.drawFrame();
  app_.getGraphics()->invalidateRect(5, 5, 2, 2);
  app_.getGraphics()->invalidateRect(30, 300, 20, 20);
  app_.onPen(1, 7, 9);
  app_.tick();
  app_.drawFrame();
  std::string out = dump();
  EXPECT_NE(out.find("frames=2\n"), std::string::npos) << out;
  EXPECT_NE(out.find("pen=7,9\n"), std::string::npos) << out;
  // Cells are 12 x 16 on a 240 x 320 screen.
  EXPECT_NE(out.find("update_list=0,0,12,16 24,288,36,32\n"), std::string::npos) << out;
  app_.tick();
  app_.drawFrame();
  out = dump();
  EXPECT_NE(out.find("update_list=\n"), std::string::npos) << out;
}

TEST_F(ScaffoldTest, BackQuits) {
  ASSERT_EQ(app_.init(), 0);
  MSG release{nullptr, WM_HOTKEY, 0, MAKELPARAM(MOD_KEYUP, VK_TBACK), 0, {}};
  EXPECT_EQ(app_.onSystemEvent(release), 2);
  EXPECT_FALSE(app_.isMinimiseRequested());
  MSG press{nullptr, WM_HOTKEY, 0, MAKELPARAM(0, VK_TBACK), 0, {}};
  EXPECT_EQ(app_.onSystemEvent(press), 1);
  EXPECT_EQ(app_.tick(), -11);
}

}  // namespace
