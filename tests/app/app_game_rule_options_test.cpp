// The option tables of the twelve games' settings forms: which fields of the
// rules block each option and box writes and in which encoding, how stored
// values read back, and the default choices.
#include <gtest/gtest.h>

#include <string>

#include "app_game_rule_options.h"

namespace {

AppRuleChoices choices(std::initializer_list<int> indices, std::initializer_list<int> ticks) {
  AppRuleChoices c;
  int k = 0;
  for (int i : indices) c.index[k++] = static_cast<uint8_t>(i);
  k = 0;
  for (int t : ticks) c.ticked[k++] = static_cast<uint8_t>(t);
  return c;
}

struct WriteCase {
  int32_t type;
  AppRuleChoices shown;
  // What the game's fields hold after the write, in the form's order.
  const char* stored;
};

}  // namespace

TEST(AppGameRuleOptions, EachGameWritesItsOwnFieldsInItsEncoding) {
  const WriteCase cases[] = {
      // Klondike: draw 2, unlimited redeals, empty columns take nothing, whole columns alternate, take back.
      {1, choices({1, 3, 2, 3}, {1}), "1342=2 1345=127 1348=0 1351=4 1341=1"},
      // FreeCell: two decks, kings only, any suit.
      {2, choices({1, 1, 2}, {1}), "1354=2 1348=2 1357=2 1341=1"},
      // Spider: nothing in empty columns, all face up, four suits, any face-up cards; deal over gaps.
      {3, choices({2, 1, 2, 2}, {0}), "1348=0 1351=0 1360=4 1363=2 1450=0"},
      // Calculation: the third and fourth entries both store 2, told apart by the step flag.
      {4, choices({2}, {1, 0}), "1357=2/1 1341=1 1453=0"},
      {4, choices({3}, {0, 1}), "1357=2/0 1341=0 1453=1"},
      // Golf's one option is two flags: the second entry sets the second, the third the first.
      {5, choices({1}, {}), "1354=0/1"},
      {5, choices({2}, {}), "1354=1/0"},
      {6, choices({}, {1, 0}), "1366=1 1450=0"},
      {7, choices({0, 1}, {1, 0, 0}), "1342=1 1345=1 1366=1 1420=0 1436=0"},
      {8, choices({}, {0}), "1438=0"},
      {9, choices({2}, {0, 1, 0}), "1345=3 1368=0 1420=1 1440=0"},
      {10, choices({2, 2, 0}, {1}), "1348=0 1351=3 1357=0 1341=1"},
      // Sultan's build option has two entries: in suit (0) and any suit (2).
      {11, choices({2, 0, 1}, {0}), "1342=3 1345=0 1357=2 1420=0"},
      {12, choices({3}, {1, 1, 1}), "1345=127 1366=1 1367=1 1368=1"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.type);
    const AppGameRuleOptions& game = *AppRuleOptionsOf(c.type);
    CAppGameRules rules;
    const CAppGameRules fresh;
    game.write(c.shown, rules);
    EXPECT_EQ(game.describe(rules), c.stored);
    // Nothing outside the game changed, and the choices read back as written.
    for (int32_t t = 1; t <= kAppGameTypes; ++t) {
      if (t != c.type) {
        EXPECT_EQ(AppRuleOptionsOf(t)->describe(rules), AppRuleOptionsOf(t)->describe(fresh)) << t;
      }
    }
    EXPECT_EQ(game.read(rules, {}), c.shown);
    EXPECT_FALSE(game.differsFrom(c.shown, rules));
  }
}

TEST(AppGameRuleOptions, TheDefaultsAreEachGamesStandardRules) {
  struct DefaultCase {
    int32_t type;
    const char* stored;
  };
  // The boxes that the defaults button leaves alone start unticked here.
  const DefaultCase cases[] = {
      {1, "1342=3 1345=3 1348=2 1351=2 1341=0"},
      {2, "1354=1 1348=1 1357=1 1341=0"},
      {3, "1348=1 1351=2 1360=1 1363=0 1450=0"},
      {4, "1357=2/0 1341=0 1453=1"},
      {5, "1354=0/0"},
      {6, "1366=0 1450=0"},
      {7, "1342=3 1345=127 1366=0 1420=1 1436=1"},
      {8, "1438=1"},
      {9, "1345=0 1368=0 1420=1 1440=0"},
      {10, "1348=2 1351=2 1357=1 1341=0"},
      {11, "1342=1 1345=3 1357=0 1420=1"},
      {12, "1345=0 1366=0 1367=0 1368=0"},
  };
  for (const DefaultCase& c : cases) {
    SCOPED_TRACE(c.type);
    const AppGameRuleOptions& game = *AppRuleOptionsOf(c.type);
    AppRuleChoices shown;
    for (uint8_t& t : shown.ticked) t = 0;
    const AppRuleChoices defaults = game.withDefaults(shown);
    CAppGameRules rules;
    game.write(defaults, rules);
    EXPECT_EQ(game.describe(rules), c.stored);
  }
}

TEST(AppGameRuleOptions, ABoxTheDefaultsKeepStillCountsForTheDefaultTest) {
  for (int32_t type : {3, 6}) {
    const AppGameRuleOptions& game = *AppRuleOptionsOf(type);
    AppRuleChoices unticked;
    const AppRuleChoices defaults = game.withDefaults(unticked);
    EXPECT_FALSE(game.isDefault(defaults)) << type;
    AppRuleChoices ticked;
    for (uint8_t& t : ticked.ticked) t = 1;
    EXPECT_TRUE(game.isDefault(game.withDefaults(ticked))) << type;
  }
}

TEST(AppGameRuleOptions, AFreshProfileHoldsTheDefaultsButWhereItsOwnDiffer) {
  const CAppGameRules fresh;
  for (int32_t type = 1; type <= kAppGameTypes; ++type) {
    const AppGameRuleOptions& game = *AppRuleOptionsOf(type);
    // A new profile plays Golf with the king stopping, unlike the defaults
    // button; Four Corners has one set of defaults for both.
    const bool own = type == 5;
    EXPECT_EQ(game.isDefault(game.read(fresh, {})), !own) << type;
  }
}

TEST(AppGameRuleOptions, StoredValuesReadBackToTheirEntries) {
  // The index shown before, kept when the stored value is in no entry.
  constexpr int kKept = 9;
  struct ReadCase {
    const char* what;
    int32_t type;
    void (*store)(CAppGameRules&);
    int option;
    int index;
  };
  const ReadCase cases[] = {
      {"unlimited redeals", 1, [](CAppGameRules& r) { r.klondike.redealLimit = 127; }, 1, 3},
      {"a draw count of 0 is in no entry and keeps the index", 1, [](CAppGameRules& r) { r.klondike.drawCount = 0; }, 0,
       kKept},
      {"a deal mode of 1 is in no entry", 10, [](CAppGameRules& r) { r.yukon.fourWayB = 1; }, 1, kKept},
      {"empty columns taking nothing", 2, [](CAppGameRules& r) { r.freecell.threeWayA = 0; }, 1, 2},
      {"four suits", 3, [](CAppGameRules& r) { r.spider.suits = 4; }, 2, 2},
      {"three suits are in no entry", 3, [](CAppGameRules& r) { r.spider.suits = 3; }, 2, kKept},
      {"heaps in any suit by one", 4,
       [](CAppGameRules& r) { r.calculation.choice1357 = 2, r.calculation.choice1357Flag = 1; }, 0, 2},
      {"heaps taking any card", 4,
       [](CAppGameRules& r) { r.calculation.choice1357 = 2, r.calculation.choice1357Flag = 0; }, 0, 3},
      {"heaps in suit whatever the flag", 4,
       [](CAppGameRules& r) { r.calculation.choice1357 = 0, r.calculation.choice1357Flag = 0; }, 0, 0},
      {"both Golf flags read as the third entry", 5,
       [](CAppGameRules& r) { r.golf.firstFlag = 1, r.golf.secondFlag = 1; }, 0, 2},
      {"no Golf flag is the first entry", 5, [](CAppGameRules& r) { r.golf.secondFlag = 0; }, 0, 0},
      {"Sultan in any suit", 11, [](CAppGameRules& r) { r.sultan.choice1357 = 2; }, 2, 1},
      {"Sultan's 1 is in no entry", 11, [](CAppGameRules& r) { r.sultan.choice1357 = 1; }, 2, kKept},
      {"a Calculation value past the list", 4, [](CAppGameRules& r) { r.calculation.choice1357 = 3; }, 0, kKept},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    CAppGameRules rules;
    c.store(rules);
    AppRuleChoices shown;
    for (uint8_t& i : shown.index) i = kKept;
    EXPECT_EQ(AppRuleOptionsOf(c.type)->read(rules, shown).index[c.option], c.index);
  }
}

TEST(AppGameRuleOptions, AnyNonZeroBoxByteReadsTicked) {
  CAppGameRules rules;
  rules.clock.box1438 = 7;
  const AppGameRuleOptions& clock = *AppRuleOptionsOf(8);
  EXPECT_EQ(clock.read(rules, {}).ticked[0], 1);
  EXPECT_FALSE(clock.differsFrom(choices({}, {1}), rules));
  clock.write(choices({}, {1}), rules);
  EXPECT_EQ(rules.clock.box1438, 1);
}

TEST(AppGameRuleOptions, FormsAndTypesFindTheirTables) {
  EXPECT_EQ(AppRuleOptionsOf(0), nullptr);
  EXPECT_EQ(AppRuleOptionsOf(13), nullptr);
  EXPECT_EQ(AppRuleOptionsOf(10)->formId, 1441);
  EXPECT_EQ(AppRuleOptionsOfForm(1323)->type, 12);
  EXPECT_EQ(AppRuleOptionsOfForm(1000), nullptr);
  uint16_t last = 0;
  for (const AppGameRuleOptions* game : AppRuleOptionsByFormId()) {
    EXPECT_GT(game->formId, last);
    last = game->formId;
  }
}
