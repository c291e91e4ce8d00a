// The hint marker: its fade on the game's clock, the cycle through the
// candidates, the stock when nothing else moves, and the count of requests.
#include <gtest/gtest.h>

#include "app_hints.h"
#include "app_stock_pile.h"
#include "game_fixture.h"

namespace {

using game_test::Table;

TEST(Hints, TheMarkerFadesInHoldsAndFadesOut) {
  Table t(kGameKlondike, 2);
  CAppHints& hints = t.game->hints();
  ASSERT_GT(hints.candidateCount(), 0);
  hints.showNext();
  ASSERT_TRUE(hints.isVisible());
  std::vector<int> levels;
  for (int step = 0; step < 60 && hints.isVisible(); ++step) {
    t.services.advanceTime(5);  // a step needs more than 4 hundredths
    hints.tick();
    levels.push_back(hints.level());
    t.services.advanceTime(4);  // not enough for another step
    hints.tick();
    EXPECT_EQ(hints.level(), levels.back());
  }
  std::vector<int> want;
  for (int l = 20; l <= 220; l += 20) want.push_back(l);
  want.push_back(255);
  // Held for three frame cycles: the rest of the cycle that reached 255, then two more.
  const size_t held = want.size();
  EXPECT_EQ(std::vector<int>(levels.begin(), levels.begin() + static_cast<long>(held)), want);
  std::vector<int> out;
  for (size_t i = held; i < levels.size(); ++i) {
    if (levels[i] != 255) out.push_back(levels[i]);
  }
  std::vector<int> fade;
  for (int l = 235; l >= 35; l -= 20) fade.push_back(l);
  fade.push_back(0);
  EXPECT_EQ(out, fade);
  EXPECT_FALSE(hints.isVisible());
}

TEST(Hints, RequestsCycleThroughTheCandidatesAndAreCounted) {
  Table t(kGameFreecell, 5);
  CAppHints& hints = t.game->hints();
  hints.clear();
  const CAppCard* a = t.game->card(0);
  const CAppCard* b = t.game->card(1);
  hints.addCandidate(t.game->card(0));
  hints.addCandidate(t.game->card(1));
  hints.addCandidate(t.game->card(2));
  hints.showNext();
  const int first = hints.markerX();
  EXPECT_EQ(first - a->x(), hints.markerX() - a->x());
  hints.showNext();
  EXPECT_EQ(hints.markerX() - b->x(), first - a->x());
  hints.showNext();
  hints.showNext();  // the fourth request shows the first again
  EXPECT_EQ(hints.markerX(), first);
  EXPECT_EQ(hints.hintsShown(), 4);
  for (int i = 0; i < 60; ++i) hints.addCandidate(t.game->card(i % 52));
  EXPECT_EQ(hints.candidateCount(), CAppHints::kMaxCandidates);
}

TEST(Hints, WithNothingToMoveTheMarkerGoesToTheStockWhileItCanTurn) {
  Table t(kGameGolf, 3);
  CAppHints& hints = t.game->hints();
  hints.clear();
  hints.showNext();
  EXPECT_TRUE(hints.isVisible());
  hints.clear();
  auto& stock = static_cast<CAppStockPile&>(*t.game->firstPile(kPileStock));
  while (stock.removeTopCard()) {
  }
  hints.showNext();
  EXPECT_FALSE(hints.isVisible());
  EXPECT_EQ(hints.hintsShown(), 2);
}

TEST(Hints, TheCountIsSavedWithTheGame) {
  Table t(kGameSpider, 3);
  for (int i = 0; i < 3; ++i) t.game->hints().showNext();
  Table u(kGameSpider, 3);
  ASSERT_EQ(u.load(t.save()), 0);
  EXPECT_EQ(u.game->hints().hintsShown(), 3);
}

}  // namespace
