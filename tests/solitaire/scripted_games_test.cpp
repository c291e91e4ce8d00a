// Scripted games on the shipped rule sets: the stock, the recycling limits,
// automatic turn-up, finished Spider runs and the win, each undone as one
// step where it is a player's step.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>

#include "sol_test_support.h"
#include "param_name.h"

namespace {

constexpr uint16_t kStock = 0, kWaste = 1;

// Klondike card numbers are suit-major: spades, hearts, clubs, diamonds.
int K(int suit, int rank) { return (suit - 1) * 13 + rank - 1; }
// Spider One Suit: eight copies of one suit, deck d holds 13d .. 13d + 12.
int S(int deck, int rank) { return deck * 13 + rank - 1; }

// Cards from rank `high` down to `low` of one deck or suit, bottom first.
std::vector<std::pair<int, bool>> SameRun(int (*card)(int, int), int group, int high, int low) {
  std::vector<std::pair<int, bool>> run;
  for (int r = high; r >= low; --r) run.push_back({card(group, r), true});
  return run;
}

// Every card not named in the layout, face down on pile `pile`.
void Rest(Layout& layout, size_t cards, size_t pile) {
  std::vector<bool> used(cards, false);
  for (const auto& p : layout) {
    for (const auto& [c, up] : p) used[static_cast<size_t>(c)] = true;
  }
  for (size_t c = 0; c < cards; ++c) {
    if (!used[c]) layout[pile].push_back({static_cast<int>(c), false});
  }
}

bool HasTap(const SolRuleSet& rules, uint16_t pile) {
  std::vector<SolMove> moves;
  rules.ListMoves(moves);
  return std::find(moves.begin(), moves.end(), SolMove{pile, kSolAnyPile}) != moves.end();
}

TEST(KlondikeGame, StockTurnsThreeAndRecyclesAsOneStep) {
  SolRuleSet rules;
  LoadShipped(rules, "klondike");
  uint32_t game = 1;
  rules.StartGame(game);
  ASSERT_EQ(rules.Piles()[kStock].count, 21);
  const std::vector<std::vector<int>> dealt = PileContents(rules);
  ASSERT_TRUE(PlayStep(rules, {kStock, kSolAnyPile}));
  std::vector<std::vector<int>> now = PileContents(rules);
  // The next three stock cards, in their order, on top of the waste.
  EXPECT_EQ(std::vector<int>(now[kWaste].end() - 3, now[kWaste].end()),
            std::vector<int>(dealt[kStock].begin(), dealt[kStock].begin() + 3));
  for (int c : now[kWaste]) EXPECT_TRUE(rules.Cards()[static_cast<size_t>(c)].faceUp);
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(PlayStep(rules, {kStock, kSolAnyPile}));
  ASSERT_EQ(rules.Piles()[kStock].count, 0);
  const std::vector<int> waste = PileContents(rules)[kWaste];
  const GameSnapshot beforeRecycle(rules);
  ASSERT_TRUE(rules.CanTapPile(kStock));
  ASSERT_TRUE(PlayStep(rules, {kStock, kSolAnyPile}));
  EXPECT_EQ(PileContents(rules)[kStock], waste);  // the first card turned is drawn first again
  for (int c : waste) EXPECT_FALSE(rules.Cards()[static_cast<size_t>(c)].faceUp);
  EXPECT_EQ(rules.Piles()[kWaste].count, 0);
  EXPECT_FALSE(rules.CanTapPile(kStock) && rules.Piles()[kStock].count == 0);
  ASSERT_TRUE(rules.UndoStep());
  EXPECT_TRUE(GameSnapshot(rules) == beforeRecycle);
}

TEST(KlondikeGame, OneCardDraw) {
  SolRuleSet rules;
  LoadShipped(rules, "klondike_one_card");
  uint32_t game = 3;
  rules.StartGame(game);
  ASSERT_EQ(rules.Piles()[kStock].count, 23);
  ASSERT_EQ(rules.Piles()[kWaste].count, 1);
  const int next = PileContents(rules)[kStock][0];
  ASSERT_TRUE(PlayStep(rules, {kStock, kSolAnyPile}));
  EXPECT_EQ(rules.TopCard(kWaste), next);
  EXPECT_EQ(rules.Piles()[kWaste].count, 2);
}

class LimitedRecycling : public testing::TestWithParam<const char*> {};

TEST_P(LimitedRecycling, ThirdRecycleIsRefused) {
  SolRuleSet rules;
  LoadShipped(rules, GetParam());
  uint32_t game = 11;
  rules.StartGame(game);
  for (int pass = 0; pass < 3; ++pass) {
    while (rules.Piles()[kStock].count > 0) ASSERT_TRUE(PlayStep(rules, {kStock, kSolAnyPile}));
    if (pass < 2) {
      ASSERT_TRUE(HasTap(rules, kStock)) << pass;
      ASSERT_TRUE(PlayStep(rules, {kStock, kSolAnyPile})) << pass;
      EXPECT_EQ(rules.Counters()[0].value, 1 - pass);
    }
  }
  EXPECT_FALSE(rules.CanTapPile(kStock));
  EXPECT_FALSE(HasTap(rules, kStock));
  EXPECT_FALSE(PlayStep(rules, {kStock, kSolAnyPile}));
  // Undoing the last drawing steps and the recycle gives the use back.
  while (rules.Piles()[kWaste].count > 0) ASSERT_TRUE(rules.UndoStep());
  EXPECT_EQ(rules.Counters()[0].value, 0);
  ASSERT_TRUE(rules.UndoStep());
  EXPECT_EQ(rules.Counters()[0].value, 1);
}

INSTANTIATE_TEST_SUITE_P(Klondike, LimitedRecycling, testing::Values("klondike_ii", "klondike_limited"),
                         test_names::ByText{});

TEST(KlondikeGame, TurnUpBelongsToTheMove) {
  SolRuleSet rules;
  LoadShipped(rules, "klondike");
  Layout layout(13);
  layout[2] = {{K(1, 9), true}};                    // nine of spades
  layout[3] = {{K(3, 9), false}, {K(2, 8), true}};  // eight of hearts on a hidden nine of clubs
  Rest(layout, 52, kStock);
  Arrange(rules, layout);
  const GameSnapshot before(rules);
  ASSERT_TRUE(PlayStep(rules, {static_cast<uint16_t>(K(2, 8)), 2}));
  EXPECT_TRUE(rules.Cards()[static_cast<size_t>(K(3, 9))].faceUp);
  EXPECT_EQ(rules.TopCard(2), K(2, 8));
  EXPECT_FALSE(rules.CanMoveCardTo(static_cast<uint16_t>(K(2, 8)), 9));  // an eight cannot start a foundation
  ASSERT_TRUE(rules.UndoStep());
  EXPECT_TRUE(GameSnapshot(rules) == before);
  EXPECT_EQ(rules.History()->Count(), 0u);
}

TEST(KlondikeGame, LastCardWins) {
  SolRuleSet rules;
  LoadShipped(rules, "klondike");
  Layout layout(13);
  for (int suit = 1; suit <= 4; ++suit) {
    for (int rank = 1; rank <= 13; ++rank) {
      if (suit != 4 || rank != 13) layout[8 + static_cast<size_t>(suit)].push_back({K(suit, rank), true});
    }
  }
  layout[5] = {{K(4, 13), true}};
  Arrange(rules, layout);
  EXPECT_FALSE(rules.Finished());
  std::vector<SolMove> moves;
  rules.ListMoves(moves);
  ASSERT_FALSE(moves.empty());
  ASSERT_TRUE(PlayStep(rules, {static_cast<uint16_t>(K(4, 13)), 12}));
  EXPECT_TRUE(rules.Finished());
  // The win is final: undoing the move does not take it back.
  ASSERT_TRUE(rules.UndoStep());
  EXPECT_TRUE(rules.Finished());
}

TEST(SpiderGame, FinishedRunLeavesAndTurnsUp) {
  SolRuleSet rules;
  LoadShipped(rules, "spider_one_suit");
  Layout layout(19);
  layout[1] = {{S(7, 5), false}};
  for (const auto& c : SameRun(S, 0, 13, 2)) layout[1].push_back(c);
  layout[2] = {{S(0, 1), true}};
  Rest(layout, 104, kStock);
  Arrange(rules, layout);
  // Eight columns are empty: no deal.
  EXPECT_FALSE(rules.CanTapPile(kStock));
  EXPECT_FALSE(HasTap(rules, kStock));
  const GameSnapshot before(rules);
  ASSERT_TRUE(PlayStep(rules, {static_cast<uint16_t>(S(0, 1)), 1}));
  EXPECT_EQ(rules.Piles()[11].count, 13);
  EXPECT_EQ(rules.TopCard(11), S(0, 1));
  EXPECT_EQ(rules.Piles()[1].count, 1);
  EXPECT_TRUE(rules.Cards()[static_cast<size_t>(S(7, 5))].faceUp);
  EXPECT_EQ(rules.Piles()[18].count, 0);
  ASSERT_TRUE(rules.UndoStep());
  EXPECT_TRUE(GameSnapshot(rules) == before);
}

TEST(SpiderGame, OneDealFinishesTwoRuns) {
  SolRuleSet rules;
  LoadShipped(rules, "spider_one_suit");
  Layout layout(19);
  layout[1] = SameRun(S, 0, 13, 2);
  layout[2] = SameRun(S, 1, 13, 2);
  layout[0] = {{S(0, 1), false}, {S(1, 1), false}};
  for (size_t t = 3; t <= 10; ++t) layout[t] = {{S(2, static_cast<int>(t)), true}};
  Rest(layout, 104, kStock);
  Arrange(rules, layout);
  ASSERT_TRUE(rules.CanTapPile(kStock));
  ASSERT_TRUE(PlayStep(rules, {kStock, kSolAnyPile}));
  EXPECT_EQ(rules.Piles()[11].count, 13);
  EXPECT_EQ(rules.Piles()[12].count, 13);
  EXPECT_EQ(rules.Piles()[1].count, 0);
  EXPECT_EQ(rules.Piles()[2].count, 0);
  EXPECT_EQ(rules.Piles()[3].count, 2);
  EXPECT_FALSE(rules.Finished());
  // With two columns empty the stock cannot deal again.
  EXPECT_FALSE(rules.CanTapPile(kStock));
}

TEST(SpiderGame, EighthRunWins) {
  SolRuleSet rules;
  LoadShipped(rules, "spider_one_suit");
  Layout layout(19);
  for (int deck = 1; deck <= 7; ++deck) layout[10 + static_cast<size_t>(deck)] = SameRun(S, deck, 13, 1);
  layout[1] = SameRun(S, 0, 13, 2);
  layout[4] = {{S(0, 1), true}};
  Arrange(rules, layout);
  ASSERT_TRUE(PlayStep(rules, {static_cast<uint16_t>(S(0, 1)), 1}));
  EXPECT_TRUE(rules.Finished());
  EXPECT_EQ(rules.Piles()[18].count, 13);
}

// The eight runs of a Spider set, each King (first) down to Ace of one suit,
// from its card definitions.
std::vector<std::vector<int>> SpiderRuns(const std::string& set) {
  const std::vector<uint8_t> bytes = ShippedSet(set);
  SolRuleData d;
  std::string error;
  EXPECT_TRUE(SolReadRuleData(bytes.data(), bytes.size(), d, error)) << error;
  // Per suit and rank, the cards not yet in a run.
  std::vector<std::vector<std::vector<int>>> free(5, std::vector<std::vector<int>>(14));
  for (size_t c = 0; c < d.cards.size(); ++c) free[d.cards[c].suit][d.cards[c].rank].push_back(static_cast<int>(c));
  std::vector<std::vector<int>> runs;
  for (int suit = 1; suit <= 4; ++suit) {
    while (!free[static_cast<size_t>(suit)][13].empty()) {
      std::vector<int> run;
      for (int rank = 13; rank >= 1; --rank) {
        auto& cards = free[static_cast<size_t>(suit)][static_cast<size_t>(rank)];
        run.push_back(cards.back());
        cards.pop_back();
      }
      runs.push_back(run);
    }
  }
  return runs;
}

class SpiderSets : public testing::TestWithParam<const char*> {};

// Six runs on the foundations and two King-to-Two runs in columns, their
// Aces on other columns: the seventh run is no win, the eighth is.
TEST_P(SpiderSets, TheGameIsWonByTheEighthRunNotTheSeventh) {
  SolRuleSet rules;
  LoadShipped(rules, GetParam());
  const std::vector<std::vector<int>> runs = SpiderRuns(GetParam());
  ASSERT_EQ(runs.size(), 8u);
  Layout layout(19);
  for (size_t r = 0; r < 6; ++r) {
    for (auto it = runs[r].rbegin(); it != runs[r].rend(); ++it) layout[11 + r].push_back({*it, true});
  }
  for (size_t r = 6; r < 8; ++r) {
    for (size_t k = 0; k + 1 < 13; ++k) layout[r - 5].push_back({runs[r][k], true});
    layout[r - 2].push_back({runs[r][12], true});
  }
  Arrange(rules, layout);
  EXPECT_FALSE(rules.Finished());
  ASSERT_TRUE(PlayStep(rules, {static_cast<uint16_t>(runs[6][12]), 1}));
  EXPECT_EQ(rules.Piles()[17].count, 13);
  EXPECT_FALSE(rules.Finished()) << "won one run short";
  ASSERT_TRUE(PlayStep(rules, {static_cast<uint16_t>(runs[7][12]), 2}));
  EXPECT_TRUE(rules.Finished());
}

INSTANTIATE_TEST_SUITE_P(Spider, SpiderSets, testing::Values("spider", "spider_one_suit", "spider_two_suits"),
                         test_names::ByText{});

class KlondikeSets : public testing::TestWithParam<const char*> {};

// With the stock and the waste both empty a tap on the stock does nothing.
TEST_P(KlondikeSets, AnEmptyWasteIsNotRecycled) {
  SolRuleSet rules;
  LoadShipped(rules, GetParam());
  Layout layout(13);
  layout[3] = {{K(1, 13), true}};
  Rest(layout, 52, 2);
  Arrange(rules, layout);
  EXPECT_FALSE(HasTap(rules, kStock));
  EXPECT_FALSE(PlayStep(rules, {kStock, kSolAnyPile}));
  EXPECT_EQ(rules.Piles()[kStock].count, 0);
  EXPECT_EQ(rules.Piles()[kWaste].count, 0);
}

INSTANTIATE_TEST_SUITE_P(Klondike, KlondikeSets,
                         testing::Values("klondike_one_card", "klondike_ii", "klondike", "klondike_limited"),
                         test_names::ByText{});

TEST(SpiderGame, MixedSuitsBuildButDoNotMoveTogether) {
  SolRuleSet rules;
  LoadShipped(rules, "spider_two_suits");
  // Two Suits: decks of suit 1 are cards 0-12, 26-38, ...; suit 4 13-25, ...
  Layout layout(19);
  layout[1] = {{0 + 9, true}, {13 + 7, true}};   // 8 of suit 4 on 10 of suit 1: no run
  layout[2] = {{26 + 9, true}, {26 + 8, true}};  // 10, 9 of suit 1
  layout[3] = {{13 + 9, true}};                  // 10 of suit 4
  Rest(layout, 104, kStock);
  Arrange(rules, layout);
  EXPECT_TRUE(rules.CanPickCard(26 + 8));
  EXPECT_TRUE(rules.CanPickCard(26 + 9));
  EXPECT_TRUE(rules.CanMoveCardTo(26 + 8, 3));   // 9 on 10, any suit
  EXPECT_TRUE(rules.CanMoveCardTo(13 + 7, 2));   // 8 on 9 of another suit
  EXPECT_FALSE(rules.CanMoveCardTo(13 + 7, 3));  // 8 on 10: no
  EXPECT_FALSE(rules.CanPickCard(0 + 9));        // a card under a wrong card is stuck
  EXPECT_TRUE(rules.CanMoveCardTo(26 + 9, 4));   // a run onto an empty column
}

}  // namespace
