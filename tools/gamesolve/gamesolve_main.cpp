// gamesolve GAME keys|stylus [FIRST_DEAL [DEALS [NODES]]]: searches deal after
// deal of a game (by its name: klondike freecell spider calculation golf idiot
// canfield clock fourcorners yukon sultan pyramid) for a win, with a new
// profile's options, and prints the first win found as a script for the
// headless program: the stylus's taps and drags at the cards' places, or the
// keys that move the focus and Select. The line is played once more with the
// animations on to time each move's wait and to see the game won. What was
// tried goes to the error stream; a game with no win found ends with 1.
// DEALS deals are tried from FIRST_DEAL (300 from 1 by default); NODES bounds
// the first search of a deal (5000 positions by default), and each of the
// searches with a shaken move order after it has a tenth of that.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "key_route.h"
#include "solve_table.h"
#include "tool_number.h"
#include "win_search.h"

namespace {

constexpr const char* kGameNames[kGameTypeCount] = {"klondike",    "freecell", "spider",   "calculation",
                                                    "golf",        "idiot",    "canfield", "clock",
                                                    "fourcorners", "yukon",    "sultan",   "pyramid"};
constexpr uint64_t kDefaultNodes = 5000;
constexpr uint64_t kDefaultDeals = 300;
constexpr int kKeyLimit = 14;
// Waits after a move: the flights the move set off, then a margin; never less than a second.
constexpr uint32_t kLeastWait = 1000;
constexpr uint32_t kWaitMargin = 500;

struct Request {
  int32_t type = 0;
  bool byKeys = false;
  uint64_t firstDeal = 1;
  uint64_t deals = kDefaultDeals;
  uint64_t nodes = kDefaultNodes;
};

int32_t gameType(std::string_view name) {
  for (int i = 0; i < kGameTypeCount; ++i) {
    if (name == kGameNames[i]) return i + 1;
  }
  return 0;
}

bool parse(int argc, char** argv, Request& r) {
  if (argc < 3 || argc > 6) return false;
  r.type = gameType(argv[1]);
  const std::string_view mode = argv[2];
  r.byKeys = mode == "keys";
  if (r.type == 0 || (!r.byKeys && mode != "stylus")) return false;
  if (argc > 3 && !tools::parseNumber(argv[3], 1, kLastDealNumber, r.firstDeal)) return false;
  if (argc > 4 && !tools::parseNumber(argv[4], 1, kLastDealNumber, r.deals)) return false;
  return argc <= 5 || tools::parseNumber(argv[5], 1, UINT32_MAX, r.nodes);
}

bool isMove(const SolveStep& step) { return step.kind != SolveStep::Kind::kKey || step.key == SolveStep::kActionKey; }

// The script: each move's steps, then the wait its flights need. Empty when
// the line, played with the animations on, does not win.
std::vector<std::string> timedScript(const Request& r, uint32_t deal, const std::vector<SolveStep>& steps) {
  SolveTable table(r.type, deal, false, true);
  std::vector<std::string> script;
  for (const SolveStep& step : steps) {
    table.play(step);
    script.push_back(step.scriptLine());
    if (!isMove(step)) continue;
    const uint32_t wait = table.settleFlights() * 10 + kWaitMargin;
    script.push_back("wait " + std::to_string(wait < kLeastWait ? kLeastWait : wait));
    if (table.isLost()) return {};
  }
  if (!table.isWon()) return {};
  return script;
}

// The steps of a won line for the deal; empty when none was found.
std::vector<SolveStep> solveDeal(const Request& r, uint32_t deal, long& nodes) {
  SolveTable table(r.type, deal, !r.byKeys, false);
  WinSearch search(table, r.byKeys, static_cast<long>(r.nodes));
  const bool won = search.run();
  nodes = search.nodes();
  if (!won) return {};
  if (!r.byKeys) {
    std::vector<SolveStep> steps;
    for (const SolveMove& m : search.line()) steps.push_back(m.step);
    return steps;
  }
  KeyRoute route(r.type, deal, kKeyLimit);
  if (route.run(search.line())) return route.keys();
  std::fprintf(stderr, "deal %u: won, but move %d of %zu has no keys\n", deal, route.failedMove() + 1,
               search.line().size());
  return {};
}

// The line file's first line: the deal, the moves, and the command that finds them again.
void printHeader(const Request& r, uint32_t deal, const std::vector<SolveStep>& steps, long nodes) {
  int moves = 0;
  for (const SolveStep& step : steps) moves += isMove(step) ? 1 : 0;
  const char* mode = r.byKeys ? "keys" : "stylus";
  std::printf(
      "# deal %u: %d moves by %s, found by gamesolve %s %s %llu %llu %llu: deals %llu-%u tried, %ld positions "
      "searched on the last\n",
      deal, moves, mode, kGameNames[r.type - 1], mode, static_cast<unsigned long long>(r.firstDeal),
      static_cast<unsigned long long>(r.deals), static_cast<unsigned long long>(r.nodes),
      static_cast<unsigned long long>(r.firstDeal), deal, nodes);
}

}  // namespace

int main(int argc, char** argv) {
  Request r;
  if (!parse(argc, argv, r)) {
    std::fprintf(stderr, "usage: gamesolve GAME keys|stylus [FIRST_DEAL [DEALS [NODES]]]\n");
    return 2;
  }
  for (uint64_t d = r.firstDeal; d < r.firstDeal + r.deals && d <= kLastDealNumber; ++d) {
    const auto deal = static_cast<uint32_t>(d);
    long nodes = 0;
    const std::vector<SolveStep> steps = solveDeal(r, deal, nodes);
    std::fprintf(stderr, "deal %u: %ld positions searched, %s\n", deal, nodes, steps.empty() ? "no win" : "won");
    if (steps.empty()) continue;
    const std::vector<std::string> script = timedScript(r, deal, steps);
    if (script.empty()) {
      std::fprintf(stderr, "deal %u: the line does not win with the animations on\n", deal);
      continue;
    }
    printHeader(r, deal, steps, nodes);
    for (const std::string& line : script) std::printf("%s\n", line.c_str());
    return 0;
  }
  std::fprintf(stderr, "gamesolve: no win found for %s\n", kGameNames[r.type - 1]);
  return 1;
}
