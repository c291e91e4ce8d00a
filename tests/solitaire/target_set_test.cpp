// The target set: hit testing topmost first, the keyboard cursor's steps
// and wrap-around, and the frozen registration.
#include <gtest/gtest.h>

#include "sol_target_set.h"

namespace {

// Three piles side by side; the middle one fans two cards downward.
SolTargetSet Row() {
  SolTargetSet t;
  t.Add({0, 0, 40, 54}, 0, kSolNone, true);
  t.Add({50, 0, 90, 54}, 1, 0, true);
  t.Add({50, 18, 90, 72}, 1, 1, true);
  t.Add({100, 0, 140, 54}, 2, 0, true);
  return t;
}

TEST(SolTargetSet, HitTestFindsTheTopmostHittableEntry) {
  const SolTargetSet t = Row();
  const auto all = [](uint16_t) { return true; };
  EXPECT_EQ(t.HitTest({60, 30}, all), 2);
  EXPECT_EQ(t.HitTest({60, 10}, all), 1);
  EXPECT_EQ(t.HitTest({40, 10}, all), -1);  // right edge is outside
  EXPECT_EQ(t.HitTest({0, 0}, all), 0);     // left and top inside
  EXPECT_EQ(t.HitTest({10, 10}, [](uint16_t p) { return p != 0; }), -1);
}

TEST(SolTargetSet, GrowsByWholeBlocks) {
  SolTargetSet t;
  EXPECT_EQ(t.Capacity(), SolTargetSet::kGrowth);
  for (int i = 0; i <= static_cast<int>(SolTargetSet::kGrowth); ++i) t.Add({0, 0, 1, 1}, 0, 0, false);
  EXPECT_EQ(t.Capacity(), 2 * SolTargetSet::kGrowth);
}

TEST(SolTargetSet, FrozenSetKeepsItsEntries) {
  SolTargetSet t = Row();
  t.SetFrozen(true);
  t.Clear();
  t.Add({0, 0, 1, 1}, 5, 0, true);
  EXPECT_EQ(t.Count(), 4u);
  t.SetFrozen(false);
  t.Clear();
  EXPECT_EQ(t.Count(), 0u);
}

TEST(SolTargetSet, CursorStepsOverMarkedEntriesAndWraps) {
  SolTargetSet t = Row();
  t.PlaceCursor(0, kSolNone);
  uint16_t pile = 0;
  uint16_t card = 0;
  t.MoveRight();
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 1);
  EXPECT_EQ(card, 0);
  t.MoveDown();
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(card, 1);
  t.MoveRight();
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 2);
  t.MoveRight();  // past the last: back to the first
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 0);
  t.MoveLeft();  // before the first: the last
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 2);
}

TEST(SolTargetSet, PileWiseStepsToTopsSidewaysAndCardByCardDown) {
  SolTargetSet t = Row();
  t.SetPileWise(true);
  t.PlaceCursor(0, kSolNone);
  uint16_t pile = 0;
  uint16_t card = 0;
  t.MoveRight();
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 1);
  EXPECT_EQ(card, 1);  // the pile's top card
  t.MoveUp();
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 1);
  EXPECT_EQ(card, 0);
}

TEST(SolTargetSet, UnmarkedEntriesAreNoStops) {
  SolTargetSet t = Row();
  t.SetMark(1, false);
  t.SetMark(2, false);
  t.PlaceCursor(0, kSolNone);
  t.MoveRight();
  uint16_t pile = 0;
  uint16_t card = 0;
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 2);
  t.SetAllMarks(false);
  EXPECT_FALSE(t.HasCursor());
}

}  // namespace
