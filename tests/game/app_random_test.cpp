#include "app_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <numeric>
#include <vector>

namespace {

// The generator written as its recurrence: x[n] = x[n-55] + x[n-24] over the
// 55 seeded values, each output being the new value shifted down by 6.
std::vector<uint32_t> referenceSequence(uint32_t seed, int count) {
  constexpr uint32_t mask = 0x3FFFFFFF;
  std::vector<uint32_t> x = {seed & mask, 1};
  while (x.size() < 55) {
    x.push_back((x[x.size() - 2] + x[x.size() - 1]) & mask);
  }
  std::vector<uint32_t> out;
  for (int t = 0; t < count; ++t) {
    const size_t n = x.size();
    x.push_back((x[n - 55] + x[n - 24]) & mask);
    out.push_back(x.back() >> 6);
  }
  return out;
}

TEST(AppRandom, FirstValueAddsEntryThirtyOneToTheSeed) {
  // Seed 0 fills the table with the Fibonacci numbers; seed 1 with them
  // shifted by one place.
  struct Case {
    uint32_t seed;
    uint32_t first;
  };
  for (const Case c : {Case{0, 1346269U >> 6}, Case{1, (1U + 2178309U) >> 6}}) {
    CAppRandom random;
    random.seed(c.seed);
    EXPECT_EQ(random.next(), c.first) << "seed " << c.seed;
  }
  CAppRandom unseeded;
  EXPECT_EQ(unseeded.next(), 1346269U >> 6);
}

TEST(AppRandom, FollowsItsRecurrenceAcrossSeveralTableWraps) {
  for (const uint32_t seed : {1U, 4711U, 9999999U, 0xFFFFFFFFU}) {
    CAppRandom random;
    random.seed(seed);
    const std::vector<uint32_t> expected = referenceSequence(seed, 300);
    for (size_t t = 0; t < expected.size(); ++t) {
      ASSERT_EQ(random.next(), expected[t]) << "seed " << seed << " step " << t;
    }
  }
}

TEST(AppRandom, OnlyThirtyBitsOfTheSeedCount) {
  CAppRandom a;
  CAppRandom b;
  a.seed(12345);
  b.seed(12345 + 0x40000000U);
  for (int k = 0; k < 100; ++k) {
    ASSERT_EQ(a.next(), b.next());
  }
}

TEST(AppRandom, ReseedingRestartsTheSequence) {
  CAppRandom random;
  random.seed(77);
  const uint32_t first = random.next();
  random.next();
  random.seed(77);
  EXPECT_EQ(random.next(), first);
}

TEST(AppRandom, DrawEdgeCases) {
  CAppRandom random;
  CAppRandom twin;
  random.seed(99);
  twin.seed(99);
  // Zero draws nothing and leaves the generator where it was.
  EXPECT_EQ(random.draw(0), 0U);
  EXPECT_EQ(random.next(), twin.next());
  for (int k = 0; k < 200; ++k) {
    EXPECT_EQ(random.draw(1), 0U);
    twin.next();
  }
  // A negative bound draws as its magnitude.
  for (int k = 0; k < 200; ++k) {
    ASSERT_EQ(random.draw(-5), twin.draw(5));
  }
  // The most negative bound has no magnitude in 32 signed bits.
  for (int k = 0; k < 50; ++k) {
    EXPECT_LT(random.draw(INT_MIN), 0x80000000U);
  }
}

TEST(AppRandom, DrawStaysBelowItsBound) {
  CAppRandom random;
  random.seed(3);
  for (const int32_t n : {2, 3, 13, 52, 104, 1000, 1 << 24, (1 << 24) + 1, INT_MAX}) {
    for (int k = 0; k < 100; ++k) {
      ASSERT_LT(random.draw(n), static_cast<uint32_t>(n)) << "bound " << n;
    }
  }
}

TEST(AppRandom, DrawOfThreeFavoursZero) {
  // The value is masked with 3 and then reduced by 3, so 0 comes from both
  // 0 and 3.
  CAppRandom random;
  random.seed(2024);
  std::array<int, 3> counts = {};
  for (int k = 0; k < 6000; ++k) {
    ++counts[random.draw(3)];
  }
  EXPECT_GT(counts[0], counts[1] * 17 / 10);
  EXPECT_GT(counts[0], counts[2] * 17 / 10);
  EXPECT_LT(counts[0], counts[1] * 23 / 10);
  EXPECT_LT(counts[0], counts[2] * 23 / 10);
}

std::vector<int> shuffled(uint32_t deal, int count) {
  std::vector<int> cards(count);
  std::iota(cards.begin(), cards.end(), 0);
  shuffleDeal(deal, std::span<int>(cards));
  return cards;
}

TEST(AppShuffle, ADealIsAPermutationThatDependsOnlyOnItsNumber) {
  for (const int count : {52, 104}) {
    const std::vector<int> deal = shuffled(1, count);
    std::vector<int> sorted = deal;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> identity(count);
    std::iota(identity.begin(), identity.end(), 0);
    EXPECT_EQ(sorted, identity);
    EXPECT_NE(deal, identity);
    EXPECT_EQ(shuffled(1, count), deal);
    EXPECT_NE(shuffled(2, count), deal);
    EXPECT_EQ(shuffled(1 + 0x40000000U, count), deal);
  }
}

TEST(AppShuffle, SwapsTheTwoDrawnEntriesOfEachStep) {
  // Two cards: every draw(2) is the low bit of a value, and each step swaps
  // exactly when its two bits differ.
  for (const uint32_t deal : {1U, 2U, 3U, 4U, 5U}) {
    const std::vector<uint32_t> values = referenceSequence(deal, 4);
    std::array<char, 2> expected = {'a', 'b'};
    for (int step = 0; step < 2; ++step) {
      std::swap(expected[values[2 * step] & 1], expected[values[2 * step + 1] & 1]);
    }
    std::array<char, 2> cards = {'a', 'b'};
    shuffleDeal(deal, std::span<char>(cards));
    EXPECT_EQ(cards, expected) << "deal " << deal;
  }
}

TEST(AppShuffle, EmptyAndSingleDecksStayAsTheyAre) {
  EXPECT_TRUE(shuffled(5, 0).empty());
  EXPECT_EQ(shuffled(5, 1), std::vector<int>{0});
}

}  // namespace
