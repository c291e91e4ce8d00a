// The end of a won game on the play screen with the real pictures: the
// cards thrown off the table, frame by frame as the program draws them,
// leave nothing of themselves behind.
#include <iterator>
#include <string>
#include <vector>

#include "app_card.h"
#include "app_card_pile.h"
#include "app_end_game_anim.h"
#include "app_form_game.h"
#include "app_game.h"
#include "app_installed_fixture.h"
#include "app_settings.h"
#include "deal_one_wins.h"
#include "qzf_graphics.h"
#include "wince/host/clock.h"

namespace {

class EndOfGameTest : public InstalledAppTest {
 protected:
  // Deal 1 of Klondike won by taps (one-touch play and animation off).
  void winKlondike() {
    startWithPlayer();
    makeSeasoned();
    CAppSettings& s = *app_->getSettings();
    s.currentGameType = kGameKlondike;
    s.gameOptions[kGameKlondike - 1][kOptionOneTouch] = 0;
    s.gameOptions[kGameKlondike - 1][kOptionAnimate] = 0;
    app_->startChosenGame();
    frames(1);
    form_ = dynamic_cast<CAppGameForm*>(app_->getFormHandler()->findForm(kAppFormGame));
    ASSERT_NE(form_, nullptr);
    game().finishDealAnimation();
    for (const deal_one::Command& c : deal_one::kKlondikeDeal1) {
      tap(c.from, c.depth);
      if (c.to >= 0) tap(c.to, 0);
    }
    ASSERT_TRUE(game().isEndAnimationRunning());
  }
  CAppGame& game() const { return *form_->game(); }
  void tap(int pile, int depth) const {
    const CAppCardPile* p = game().pile(pile);
    const CAppCard* card = p->cardFromTop(depth);
    const int32_t x = (card ? card->x() : p->x()) + 2, y = (card ? card->y() : p->y()) + 2;
    game().onPenDown(x, y);
    game().onPenUp(x, y);
  }
  std::vector<uint16_t> screen() const {
    std::vector<uint16_t> pixels;
    for (int y = 0; y < displayHeight_; ++y) {
      for (int x = 0; x < displayWidth_; ++x) pixels.push_back(screenPixel(x, y));
    }
    return pixels;
  }
  // The same moment drawn anew from the table up.
  std::vector<uint16_t> redrawn() const {
    app_->getGraphics()->invalidateAll();
    app_->drawFrame();
    return screen();
  }
  // Runs the end out in the mode, a frame every 20 ms drawn as the program
  // draws it; every second frame the screen must equal a whole redraw.
  void throwOff(int32_t mode) {
    auto* end = const_cast<CAppEndGameAnim*>(game().endGameAnimation());
    ASSERT_NE(end, nullptr);
    // The game-won form of an earlier run closes: the play screen goes on.
    app_->getFormHandler()->closeFormsTo(kAppFormGame, false);
    frames(1);
    end->stop();
    end->start(mode);
    const std::vector<uint16_t> before = redrawn();
    // Nothing leaves before the first wait (in hundredths) is over.
    wince::advanceClock(CAppEndGameAnim::kFirstInterval * 10);
    bool moved = false;
    for (int frame = 0; frame < 5000 && !end->isDone(); ++frame) {
      wince::advanceClock(20);
      frames(1);
      app_->drawFrame();
      if (frame % 2 == 0) continue;
      const std::vector<uint16_t> drawn = screen();
      moved = moved || drawn != before;
      ASSERT_EQ(drawn, redrawn()) << "mode " << mode << ", frame " << frame << ": a card left its picture behind";
    }
    EXPECT_TRUE(end->isDone());
    EXPECT_TRUE(moved) << "no card was seen to fly";
  }

  CAppGameForm* form_ = nullptr;
};

TEST_F(EndOfGameTest, TheThrownCardsLeaveNoTrailsInEitherMode) {
  winKlondike();
  for (int32_t mode : {1, 2}) {
    throwOff(mode);
    for (int i = 0; i < game().pileCount(); ++i) EXPECT_TRUE(game().pile(i)->empty()) << "mode " << mode;
  }
}

}  // namespace
