// Where carried cards may go: every accepting pile with "mark all", only the
// useful ones with "mark useful", none without either; and the playable
// marks after a settle.
#include <gtest/gtest.h>

#include <algorithm>

#include "game_fixture.h"

namespace {

using game_test::Table;

// Picks up a FreeCell column's top card and returns the marked piles.
std::vector<int> targetsOfFirstColumn(uint8_t markAll, uint8_t markUseful) {
  Table t(kGameFreecell, 11);
  uint8_t* options = t.services.settings().options[kGameFreecell - 1];
  options[kOptionMarkAll] = markAll;
  options[kOptionMarkUseful] = markUseful;
  options[kOptionOneTouch] = 0;
  const CAppCard* top = t.game->pileOf(kPileTableau, 0)->topCard();
  t.game->onPenDown(top->x() + 2, top->y() + 2);
  EXPECT_GT(t.game->inHand().count(), 0);
  std::vector<int> marked;
  for (int i = 0; i < t.game->pileCount(); ++i) {
    if (t.pile(i).isMarked()) marked.push_back(i);
  }
  return marked;
}

TEST(DropTargets, MarkAllMarksEveryAcceptingPileAndUsefulOnlyTheUsefulOnes) {
  const std::vector<int> all = targetsOfFirstColumn(1, 0);
  const std::vector<int> useful = targetsOfFirstColumn(0, 1);
  const std::vector<int> none = targetsOfFirstColumn(0, 0);
  EXPECT_TRUE(none.empty());
  // Every free cell takes the card.
  for (int cell = 12; cell < 16; ++cell) EXPECT_NE(std::find(all.begin(), all.end(), cell), all.end()) << cell;
  EXPECT_FALSE(useful.empty());
  for (int p : useful) EXPECT_NE(std::find(all.begin(), all.end(), p), all.end()) << p;
}

TEST(PlayableMarks, MarkUsefulMarksTheCandidatesAfterASettle) {
  Table t(kGameKlondike, 6);
  t.services.settings().options[kGameKlondike - 1][kOptionMarkUseful] = 1;
  t.game->requestSettle();
  t.game->settle();
  ASSERT_FALSE(t.game->usefulMoves().empty());
  for (const CAppCard* c : t.game->usefulMoves()) EXPECT_TRUE(c->isMarked());
  EXPECT_TRUE(t.game->firstPile(kPileStock)->isMarked());
  t.game->clearPlayableMarks();
  EXPECT_FALSE(t.game->firstPile(kPileStock)->isMarked());
  for (int i = 0; i < t.game->cardCount(); ++i) EXPECT_FALSE(t.game->card(i)->isMarked());
}

}  // namespace
