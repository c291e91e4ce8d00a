// Turns a line of moves into the keys that make them: for each move, a
// breadth-first search over the arrow keys (each sequence played on a table
// replayed from the deal, since the focus cannot be set back) for a focus
// from which Select leaves the position the move left.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "solve_table.h"
#include "win_search.h"

class KeyRoute {
 public:
  KeyRoute(int32_t type, uint32_t deal, int keyLimit);

  // False when a move has no key sequence within the limit.
  bool run(const std::vector<SolveMove>& line);
  const std::vector<SolveStep>& keys() const { return keys_; }
  int failedMove() const { return failedMove_; }

 private:
  bool route(const SolveMove& move);
  // A table with the keys so far and then the given ones played.
  std::unique_ptr<SolveTable> replay(const std::vector<int>& more) const;
  static std::string focusOf(const SolveTable& table);

  int32_t type_;
  uint32_t deal_;
  int keyLimit_;
  std::vector<SolveStep> keys_;
  int failedMove_ = -1;
};
