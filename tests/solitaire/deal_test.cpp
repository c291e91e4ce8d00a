#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "sol_test_support.h"
#include "param_name.h"

namespace {

TEST(Deal, KlondikeGameOneAnchor) {
  SolRuleSet rules;
  LoadShipped(rules, "klondike");
  uint32_t game = 1;
  rules.Deal(game);
  const std::vector<int> expected = {24, 49, 12, 43, 42, 16, 44, 0};
  const std::vector<int> stock = PileContents(rules)[0];
  EXPECT_EQ(std::vector<int>(stock.begin(), stock.begin() + 8), expected);
}

TEST(Deal, SameNumberSameDealAndRandomNumberWrittenBack) {
  SolRuleSet rules;
  LoadShipped(rules, "spider");
  uint32_t a = 4242, b = 4242;
  rules.Deal(a);
  const GameSnapshot first(rules);
  rules.Deal(b);
  EXPECT_TRUE(GameSnapshot(rules) == first);
  uint32_t random = 0;
  rules.Deal(random);
  EXPECT_NE(random, 0u);
  const GameSnapshot drawn(rules);
  uint32_t again = random;
  rules.Deal(again);
  EXPECT_EQ(again, random);
  EXPECT_TRUE(GameSnapshot(rules) == drawn);
}

struct DealShape {
  const char* set;
  std::vector<int> counts;
  std::vector<int> faceUp;  // face-up cards per pile after the deal's flips
};

const DealShape kShapes[] = {
    {"klondike", {21, 3, 1, 2, 3, 4, 5, 6, 7, 0, 0, 0, 0}, {0, 3, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0}},
    {"klondike_limited", {21, 3, 1, 2, 3, 4, 5, 6, 7, 0, 0, 0, 0}, {0, 3, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0}},
    {"klondike_one_card", {23, 1, 1, 2, 3, 4, 5, 6, 7, 0, 0, 0, 0}, {0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0}},
    {"klondike_ii", {23, 1, 1, 2, 3, 4, 5, 6, 7, 0, 0, 0, 0}, {0, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0}},
    {"spider", {50, 6, 6, 6, 6, 5, 5, 5, 5, 5, 5, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
};

void PrintTo(const DealShape& s, std::ostream* os) { *os << s.set; }

class DealShapes : public testing::TestWithParam<DealShape> {};

// Every card placed once, the piles filled as the set says, top cards of the
// tableau face up, and each pile's face-up cards on top.
TEST_P(DealShapes, PilesAndFaces) {
  SolRuleSet rules;
  LoadShipped(rules, GetParam().set);
  for (uint32_t game : {1u, 2u, 77u, 0xFFFFFFFFu}) {
    rules.Deal(game);
    const std::vector<std::vector<int>> piles = PileContents(rules);
    for (size_t p = 0; p < piles.size(); ++p) {
      ASSERT_EQ(static_cast<int>(piles[p].size()), GetParam().counts[p]) << "pile " << p;
      int up = 0;
      for (size_t i = 0; i < piles[p].size(); ++i) {
        ASSERT_GE(piles[p][i], 0);
        const bool faceUp = rules.Cards()[static_cast<size_t>(piles[p][i])].faceUp;
        up += faceUp;
        if (faceUp) {
          EXPECT_GE(i + GetParam().faceUp[p], piles[p].size()) << "a face-up card under a face-down one";
        }
      }
      EXPECT_EQ(up, GetParam().faceUp[p]) << "pile " << p;
      if (!piles[p].empty()) {
        EXPECT_TRUE(rules.Cards()[static_cast<size_t>(piles[p].back())].accept);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Deal, DealShapes, testing::ValuesIn(kShapes), test_names::ByField<&DealShape::set>{});

TEST(Deal, ProbeStepsAndEmptyPiles) {
  // 14 cards (a multiple of 7) probe with step 11; 7*11*13*17 cards with step 1.
  for (size_t n : {14u, 77u, 17017u}) {
    SolRuleSet rules;
    const std::vector<uint8_t> set = SmallSet(n, {0, static_cast<uint16_t>(n - 3), 0, 3});
    ASSERT_TRUE(rules.Load(set.data(), set.size(), SolScreen{})) << n;
    uint32_t game = 5;
    rules.Deal(game);
    const std::vector<std::vector<int>> piles = PileContents(rules);
    EXPECT_EQ(piles[0].size(), 0u);
    EXPECT_EQ(piles[1].size(), n - 3);
    EXPECT_EQ(piles[2].size(), 0u);
    EXPECT_EQ(piles[3].size(), 3u);
    for (const auto& p : piles) {
      for (int c : p) ASSERT_GE(c, 0);
    }
  }
}

// A set of fewer cards than the probe step goes round its cards as often as
// it must: every card is dealt once and nothing is read outside the cards.
TEST(Deal, FewerCardsThanTheProbeStep) {
  for (size_t n = 1; n <= 6; ++n) {
    SolRuleSet rules;
    const std::vector<uint8_t> set = SmallSet(n, {static_cast<uint16_t>(n)});
    ASSERT_TRUE(rules.Load(set.data(), set.size(), SolScreen{})) << n;
    for (uint32_t game = 1; game <= 40; ++game) {
      uint32_t number = game;
      rules.Deal(number);
      std::vector<int> dealt = PileContents(rules)[0];
      std::sort(dealt.begin(), dealt.end());
      std::vector<int> all(n);
      std::iota(all.begin(), all.end(), 0);
      ASSERT_EQ(dealt, all) << n << " cards, game " << game;
    }
  }
}

TEST(Deal, SwapsAndFlips) {
  SolRuleSet rules;
  std::vector<uint8_t> set = SmallSet(8, {4, 4});
  ASSERT_TRUE(rules.Load(set.data(), set.size(), SolScreen{}));
  uint32_t game = 3;
  rules.Deal(game);
  const std::vector<std::vector<int>> plain = PileContents(rules);
  // A swap naming the card already in place changes nothing; another brings
  // the named card there.
  const uint16_t there = static_cast<uint16_t>(plain[1][2]);
  const uint16_t other = static_cast<uint16_t>(plain[0][0]);
  set = SmallSet(8, {4, 4}, {{1, there, 2}, {1, other, 3}}, {{0, 1}});
  ASSERT_TRUE(rules.Load(set.data(), set.size(), SolScreen{}));
  rules.Deal(game);
  const std::vector<std::vector<int>> swapped = PileContents(rules);
  EXPECT_EQ(swapped[1][2], there);
  EXPECT_EQ(swapped[1][3], other);
  EXPECT_EQ(swapped[0][0], plain[1][3]);
  EXPECT_TRUE(rules.Cards()[static_cast<size_t>(swapped[0][1])].faceUp);
  EXPECT_FALSE(rules.Cards()[static_cast<size_t>(swapped[0][2])].faceUp);
}

}  // namespace
