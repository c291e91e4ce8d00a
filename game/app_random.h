// The deal generator: an additive lagged generator whose sequence depends on
// nothing but its seed, so that a deal number gives the same deal everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

class CAppRandom {
 public:
  static constexpr int kTableSize = 55;

  CAppRandom();

  // Only the low 30 bits of the seed count.
  void seed(uint32_t s);
  // The next 24-bit value.
  uint32_t next();
  // A value in 0 .. |n| - 1 (0 for n = 0, without stepping the generator).
  // The masked value is reduced modulo |n|, so small values are favoured
  // when |n| is not a power of two; deals depend on exactly this.
  uint32_t draw(int32_t n);

 private:
  uint32_t i_ = 0;
  uint32_t j_ = 0;
  uint32_t table_[kTableSize] = {};
};

// Shuffles a deal's cards in place: for each position, two drawn entries
// swap places. The result depends only on the deal number and the order the
// cards arrive in.
template <typename Card>
void shuffleDeal(uint32_t dealNumber, std::span<Card> cards) {
  CAppRandom random;
  random.seed(dealNumber);
  const auto count = static_cast<int32_t>(cards.size());
  for (int32_t k = 0; k < count; ++k) {
    const uint32_t a = random.draw(count);
    const uint32_t b = random.draw(count);
    std::swap(cards[a], cards[b]);
  }
}
