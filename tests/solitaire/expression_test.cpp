#include <gtest/gtest.h>

#include <vector>

#include "sol_expression.h"
#include "param_name.h"
#include "sol_rules.h"

namespace {

using Code = std::vector<uint8_t>;

const SolCardEntry kRun[] = {{2, 5}, {1, 6}, {4, 7}};  // 5H on 6S on 7D, top first
const SolCardList kRunList = {kRun, 3};
const SolCardList kEmpty = {};

bool Eval(const Code& code, SolCardList a = kEmpty, SolCardList b = kEmpty) {
  return SolExpression::Evaluate(a, b, code.data(), code.size());
}

struct Case {
  const char* what;
  Code code;
  bool result;
};

// Arithmetic and stack operators, each case ending in a test against an
// expected value (x SUB leaves 0 when the top equals x).
const Case kCases[] = {
    {"PUSH 255 pushes an unsigned byte", {1, 255, 1, 1, 255, 1, 7}, true},
    {"0 - 255 = -255", {1, 0, 1, 1, 255, 1, 7, 1, 255, 1, 6}, true},
    {"ODD(-3) = -1", {1, 0, 1, 1, 3, 1, 7, 12, 1, 1, 1, 6}, true},
    {"ODD(4) = 0", {1, 4, 1, 12}, true},
    {"200 * 200 wraps to -25536", {1, 200, 1, 1, 200, 1, 8, 1, 0, 1, 1, 64, 1, 7, 7}, false},
    {"empty stack is false", {}, false},
    {"DROP of the only value is false", {1, 0, 1, 13}, false},
    {"PUSH 1 alone is false", {1, 1, 1}, false},
    {"PUSH 0 alone is true", {1, 0, 1}, true},
    {"division truncates: 7 / 2 = 3", {1, 7, 1, 1, 2, 1, 9, 1, 3, 1, 7}, true},
    {"division by 0 gives 0", {1, 7, 1, 1, 0, 1, 9}, true},
    {"SWAP: 1 2 SWAP leaves 1 on top", {1, 1, 1, 1, 2, 1, 16, 1, 1, 1, 7}, true},
    {"SINK moves the top to the bottom", {1, 0, 1, 1, 5, 1, 14}, true},
    {"RAISE brings the bottom to the top", {1, 0, 1, 1, 5, 1, 15}, true},
    {"ADD with one value changes nothing", {1, 0, 1, 6}, true},
    {"opcodes above 29 do nothing", {1, 0, 1, 30, 200}, true},
    // IF: x = 0 runs the then-part, ELSE skips the else-part.
    {"IF 0 THEN 0 ELSE 1", {1, 0, 1, 22, 1, 0, 1, 21, 1, 1, 1, 20}, true},
    {"IF 1 THEN 0 ELSE 1", {1, 1, 1, 22, 1, 0, 1, 21, 1, 1, 1, 20}, false},
    {"IF 1 without ELSE skips to ENDIF", {1, 0, 1, 1, 1, 1, 22, 1, 1, 1, 20}, true},
    {"nested IF inside a skipped part", {1, 1, 1, 22, 1, 0, 1, 22, 1, 1, 1, 21, 1, 1, 1, 20, 21, 1, 0, 1, 20}, true},
    {"IF on an empty stack takes 0", {22, 1, 0, 1, 21, 1, 1, 1, 20}, true},
    // GOTO-NEXT: skips to the mark, or stops at ALT with the current top.
    {"GOTO-NEXT jumps to the mark", {27, 1, 1, 1, 3, 1, 0, 1}, true},
    {"GOTO-NEXT stops at ALT", {1, 0, 1, 27, 1, 1, 1, 2, 3, 1, 1, 1}, true},
    // Save slots: SAVE-PAIR keeps the order when restored above new values.
    {"SAVE-PAIR and RESTORE", {1, 4, 1, 1, 5, 1, 1, 0, 1, 17, 13, 13, 1, 9, 1, 1, 0, 1, 24, 1, 5, 1, 7}, true},
    {"SAVE-PAIR restores the lower value second", {1, 4, 1, 1, 5, 1, 1, 1, 1, 17, 1, 1, 1, 24, 13, 1, 4, 1, 7}, true},
    {"SAVE-RUN copies 0, the values, and the next 0",
     {1, 0, 1, 1, 7, 1, 1, 8, 1, 1, 0, 1, 1, 0, 1, 18, 13, 13, 13, 13, 1, 0, 1, 24, 13, 1, 8, 1, 7, 13, 1, 7, 1, 7},
     true},
    {"a slot other than 0 or 1 does nothing", {1, 0, 1, 1, 9, 1, 24}, true},
    // Loops: a PUSH of 4 or 5 inside a loop does not confuse the backward scan.
    {"loop with PUSH 4 and 5 runs to BREAK",
     {1, 0, 1, 4, 1, 1, 1, 6, 11, 1, 4, 1, 7, 22, 19, 20, 1, 5, 1, 13, 5, 1, 4, 1, 7}, true},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

class ExpressionCases : public testing::TestWithParam<Case> {};

TEST_P(ExpressionCases, Evaluates) { EXPECT_EQ(Eval(GetParam().code), GetParam().result) << GetParam().what; }

INSTANTIATE_TEST_SUITE_P(Interpreter, ExpressionCases, testing::ValuesIn(kCases), test_names::ByField<&Case::what>{});

TEST(Expression, CardIdioms) {
  const Code empty = {28, 25, 6};
  const Code nonEmpty = {28, 25, 6, 22, 1, 1, 1, 21, 1, 0, 1, 20};
  EXPECT_TRUE(Eval(empty));
  EXPECT_FALSE(Eval(empty, kRunList));
  EXPECT_FALSE(Eval(nonEmpty));
  EXPECT_TRUE(Eval(nonEmpty, kRunList));
  // The loop that pushes every card: the last card's rank (7) ends on top.
  const Code lastRank = {4, 28, 22, 19, 20, 28, 25, 23, 5, 1, 7, 1, 7};
  EXPECT_TRUE(Eval(lastRank, kRunList));
  // Face-down reads as suit 6, rank 15: |rank - 15| + |suit - 6| = 0.
  const SolCardEntry down[] = {kSolFaceDownEntry};
  const Code faceDown = {25, 1, 15, 1, 7, 10, 28, 1, 6, 1, 7, 10, 6};
  EXPECT_TRUE(Eval(faceDown, {down, 1}));
  EXPECT_FALSE(Eval(faceDown, kRunList));
  EXPECT_FALSE(Eval(faceDown));
}

TEST(Expression, OtherListAndMissingListB) {
  const Code rankOfB = {29, 25, 1, 9, 1, 7};
  const SolCardEntry nine[] = {{3, 9}};
  EXPECT_TRUE(Eval(rankOfB, kRunList, {nine, 1}));
  // Without list B the rank reads as the terminator's 0.
  EXPECT_TRUE(Eval({29, 25}, kRunList));
}

// The feasibility example: a king on an empty pile, otherwise one rank
// lower and the other colour.
TEST(Expression, TableauDropExample) {
  const Code drop = {29, 28, 25, 6, 22, 29, 1, 0, 1, 1, 0, 1, 4, 28, 22, 19, 20, 13, 13, 28, 25, 23, 5, 16, 13, 1, 13, 1, 7, 21,
                     28, 25, 29, 1, 0, 1, 1, 0, 1, 4, 28, 22, 19, 20, 13, 13, 28, 25, 23, 5, 16, 14, 7, 1, 1, 1, 7, 10, 14, 6,
                     12, 1, 1, 1, 16, 7, 6, 20};
  ASSERT_EQ(drop.size(), 68u);
  const SolCardEntry king[] = {{1, 13}}, queenRed[] = {{2, 12}}, queenBlack[] = {{3, 12}}, jackRed[] = {{4, 11}};
  const SolCardEntry kingBlack[] = {{1, 13}}, down[] = {kSolFaceDownEntry};
  EXPECT_TRUE(Eval(drop, {king, 1}, kEmpty));
  EXPECT_FALSE(Eval(drop, {queenRed, 1}, kEmpty));
  EXPECT_TRUE(Eval(drop, {queenRed, 1}, {kingBlack, 1}));
  EXPECT_FALSE(Eval(drop, {queenBlack, 1}, {kingBlack, 1}));
  EXPECT_FALSE(Eval(drop, {jackRed, 1}, {kingBlack, 1}));
  EXPECT_FALSE(Eval(drop, {queenRed, 1}, {down, 1}));
}

// Malformed code ends safely: truncated operands, unbalanced jumps, runaway
// loops and a stack pushed far beyond its capacity.
TEST(Expression, MalformedCodeIsBounded) {
  EXPECT_FALSE(Eval({1}));     // PUSH without its value
  EXPECT_TRUE(Eval({1, 0}));   // the value is there, the closing byte is not
  EXPECT_FALSE(Eval({5}));             // LOOP-END without LOOP
  EXPECT_FALSE(Eval({1, 0, 1, 19}));   // BREAK without LOOP-END
  EXPECT_FALSE(Eval({1, 0, 1, 21}));   // ELSE without ENDIF
  EXPECT_FALSE(Eval({4, 1, 0, 1, 5}));  // endless loop
  Code push(3 * 600, 0);
  for (size_t i = 0; i < push.size(); i += 3) push[i] = 1, push[i + 1] = 0, push[i + 2] = 1;
  EXPECT_TRUE(Eval(push));
  EXPECT_FALSE(Eval({4, 23, 5}, kRunList));  // NEXT-CARD stops at the terminator; the loop runs out of budget
}

// The work budget leaves room for the longest walks the rule sets make: every
// card of two full decks pushed by the LASTCARD loop and summed up again.
TEST(Expression, WalksOverTwoDecksFitTheBudget) {
  std::vector<SolCardEntry> cards;
  for (int i = 0; i < 104; ++i) cards.push_back({1 + i % 4, 1 + i % 13});
  const SolCardList decks = {cards.data(), static_cast<int>(cards.size())};
  // LASTCARD, one ADD per value but the first, then the sum less its expected total.
  const Code lastCard = {4, 28, 22, 19, 20, 28, 25, 23, 5};
  Code sum = lastCard;
  for (int i = 0; i < 2 * 104 - 1; ++i) sum.push_back(6);
  const int total = [&] {
    int t = 0;
    for (const SolCardEntry& c : cards) t += c.suit + c.rank;
    return t;
  }();
  sum.insert(sum.end(), {1, static_cast<uint8_t>(total / 100), 1, 1, 100, 1, 8, 1, static_cast<uint8_t>(total % 100), 1, 6, 7});
  EXPECT_TRUE(Eval(sum, decks));
}

TEST(Expression, StackOperatorsNeedTwoValues) {
  int16_t stack[2] = {7, 0};
  int count = 1;
  EXPECT_FALSE(SolExprStack::Add(stack, count));
  EXPECT_FALSE(SolExprStack::Swap(stack, count));
  EXPECT_EQ(count, 1);
  stack[1] = -1;
  count = 2;
  stack[0] = INT16_MIN;
  EXPECT_TRUE(SolExprStack::Div(stack, count));
  EXPECT_EQ(stack[0], INT16_MIN);  // -32768 / -1 wraps
}

}  // namespace
