#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "param_name.h"
#include "soldb_asm.h"
#include "soldb_solve.h"

namespace {

// Four cards of one suit on two dealt columns and a free one; the single
// foundation takes the ace, then each next rank; the game is won when the
// columns are empty. FDROP chooses the foundation's drop condition.
std::string Tiny(const std::string& fdrop) {
  return R"(name "Tiny"
variant 9
card 0 1 1
card 0 1 2
card 0 1 3
card 0 1 4
define LASTCARD  LOOP SUIT IF BREAK ENDIF SUIT RANK NEXT ENDLOOP
expr never
    1
expr top
    NEXT SUIT RANK ADD
expr below
    LASTCARD OTHER SUIT RANK ADD
    IF 0
    ELSE RANK 1 SUB SUB
    ENDIF
expr empty
    SUIT RANK ADD
expr fdrop
    )" + fdrop + R"(
pile a kind=0 fan=down faceup=1 active=1 enabled=1 deal=2 pick=top drop=below
pile b kind=0 fan=down faceup=1 active=1 enabled=1 deal=2 pick=top drop=below
pile c kind=0 fan=down faceup=1 active=1 enabled=1 deal=0 pick=top drop=below
pile f kind=0 faceup=1 active=1 enabled=1 deal=0 pick=never drop=fdrop
action won win
event none tap
    if never a
event win auto
    if empty a
    if empty b
    if empty c
    do won
movetable * *
)";
}

// The card one rank above the foundation's top card (an ace on the empty one).
const char kNextRank[] = "RANK OTHER RANK 1 ADD SUB";

void Load(SolRuleSet& rules, const std::string& text) {
  SolRuleData data;
  std::string error;
  ASSERT_TRUE(SolAssemble(text, data, error)) << error;
  const SolBytes bytes = SolWriteRuleData(data);
  ASSERT_TRUE(rules.Load(bytes.data(), bytes.size(), SolScreen{}, &error)) << error;
}

// Every deal of the tiny game is won, by a line that plays move for move
// and of which no single step can be left out.
TEST(SoldbSolve, FindsAShortWinningLine) {
  SolRuleSet rules;
  ASSERT_NO_FATAL_FAILURE(Load(rules, Tiny(kNextRank)));
  for (uint32_t game = 1; game <= 6; ++game) {
    const SolSolveResult result = SolSolve(rules, game, 10, 10000);
    ASSERT_TRUE(result.won) << "game " << game;
    EXPECT_GT(result.positions, 0u);
    EXPECT_LE(result.line.size(), result.searchLength);
    ASSERT_TRUE(SolLineWins(rules, game, result.line)) << "game " << game;
    for (size_t i = 0; i < result.line.size(); ++i) {
      std::vector<SolMove> shorter = result.line;
      shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(i));
      EXPECT_FALSE(SolLineWins(rules, game, shorter)) << "game " << game << ": step " << i << " is not needed";
    }
  }
}

TEST(SoldbSolve, ReportsAGameThatCannotBeWon) {
  SolRuleSet rules;
  ASSERT_NO_FATAL_FAILURE(Load(rules, Tiny("1")));
  const SolSolveResult result = SolSolve(rules, 1, 10, 10000);
  EXPECT_FALSE(result.won);
  EXPECT_TRUE(result.line.empty());
}

// A line that wins before its end, or has a step that is not legal, does
// not win.
TEST(SoldbSolve, ALineWinsOnlyByItsLastStep) {
  SolRuleSet rules;
  ASSERT_NO_FATAL_FAILURE(Load(rules, Tiny(kNextRank)));
  const SolSolveResult result = SolSolve(rules, 3, 10, 10000);
  ASSERT_TRUE(result.won);
  std::vector<SolMove> longer = result.line;
  longer.push_back(result.line.back());
  EXPECT_FALSE(SolLineWins(rules, 3, longer));
  std::vector<SolMove> illegal = result.line;
  illegal.insert(illegal.begin(), SolMove{0, kSolAnyPile});  // no pile of the game has a tap
  EXPECT_FALSE(SolLineWins(rules, 3, illegal));
}

struct StepText {
  const char* text;
  bool valid;
  SolMove step;
};

void PrintTo(const StepText& s, std::ostream* os) { *os << '"' << s.text << '"'; }

class StepTexts : public testing::TestWithParam<StepText> {};

// Steps as `soldb solve` prints them and the line files hold them.
TEST_P(StepTexts, ParseAndPrint) {
  const StepText& t = GetParam();
  SolMove step{};
  ASSERT_EQ(SolParseStep(t.text, step), t.valid);
  if (!t.valid) return;
  EXPECT_EQ(step, t.step);
  EXPECT_EQ(SolStepText(step), t.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StepTexts,
    testing::Values(StepText{"t0", true, {0, kSolAnyPile}}, StepText{"12:3", true, {12, 3}},
                    StepText{"103:18", true, {103, 18}}, StepText{"t", false, {}}, StepText{":3", false, {}},
                    StepText{"12:", false, {}}, StepText{"1:2:3", false, {}}, StepText{"-1:2", false, {}},
                    StepText{"65535:1", false, {}}, StepText{"1:99999999999", false, {}}, StepText{"x1", false, {}},
                    StepText{"", false, {}}),
    [](const testing::TestParamInfo<StepText>& info) {
      std::string words;
      for (const char* c = info.param.text; *c; ++c) {
        words += *c == ':' ? std::string(" to ") : *c == '-' ? std::string("minus") : std::string(1, *c);
      }
      return test_names::FromWords(words);
    });

}  // namespace
