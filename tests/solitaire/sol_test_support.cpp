#include "sol_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

std::vector<uint8_t> ShippedSet(const std::string& name) {
  std::ifstream in(std::string(PELLWYN_BINARY_DIR) + "/data/carrowin/" + name + ".soldb", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void LoadShipped(SolRuleSet& rules, const std::string& name) {
  const std::vector<uint8_t> bytes = ShippedSet(name);
  std::string error;
  ASSERT_TRUE(rules.Load(bytes.data(), bytes.size(), SolScreen{}, &error)) << name << ": " << error;
}

namespace {

template <class T>
void Put(std::vector<uint8_t>& out, const std::vector<T>& items) {
  const size_t at = out.size();
  out.resize(at + items.size() * sizeof(T) + sizeof(size_t));
  const size_t n = items.size();
  std::memcpy(out.data() + at, &n, sizeof n);
  if (n) std::memcpy(out.data() + at + sizeof n, items.data(), n * sizeof(T));
}

}  // namespace

GameSnapshot::GameSnapshot(const SolRuleSet& rules) {
  Put(bytes, rules.Cards());
  Put(bytes, rules.Piles());
  Put(bytes, rules.MoveTable());
  Put(bytes, rules.Counters());
  bytes.push_back(rules.Finished() ? 1 : 0);
}

bool PlayStep(SolRuleSet& rules, const SolMove& move) {
  const bool done = move.to == kSolAnyPile ? rules.TapPile(move.from) : rules.TryMove(move.from, move.to);
  if (done) rules.RunAutomaticMoves();
  return done;
}

std::vector<std::vector<int>> PileContents(const SolRuleSet& rules) {
  std::vector<std::vector<int>> piles(rules.PileCount());
  for (size_t p = 0; p < piles.size(); ++p) piles[p].assign(static_cast<size_t>(rules.Piles()[p].count), -1);
  for (size_t c = 0; c < rules.CardCount(); ++c) {
    const SolCardState& s = rules.Cards()[c];
    piles[s.pile][static_cast<size_t>(s.position)] = static_cast<int>(c);
  }
  return piles;
}
