#include <gtest/gtest.h>

#include <algorithm>

#include "sol_test_support.h"

namespace {

// Thirteen piles: 0 holds 6 cards, 1 holds 4, the others are empty.
class Actions : public testing::Test {
 protected:
  void SetUp() override {
    std::vector<uint16_t> deal(13, 0);
    deal[0] = 6;
    deal[1] = 4;
    const std::vector<uint8_t> set = SmallSet(10, deal);
    ASSERT_TRUE(rules.Load(set.data(), set.size(), SolScreen{}));
    uint32_t game = 8;
    rules.Deal(game);
    start = PileContents(rules);
  }
  bool Run(SolAction a, int32_t* previous = nullptr) { return rules.ExecuteAction(a, previous); }
  static SolAction Move(uint8_t mode, uint16_t from, uint16_t startAt, uint16_t count, uint16_t to, uint8_t tmode, uint16_t tpos) {
    return {kSolActMove, mode, from, startAt, count, to, tmode, 0, tpos, 0};
  }

  SolRuleSet rules;
  std::vector<std::vector<int>> start;
};

TEST_F(Actions, MoveRanges) {
  int32_t previous = -1;
  // An empty range moves nothing.
  EXPECT_FALSE(Run(Move(2, 0, 6, 3, 1, 1, 0), &previous));
  EXPECT_EQ(PileContents(rules), start);
  // The top two of pile 0 onto pile 1, in the same order.
  SolAction a = Move(1, 0, 0, 2, 1, 1, 0);
  EXPECT_TRUE(rules.ExecuteAction(a, &previous));
  EXPECT_EQ(previous, 2);
  EXPECT_EQ(a.value, 2);
  std::vector<int> expected = start[1];
  expected.insert(expected.end(), start[0].end() - 2, start[0].end());
  EXPECT_EQ(PileContents(rules)[1], expected);
  // Mode 0 gives the pile's count before the move.
  EXPECT_TRUE(Run(Move(0, 1, 5, 0, 2, 1, 0), &previous));
  EXPECT_EQ(previous, 6);
  EXPECT_EQ(PileContents(rules)[2], std::vector<int>{expected[5]});
}

TEST_F(Actions, ModeOneAskingForMoreThanThereIs) {
  // Three cards under the top two of pile 1 (which has four): only two exist.
  EXPECT_TRUE(Run(Move(1, 1, 2, 3, 0, 2, 1)));
  const std::vector<std::vector<int>> now = PileContents(rules);
  EXPECT_EQ(now[1], std::vector<int>(start[1].begin() + 2, start[1].end()));
  std::vector<int> expected = start[0];
  expected.insert(expected.begin() + 1, start[1].begin(), start[1].begin() + 2);
  EXPECT_EQ(now[0], expected);
}

TEST_F(Actions, ForbidRewritesTheWildcard) {
  EXPECT_TRUE(Run({kSolActForbid, 0, 2, 0, 0, 5, 0, 0, 0, 0}));
  const std::vector<SolMoveRule>& t = rules.MoveTable();
  ASSERT_EQ(t.size(), 23u);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(t[static_cast<size_t>(i)].to, kSolAnyPile);
    EXPECT_NE(t[static_cast<size_t>(i)].from, 2);
  }
  for (size_t i = 12; i < 23; ++i) {
    EXPECT_EQ(t[i].from, 2);
    EXPECT_NE(t[i].to, 2);
    EXPECT_NE(t[i].to, 5);
  }
  // Allowing 2 to 5 again appends it; allowing 3 to 5 is already covered.
  EXPECT_FALSE(Run({kSolActAllow, 0, 3, 0, 0, 5, 0, 0, 0, 0}));
  EXPECT_TRUE(Run({kSolActAllow, 0, 2, 0, 0, 5, 0, 0, 0, 0}));
  EXPECT_EQ(rules.MoveTable().size(), 24u);
  EXPECT_FALSE(Run({kSolActForbid, 0, 4, 0, 0, 4, 0, 0, 0, 0}));
}

TEST_F(Actions, ShuffleUndoRestoresTheOrder) {
  SolAction shuffle{kSolActPileField, 0, 0, 0, 0, 0, 0, kSolFieldShuffle, 0, 0};
  int32_t key = 0;
  ASSERT_TRUE(rules.ExecuteAction(shuffle, &key));
  EXPECT_EQ(shuffle.value, static_cast<uint16_t>(key));
  SolAction undo = shuffle;
  undo.value = static_cast<uint16_t>(key);
  ASSERT_TRUE(rules.ExecuteAction(undo, nullptr));
  EXPECT_EQ(PileContents(rules), start);
  SolAction emptyPile{kSolActPileField, 0, 7, 0, 0, 0, 0, kSolFieldShuffle, 0, 0};
  EXPECT_FALSE(rules.ExecuteAction(emptyPile, &key));
}

TEST_F(Actions, PileFieldsAndFlags) {
  int32_t previous = -1;
  EXPECT_TRUE(Run({kSolActPileField, 0, 1, 0, 0, 0, 0, kSolFieldDropExpr, 0, 0}, &previous) == false);
  EXPECT_EQ(previous, 0);
  EXPECT_TRUE(Run({kSolActPileField, 0, 1, 0, 0, 0, 0, kSolFieldEnabled, 0, 0}));
  EXPECT_FALSE(rules.Piles()[1].enabled);
  EXPECT_TRUE(Run({kSolActPileField, 0, 1, 0, 0, 0, 0, kSolFieldReverse, 0, 0}));
  std::vector<int> reversed = start[1];
  std::reverse(reversed.begin(), reversed.end());
  EXPECT_EQ(PileContents(rules)[1], reversed);
  EXPECT_FALSE(Run({kSolActPileField, 0, 1, 0, 0, 0, 0, 7, 0, 1}));
  // Flags: face up on the bottom three of pile 0, then again changes nothing.
  EXPECT_TRUE(Run({kSolActCardFlag, 2, 0, 0, 3, 0, 0, kSolFlagFaceUp, 0, 1}));
  EXPECT_FALSE(Run({kSolActCardFlag, 2, 0, 0, 3, 0, 0, kSolFlagFaceUp, 0, 1}));
  EXPECT_TRUE(rules.Cards()[static_cast<size_t>(start[0][2])].faceUp);
  EXPECT_FALSE(rules.Cards()[static_cast<size_t>(start[0][3])].faceUp);
}

// Klondike II: a counter of 2 limits the recycle event; at 0 it blocks,
// and taking it is recorded and undone.
TEST(Counters, BlockAtZeroAndUndo) {
  SolRuleSet rules;
  LoadShipped(rules, "klondike_ii");
  uint32_t game = 2;
  rules.StartGame(game);
  bool started = false;
  uint16_t counter = 99;
  EXPECT_TRUE(rules.TakeCounter(10, started, counter, true, true));
  EXPECT_EQ(counter, 0);
  EXPECT_TRUE(started);
  EXPECT_TRUE(rules.TakeCounter(10, started, counter, true, true));
  EXPECT_FALSE(rules.TakeCounter(10, started, counter, false, false));
  EXPECT_FALSE(rules.TakeCounter(10, started, counter, true, true));
  EXPECT_EQ(rules.History()->Count(), 2u);
  // Event 1 has no counter.
  EXPECT_TRUE(rules.TakeCounter(1, started, counter, true, true));
  EXPECT_EQ(counter, rules.Counters().size());
  SolMoveRecord r;
  EXPECT_FALSE(rules.UndoRecord(r));
  EXPECT_EQ(r.kind, kSolRecCounter);
  EXPECT_TRUE(rules.UndoRecord(r));
  EXPECT_EQ(rules.Counters()[0].value, 2);
}

// A follow-up event runs once its counter is used up, without conditions.
TEST(Counters, FollowUpRunsWhenExhausted) {
  SolRuleData d;
  std::string error;
  const std::vector<uint8_t> bytes = ShippedSet("klondike_ii");
  ASSERT_TRUE(SolReadRuleData(bytes.data(), bytes.size(), d, error));
  d.counters[0] = {1, 2};  // one recycle, then the win event's actions
  const std::vector<uint8_t> set = SolWriteRuleData(d);
  SolRuleSet rules;
  ASSERT_TRUE(rules.Load(set.data(), set.size(), SolScreen{}));
  uint32_t game = 2;
  rules.StartGame(game);
  while (rules.Piles()[0].count > 0) ASSERT_TRUE(PlayStep(rules, {0, kSolAnyPile}));
  EXPECT_FALSE(rules.Finished());
  ASSERT_TRUE(PlayStep(rules, {0, kSolAnyPile}));
  EXPECT_TRUE(rules.Finished());
}

TEST(History, GrowsByTenAndRemoves) {
  SolMoveHistory h;
  EXPECT_EQ(h.Capacity(), 10u);
  int appended = 0;
  h.SetObserver([](void* n) { ++*static_cast<int*>(n); }, &appended);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(h.Append({kSolRecAction, 0, 0, static_cast<uint16_t>(i), 0, 0, 0, {}}), static_cast<size_t>(i));
  EXPECT_EQ(h.Capacity(), 20u);
  EXPECT_EQ(appended, 11);
  SolMoveRecord r;
  EXPECT_TRUE(h.RemoveAt(3));
  EXPECT_TRUE(h.GetAt(3, r));
  EXPECT_EQ(r.number, 4);
  EXPECT_FALSE(h.GetAt(10, r));
  EXPECT_FALSE(h.RemoveAt(10));
}

TEST(FindMove, OrderAndIndexing) {
  SolRuleSet rules;
  LoadShipped(rules, "klondike");
  uint32_t game = 1;
  rules.StartGame(game);
  std::vector<SolMove> all;
  rules.ListMoves(all);
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(all[0], (SolMove{0, kSolAnyPile}));  // the stock tap comes first
  for (size_t n = 0; n < all.size(); ++n) {
    uint16_t from = 0, to = 0;
    ASSERT_TRUE(rules.FindMove(static_cast<int>(n), from, to));
    EXPECT_EQ((SolMove{from, to}), all[n]);
  }
  uint16_t from, to;
  EXPECT_FALSE(rules.FindMove(static_cast<int>(all.size()), from, to));
}

}  // namespace
