// Helpers shared by the rule-engine tests: the assembled rule sets of the
// build, snapshots of the live game, and a player step as the field makes it.
#pragma once

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "sol_ruleset.h"

// The SOLDB bytes the build assembled for `name` (e.g. "klondike_ii").
std::vector<uint8_t> ShippedSet(const std::string& name);
// Loads a shipped set for a 192-dpi screen; fails the test when it does not.
void LoadShipped(SolRuleSet& rules, const std::string& name);

// A small hand-made set: `cards` cards of kind 0 (suits cycling 1-4, ranks
// 1-13) dealt to one pile per entry of `deal`; one always-false expression
// and one event.
std::vector<uint8_t> SmallSet(size_t cards, std::vector<uint16_t> deal, std::vector<SolDealSwap> swaps = {},
                              std::vector<SolDealFlip> flips = {});

// Everything of the live game that undo must restore, byte for byte.
struct GameSnapshot {
  std::vector<uint8_t> bytes;
  explicit GameSnapshot(const SolRuleSet& rules);
  bool operator==(const GameSnapshot&) const = default;
};

// One player step with its automatic follow-ups: a tap (to == any pile) or
// a move of the run from card `from` onto pile `to`.
bool PlayStep(SolRuleSet& rules, const SolMove& move);

// Puts the live game into a given layout: for each pile, its cards bottom
// first as {card number, face up}. Every card must appear once. As after a
// deal, the history is empty, the counters start at their initial values,
// the opening events run and the accept flags are refreshed.
using Layout = std::vector<std::vector<std::pair<int, bool>>>;
void Arrange(SolRuleSet& rules, const Layout& layout);

// Cards of each pile, bottom first, as card numbers.
std::vector<std::vector<int>> PileContents(const SolRuleSet& rules);

inline void PrintTo(const SolMove& m, std::ostream* os) { *os << m.from << "->" << m.to; }
