// A whole FreeCell game won through the pen (tap a card, tap its target),
// then taken back to the deal and replayed to the win, move by move. The
// moves were found by a solver written apart from the engine, on the deal
// that golden/make_deals.py gives for number 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "app_game_text.h"
#include "game_fixture.h"

namespace {

using game_test::Table;

// (pile tapped first, pile tapped second): columns are piles 4-11, cells
// 12-15, foundations 0-3.
const std::pair<int, int> kFreecellDeal1[] = {
    {4, 8},  {11, 4},  {11, 10}, {6, 11},  {6, 0},   {5, 12}, {6, 5},   {6, 4},   {9, 13}, {9, 6},  {9, 4},   {6, 10},
    {6, 14}, {6, 7},   {5, 6},   {5, 7},   {6, 7},   {5, 6},  {5, 1},   {6, 15},  {13, 6}, {5, 6},  {9, 7},   {9, 13},
    {5, 9},  {11, 5},  {11, 6},  {5, 6},   {12, 5},  {8, 4},  {11, 12}, {11, 4},  {11, 7}, {8, 11}, {8, 11},  {13, 8},
    {5, 13}, {14, 5},  {10, 5},  {10, 14}, {10, 4},  {14, 4}, {15, 10}, {5, 4},   {5, 14}, {13, 5}, {10, 13}, {10, 5},
    {13, 5}, {10, 13}, {10, 11}, {10, 2},  {10, 8},  {13, 8}, {10, 6},  {9, 10},  {9, 13}, {9, 1},  {14, 1},  {13, 9},
    {10, 9}, {8, 10},  {8, 1},   {11, 1},  {8, 13},  {8, 1},  {8, 14},  {8, 2},   {8, 5},  {12, 5}, {8, 9},   {4, 8},
    {4, 2},  {11, 12}, {11, 1},  {11, 6},  {12, 11}, {4, 12}, {4, 11},  {12, 11}, {4, 12}, {4, 6},  {12, 6},  {4, 12},
    {4, 15}, {4, 9},   {15, 9},  {12, 9},  {4, 12},  {4, 3},  {4, 0},   {7, 0},   {12, 0}, {13, 0}, {7, 2},   {8, 3},
    {10, 3}, {11, 3},  {7, 3},   {6, 3},   {11, 2},  {7, 2},  {6, 2},   {11, 0},  {7, 0},  {7, 2},  {7, 1},   {7, 3},
    {6, 3},  {5, 3},   {6, 1},   {5, 1},   {9, 0},   {7, 0},  {6, 0},   {5, 0},   {6, 1},  {4, 1},  {6, 0},   {6, 1},
    {9, 2},  {9, 3},   {14, 3},  {7, 4},   {7, 2},   {9, 2},  {5, 2},   {5, 0},   {9, 3},  {4, 3},  {9, 2}};

// The table part of the saved game without the undo counter.
std::vector<uint8_t> table(const Table& t) {
  std::vector<uint8_t> bytes = t.save();
  bytes.resize(bytes.size() - 23);
  const size_t history = bytes.size() - 4 - CAppGameState::kSavedMoveSize * t.game->state().undoSize();
  bytes[history] = bytes[history + 1] = 0;
  return bytes;
}

TEST(ScriptedWin, FreecellDealOneIsWonThroughThePenAndTakenBackWhole) {
  Table t(kGameFreecell, 1);
  t.services.settings().options[kGameFreecell - 1][kOptionOneTouch] = 0;
  const std::string dealt = describePiles(*t.game);
  const std::vector<uint8_t> start = table(t);
  size_t moves = 0;
  for (const auto& [from, to] : kFreecellDeal1) {
    ASSERT_FALSE(t.game->isWon());
    t.tap(from);
    ASSERT_EQ(t.game->inHand().count(), 1) << "move " << moves;
    t.tap(to);
    ASSERT_EQ(t.game->inHand().count(), 0) << "move " << moves;
    ASSERT_EQ(t.game->state().undoSize(), ++moves) << "move " << moves;
    ASSERT_TRUE(t.services.forms.empty()) << "no moves reported after move " << moves << "\n" << describePiles(*t.game);
  }
  ASSERT_TRUE(t.game->isWon());
  EXPECT_TRUE(t.game->isFinished());
  EXPECT_TRUE(t.game->isEndAnimationRunning());
  ASSERT_EQ(t.services.results.size(), 1u);
  EXPECT_EQ(t.services.results[0].type, kGameFreecell);
  EXPECT_EQ(t.services.results[0].won, 1);
  EXPECT_EQ(t.services.results[0].hints, 0);
  EXPECT_EQ(t.services.results[0].undoCount, 0);
  EXPECT_EQ(t.services.settings().dealNumber[kGameFreecell - 1], 2u);
  EXPECT_EQ(t.services.discarded, std::vector<int>{kGameFreecell - 1});
  EXPECT_EQ(
      std::count_if(t.services.sounds.begin(), t.services.sounds.end(), [](const auto& s) { return s.id == 4008; }), 1);

  const std::vector<uint8_t> won = table(t);
  for (size_t i = 0; i < moves; ++i) t.game->state().undo();
  EXPECT_EQ(table(t), start);
  EXPECT_EQ(describePiles(*t.game), dealt);
  EXPECT_EQ(t.game->state().undoCount(), moves);
  for (size_t i = 0; i < moves; ++i) t.game->state().redo();
  EXPECT_EQ(table(t), won);
  EXPECT_TRUE(t.game->isWon());
}

}  // namespace
