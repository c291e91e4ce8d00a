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

void Arrange(SolRuleSet& rules, const Layout& layout) {
  uint32_t game = 1;
  if (!rules.HasGame()) rules.Deal(game);
  std::vector<uint8_t> blob = rules.EncodeGame(game);
  const size_t cards = rules.CardCount();
  for (size_t p = 0; p < rules.PileCount(); ++p) {
    const size_t at = 6 + 8 * cards + 32 * p + 10;
    const size_t n = p < layout.size() ? layout[p].size() : 0;
    blob[at] = static_cast<uint8_t>(n);
    blob[at + 1] = static_cast<uint8_t>(n >> 8);
    for (size_t i = 0; i < n; ++i) {
      const auto [card, up] = layout[p][i];
      uint8_t* s = blob.data() + 6 + 8 * static_cast<size_t>(card);
      s[0] = up ? 1 : 0;
      s[4] = static_cast<uint8_t>(p);
      s[5] = static_cast<uint8_t>(p >> 8);
      s[6] = static_cast<uint8_t>(i);
      s[7] = static_cast<uint8_t>(i >> 8);
    }
  }
  // The counters start again: each at its initial value.
  const size_t table = 6 + 8 * cards + 32 * rules.PileCount();
  const size_t counters = table + 2 + 4 * static_cast<size_t>(blob[table] | blob[table + 1] << 8);
  for (size_t k = 0; k < rules.Counters().size(); ++k) {
    const int16_t initial = rules.Rules().counters[k].initial;
    blob[counters + 4 * k] = static_cast<uint8_t>(initial);
    blob[counters + 4 * k + 1] = static_cast<uint8_t>(initial >> 8);
  }
  // Drop the history: m = 0 and no records.
  const size_t m = blob.size() - 4 * rules.History()->Count() * 4;
  blob.resize(m);
  for (int i = 1; i <= 4; ++i) blob[m - static_cast<size_t>(i)] = 0;
  ASSERT_TRUE(rules.DecodeGame(blob.data(), blob.size(), game)) << "layout does not place every card once";
  // As after a deal: the opening events and the accept flags.
  bool started = false;
  rules.RunAutomatic(true, false, started);
  rules.RefreshAccept(false);
}

std::vector<uint8_t> SmallSet(size_t cards, std::vector<uint16_t> deal, std::vector<SolDealSwap> swaps,
                              std::vector<SolDealFlip> flips) {
  SolRuleData d;
  d.name = "Test";
  for (size_t i = 0; i < cards; ++i) d.cards.push_back({0, static_cast<uint8_t>(i % 4 + 1), static_cast<uint8_t>(i % 13 + 1)});
  for (uint16_t n : deal) {
    SolPileDef pile{};
    pile.dealCount = n;
    pile.enabled = 1;
    d.piles.push_back(pile);
  }
  d.expressions = {{kOpPush, 1, kOpPush}};
  d.eventKinds = {kSolEventManual};
  d.moveTable = {{kSolAnyPile, kSolAnyPile}};
  d.swaps = std::move(swaps);
  d.flips = std::move(flips);
  return SolWriteRuleData(d);
}
