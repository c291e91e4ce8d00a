// An independent model of the Klondike and Spider rules, written for the
// tests from the rules as players know them, to compare with what the rule
// sets make the engine do. It shares nothing with the engine but the deal it
// starts from and the order in which moves are listed.
#pragma once

#include <vector>

#include "sol_ruleset.h"

struct CheckerCard {
  int id;
  int suit;
  int rank;
  bool up;
  bool operator==(const CheckerCard&) const = default;
};

struct CheckerPosition {
  std::vector<std::vector<CheckerCard>> piles;  // bottom first
  bool won = false;
  bool operator==(const CheckerPosition&) const = default;
};

class RulesChecker {
 public:
  enum class Game { Klondike, Spider };
  // Klondike: `draw` cards per stock tap, `recycles` turns of the waste (-1
  // for no limit).
  static RulesChecker Klondike(int draw, int recycles);
  static RulesChecker Spider();

  // The engine's position, read pile by pile.
  static CheckerPosition Read(const SolRuleSet& engine);

  // Legal moves in the engine's listing order: taps (the stock, then in
  // Klondike each pile whose top card goes to a foundation), then moves of
  // top cards, then moves of cards under the top, each in card order.
  std::vector<SolMove> Moves(const CheckerPosition& pos) const;
  bool CanMove(const CheckerPosition& pos, int card, int pile) const;
  // Plays a legal move with its automatic consequences.
  void Apply(CheckerPosition& pos, const SolMove& move);

 private:
  RulesChecker(Game game, int draw, int recycles) : m_game(game), m_draw(draw), m_recyclesLeft(recycles) {}
  bool CanPick(const std::vector<CheckerCard>& pile, size_t at, int pileNumber) const;
  bool CanDrop(const CheckerPosition& pos, const std::vector<CheckerCard>& run, int target) const;
  bool CanTap(const CheckerPosition& pos) const;
  int FoundationFor(const CheckerPosition& pos, int pile) const;
  void Settle(CheckerPosition& pos) const;
  bool IsTableau(int pile) const;
  bool IsFoundation(int pile) const;

  Game m_game;
  int m_draw;
  int m_recyclesLeft;
};
