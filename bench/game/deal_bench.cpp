#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>

#include "app_random.h"

namespace {

void BM_DealNext(benchmark::State& state) {
  CAppRandom random;
  random.seed(4711);
  for (auto _ : state) {
    benchmark::DoNotOptimize(random.next());
  }
}
BENCHMARK(BM_DealNext);

void BM_StdMinstdNext(benchmark::State& state) {
  std::minstd_rand random(4711);
  for (auto _ : state) {
    benchmark::DoNotOptimize(random());
  }
}
BENCHMARK(BM_StdMinstdNext);

// A two-deck deal, generator set-up included, as the game does before each deal.
void BM_ShuffleDeal104(benchmark::State& state) {
  std::array<int, 104> cards{};
  std::iota(cards.begin(), cards.end(), 0);
  uint32_t deal = 1;
  for (auto _ : state) {
    shuffleDeal(deal++, std::span<int>(cards));
    benchmark::DoNotOptimize(cards.data());
  }
}
BENCHMARK(BM_ShuffleDeal104);

void BM_StdShuffle104(benchmark::State& state) {
  std::array<int, 104> cards{};
  std::iota(cards.begin(), cards.end(), 0);
  uint32_t deal = 1;
  for (auto _ : state) {
    std::mt19937 random(deal++);
    std::shuffle(cards.begin(), cards.end(), random);
    benchmark::DoNotOptimize(cards.data());
  }
}
BENCHMARK(BM_StdShuffle104);

}  // namespace
