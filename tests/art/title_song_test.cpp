// The title song loops without a gap: every pattern in the order list runs
// its full 64 rows, nothing jumps, breaks or stops the song, it starts with
// notes at once and its last bar still plays up to the loop point.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "score.h"

namespace {

TEST(TitleSong, LoopsWithoutAGap) {
  std::ifstream in(PELLWYN_SOURCE_DIR "/data/sound/songs/title.score");
  std::stringstream text;
  text << in.rdbuf();
  Score score;
  std::string error;
  ASSERT_TRUE(parseScore(text.str(), score, error)) << error;
  ASSERT_FALSE(score.orders.empty());
  for (int order : score.orders) {
    ASSERT_GE(order, 0);
    ASSERT_LT(order, static_cast<int>(score.patterns.size()));
    const auto& rows = score.patterns[static_cast<size_t>(order)];
    EXPECT_EQ(rows.size(), 64u) << "pattern " << order;
    for (const auto& row : rows) {
      for (const ScoreCell& cell : row) {
        // A (speed), B (jump), C (break) and note cuts would end or bend the loop.
        EXPECT_TRUE(cell.command < 1 || cell.command > 3) << "pattern " << order;
        EXPECT_NE(cell.note, 254) << "pattern " << order;
      }
    }
  }
  const auto& first = score.patterns[static_cast<size_t>(score.orders.front())];
  bool startsAtOnce = false;
  for (const ScoreCell& cell : first[0]) startsAtOnce = startsAtOnce || cell.note >= 0;
  EXPECT_TRUE(startsAtOnce);
  const auto& last = score.patterns[static_cast<size_t>(score.orders.back())];
  bool playsToTheEnd = false;
  for (size_t row = 60; row < last.size(); ++row) {
    for (const ScoreCell& cell : last[row]) playsToTheEnd = playsToTheEnd || cell.note >= 0;
  }
  EXPECT_TRUE(playsToTheEnd);
}

}  // namespace
