// Undo and redo over seeded random play in all twelve games: each undo gives
// back the saved game of the position before the command, redo all gives
// back the final position, and a new move empties the redo list. The same
// play checks the saved game's round trip.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "app_game_text.h"
#include "game_fixture.h"

namespace {

using game_test::Table;

// One random command through the pen: a tap on a pile, and, when cards are
// then carried, a tap on another pile (or the same one) to drop them.
bool randomCommand(Table& t, std::mt19937& rng) {
  const int piles = t.game->pileCount();
  std::uniform_int_distribution<int> pick(0, piles - 1);
  const size_t before = t.game->state().undoSize();
  const int from = pick(rng);
  t.tap(from);
  if (t.game->inHand().count() > 0) t.tap(pick(rng));
  if (t.game->inHand().count() > 0) t.game->returnCarriedCards();
  return t.game->state().undoSize() != before;
}

class HistoryTest : public ::testing::TestWithParam<int32_t> {
 protected:
  void playAndTakeBack(uint8_t autoMoves);
};

TEST_P(HistoryTest, UndoRestoresEachPositionAndRedoTheLast) { playAndTakeBack(0); }

TEST_P(HistoryTest, AutomaticMovesGoBackWithTheMoveBeforeThem) { playAndTakeBack(1); }

TEST_P(HistoryTest, SafeAutomaticMovesGoBackWithTheMoveBeforeThem) { playAndTakeBack(2); }

void HistoryTest::playAndTakeBack(uint8_t autoMoves) {
  int newMoves = 0;
  for (uint32_t deal : {1u, 78u, 4242u}) {
    Table t(GetParam(), deal);
    t.services.settings().options[GetParam() - 1][kOptionAutoMoves] = autoMoves;
    std::mt19937 rng(deal);
    std::vector<std::vector<uint8_t>> positions{t.position()};
    std::vector<std::string> texts{describePiles(*t.game)};
    for (int tries = 0; tries < 400 && positions.size() < 40; ++tries) {
      if (randomCommand(t, rng)) {
        positions.push_back(t.position());
        texts.push_back(describePiles(*t.game));
      }
    }
    ASSERT_GT(positions.size(), 1u) << "no move was made in deal " << deal;
    const std::vector<uint8_t> last = positions.back();
    // Round trip of a game in progress: write, read into a fresh game, write.
    {
      Table fresh(GetParam(), deal + 1);
      ASSERT_EQ(fresh.load(t.save()), 0);
      EXPECT_EQ(fresh.save(), t.save());
      EXPECT_EQ(fresh.game->state().redoSize(), 0u);
    }
    int undone = 0;
    for (size_t k = positions.size() - 1; k > 0 && t.game->state().undoSize() > 0; --k) {
      t.game->state().undo();
      ++undone;
      EXPECT_EQ(t.position(), positions[k - 1]) << "undo " << undone << " of deal " << deal;
      if (t.position() != positions[k - 1]) {
        size_t at = 0;
        const auto& a = t.position();
        const auto& b = positions[k - 1];
        while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
        ADD_FAILURE() << "first difference at " << at << " of " << a.size() << "/" << b.size() << "\nwas\n"
                      << texts[k] << "want\n"
                      << texts[k - 1] << "got\n"
                      << describePiles(*t.game);
        return;
      }
    }
    EXPECT_EQ(t.game->state().undoSize(), 0u);
    while (t.game->state().redoSize() > 0) t.game->state().redo();
    EXPECT_EQ(t.position(), last) << "redo of deal " << deal;
    // Undo one, then a new move: the redo list is gone.
    t.game->state().undo();
    ASSERT_GT(t.game->state().redoSize(), 0u);
    bool moved = false;
    for (int tries = 0; tries < 400 && !moved; ++tries) moved = randomCommand(t, rng);
    if (!moved) continue;  // the only open move was the one taken back
    ++newMoves;
    EXPECT_EQ(t.game->state().redoSize(), 0u);
  }
  EXPECT_GT(newMoves, 0);
}

std::string gameName(const ::testing::TestParamInfo<int32_t>& info) {
  static const char* const kNames[] = {"Klondike", "Freecell", "Spider",      "Calc",  "Golf",   "Idiot",
                                       "Canfield", "Clock",    "FourCorners", "Yukon", "Sultan", "Pyramid"};
  return kNames[info.param - 1];
}

INSTANTIATE_TEST_SUITE_P(AllGames, HistoryTest, ::testing::Range(1, 13), gameName);

}  // namespace
