#include <gtest/gtest.h>

#include <functional>

#include "param_name.h"
#include "sol_test_support.h"

namespace {

struct Shipped {
  const char* set;
  const char* name;
  uint16_t variant;
  uint16_t words[4];
  size_t cards, piles, flips, events, actions, links, expressions, conditions, counters, limits;
};

// Header values, card and pile counts and flips as the program expects them;
// the Klondike family also matches every other count: the worked table of
// events 0-10 (actions 0-11, expressions 0-8, conditions 0-17, Klondike II's
// and Klondike Limited's counter 0) and after it the tap events that play
// to the foundations (klondike_foundation_taps.txt). The Spider sets have
// their own event design (see spider_common.txt): their event, action,
// expression and condition counts are those of that design, checked by the
// games played on them, so they are not compared here (zeros skip them).
const Shipped kShipped[] = {
    {"klondike_one_card", "Klondike One Card", 213, {7, 0, 1, 1}, 52, 13, 6, 147, 68, 100, 11, 178, 24, 136},
    {"klondike_ii", "Klondike II", 514, {7, 0, 1, 1}, 52, 13, 6, 147, 68, 100, 11, 178, 25, 137},
    {"klondike", "Klondike", 212, {7, 0, 1, 1}, 52, 13, 6, 147, 68, 100, 11, 178, 24, 136},
    {"klondike_limited", "Klondike Limited", 800, {7, 0, 1, 1}, 52, 13, 6, 147, 68, 100, 11, 178, 25, 137},
    {"spider", "Spider", 349, {8, 2, 3, 0}, 104, 19, 10, 0, 0, 0, 0, 0, 0, 0},
    {"spider_one_suit", "Spider One Suit", 350, {8, 0, 2, 0}, 104, 19, 10, 0, 0, 0, 0, 0, 0, 0},
    {"spider_two_suits", "Spider Two Suits", 351, {8, 1, 2, 0}, 104, 19, 10, 0, 0, 0, 0, 0, 0, 0},
};

void PrintTo(const Shipped& s, std::ostream* os) { *os << s.set; }

class ShippedSets : public testing::TestWithParam<Shipped> {};

TEST_P(ShippedSets, HeaderCountsAndExactLength) {
  const Shipped& s = GetParam();
  const std::vector<uint8_t> bytes = ShippedSet(s.set);
  SolRuleData d;
  std::string error;
  size_t consumed = 0;
  ASSERT_TRUE(SolReadRuleData(bytes.data(), bytes.size(), d, error, &consumed)) << error;
  EXPECT_EQ(consumed, bytes.size());
  EXPECT_EQ(d.name, s.name);
  EXPECT_EQ(d.header[kSolVariant], s.variant);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(d.header[1 + i], s.words[i]);
  EXPECT_EQ(d.cards.size(), s.cards);
  EXPECT_EQ(d.piles.size(), s.piles);
  EXPECT_EQ(d.flips.size(), s.flips);
  EXPECT_TRUE(d.params.empty() && d.swaps.empty() && d.locks.empty() && d.marks.empty());
  ASSERT_EQ(d.moveTable.size(), 1u);
  EXPECT_EQ(d.moveTable[0].from, kSolAnyPile);
  EXPECT_EQ(d.moveTable[0].to, kSolAnyPile);
  if (s.events) {
    EXPECT_EQ(d.eventKinds.size(), s.events);
    EXPECT_EQ(d.actions.size(), s.actions);
    EXPECT_EQ(d.eventActions.size(), s.links);
    EXPECT_EQ(d.expressions.size(), s.expressions);
    EXPECT_EQ(d.conditions.size(), s.conditions);
    EXPECT_EQ(d.eventConditions.size(), s.conditions);
    EXPECT_EQ(d.counters.size(), s.counters);
    EXPECT_EQ(d.limits.size(), s.limits);
  }
  for (const SolPileDef& p : d.piles) {
    EXPECT_EQ(p.xMode, 1);
    EXPECT_EQ(p.yMode, 0);
  }
  EXPECT_FALSE(d.rulesText.empty());
  // Event 0 never fires.
  SolRuleSet rules;
  LoadShipped(rules, s.set);
  uint32_t game = 5;
  rules.StartGame(game);
  EXPECT_FALSE(rules.CheckEvent(0));
}

INSTANTIATE_TEST_SUITE_P(Loader, ShippedSets, testing::ValuesIn(kShipped), test_names::ByField<&Shipped::set>{});

TEST(Loader, KlondikeContents) {
  SolRuleData d;
  std::string error;
  const std::vector<uint8_t> bytes = ShippedSet("klondike_ii");
  ASSERT_TRUE(SolReadRuleData(bytes.data(), bytes.size(), d, error));
  for (size_t i = 0; i < 52; ++i) {
    EXPECT_EQ(d.cards[i].kind, 0);
    EXPECT_EQ(d.cards[i].suit, i / 13 + 1);
    EXPECT_EQ(d.cards[i].rank, i % 13 + 1);
  }
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(d.flips[i].pile, i + 3);
    EXPECT_EQ(d.flips[i].position, i + 1);
  }
  ASSERT_EQ(d.counters.size(), 25u);
  EXPECT_EQ(d.counters[0].initial, 2);
  EXPECT_EQ(d.counters[0].followUp, 0);
  EXPECT_EQ(d.limits[0].event, 10);
  EXPECT_EQ(d.limits[0].counter, 0);
  EXPECT_EQ(d.piles[0].tapEvent, 1);
  EXPECT_EQ(d.piles[0].emptyTapEvent, 10);
  // The worked event table.
  const SolAction& draw = d.actions[0];
  EXPECT_EQ(draw.kind, kSolActCardFlag);
  EXPECT_EQ(draw.rangeMode, 2);
  EXPECT_EQ(draw.count, 1);
  const SolAction& recycle = d.actions[11];
  EXPECT_EQ(recycle.kind, kSolActMove);
  EXPECT_EQ(recycle.pile, 1);
  EXPECT_EQ(recycle.target, 0);
  EXPECT_EQ(d.actions[2].kind, kSolActWin);
  EXPECT_EQ(std::vector<uint8_t>(d.eventKinds.begin(), d.eventKinds.begin() + 11),
            (std::vector<uint8_t>{2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 2}));
  // The waste and the columns tap to play their top card to a foundation.
  for (size_t p = 1; p <= 8; ++p) EXPECT_EQ(d.eventKinds[d.piles[p].tapEvent], 2) << "pile " << p;
}

TEST(Loader, SpiderCardSets) {
  auto suits = [](const char* set) {
    SolRuleData d;
    std::string error;
    const std::vector<uint8_t> bytes = ShippedSet(set);
    SolReadRuleData(bytes.data(), bytes.size(), d, error);
    std::vector<int> count(5, 0);
    for (const SolCardDef& c : d.cards) ++count[c.suit];
    return count;
  };
  EXPECT_EQ(suits("spider"), (std::vector<int>{0, 26, 26, 26, 26}));
  EXPECT_EQ(suits("spider_one_suit"), (std::vector<int>{0, 104, 0, 0, 0}));
  EXPECT_EQ(suits("spider_two_suits"), (std::vector<int>{0, 52, 0, 0, 52}));
}

// A record with three mode-0/mode-2 piles, for the rescaling rules.
std::vector<uint8_t> ScaleRecord(uint16_t wide, uint16_t fanLimit) {
  SolRuleData d;
  const std::vector<uint8_t> bytes = ShippedSet("klondike");
  std::string error;
  SolReadRuleData(bytes.data(), bytes.size(), d, error);
  d.header[kSolWide] = wide;
  d.piles[0].xMode = 0, d.piles[0].x = 15;
  d.piles[0].yMode = 0, d.piles[0].y = 21;
  d.piles[1].yMode = 2, d.piles[1].y = 100;
  d.piles[2].fanLimit = fanLimit;
  d.piles[3].fanLimit = 2;
  return SolWriteRuleData(d);
}

TEST(Loader, RescalesPositions) {
  SolRuleSet rules;
  std::vector<uint8_t> narrow = ScaleRecord(0, 10);
  ASSERT_TRUE(rules.Load(narrow.data(), narrow.size(), SolScreen{192, 192, false}));
  EXPECT_FALSE(rules.WideLayout());
  EXPECT_EQ(rules.Rules().piles[0].x, 40);
  EXPECT_EQ(rules.Rules().piles[0].y, 54);
  EXPECT_EQ(rules.Rules().piles[1].y, 131);
  EXPECT_EQ(rules.Rules().piles[2].fanLimit, 10);
  std::vector<uint8_t> wide = ScaleRecord(1, 10);
  ASSERT_TRUE(rules.Load(wide.data(), wide.size(), SolScreen{192, 192, false}));
  EXPECT_EQ(rules.Rules().piles[0].x, 15 * 52 / 18);
  EXPECT_EQ(rules.Rules().piles[0].y, 21 * 70 / 24);
  // x mode 1 is placed by the field, not the loader.
  EXPECT_EQ(rules.Rules().piles[4].x, 57);
  ASSERT_TRUE(rules.Load(narrow.data(), narrow.size(), SolScreen{96, 96, true}));
  EXPECT_EQ(rules.Rules().piles[0].x, 15 * 20 / 15);
}

TEST(Loader, ForcedWideLayout) {
  SolRuleSet rules;
  const std::vector<uint8_t> narrow = ScaleRecord(0, 10);
  for (int dpi : {96, 192}) {
    ASSERT_TRUE(rules.Load(narrow.data(), narrow.size(), SolScreen{dpi, dpi, false}));
    EXPECT_FALSE(rules.WideForced()) << dpi;
  }
  ASSERT_TRUE(rules.Load(narrow.data(), narrow.size(), SolScreen{128, 128, false}));
  EXPECT_TRUE(rules.WideLayout());
  EXPECT_TRUE(rules.WideForced());
  EXPECT_EQ(rules.Rules().piles[2].fanLimit, 7);
  EXPECT_EQ(rules.Rules().piles[3].fanLimit, 1);  // 2 - 3 would wrap; kept at 1
  EXPECT_EQ(rules.Rules().piles[4].fanLimit, 0);  // unlimited stays unlimited
  // Forced wide scales with the wide factor but the narrow divisor.
  EXPECT_EQ(rules.Rules().piles[0].x, 15 * ((128 * 26 + 48) / 96) / 15);
}

// Corruptions of a valid record, each refused with an error.
struct Corruption {
  const char* what;
  std::function<void(SolRuleData&)> change;
};

const Corruption kCorruptions[] = {
    {"pile pick expression", [](SolRuleData& d) { d.piles[3].pickExpr = static_cast<uint16_t>(d.expressions.size()); }},
    {"pile tap event", [](SolRuleData& d) { d.piles[0].tapEvent = static_cast<uint16_t>(d.eventKinds.size()); }},
    {"action pile", [](SolRuleData& d) { d.actions[1].target = 13; }},
    {"any pile in a move action", [](SolRuleData& d) { d.actions[1].pile = kSolAnyPile; }},
    {"field action expression", [](SolRuleData& d) { d.actions[0] = {kSolActPileField, 0, 2, 0, 0, 0, 0, kSolFieldPickExpr, 0, 40}; }},
    {"counter action",
     [](SolRuleData& d) {
       d.actions[0] = {kSolActResetCounter, 0, static_cast<uint16_t>(d.counters.size()), 0, 0, 0, 0, 0, 0, 0};
     }},
    {"unknown action kind", [](SolRuleData& d) { d.actions[0].kind = 7; }},
    {"move table pile", [](SolRuleData& d) { d.moveTable[0].to = 13; }},
    {"swap card", [](SolRuleData& d) { d.swaps.push_back({0, 52, 0}); }},
    {"flip pile", [](SolRuleData& d) { d.flips[0].pile = 13; }},
    {"event kind", [](SolRuleData& d) { d.eventKinds[3] = 4; }},
    {"event-action link", [](SolRuleData& d) { d.eventActions[0].action = static_cast<uint16_t>(d.actions.size()); }},
    {"condition expression", [](SolRuleData& d) { d.conditions[0].expr = static_cast<uint16_t>(d.expressions.size()); }},
    {"condition pile B", [](SolRuleData& d) { d.conditions[0].pileB = 13; }},
    {"event-condition link",
     [](SolRuleData& d) { d.eventConditions[0].condition = static_cast<uint16_t>(d.conditions.size()); }},
    {"limit counter", [](SolRuleData& d) { d.limits.push_back({10, static_cast<uint16_t>(d.counters.size())}); }},
    {"counter follow-up", [](SolRuleData& d) { d.counters.push_back({2, static_cast<uint16_t>(d.eventKinds.size())}); }},
    {"deal counts", [](SolRuleData& d) { d.piles[0].dealCount = 22; }},
    {"card kinds", [](SolRuleData& d) { d.cards[5].kind = 1; }},
    {"card rank", [](SolRuleData& d) { d.cards[5].rank = 14; }},
    {"unbalanced expression", [](SolRuleData& d) { d.expressions[0] = {kOpIf}; }},
    {"truncated PUSH", [](SolRuleData& d) { d.expressions[0] = {kOpPush, 1}; }},
    {"zero opcode", [](SolRuleData& d) { d.expressions[0] = {kOpPush, 1, kOpPush, 0}; }},
    {"growing loop",
     [](SolRuleData& d) {
       SolBytes loop = {kOpLoop};
       for (int i = 0; i < 10; ++i) loop.insert(loop.end(), {kOpPush, 1, kOpPush});
       loop.push_back(kOpLoopEnd);
       d.expressions[0] = loop;
     }},
    {"empty name", [](SolRuleData& d) { d.name.clear(); }},
    {"long name", [](SolRuleData& d) { d.name.assign(32, 'x'); }},
};

void PrintTo(const Corruption& c, std::ostream* os) { *os << c.what; }

class LoaderRefuses : public testing::TestWithParam<Corruption> {};

TEST_P(LoaderRefuses, CorruptRecord) {
  SolRuleData d;
  std::string error;
  const std::vector<uint8_t> bytes = ShippedSet("klondike");
  ASSERT_TRUE(SolReadRuleData(bytes.data(), bytes.size(), d, error));
  GetParam().change(d);
  const std::vector<uint8_t> bad = SolWriteRuleData(d);
  SolRuleSet rules;
  error.clear();
  EXPECT_FALSE(rules.Load(bad.data(), bad.size(), SolScreen{}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(rules.Loaded());
}

INSTANTIATE_TEST_SUITE_P(Loader, LoaderRefuses, testing::ValuesIn(kCorruptions),
                         test_names::ByField<&Corruption::what>{});

TEST(Loader, RefusesEveryTruncation) {
  const std::vector<uint8_t> bytes = ShippedSet("spider");
  SolRuleSet rules;
  for (size_t n = 0; n < bytes.size(); ++n) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    ASSERT_FALSE(rules.Load(cut.data(), cut.size(), SolScreen{})) << n;
  }
  EXPECT_FALSE(rules.Load(nullptr, 0, SolScreen{}));
}

TEST(Loader, ReloadReplacesRulesButNotTheGame) {
  SolRuleSet rules;
  LoadShipped(rules, "klondike");
  uint32_t game = 9;
  rules.StartGame(game);
  LoadShipped(rules, "klondike_ii");
  EXPECT_EQ(rules.Name(), "Klondike II");
  EXPECT_TRUE(rules.HasGame());
  rules.Clear();
  EXPECT_FALSE(rules.HasGame());
  EXPECT_FALSE(rules.Loaded());
}

}  // namespace
