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

TEST(SolTargetSet, PileWiseStepsFromPileToPileAndAlongTheFan) {
  SolTargetSet t = Row();
  t.SetPileWise(true);
  t.PlaceCursor(0, kSolNone);
  uint16_t pile = 0;
  uint16_t card = 0;
  EXPECT_TRUE(t.MoveRight());
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 1);
  EXPECT_EQ(card, 0);         // the marked card nearest to where the cursor was
  EXPECT_TRUE(t.MoveDown());  // down the fan
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 1);
  EXPECT_EQ(card, 1);
  EXPECT_TRUE(t.MoveUp());
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(card, 0);
  EXPECT_TRUE(t.MoveUp());  // past the fan's start: the previous column's pile
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 0);
}

TEST(SolTargetSet, PileWiseWithAPickGoesToTopCardsOrBasesAndBackToThePick) {
  SolTargetSet t;
  t.Add({0, 0, 40, 54}, 0, 0, true);  // the picked card
  t.Add({0, 18, 40, 72}, 0, 1, false);
  t.Add({50, 0, 90, 54}, 1, 0, false);
  t.Add({50, 18, 90, 72}, 1, 1, true);
  t.Add({100, 0, 140, 54}, 2, kSolNone, true);  // an empty pile
  t.SetPileWise(true);
  t.SetPicked(0, 0);
  t.PlaceCursor(0, 0);
  uint16_t pile = 0;
  uint16_t card = 0;
  EXPECT_TRUE(t.MoveRight());
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 1);
  EXPECT_EQ(card, 1);
  // No step along a target pile's fan below its top: up goes to the column before.
  EXPECT_TRUE(t.MoveUp());
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 0);
  EXPECT_EQ(card, 0);
  t.PlaceCursor(1, 1);
  EXPECT_TRUE(t.MoveRight());
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 2);
  EXPECT_EQ(card, kSolNone);
  EXPECT_TRUE(t.MoveRight());  // wraps to the picked card itself
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 0);
  EXPECT_EQ(card, 0);
}

// Two rows: a fanned pile over a wide base, and three cards below.
TEST(SolTargetSet, RowsAndColumnsFollowTheVisibleParts) {
  SolTargetSet t;
  t.Add({0, 0, 40, 54}, 0, 0, true);
  t.Add({0, 15, 40, 69}, 0, 1, true);  // covers all but a 15-pixel strip of card 0
  t.Add({50, 0, 90, 54}, 1, kSolNone, true);
  t.Add({0, 100, 40, 154}, 2, 0, true);
  t.Add({50, 100, 90, 154}, 3, 0, true);
  t.Add({100, 100, 140, 154}, 4, 0, true);
  const SolTargetSet::Bands rows = t.Group(true);
  // Card 1's top (15) lies within the first row's band (0..15, the strip's height).
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<int>{0, 2}));  // of equal lefts the smaller top stays
  EXPECT_EQ(rows[1], (std::vector<int>{3, 4, 5}));
  const SolTargetSet::Bands columns = t.Group(false);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0], (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(columns[1], (std::vector<int>{2, 4}));
  EXPECT_EQ(columns[2], (std::vector<int>{5}));
  // Left from the first target of the first row: the last of the last row.
  t.PlaceCursor(0, 0);
  uint16_t pile = 0;
  uint16_t card = 0;
  EXPECT_TRUE(t.MoveLeft());
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 4);
  // Card 1 is in no row: Right steps from card 0 above it in its column.
  t.PlaceCursor(0, 1);
  EXPECT_TRUE(t.MoveRight());
  ASSERT_TRUE(t.GetCursor(pile, card));
  EXPECT_EQ(pile, 1);
}

TEST(SolTargetSet, NothingMarkedMeansNoCursor) {
  SolTargetSet t = Row();
  t.SetAllMarks(false);
  t.PlaceCursor(0, kSolNone);
  EXPECT_FALSE(t.HasCursor());
  EXPECT_FALSE(t.MoveLeft());
  EXPECT_FALSE(t.MoveDown());
  EXPECT_TRUE(t.Group(true).empty());
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
