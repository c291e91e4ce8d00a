// The title screen's game dial (turning, refusing a turn while items move,
// two-step turns, the jump between the path's ends, the intro, hits) and the
// statistics fader beside it.
#include <gtest/gtest.h>

#include "app_dial.h"
#include "app_fixture.h"
#include "app_settings.h"
#include "app_stats_fader.h"

namespace {

class AppDialTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    start();
    dial_ = std::make_unique<CAppDialControl>(app_->getUserForm());
  }
  void TearDown() override {
    dial_.reset();
    AppTest::TearDown();
  }
  // Frames until every item rests (at most four virtual seconds).
  void settle() {
    for (int i = 0; i < 200 && (dial_->isTurning() || dial_->isIntroRunning()); ++i) {
      wince::advanceClock(20);
      dial_->update();
    }
  }
  const CAppDialItem& itemOfType(int type) const { return dial_->item(type - 1); }

  std::unique_ptr<CAppDialControl> dial_;
};

}  // namespace

TEST_F(AppDialTest, TheChosenTypeStandsInFrontAndItsNeighboursBesideIt) {
  ASSERT_EQ(dial_->init(5), 0);
  EXPECT_EQ(dial_->getChosenType(), 5);
  EXPECT_EQ(itemOfType(5).getSlot(), 0);
  EXPECT_EQ(itemOfType(6).getSlot(), 1);
  EXPECT_EQ(itemOfType(4).getSlot(), 11);
  EXPECT_EQ(itemOfType(5).getPosition(), CAppDialItem::kFront);
  EXPECT_FALSE(itemOfType(11).isVisible());  // slot 6
  // Another type than 1-12 puts type 1 in front.
  CAppDialControl other(app_->getUserForm());
  ASSERT_EQ(other.init(13), 0);
  EXPECT_EQ(other.getChosenType(), 1);
}

TEST_F(AppDialTest, TurningForwardFromTheFirstTypeBringsTheLast) {
  ASSERT_EQ(dial_->init(1), 0);
  ASSERT_TRUE(dial_->turn(1, true));
  EXPECT_EQ(dial_->getChosenType(), 12);
  // A second turn while the items move is refused.
  EXPECT_FALSE(dial_->turn(1, true));
  settle();
  EXPECT_EQ(itemOfType(12).getPosition(), CAppDialItem::kFront);
  ASSERT_TRUE(dial_->turn(1, false));
  settle();
  ASSERT_TRUE(dial_->turn(1, false));
  EXPECT_EQ(dial_->getChosenType(), 2);
}

TEST_F(AppDialTest, AnItemJumpingBetweenThePathsEndsIsNotShown) {
  ASSERT_EQ(dial_->init(1), 0);
  // Type 8 rests hidden in slot 7; forward it jumps from position 0 to 100.
  ASSERT_EQ(itemOfType(8).getSlot(), 7);
  ASSERT_TRUE(dial_->turn(1, true));
  EXPECT_EQ(itemOfType(8).getSlot(), 8);
  EXPECT_FALSE(itemOfType(8).isVisible());
  settle();
  EXPECT_TRUE(itemOfType(8).isVisible());
  EXPECT_EQ(itemOfType(8).getPosition(), 100);
}

TEST_F(AppDialTest, ATwoStepTurnTakesItsSecondStepWhenTheFirstRests) {
  ASSERT_EQ(dial_->init(1), 0);
  ASSERT_TRUE(dial_->turn(2, false));
  EXPECT_EQ(dial_->getChosenType(), 2);
  settle();
  EXPECT_EQ(dial_->getChosenType(), 3);
  EXPECT_FALSE(dial_->isTurning());
  // Durations are back to normal: a single step takes half a second again.
  ASSERT_TRUE(dial_->turn(1, false));
  wince::advanceClock(300);
  dial_->update();
  EXPECT_TRUE(dial_->isTurning());
}

TEST_F(AppDialTest, AFrameLongAfterTheStartEndsTheMoveAtItsTarget) {
  ASSERT_EQ(dial_->init(1), 0);
  ASSERT_TRUE(dial_->turn(1, false));
  wince::advanceClock(10000);
  dial_->update();
  EXPECT_FALSE(dial_->isTurning());
  EXPECT_EQ(itemOfType(2).getPosition(), CAppDialItem::kFront);
}

TEST_F(AppDialTest, TheIntroTurnsOnceRoundToTheSameGame) {
  ASSERT_EQ(dial_->init(4), 0);
  dial_->startIntro();
  EXPECT_FALSE(dial_->turn(1, true));
  EXPECT_FALSE(dial_->hitItem(120, 200));
  settle();
  EXPECT_FALSE(dial_->isIntroRunning());
  EXPECT_EQ(dial_->getChosenType(), 4);
}

TEST_F(AppDialTest, HitsAreStrictlyInsideTheFrontPicture) {
  ASSERT_EQ(dial_->init(1), 0);
  const CAppTitleCurve::Point& front = app_->getTitleCurve().point(CAppDialItem::kFront);
  EXPECT_TRUE(dial_->hitItem(front.xA + 1, front.yA + 1));
  EXPECT_FALSE(dial_->hitItem(front.xA, front.yA + 1));
  dial_->pressAt(front.xA + 1, front.yA + 1);
  EXPECT_TRUE(dial_->isPressedItemAt(front.xA + 2, front.yA + 2));
  dial_->releaseAll();
  EXPECT_FALSE(dial_->hasPressedItems());
}

// The facts about the chosen game on the title screen.
class AppStatsFaderTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    start();
    fader_ = std::make_unique<CAppStatsFader>(app_->getUserForm());
    ASSERT_EQ(fader_->init(3), 0);
  }
  void TearDown() override {
    fader_.reset();
    AppTest::TearDown();
  }
  // Frames of 20 hundredths until the condition holds (at most 20 virtual seconds).
  template <typename Condition>
  int framesUntil(Condition done) {
    int frames = 0;
    for (; frames < 100 && !done(); ++frames) {
      wince::advanceClock(200);
      fader_->update();
    }
    return frames;
  }

  std::unique_ptr<CAppStatsFader> fader_;
};

TEST_F(AppStatsFaderTest, EachLineFadesInHoldsAndFadesOutThenTheNextFollows) {
  EXPECT_EQ(fader_->getLevel(), 0);
  framesUntil([&] { return !fader_->isFadingIn(); });
  EXPECT_EQ(fader_->getLevel(), 255);
  // The hold: two seconds at full level.
  wince::advanceClock(1990);
  fader_->update();
  EXPECT_FALSE(fader_->isFadingOut());
  wince::advanceClock(10);
  fader_->update();
  EXPECT_TRUE(fader_->isFadingOut());
  framesUntil([&] { return fader_->getLine() == 1; });
  EXPECT_EQ(fader_->getLevel(), 0);
  EXPECT_TRUE(fader_->isFadingIn());
  for (int line : {2, 3, 0}) {
    framesUntil([&] { return fader_->getLine() == line; });
    EXPECT_EQ(fader_->getLine(), line);
  }
}

TEST_F(AppStatsFaderTest, ANewChoiceStartsAtTheFirstLineAndHoldsIt) {
  framesUntil([&] { return fader_->getLine() == 1; });
  framesUntil([&] { return fader_->isFadingOut(); });
  fader_->setGameType(7);
  EXPECT_EQ(fader_->getLine(), 0);
  EXPECT_TRUE(fader_->isFadingIn());
  framesUntil([&] { return !fader_->isFadingIn(); });
  // The first line is held, never faded straight out.
  EXPECT_FALSE(fader_->isFadingOut());
  EXPECT_EQ(fader_->getLevel(), 255);
}
