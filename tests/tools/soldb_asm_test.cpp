#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "param_name.h"
#include "soldb_asm.h"

namespace {

std::vector<uint8_t> Built(const std::string& set) {
  std::ifstream in(std::string(PELLWYN_BINARY_DIR) + "/data/carrowin/" + set + ".soldb", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ShippedSource : public testing::TestWithParam<const char*> {};

// The disassembly assembles back to the same bytes, and the source in data/
// assembles to the record the build made.
TEST_P(ShippedSource, RoundTrips) {
  const std::vector<uint8_t> bytes = Built(GetParam());
  ASSERT_FALSE(bytes.empty());
  SolRuleData data;
  std::string error;
  ASSERT_TRUE(SolReadRuleData(bytes.data(), bytes.size(), data, error)) << error;
  SolRuleData again;
  ASSERT_TRUE(SolAssemble(SolDisassemble(data), again, error)) << error;
  EXPECT_EQ(SolWriteRuleData(again), bytes);
  SolRuleData source;
  ASSERT_TRUE(SolAssembleFile(std::string(PELLWYN_SOURCE_DIR) + "/data/carrowin/" + GetParam() + ".txt", source, error))
      << error;
  EXPECT_EQ(SolWriteRuleData(source), bytes);
}

INSTANTIATE_TEST_SUITE_P(Sets, ShippedSource,
                         testing::Values("klondike_one_card", "klondike_ii", "klondike", "klondike_limited", "spider",
                                         "spider_one_suit", "spider_two_suits"),
                         test_names::ByText{});

const char kMinimal[] = R"(name "Mini"
variant 7
card 0 1 1
card 0 2 1
expr never
    PUSH 1
expr empty
    SUIT RANK ADD
pile a kind=0 deal=2 pick=never drop=empty enabled=1
pile b kind=0 deal=0 pick=never drop=never enabled=1 tap=go
action move move from=a range=span start=0 count=0 to=b at=top tpos=0
event none tap
    if never a
event go repeat
    if empty b
    if empty a *
    do move
counter k 3 0
limit go k
movetable * *
)";

TEST(Assembler, MinimalSet) {
  SolRuleData d;
  std::string error;
  ASSERT_TRUE(SolAssemble(kMinimal, d, error)) << error;
  EXPECT_EQ(d.name, "Mini");
  ASSERT_EQ(d.piles.size(), 2u);
  EXPECT_EQ(d.piles[0].dropExpr, 1);
  EXPECT_EQ(d.piles[1].tapEvent, 1);
  ASSERT_EQ(d.conditions.size(), 3u);
  EXPECT_EQ(d.conditions[2].pileB, kSolAnyPile);
  EXPECT_EQ(d.eventConditions[1].event, 1);
  EXPECT_EQ(d.eventActions[0].action, 0);
  EXPECT_EQ(d.limits[0].counter, 0);
  EXPECT_EQ(d.expressions[1], (SolBytes{kOpSuit, kOpRank, kOpAdd}));
  EXPECT_EQ(SolDisassembleCode(d.expressions[0]), "1");
}

TEST(Assembler, RepeatLetAndMacros) {
  const std::string text = std::string(kMinimal) + R"(let N 3
define TWICE DUP ADD
expr doubled
    {N} TWICE {N+3} SUB
repeat i 1 2
flip a {i-1}
end
)";
  SolRuleData d;
  std::string error;
  ASSERT_TRUE(SolAssemble(text, d, error)) << error;
  EXPECT_EQ(d.expressions[2], (SolBytes{1, 3, 1, kOpDup, kOpAdd, 1, 6, 1, kOpSub}));
  ASSERT_EQ(d.flips.size(), 2u);
  EXPECT_EQ(d.flips[1].position, 1);
}

struct Bad {
  const char* text;
  const char* message;
};

void PrintTo(const Bad& b, std::ostream* os) { *os << b.message; }

class AssemblerErrors : public testing::TestWithParam<Bad> {};

TEST_P(AssemblerErrors, NameTheLineAndTheFault) {
  SolRuleData d;
  std::string error;
  EXPECT_FALSE(SolAssemble(std::string(kMinimal) + GetParam().text, d, error));
  EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Assembler, AssemblerErrors,
    testing::Values(Bad{"pile c kind=0 pick=nothing\n", "line 21: unknown expression 'nothing'"},
                    Bad{"expr broken\n    IF 1\n", "line 21: expression broken: unbalanced"},
                    Bad{"expr big\n    300\n", "PUSH takes 0-255"},
                    Bad{"pile a kind=0\n", "'a' declared twice"},
                    Bad{"pile c kind=0 colour=red\n", "unknown pile key 'colour'"},
                    Bad{"action x spin\n", "unknown action kind 'spin'"},
                    Bad{"frobnicate 1\n", "unknown statement 'frobnicate'"},
                    Bad{"card 0 1 1\n", "deal counts do not add up"},
                    Bad{"repeat i 1 2\nflip a {i}\n", "repeat without end"},
                    Bad{"    stray\n", "line 21: unexpected indented line"}),
    test_names::ByField<&Bad::message>{});

}  // namespace
