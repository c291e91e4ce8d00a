// The saved-game reader on arbitrary blobs; a blob it accepts must be
// playable, writable and undoable.
#include <cstdint>
#include <vector>

#include "sol_ruleset.h"

namespace {

// A small rule set: two fanned piles of two cards, a move action and a
// counter, enough to give every kind of history record a meaning.
const SolBytes& Record() {
  static const SolBytes record = [] {
    SolRuleData d;
    d.name = "Fuzz";
    d.header[kSolVariant] = 212;
    for (uint8_t r = 1; r <= 4; ++r) d.cards.push_back({0, 1, r});
    SolPileDef pile{};
    pile.fan = 4;
    pile.active = 1;
    pile.dealCount = 2;
    pile.enabled = 1;
    d.piles = {pile, pile};
    d.expressions = {{kOpPush, 0, kOpPush}};
    d.eventKinds = {kSolEventManual, kSolEventAuto};
    d.actions = {{kSolActMove, 1, 0, 0, 1, 1, 1, 0, 0, 0}, {kSolActResetCounter, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
    d.eventActions = {{1, 0}};
    d.moveTable = {{kSolAnyPile, kSolAnyPile}};
    d.counters = {{2, 1}};
    return SolWriteRuleData(d);
  }();
  return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SolRuleSet rules;
  rules.Load(Record().data(), Record().size(), SolScreen{});
  uint32_t game = 0;
  if (!rules.DecodeGame(data, size, game)) return 0;
  std::vector<SolMove> moves;
  rules.ListMoves(moves);
  if (!moves.empty() && moves[0].to != kSolAnyPile && rules.TryMove(moves[0].from, moves[0].to)) rules.RunAutomaticMoves();
  rules.EncodeGame(game);
  while (rules.UndoStep()) {
  }
  return 0;
}
