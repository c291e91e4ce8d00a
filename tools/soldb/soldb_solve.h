// A solver for the rule sets, played on the real rule engine: a beam search
// over the legal moves that keeps the most promising positions of each
// round and never enters a position twice, then a pass that drops every
// step the win does not need.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sol_ruleset.h"

struct SolSolveResult {
  bool won = false;
  size_t positions = 0;       // positions met by the search
  size_t searchLength = 0;    // steps of the line the search found
  std::vector<SolMove> line;  // the shortened line; a tap has `to` kSolAnyPile
};

// Searches game `game` of the loaded rules for a winning line, keeping
// `width` positions a round and meeting at most `maxPositions` positions.
SolSolveResult SolSolve(SolRuleSet& rules, uint32_t game, size_t width, size_t maxPositions);

// Plays one step as the game field does (the move or tap, then the automatic
// moves); false when it is not legal.
bool SolPlayStep(SolRuleSet& rules, const SolMove& step);

// Deals `game` and plays `line`; true when every step is legal and the last
// one wins.
bool SolLineWins(SolRuleSet& rules, uint32_t game, const std::vector<SolMove>& line);

// "tP" taps pile P; "C:P" moves card C (and the cards on it) onto pile P.
std::string SolStepText(const SolMove& step);
bool SolParseStep(const std::string& text, SolMove& step);
