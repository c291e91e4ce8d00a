// The hint marker: its fade on the game's clock, the cycle through the
// candidates, the stock when nothing else moves, and the count of requests.
#include <gtest/gtest.h>

#include <algorithm>

#include "app_hints.h"
#include "app_stock_pile.h"
#include "game_fixture.h"

namespace {

using game_test::Table;

// The card the marker stands over: the marker's offset from its card is the
// same for every card of the table, so the one whose corner lies that offset
// away from the marker of a known card.
const CAppCard* cardUnderMarker(const Table& t, const CAppCard& known, int knownX, int knownY) {
  const CAppHints& hints = t.game->hints();
  for (int i = 0; i < t.game->cardCount(); ++i) {
    const CAppCard* c = t.game->card(i);
    if (c->x() - known.x() == hints.markerX() - knownX && c->y() - known.y() == hints.markerY() - knownY) return c;
  }
  return nullptr;
}

// Whether some pile other than the card's own would take it now.
bool somePileTakes(const Table& t, CAppCard* card) {
  const CAppCardPile* home = nullptr;
  for (int i = 0; i < t.game->pileCount() && !home; ++i) {
    if (t.pile(i).depthOf(card) >= 0) home = &t.pile(i);
  }
  for (int i = 0; i < t.game->pileCount(); ++i) {
    if (&t.pile(i) != home && t.pile(i).kind() != kPileStock && t.pile(i).canAccept(card)) return true;
  }
  return false;
}

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

// The hints come from the move search after each settled move: in Klondike
// deal 1, once the jack of hearts lies on the queen of clubs, the seven of
// clubs can go onto the eight of hearts, and the marker shows the cards that
// can move before it ever points at the stock.
TEST(Hints, TheMoveSearchGivesTheHintsAfterAMove) {
  Table t(kGameKlondike, 1);
  t.tap(9);
  ASSERT_EQ(t.pile(5).topCard()->rank(), 11);
  ASSERT_EQ(t.pile(5).topCard()->suit(), 1);
  CAppHints& hints = t.game->hints();
  ASSERT_GT(hints.candidateCount(), 1);
  const auto& useful = t.game->usefulMoves();
  const auto seven = std::find_if(useful.begin(), useful.end(),
                                  [](const CAppCard* c) { return c->rank() == 7 && c->suit() == 2; });
  ASSERT_NE(seven, useful.end()) << "the seven of clubs is not among the moves found";
  EXPECT_TRUE(somePileTakes(t, *seven));

  // The first two requests mark the first two moves found, each a card some
  // other pile takes, and neither the stock.
  CAppCard* first = useful[0];
  hints.showNext();
  const int firstX = hints.markerX(), firstY = hints.markerY();
  hints.showNext();
  const CAppCard* second = cardUnderMarker(t, *first, firstX, firstY);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second, useful[1]);
  const CAppCardPile* stock = t.game->firstPile(kPileStock);
  for (CAppCard* c : {first, useful[1]}) {
    EXPECT_LT(stock->depthOf(c), 0);
    EXPECT_TRUE(somePileTakes(t, c));
  }
}

// FreeCell has no stock to fall back on: the marker shows a card as soon as
// the search found one, also when only a free cell would take it.
TEST(Hints, FreecellShowsACardThatCanMove) {
  for (const uint32_t deal : {1U, 11U}) {
    SCOPED_TRACE(deal);
    Table t(kGameFreecell, deal);
    CAppHints& hints = t.game->hints();
    ASSERT_GT(hints.candidateCount(), 0);
    hints.showNext();
    EXPECT_TRUE(hints.isVisible());
    CAppCard* first = t.game->usefulMoves().front();
    EXPECT_TRUE(somePileTakes(t, first));
  }
}

// A second search of the same table gives the same hints, not twice as many.
TEST(Hints, ASearchReplacesTheHintsOfTheLastOne) {
  Table t(kGameKlondike, 1);
  const int before = t.game->hints().candidateCount();
  ASSERT_GT(before, 0);
  static_cast<void>(t.game->findMoves());
  EXPECT_EQ(t.game->hints().candidateCount(), before);
}

TEST(Hints, TheCountIsSavedWithTheGame) {
  Table t(kGameSpider, 3);
  for (int i = 0; i < 3; ++i) t.game->hints().showNext();
  Table u(kGameSpider, 3);
  ASSERT_EQ(u.load(t.save()), 0);
  EXPECT_EQ(u.game->hints().hintsShown(), 3);
}

}  // namespace
