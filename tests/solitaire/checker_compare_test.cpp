// The shipped rule sets against the independent rules model: the same legal
// moves, the same outcome of every move and of illegal attempts, over many
// deals and random playouts; and undo restoring every earlier state exactly.
#include <gtest/gtest.h>

#include <random>

#include "rules_checker.h"
#include "sol_test_support.h"
#include "soldb_show.h"

namespace {

struct Variant {
  const char* set;
  RulesChecker (*checker)();
};

const Variant kVariants[] = {
    {"klondike", [] { return RulesChecker::Klondike(3, -1); }},
    {"klondike_one_card", [] { return RulesChecker::Klondike(1, -1); }},
    {"klondike_ii", [] { return RulesChecker::Klondike(1, 2); }},
    {"klondike_limited", [] { return RulesChecker::Klondike(3, 2); }},
    {"spider", [] { return RulesChecker::Spider(); }},
    {"spider_one_suit", [] { return RulesChecker::Spider(); }},
    {"spider_two_suits", [] { return RulesChecker::Spider(); }},
};

void PrintTo(const Variant& v, std::ostream* os) { *os << v.set; }

class CheckerCompare : public testing::TestWithParam<Variant> {};

std::vector<SolMove> EngineMoves(const SolRuleSet& rules) {
  std::vector<SolMove> moves;
  rules.ListMoves(moves);
  return moves;
}

TEST_P(CheckerCompare, SameMovesOnManyDeals) {
  SolRuleSet rules;
  LoadShipped(rules, GetParam().set);
  for (uint32_t game = 1; game <= 2000; ++game) {
    uint32_t number = game * 7919u;
    rules.StartGame(number);
    const RulesChecker checker = GetParam().checker();
    ASSERT_EQ(EngineMoves(rules), checker.Moves(RulesChecker::Read(rules))) << "game " << number << "\n"
                                                                           << SolLayoutText(rules);
  }
}

// Random playouts: every position has the same legal moves in both, a random
// attempt is judged alike, and each move leads to the same position.
TEST_P(CheckerCompare, PlayoutsAgreeAndUndoRestoresEveryStep) {
  SolRuleSet rules;
  LoadShipped(rules, GetParam().set);
  std::mt19937 random(12345);
  for (uint32_t game = 1; game <= 60; ++game) {
    uint32_t number = game;
    rules.StartGame(number);
    RulesChecker checker = GetParam().checker();
    CheckerPosition pos = RulesChecker::Read(rules);
    std::vector<GameSnapshot> before;
    for (int step = 0; step < 120 && !pos.won; ++step) {
      const std::vector<SolMove> moves = checker.Moves(pos);
      ASSERT_EQ(EngineMoves(rules), moves) << "game " << number << " step " << step << "\n" << SolLayoutText(rules);
      const uint16_t card = static_cast<uint16_t>(random() % rules.CardCount());
      const uint16_t pile = static_cast<uint16_t>(random() % rules.PileCount());
      ASSERT_EQ(rules.CanPickCard(card) && rules.CanMoveCardTo(card, pile), checker.CanMove(pos, card, pile))
          << "card " << card << " to p" << pile << "\n" << SolLayoutText(rules);
      if (moves.empty()) break;
      const SolMove move = moves[random() % moves.size()];
      before.emplace_back(rules);
      ASSERT_TRUE(PlayStep(rules, move));
      checker.Apply(pos, move);
      ASSERT_EQ(RulesChecker::Read(rules), pos) << "after move " << move.from << "->" << move.to << "\n"
                                                << SolLayoutText(rules);
    }
    while (!before.empty()) {
      ASSERT_TRUE(rules.UndoStep());
      ASSERT_EQ(GameSnapshot(rules), before.back()) << "undo to step " << before.size() - 1 << " of game " << number;
      before.pop_back();
    }
    EXPECT_EQ(rules.History()->Count(), 0u);
    EXPECT_FALSE(rules.UndoStep());
  }
}

INSTANTIATE_TEST_SUITE_P(ShippedSets, CheckerCompare, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<Variant>& info) { return std::string(info.param.set); });

}  // namespace
