// Text views of a live game for the tool and for test failure messages:
// every pile bottom to top, and the legal moves.
#pragma once

#include <string>

#include "sol_ruleset.h"

// "QH" for a face-up card, "[QH]" for a face-down one.
std::string SolCardText(const SolRuleSet& rules, uint16_t card);
std::string SolLayoutText(const SolRuleSet& rules);
std::string SolMovesText(const SolRuleSet& rules);
