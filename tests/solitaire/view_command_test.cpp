// View commands: the actions that change the screen, the selection of cards
// in a pile (the same range the rule engine moves) and where a run lands.
#include <gtest/gtest.h>

#include "sol_view_command.h"

namespace {

TEST(SolViewCommand, OnlyActionsWithAViewEffectAppendACommand) {
  SolViewCommandList list;
  SolAddViewCommand({kSolActMove, 1, 3, 0, 2, 5, 1, 0, 0, 0}, list);
  SolAddViewCommand({kSolActCardFlag, 0, 3, 0, 0, 0, 0, kSolFlagFaceUp, 0, 1}, list);
  SolAddViewCommand({kSolActCardFlag, 0, 3, 0, 0, 0, 0, kSolFlagPick, 0, 1}, list);
  SolAddViewCommand({kSolActPileField, 0, 4, 0, 0, 0, 0, kSolFieldActive, 0, 0}, list);
  SolAddViewCommand({kSolActPileField, 0, 4, 0, 0, 0, 0, kSolFieldDropExpr, 0, 0}, list);
  SolAddViewCommand({kSolActPileField, 0, 4, 0, 0, 0, 0, kSolFieldShuffle, 0, 7}, list);
  SolAddViewCommand({kSolActForbid, 0, 4, 0, 0, 0, 0, 0, 0, 0}, list);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].kind, kSolViewMove);
  EXPECT_EQ(list[0].target, 5);
  EXPECT_EQ(list[1].kind, kSolViewFace);
  EXPECT_EQ(list[1].target, 1);
  EXPECT_EQ(list[2].kind, kSolViewShow);
  EXPECT_EQ(list[3].kind, kSolViewShuffle);
  EXPECT_EQ(list[3].value, 7);
}

TEST(SolViewCommand, SelectionsOfTheThreeModes) {
  struct Case {
    int mode, a, b, n, start, count;
  };
  const Case cases[] = {
      {0, 2, 1, 6, 2, 3},   // from 2, leaving the top card
      {1, 1, 2, 6, 3, 2},   // two cards under the top one
      {2, 1, 3, 6, 1, 3},   // three cards from 1
      {1, 2, 9, 6, 0, 4},   // more asked than lie under the top two: those that do
      {2, 4, 9, 6, 4, 2},   // cut at the top
      {0, 9, 0, 6, 6, 0},   // nothing
      {7, 0, 1, 6, 0, 0},   // unknown mode
  };
  for (const Case& c : cases) {
    int start = -1;
    int count = -1;
    SolSelectRange(c.mode, c.a, c.b, c.n, start, count);
    EXPECT_EQ(start, c.start) << c.mode << " " << c.a << " " << c.b;
    EXPECT_EQ(count, c.count) << c.mode << " " << c.a << " " << c.b;
  }
}

TEST(SolViewCommand, TargetPositions) {
  EXPECT_EQ(SolTargetPosition(1, 0, 5, 2, false, 0), 5);   // on top
  EXPECT_EQ(SolTargetPosition(1, 1, 5, 2, false, 0), 4);   // under the top card
  EXPECT_EQ(SolTargetPosition(1, 0, 5, 2, true, 3), 3);    // same pile: the run left first
  EXPECT_EQ(SolTargetPosition(2, 1, 5, 2, false, 0), 1);   // fixed
  EXPECT_EQ(SolTargetPosition(2, 9, 5, 2, false, 0), 5);   // never past the top
  EXPECT_EQ(SolTargetPosition(0, 0, 5, 2, false, 2), 2);   // other modes: where the run started
}

}  // namespace
