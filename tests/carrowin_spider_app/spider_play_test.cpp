// The Spider program played through the stylus: the one-suit set won by a
// drag, the suit count choosing the set, and whole runs moved by drags.
#include "carrowin_app_fixture.h"
#include "sol_statistics.h"

const char* const CarrowinAppTest::kProfile = "pocketpc-vga";

namespace {

class SpiderTest : public CarrowinAppTest {
 protected:
  // Spider One Suit, untimed, without animation, dragging.
  void OneSuit(uint32_t game) {
    SolOptions& o = Main().Options();
    o.suitsNumber = 1;
    o.timedGame = 0;
    o.playMode = kSolDragDrop;
    o.animation = 0;
    Field().TakeOptions();
    ASSERT_TRUE(Main().LoadRules());
    Main().NewGame(game, true);
  }
  // Deck d's card of a rank (eight copies of one suit).
  static int S(int deck, int rank) { return deck * 13 + rank - 1; }
  static std::vector<std::pair<int, bool>> Run(int deck, int high, int low) {
    std::vector<std::pair<int, bool>> run;
    for (int r = high; r >= low; --r) run.push_back({S(deck, r), true});
    return run;
  }
};

TEST_F(SpiderTest, TheSuitCountChoosesTheRuleSet) {
  EXPECT_EQ(Rules().Name(), "Spider");
  OneSuit(3);
  EXPECT_EQ(Rules().Name(), "Spider One Suit");
  Main().Options().suitsNumber = 3;  // repaired to four suits
  ASSERT_TRUE(Main().LoadRules());
  EXPECT_EQ(Main().Options().suitsNumber, 4);
  EXPECT_EQ(Rules().Name(), "Spider");
}

TEST_F(SpiderTest, TheLastRunIsCompletedByADragAndWins) {
  OneSuit(5);
  // Seven runs home, the eighth waiting for its ace; one run split in two.
  Layout layout(19);
  for (int deck = 1; deck <= 7; ++deck) layout[10 + static_cast<size_t>(deck)] = Run(deck, 13, 1);
  layout[1] = Run(0, 13, 6);
  layout[2] = Run(0, 5, 2);
  layout[4] = {{S(0, 1), true}};
  Show(layout);
  // Move the 5-2 run onto the six: a run moves as one.
  Drag(CardPoint(2, 0), CardPoint(1, kSolNone));
  ASSERT_EQ(Field().Metrics().piles[1].cards.size(), 12u);
  ExpectViewsMatchModel();
  EXPECT_FALSE(Rules().Finished());
  const uint32_t game = Main().Options().curGameNumber;
  Drag(CardPoint(4, 0), CardPoint(1, kSolNone));
  const SolStatistics stats = SolStatistics::Load(Main().GameName(), "Spider One Suit");
  EXPECT_EQ(stats.won, 1);
  EXPECT_NE(Main().Options().curGameNumber, game);
}

TEST_F(SpiderTest, ADropBetweenPilesPutsTheRunBack) {
  OneSuit(6);
  const std::vector<std::vector<int>> before = PileContents(Rules());
  const POINT card = CardPoint(1, kSolNone);
  Drag(card, {card.x + 30, 520});
  EXPECT_EQ(PileContents(Rules()), before);
  EXPECT_EQ(Rules().History()->Count(), 0u);
  ExpectViewsMatchModel();
}

}  // namespace
