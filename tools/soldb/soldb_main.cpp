// soldb asm IN.txt OUT     assemble a rule set
// soldb dis IN             disassemble a record to text
// soldb check IN           validate (a record or a text source)
// soldb deal IN GAME       the dealt layout of game GAME
// soldb moves IN GAME [STEP...]   play the steps (tN taps pile N, C:P moves
//                          card C onto pile P), then list the legal moves
// soldb solve IN GAME [WIDTH [POSITIONS]]  a winning line of game GAME, as steps
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "soldb_asm.h"
#include "soldb_show.h"
#include "soldb_solve.h"
#include "tool_file.h"

namespace {

constexpr char kHelp[] =
    "usage: soldb COMMAND ...\n"
    "  soldb asm IN.txt OUT             assemble a rule set\n"
    "  soldb dis IN                     disassemble a record to text\n"
    "  soldb check IN                   validate a record or a text source\n"
    "  soldb deal IN GAME               the dealt layout of game GAME (0: a random game)\n"
    "  soldb moves IN GAME [STEP...]    play the steps (tN taps pile N, C:P moves card C onto\n"
    "                                   pile P), then list the legal moves\n"
    "  soldb solve IN GAME [WIDTH [POSITIONS]]\n"
    "                                   search game GAME for a winning line, keeping WIDTH\n"
    "                                   positions a round (1000) and meeting at most POSITIONS\n"
    "                                   positions (5000000), and print its steps\n";

// A game number: decimal or 0x hexadecimal digits only, at most 32 bits.
bool ParseGame(const char* text, uint32_t& game) {
  if (*text == 0 || *text == '-' || *text == '+' || *text == ' ') return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text, &end, 0);
  if (*end != 0 || errno != 0 || value > 0xFFFFFFFFull) return false;
  game = static_cast<uint32_t>(value);
  return true;
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "soldb: %s\n", what.c_str());
  return 1;
}


bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A record from a file: text sources are assembled, anything else is read
// as SOLDB bytes.
bool LoadRecord(const std::string& path, SolBytes& record, std::string& error) {
  std::string content;
  if (!tools::readWholeFile(path, content, error)) return false;
  if (EndsWith(path, ".txt")) {
    SolRuleData data;
    if (!SolAssembleFile(path, data, error)) return false;
    record = SolWriteRuleData(data);
    return true;
  }
  record.assign(content.begin(), content.end());
  SolRuleData data;
  return SolReadRuleData(record.data(), record.size(), data, error);
}

bool Play(SolRuleSet& rules, const std::string& text) {
  SolMove step{};
  return SolParseStep(text, step) && SolPlayStep(rules, step);
}

// The solver's report: the deal, how much was searched, and the line.
int Solve(SolRuleSet& rules, uint32_t game, size_t width, size_t positions) {
  const SolSolveResult result = SolSolve(rules, game, width, positions);
  std::printf("game %u: %s after %zu positions\n", game, result.won ? "won" : "no win found", result.positions);
  if (!result.won) return 1;
  std::printf("%zu steps (the search's line had %zu)\n", result.line.size(), result.searchLength);
  for (size_t i = 0; i < result.line.size(); ++i) {
    std::printf("%s%s", SolStepText(result.line[i]).c_str(), (i + 1) % 16 == 0 || i + 1 == result.line.size() ? "\n" : " ");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (argc < 3) {
    std::fputs(kHelp, stderr);
    return 1;
  }
  const std::string command = argv[1];
  std::string error;
  if (command == "asm") {
    if (argc != 4) return Fail("asm IN.txt OUT");
    SolRuleData data;
    if (!SolAssembleFile(argv[2], data, error)) return Fail(std::string(argv[2]) + ": " + error);
    const SolBytes bytes = SolWriteRuleData(data);
    return tools::writeWholeFile(argv[3], bytes.data(), bytes.size(), error) ? 0 : Fail(error);
  }
  SolBytes record;
  if (!LoadRecord(argv[2], record, error)) return Fail(std::string(argv[2]) + ": " + error);
  if (command == "check") {
    std::printf("%s: valid, %zu bytes\n", argv[2], record.size());
    return 0;
  }
  if (command == "dis") {
    SolRuleData data;
    SolReadRuleData(record.data(), record.size(), data, error);
    std::cout << SolDisassemble(data);
    return 0;
  }
  if (command == "solve" && argc >= 4 && argc <= 6) {
    SolRuleSet rules;
    rules.Load(record.data(), record.size(), SolScreen{});
    uint32_t game = 0;
    uint32_t counts[2] = {1000, 5000000};  // width, positions
    if (!ParseGame(argv[3], game)) return Fail(std::string("game number '") + argv[3] + "' is not a number");
    for (int i = 4; i < argc; ++i) {
      if (!ParseGame(argv[i], counts[i - 4]) || counts[i - 4] == 0) return Fail(std::string("'") + argv[i] + "' is no count");
    }
    return Solve(rules, game, counts[0], counts[1]);
  }
  if ((command == "deal" || command == "moves") && argc < 4) {
    return Fail(command + ": the game number is missing (soldb " + command + " IN GAME)");
  }
  if (command == "deal" || command == "moves") {
    SolRuleSet rules;
    rules.Load(record.data(), record.size(), SolScreen{});
    uint32_t game = 0;
    if (!ParseGame(argv[3], game)) return Fail(std::string("game number '") + argv[3] + "' is not a number");
    rules.StartGame(game);
    for (int i = 4; i < argc; ++i) {
      if (!Play(rules, argv[i])) return Fail(std::string("step ") + argv[i] + " is not legal");
    }
    std::cout << "game " << game << "\n" << SolLayoutText(rules);
    if (command == "moves") std::cout << "moves:\n" << SolMovesText(rules);
    return 0;
  }
  return Fail("unknown command " + command);
}
