// The play screen as a player meets it: the hint key marks a card that can
// move, Golf's columns stay in reach of the arrows after the stock was turned
// out with the stylus, and Pyramid's emptied places neither keep the focus
// nor hide the cards of the row above.
#include <algorithm>
#include <string>
#include <vector>

#include "app_card.h"
#include "app_card_pile.h"
#include "app_installed_fixture.h"
#include "app_form_game.h"
#include "app_game.h"
#include "app_game_services.h"
#include "app_game_state.h"
#include "app_hints.h"
#include "app_in_hand_pile.h"
#include "app_profile.h"
#include "app_settings.h"
#include "qzf_graphics.h"
#include "wince/host/clock.h"

namespace {

class PlayScreenTest : public InstalledAppTest {
 protected:
  // The game's deal on the play screen, its deal animation run out, for a
  // player who has seen the tour and the rules and holds every trophy.
  void deal(uint32_t type, uint32_t number, bool oneTouch = true) {
    startWithPlayer();
    app_->getSettings()->dealNumber[type - 1] = number;
    form_ = startGame(type, oneTouch);
    ASSERT_NE(form_, nullptr);
    ASSERT_EQ(game().dealNumber(), number);
    fly();
    ASSERT_FALSE(game().isDealPending());
  }
  CAppGame& game() const { return *form_->game(); }
  void press(int32_t code) const { static_cast<void>(form_->onKey(QZFKeyEvent::key(code))); }
  void tap(int x, int y) const {
    static_cast<void>(form_->onPen(QZFPenEvent::make(1, x, y)));
    static_cast<void>(form_->onPen(QZFPenEvent::make(0, x, y)));
  }
  void tapPile(int index) const {
    const CAppCardPile& p = *game().pile(index);
    const CAppCard* top = p.topCard();
    tap((top ? top->x() : p.x()) + 2, (top ? top->y() : p.y()) + 2);
  }
  // Frames a second apart until every card in flight has landed.
  void fly() {
    for (int i = 0; i < 60 && (i < 2 || game().animatingCount() > 0); ++i) {
      wince::advanceClock(1000);
      frames(1);
    }
  }
  // The whole screen, drawn afresh.
  std::vector<uint16_t> screen() const {
    app_->getGraphics()->invalidateAll();
    app_->drawFrame();
    std::vector<uint16_t> pixels;
    for (int y = 0; y < displayHeight_; ++y) {
      for (int x = 0; x < displayWidth_; ++x) pixels.push_back(screenPixel(x, y));
    }
    return pixels;
  }
  int pileHolding(const CAppCard* card) const {
    for (int i = 0; i < game().pileCount(); ++i) {
      if (game().pile(i)->depthOf(card) >= 0) return i;
    }
    return -1;
  }
  // Whether a pile other than the card's own (and the stock) takes it now.
  bool somePileTakes(CAppCard* card) const {
    const int home = pileHolding(card);
    for (int i = 0; i < game().pileCount(); ++i) {
      CAppCardPile& p = *game().pile(i);
      if (i != home && p.kind() != kPileStock && p.canAccept(card)) return true;
    }
    return false;
  }

  CAppGameForm* form_ = nullptr;
};

// FreeCell has no stock for the marker to fall back on: the hint key shows
// it over a card that can move, and the screen shows the marker.
TEST_F(PlayScreenTest, TheHintKeyMarksAFreecellCardThatCanMove) {
  deal(kGameFreecell, 1);
  const std::vector<uint16_t> before = screen();
  static_cast<void>(form_->onKey(QZFKeyEvent::character('h')));
  const CAppHints& hints = game().hints();
  ASSERT_TRUE(hints.isVisible());
  for (int i = 0; i < 100 && hints.level() != 255; ++i) {
    wince::advanceClock(50);
    frames(1);
  }
  ASSERT_EQ(hints.level(), 255);
  EXPECT_NE(screen(), before);
  // The marker stands at the hint offsets from the corner of the card it marks.
  const bool small = game().definition().largeCards == 0;
  const int dx = game().services().value(small ? 79 : 81), dy = game().services().value(small ? 78 : 80);
  CAppCard* marked = nullptr;
  for (int i = 0; i < game().cardCount() && !marked; ++i) {
    CAppCard* c = game().card(i);
    if (c->x() + dx == hints.markerX() && c->y() - dy == hints.markerY()) marked = c;
  }
  ASSERT_NE(marked, nullptr);
  EXPECT_EQ(marked, game().pile(pileHolding(marked))->topCard());
  EXPECT_TRUE(somePileTakes(marked));
}

// Golf's stock turned out with the stylus, and then tapped once more: the
// arrows still reach the columns that can play, and playing them with the
// keys ends the game with the game-over form.
TEST_F(PlayScreenTest, GolfColumnsStayInReachAfterTheStockWasTappedOut) {
  deal(kGameGolf, 1);
  const int stock = game().firstPile(kPileStock)->index();
  for (int taps = 0; taps < 60 && !game().pile(stock)->empty(); ++taps) {
    tapPile(stock);
    fly();
  }
  ASSERT_TRUE(game().pile(stock)->empty());
  tapPile(stock);
  fly();
  ASSERT_FALSE(game().isFinished());
  ASSERT_FALSE(game().movableCards().empty());
  // The first arrow shows the focus on the stock; then each arrow moves it to
  // a column that can play, never back to the stock or the foundation.
  press(kQZFKeyRight);
  for (int played = 0; played < 52 && !game().isFinished(); ++played) {
    SCOPED_TRACE("move " + std::to_string(played));
    press(kQZFKeyRight);
    const CAppCardPile* focus = game().focusedPile();
    ASSERT_NE(focus, nullptr);
    ASSERT_EQ(focus->kind(), kPileTableau);
    ASSERT_NE(std::find(game().movableCards().begin(), game().movableCards().end(), focus->topCard()),
              game().movableCards().end());
    const size_t before = game().state().undoSize();
    press(kQZFKeyReturn);
    fly();
    ASSERT_GT(game().state().undoSize(), before);
  }
  ASSERT_TRUE(game().isFinished());
  frames(2);
  EXPECT_NE(forms().find(std::to_string(kAppFormGameOver)), std::string::npos) << forms();
}

// Pyramid deal 1: waste 0, the discard pile 1, the pyramid's places 2-29
// row by row (the bottom row 23-29: 7 8 8 J 10 2 J), the stock 30. The two
// and the last jack make thirteen; once they are gone the last card of the
// row above (place 22) lies open.
constexpr int kPyramidDiscard = 1, kPyramidTwo = 28, kPyramidJack = 29, kPyramidOpened = 22;

class PyramidTest : public PlayScreenTest {
 protected:
  // Walks the focus with the right arrow until it rests on the pile.
  bool focusOn(int pile) {
    for (int i = 0; i < 40; ++i) {
      if (game().isKeyboardMode() && game().focusPile() == pile) return true;
      press(kQZFKeyRight);
    }
    return false;
  }
  void expectPairGone() const {
    EXPECT_TRUE(game().pile(kPyramidTwo)->empty());
    EXPECT_TRUE(game().pile(kPyramidJack)->empty() || game().pile(26)->empty());
    EXPECT_EQ(game().pile(kPyramidDiscard)->count(), 2);
  }
};

// A pair taken away with the keys leaves an empty place: the focus moves on
// to the discard pile, whether Select played the first card at once
// (one-touch) or a second Select put it onto its partner.
class PyramidKeysTest : public PyramidTest, public testing::WithParamInterface<bool> {};

TEST_P(PyramidKeysTest, AfterAPairTheFocusMovesToTheDiscardPile) {
  const bool oneTouch = GetParam();
  deal(kGamePyramid, 1, oneTouch);
  ASSERT_TRUE(focusOn(kPyramidTwo));
  press(kQZFKeyReturn);
  if (!oneTouch) {
    ASSERT_EQ(game().inHand().count(), 1);
    ASSERT_TRUE(focusOn(kPyramidJack));
    press(kQZFKeyReturn);
  }
  fly();
  expectPairGone();
  EXPECT_EQ(game().focusPile(), kPyramidDiscard);
  EXPECT_EQ(form_->cursorPile(), kPyramidDiscard);
}

INSTANTIATE_TEST_SUITE_P(OneTouchOnAndOff, PyramidKeysTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "OneTouch" : "TwoSelects"; });

// The places of a pair taken away leave nothing behind: the screen is the
// same as with those places moved off the table, the card above them whole.
TEST_F(PyramidTest, EmptiedPlacesDrawNothingOverTheRowAbove) {
  deal(kGamePyramid, 1, false);
  tapPile(kPyramidTwo);
  tapPile(kPyramidJack);
  fly();
  expectPairGone();
  ASSERT_FALSE(game().pile(kPyramidOpened)->empty());
  const std::vector<uint16_t> drawn = screen();
  const bool large = game().definition().largeCards != 0;
  for (const int place : {kPyramidTwo, kPyramidJack}) game().pile(place)->place(-4000, -4000, large);
  EXPECT_EQ(screen(), drawn);
}

}  // namespace
