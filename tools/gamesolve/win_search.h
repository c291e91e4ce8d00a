// A depth-first search for a won game over the engine's own moves: at each
// position every move the pen (or, for a line by keys, a one-touch Select)
// can make is played on the table and the position it leaves is kept; moves
// that fill the foundations and turn cards come first, positions seen before
// are not searched again, and a step that ends the game lost is no move.
// The search is the same on every run: its random source has a fixed seed.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "solve_table.h"

struct SolveMove {
  SolveStep step;
  std::vector<uint8_t> after;  // the saved game after the move
  std::string position;        // SolveTable::position() after the move
  int score = 0;
  bool won = false;
};

class WinSearch {
 public:
  // byKeys: only the moves a Select on a card the focus may rest on makes
  // (one-touch play), and taps on the stock.
  WinSearch(SolveTable& table, bool byKeys, long nodeLimit);

  // Searches; a line found is then shortened: from each position the line
  // jumps to the latest later position one move reaches. When the first
  // search runs out of positions, shorter ones follow whose move order is
  // shaken by a seeded random amount, so that an early choice is made anew.
  bool run();
  const std::vector<SolveMove>& line() const { return line_; }
  long nodes() const { return nodes_; }

 private:
  bool search(long limit);
  bool descend();
  void shorten(const std::vector<uint8_t>& start);
  std::vector<SolveMove> movesFrom(const std::vector<uint8_t>& from);
  void keyMoves(const std::vector<uint8_t>& from, std::vector<SolveMove>& out);
  // Where the pen takes each face-up card of the table; tappable: a top card.
  struct Grab {
    int32_t x = 0, y = 0;
    bool tappable = false;
  };
  std::vector<Grab> grabs() const;
  void penMoves(const std::vector<uint8_t>& from, std::vector<SolveMove>& out);
  void stockMove(const std::vector<uint8_t>& from, std::vector<SolveMove>& out);
  // Plays the step from the saved game; keeps it when it changed the table.
  void tryStep(const std::vector<uint8_t>& from, const SolveStep& step, std::vector<SolveMove>& out);

  SolveTable& table_;
  bool byKeys_;
  long nodeLimit_;
  long nodes_ = 0;
  long limit_ = 0;
  int jitter_ = 0;
  std::mt19937 random_;
  std::string start_;
  std::unordered_set<std::string> seen_;
  std::vector<SolveMove> line_;
};
