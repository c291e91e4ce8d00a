#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <random>

#include "rules_checker.h"
#include "sol_ruleset.h"

namespace {

std::unique_ptr<SolRuleSet> Load(const char* set) {
  std::ifstream in(std::string(PELLWYN_BINARY_DIR) + "/data/carrowin/" + set + ".soldb", std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  auto rules = std::make_unique<SolRuleSet>();
  if (!rules->Load(bytes.data(), bytes.size(), SolScreen{})) std::abort();
  return rules;
}

bool Step(SolRuleSet& rules, const SolMove& m) {
  const bool done = m.to == kSolAnyPile ? rules.TapPile(m.from) : rules.TryMove(m.from, m.to);
  if (done) rules.RunAutomaticMoves();
  return done;
}

// Plays `steps` moves chosen by a fixed random sequence; stops early when no
// move is left.
void Play(SolRuleSet& rules, int steps, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<SolMove> moves;
  for (int i = 0; i < steps; ++i) {
    rules.ListMoves(moves);
    if (moves.empty()) return;
    Step(rules, moves[random() % moves.size()]);
  }
}

// Positions: Klondike game 1 after the deal; Spider game 1 after 60 moves;
// a Klondike II game played until no move is left (the no-move worst case).
std::unique_ptr<SolRuleSet> Position(const std::string& which) {
  if (which == "klondike_deal") {
    auto rules = Load("klondike");
    uint32_t game = 1;
    rules->StartGame(game);
    return rules;
  }
  if (which == "spider_mid") {
    auto rules = Load("spider");
    uint32_t game = 1;
    rules->StartGame(game);
    Play(*rules, 60, 7);
    return rules;
  }
  auto rules = Load("klondike_ii");
  for (uint32_t game = 1;; ++game) {
    uint32_t number = game;
    rules->StartGame(number);
    Play(*rules, 2000, game);
    std::vector<SolMove> moves;
    rules->ListMoves(moves);
    if (moves.empty()) return rules;
  }
}

RulesChecker CheckerFor(const std::string& which) {
  if (which == "spider_mid") return RulesChecker::Spider();
  return which == "klondike_deal" ? RulesChecker::Klondike(3, -1) : RulesChecker::Klondike(1, 0);
}

void BM_EngineListMoves(benchmark::State& state, const std::string& which) {
  const auto rules = Position(which);
  std::vector<SolMove> moves;
  for (auto _ : state) {
    rules->ListMoves(moves);
    benchmark::DoNotOptimize(moves.data());
  }
  state.counters["moves"] = static_cast<double>(moves.size());
}

void BM_CheckerListMoves(benchmark::State& state, const std::string& which) {
  const auto rules = Position(which);
  const RulesChecker checker = CheckerFor(which);
  const CheckerPosition pos = RulesChecker::Read(*rules);
  for (auto _ : state) benchmark::DoNotOptimize(checker.Moves(pos));
}

void BM_EngineNoMoveTest(benchmark::State& state, const std::string& which) {
  const auto rules = Position(which);
  uint16_t from, to;
  for (auto _ : state) benchmark::DoNotOptimize(rules->FindMove(0, from, to));
}

void BM_Playout(benchmark::State& state, const char* set) {
  auto rules = Load(set);
  uint32_t game = 1;
  int64_t moves = 0;
  std::mt19937 random(3);
  std::vector<SolMove> list;
  for (auto _ : state) {
    uint32_t number = ++game;
    rules->StartGame(number);
    for (int i = 0; i < 200; ++i) {
      rules->ListMoves(list);
      if (list.empty()) break;
      Step(*rules, list[random() % list.size()]);
      ++moves;
    }
  }
  state.SetItemsProcessed(moves);
}

void BM_Deal(benchmark::State& state, const char* set) {
  auto rules = Load(set);
  uint32_t game = 0;
  for (auto _ : state) {
    uint32_t number = ++game;
    rules->StartGame(number);
  }
}

// One move and its undo, on a Spider position with a long history.
void BM_MoveAndUndo(benchmark::State& state) {
  auto rules = Position("spider_mid");
  std::vector<SolMove> moves;
  rules->ListMoves(moves);
  const SolMove m = moves.back();
  for (auto _ : state) {
    Step(*rules, m);
    rules->UndoStep();
  }
}

BENCHMARK_CAPTURE(BM_EngineListMoves, klondike_deal, std::string("klondike_deal"));
BENCHMARK_CAPTURE(BM_CheckerListMoves, klondike_deal, std::string("klondike_deal"));
BENCHMARK_CAPTURE(BM_EngineListMoves, spider_mid, std::string("spider_mid"));
BENCHMARK_CAPTURE(BM_CheckerListMoves, spider_mid, std::string("spider_mid"));
BENCHMARK_CAPTURE(BM_EngineListMoves, klondike_dead, std::string("klondike_dead"));
BENCHMARK_CAPTURE(BM_EngineNoMoveTest, klondike_dead, std::string("klondike_dead"));
BENCHMARK_CAPTURE(BM_EngineNoMoveTest, spider_mid, std::string("spider_mid"));
BENCHMARK_CAPTURE(BM_Playout, klondike, "klondike");
BENCHMARK_CAPTURE(BM_Playout, spider, "spider");
BENCHMARK_CAPTURE(BM_Deal, klondike, "klondike");
BENCHMARK_CAPTURE(BM_Deal, spider, "spider");
BENCHMARK(BM_MoveAndUndo);

}  // namespace
