// Every game's deal for a few numbers against golden/deals.txt, which
// golden/make_deals.py works out from the rules without the engine.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>

#include "app_game_text.h"
#include "game_fixture.h"

namespace {

// "game G deal N" headers, each followed by its table.
std::map<std::pair<int, uint32_t>, std::string> readGolden() {
  std::ifstream in(std::string(PELLWYN_SOURCE_DIR) + "/tests/game/golden/deals.txt");
  std::map<std::pair<int, uint32_t>, std::string> deals;
  std::string line;
  std::pair<int, uint32_t> key{0, 0};
  while (std::getline(in, line)) {
    int game = 0;
    unsigned long deal = 0;
    if (std::sscanf(line.c_str(), "game %d deal %lu", &game, &deal) == 2) {
      key = {game, static_cast<uint32_t>(deal)};
      continue;
    }
    deals[key] += line + "\n";
  }
  return deals;
}

TEST(GoldenDeals, EveryGameDealsAsTheRulesSay) {
  const auto golden = readGolden();
  ASSERT_EQ(golden.size(), 36u);
  for (const auto& [key, table] : golden) {
    game_test::Table t(key.first, key.second);
    EXPECT_EQ(describePiles(*t.game), table) << "game " << key.first << " deal " << key.second;
  }
}

}  // namespace
