// The game's flow: one-touch plays of the special games, the win and the
// no-moves report with what they book, and automatic moves after a deal.
#include <gtest/gtest.h>

#include <algorithm>

#include "app_game_text.h"
#include "app_reserve_pile.h"
#include "app_stock_pile.h"
#include "game_fixture.h"

namespace {

using game_test::Table;

int count(const std::vector<int>& v, int x) { return static_cast<int>(std::count(v.begin(), v.end(), x)); }

int soundCount(const CAppPlainGameServices& s, int id) {
  return static_cast<int>(
      std::count_if(s.sounds.begin(), s.sounds.end(), [id](const auto& sound) { return sound.id == id; }));
}

TEST(GameFlow, PyramidOneTouchSendsAPairAwayAndOneUndoBringsBothBack) {
  // Find a deal where a free bottom-row card pairs with another free one.
  for (uint32_t deal = 1; deal < 200; ++deal) {
    Table t(kGamePyramid, deal);
    int pile = -1;
    for (int a = 21; a < 28 && pile < 0; ++a) {
      for (int b = 21; b < 28; ++b) {
        const int sum =
            t.game->pileOf(kPileReserve, a)->topCard()->rank() + t.game->pileOf(kPileReserve, b)->topCard()->rank();
        if (a != b && sum == 13) pile = t.game->firstIndex(kPileReserve) + a;
      }
    }
    if (pile < 0) continue;
    const std::string before = describePiles(*t.game);
    t.tap(pile);
    EXPECT_EQ(t.game->firstPile(kPileFoundation)->count(), 2) << deal;
    t.game->state().undo();
    EXPECT_EQ(describePiles(*t.game), before) << deal;
    EXPECT_EQ(t.game->firstPile(kPileFoundation)->count(), 0);
    return;
  }
  FAIL() << "no deal with a pair on the bottom row";
}

TEST(GameFlow, CalcOneTouchCyclesThroughTheWastePilesFromTheSecond) {
  Table t(kGameCalc, 3);
  CAppCardPile& stock = *t.game->firstPile(kPileStock);
  // Stock cards that no foundation takes go to the tableau piles in turn.
  std::vector<int> landed;
  for (int tries = 0; tries < 40 && landed.size() < 5; ++tries) {
    const CAppCard* top = stock.topCard();
    std::vector<int> counts;
    for (int i = 0; i < 4; ++i) counts.push_back(t.game->pileOf(kPileTableau, i)->count());
    t.tap(t.game->firstIndex(kPileStock));
    for (int i = 0; i < 4; ++i) {
      if (t.game->pileOf(kPileTableau, i)->count() > counts[static_cast<size_t>(i)]) landed.push_back(i);
    }
    ASSERT_NE(stock.topCard(), top);
  }
  ASSERT_GE(landed.size(), 5u);
  EXPECT_EQ(landed, (std::vector<int>{1, 2, 3, 0, 1}));
}

TEST(GameFlow, AClockCardGoesUnderItsHourAndTurnsTheNextCard) {
  Table t(kGameClock, 6);
  CAppCardPile& centre = t.pile(12);
  CAppCard* card = centre.topCard();
  ASSERT_TRUE(card->isFaceUp());
  CAppCardPile& hour = t.pile(card->rank() - 1);
  const CAppCard* hourTop = hour.topCard();
  t.game->onPenDown(card->x() + 2, card->y() + 2);
  t.game->onPenMove(hour.x() + 2, hour.y() + 2);
  t.game->onPenUp(hour.x() + 2, hour.y() + 2);
  EXPECT_EQ(hour.bottomCard(), card);
  EXPECT_EQ(hour.topCard(), hourTop);
  if (&hour != &centre) {
    EXPECT_TRUE(hourTop->isFaceUp());
  }
}

TEST(GameFlow, AutomaticMovesAfterADealCannotBeUndone) {
  for (uint32_t deal = 1; deal < 40; ++deal) {
    CAppPlainGameServices services;
    services.stillPlay();
    services.settings().options[kGameFreecell - 1][kOptionAutoMoves] = 1;
    services.settings().dealNumber[kGameFreecell - 1] = deal;
    CAppGame game(nullptr, &services);
    ASSERT_EQ(game.init(kGameFreecell), 0);
    if (game.firstPile(kPileFoundation)->empty() && game.pileOf(kPileFoundation, 3)->empty()) continue;
    EXPECT_EQ(game.state().undoSize(), 0u);
    return;
  }
  FAIL() << "no deal with an ace on top";
}

// Golf with its stock gone and a king on the foundation: nothing can move.
void blockGolf(Table& t) {
  CAppCardPile& stock = *t.game->firstPile(kPileStock);
  while (stock.removeTopCard()) {
  }
  CAppCardPile& foundation = *t.game->firstPile(kPileFoundation);
  for (int i = 0; i < t.game->cardCount(); ++i) {
    CAppCard* c = t.game->card(i);
    if (c->rank() != 13) continue;
    bool onTop = false;
    for (int k = 0; k < t.game->kindCount(kPileTableau); ++k) onTop |= t.game->pileOf(kPileTableau, k)->topCard() == c;
    if (onTop) continue;
    c->turnFaceUp();
    foundation.addCard(c);
    break;
  }
}

TEST(GameFlow, NoMovesIsReportedOnceAndNotWhenKeepingOn) {
  Table t(kGameGolf, 4);
  blockGolf(t);
  t.game->requestSettle();
  t.game->settle();
  EXPECT_EQ(t.game->movesFound(), 0);
  EXPECT_TRUE(t.game->isFinished());
  EXPECT_EQ(count(t.services.forms, kFormGameOver), 1);
  EXPECT_EQ(soundCount(t.services, 4009), 1);
  t.game->requestSettle();
  t.game->settle();
  EXPECT_EQ(count(t.services.forms, kFormGameOver), 1);
  EXPECT_TRUE(t.services.results.empty());

  Table keep(kGameGolf, 4);
  keep.game->setKeepPlaying(true);
  blockGolf(keep);
  keep.game->requestSettle();
  keep.game->settle();
  EXPECT_EQ(count(keep.services.forms, kFormGameOver), 0);
}

TEST(GameFlow, AWinIsBookedOnceAndMovesTheDealOn) {
  Table t(kGameGolf, 17);
  t.game->state().undo();  // counted even with nothing to undo
  for (int i = 0; i < t.game->kindCount(kPileTableau); ++i) t.game->pileOf(kPileTableau, i)->clear();
  t.game->requestSettle();
  t.game->settle();
  EXPECT_TRUE(t.game->isWon());
  EXPECT_TRUE(t.game->isFinished());
  EXPECT_TRUE(t.game->isEndAnimationRunning());
  ASSERT_EQ(t.services.results.size(), 1u);
  EXPECT_EQ(t.services.results[0].type, kGameGolf);
  EXPECT_EQ(t.services.results[0].won, 1);
  EXPECT_EQ(t.services.results[0].undoCount, 1);
  EXPECT_EQ(t.services.results[0].hints, 0);
  EXPECT_EQ(t.services.discarded, std::vector<int>{kGameGolf - 1});
  EXPECT_EQ(t.services.settings().dealNumber[kGameGolf - 1], 18u);
  EXPECT_EQ(soundCount(t.services, 4008), 1);
  t.game->requestSettle();
  t.game->settle();
  EXPECT_EQ(t.services.results.size(), 1u);
}

TEST(GameFlow, UndoUntilMovesStopsWhenMovesReturnOrTheHistoryIsEmpty) {
  Table t(kGameFreecell, 30);
  for (int i = 0; i < 3; ++i) t.tap(t.game->firstIndex(kPileTableau) + i);
  ASSERT_GT(t.game->state().undoSize(), 0u);
  t.game->undoUntilMovesAvailable();
  EXPECT_FALSE(t.game->isFinished());
  EXPECT_GT(t.game->movesFound(), 0);
}

TEST(GameFlow, AnimatedDealsSettleWhenTheCardsLand) {
  Table t(kGameKlondike, 5, false);
  ASSERT_TRUE(t.game->isDealPending());
  for (int frame = 0; frame < 1000 && t.game->animatingCount() > 0; ++frame) {
    t.services.advanceTime(2);
    t.game->tick();
  }
  EXPECT_EQ(t.game->animatingCount(), 0);
  EXPECT_FALSE(t.game->isDealPending());
  EXPECT_GT(t.game->movesFound(), 0);
  // The first deal of a type opens the tutorial once.
  EXPECT_EQ(count(t.services.forms, kFormTutorial), 1);
  // A turn of the stock waits for its flights too, but no start form follows
  // it, though the rules of the game were not shown yet.
  ASSERT_EQ(t.services.settings().instructionsShown[kGameKlondike - 1], 0);
  t.tap(t.game->firstIndex(kPileStock));
  ASSERT_GT(t.game->animatingCount(), 0);
  for (int frame = 0; frame < 1000 && t.game->animatingCount() > 0; ++frame) {
    t.services.advanceTime(2);
    t.game->tick();
  }
  EXPECT_EQ(t.services.forms, std::vector<int>{kFormTutorial});
  for (int i = 0; i < t.game->pileCount(); ++i) {
    const CAppCardPile& p = t.pile(i);
    for (int k = 0; k < p.count(); ++k) EXPECT_TRUE(p.cardFromBottom(k)->isAtHome());
  }
}

}  // namespace
