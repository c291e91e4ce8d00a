// The rule-set loader and validator on arbitrary bytes; an accepted record
// must also deal and play without faults.
#include <cstdint>
#include <vector>

#include "sol_ruleset.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SolRuleSet rules;
  if (!rules.Load(data, size, SolScreen{128, 128, false})) return 0;
  uint32_t game = 1;
  rules.StartGame(game);
  std::vector<SolMove> moves;
  for (int step = 0; step < 8; ++step) {
    rules.ListMoves(moves);
    if (moves.empty()) break;
    const SolMove m = moves[static_cast<size_t>(step) % moves.size()];
    if (m.to == kSolAnyPile ? rules.TapPile(m.from) : rules.TryMove(m.from, m.to)) rules.RunAutomaticMoves();
  }
  while (rules.UndoStep()) {
  }
  return 0;
}
