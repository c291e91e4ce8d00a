#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "soldb_show.h"

namespace {

TEST(SoldbShow, DealtLayoutAndMoves) {
  std::ifstream in(std::string(PELLWYN_BINARY_DIR) + "/data/carrowin/klondike.soldb", std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  SolRuleSet rules;
  ASSERT_TRUE(rules.Load(bytes.data(), bytes.size(), SolScreen{}));
  uint32_t game = 1;
  rules.StartGame(game);
  const std::string layout = SolLayoutText(rules);
  // Game 1 deals definition 24 (queen of hearts) first, face down, to the stock.
  EXPECT_EQ(layout.rfind("p0: [QH] [JD] [KS] [5D] [4D] [4H] [6D] [AS] ", 0), 0u) << layout;
  EXPECT_NE(layout.find("\np1: AD 8H TD\n"), std::string::npos) << layout;
  EXPECT_EQ(SolMovesText(rules), "tap p0\ncard 48 (TD in p1) -> p2\n");
}

}  // namespace
