// Whole games won on the play screen through the keypad alone: the arrows
// walk the focus to the card of each move, Select lifts it and Select on the
// target puts it down (one-touch play off, the cards flying as they do for
// the player). The won game then throws its cards off the screen.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app_card.h"
#include "app_card_pile.h"
#include "app_end_game_anim.h"
#include "app_fixture.h"
#include "app_form_game.h"
#include "app_game.h"
#include "app_game_state.h"
#include "app_in_hand_pile.h"
#include "app_profile.h"
#include "app_form_user.h"
#include "app_settings.h"
#include "deal_one_wins.h"
#include "qzf_menu.h"
#include "wince/host/clock.h"

namespace {

using deal_one::Command;

class KeypadWinTest : public AppTest {
 protected:
  // The chosen game dealt with one-touch play off, its deal animation run out.
  void deal(uint32_t type) {
    start();
    form_ = startGame(type, false);
    ASSERT_NE(form_, nullptr);
    ASSERT_TRUE(form_->game()->isDealPending());
    fly();
    ASSERT_FALSE(form_->game()->isDealPending());
  }
  CAppGame& game() const { return *form_->game(); }
  void press(int32_t code) const { static_cast<void>(form_->onKey(QZFKeyEvent::key(code))); }
  // Frames a second apart until every card in flight has landed (a deal
  // sends its cards a quarter of a second apart).
  void fly() {
    for (int i = 0; i < 60 && (i < 2 || game().animatingCount() > 0); ++i) {
      wince::advanceClock(1000);
      frames(1);
    }
  }
  bool rowHolds(int pile) const {
    const CAppGameDefinition& d = game().definition();
    for (int c = 0; c < d.gridColumns; ++c) {
      if (d.cursorGrid[game().cursorRow()][c] == pile) return true;
    }
    return false;
  }
  // Walks the focus with the arrows to the card at depth of the pile (any
  // card when depth is -1): along the row that holds the pile, else a row down.
  bool focusOn(int pile, int depth) const {
    for (int i = 0; i < 200; ++i) {
      if (form_->cursorPile() == pile) {
        const CAppCardPile* p = game().pile(pile);
        const int at = p->selectedCard() ? p->depthOf(p->selectedCard()) : 0;
        if (depth < 0 || at == depth) return true;
        press(at < depth ? kQZFKeyUp : kQZFKeyDown);
      } else {
        press(form_->cursorPile() >= 0 && rowHolds(pile) ? kQZFKeyRight : kQZFKeyDown);
      }
    }
    return false;
  }
  void playByKeys(const std::vector<Command>& commands) {
    int n = 0;
    for (const Command& c : commands) {
      SCOPED_TRACE("command " + std::to_string(n++));
      ASSERT_FALSE(game().isFinished());
      const size_t before = game().state().undoSize();
      ASSERT_TRUE(focusOn(c.from, c.depth));
      press(kQZFKeyReturn);
      if (c.to >= 0) {
        ASSERT_GT(game().inHand().count(), 0);
        ASSERT_TRUE(focusOn(c.to, -1));
        press(kQZFKeyReturn);
      }
      fly();
      ASSERT_EQ(game().inHand().count(), 0);
      ASSERT_GT(game().state().undoSize(), before);
    }
  }
  void expectWonAndOver(uint32_t type) {
    ASSERT_TRUE(game().isEndAnimationRunning());
    EXPECT_TRUE(game().isWon());
    EXPECT_TRUE(game().isFinished());
    EXPECT_EQ(app_->getSettings()->dealNumber[type - 1], 2u);
    // Undo and redo do nothing on a finished game.
    const size_t undo = game().state().undoSize();
    static_cast<void>(form_->onKey(QZFKeyEvent::character('u')));
    static_cast<void>(form_->onMenuEvent({CAppGameForm::kPlayMenu, kQZFMenuItemChosen, CAppGameForm::kMenuUndo}));
    EXPECT_EQ(game().state().undoSize(), undo);
  }
  // Runs the end animation out: every card leaves the table, and the
  // game-won form is asked for once.
  void throwOff() {
    const CAppEndGameAnim* end = game().endGameAnimation();
    ASSERT_NE(end, nullptr);
    for (int i = 0; i < 20000 && !end->isDone(); ++i) {
      wince::advanceClock(20);
      frames(1);
    }
    EXPECT_TRUE(end->isDone());
    for (int i = 0; i < game().pileCount(); ++i) EXPECT_TRUE(game().pile(i)->empty());
  }

  CAppGameForm* form_ = nullptr;
};

TEST_F(KeypadWinTest, FreecellDealOneIsWonWithTheKeys) {
  deal(kGameFreecell);
  std::vector<Command> commands;
  for (const auto& [from, to] : deal_one::kFreecellDeal1) commands.push_back({from, 0, to});
  playByKeys(commands);
  expectWonAndOver(kGameFreecell);
  throwOff();
}

TEST_F(KeypadWinTest, KlondikeDealOneIsWonWithTheKeys) {
  deal(kGameKlondike);
  playByKeys(std::vector<Command>(std::begin(deal_one::kKlondikeDeal1), std::end(deal_one::kKlondikeDeal1)));
  expectWonAndOver(kGameKlondike);
  throwOff();
}

}  // namespace
