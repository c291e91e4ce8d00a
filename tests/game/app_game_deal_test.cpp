// The twelve games' deals: pile counts, card counts per pile, the special
// first cards and seeds, the size of a fresh deal's saved game, and the
// same deal again for the same number.
#include <gtest/gtest.h>

#include <string>

#include "app_foundation_pile.h"
#include "game_fixture.h"

namespace {

using game_test::Table;

struct DealCase {
  int32_t type;
  int piles;
  int cards;
  size_t savedBytes;  // a fresh deal: no history
};

// Saved sizes: 4 per card, 12 + count per pile, 2 per foundation, 1 for the
// stock, 4 for an empty history, 16 fields, 5 for the clock, 2 for hints.
const DealCase kDeals[] = {
    {kGameKlondike, 13, 52, 452}, {kGameFreecell, 16, 52, 487}, {kGameSpider, 19, 104, 792},
    {kGameCalc, 9, 52, 404},      {kGameGolf, 9, 52, 398},      {kGameIdiot, 6, 52, 360},
    {kGameCanfield, 11, 52, 428}, {kGameClock, 13, 52, 443},    {kGameFourCorners, 11, 52, 428},
    {kGameYukon, 11, 52, 427},    {kGameSultan, 19, 104, 794},  {kGamePyramid, 31, 52, 662},
};

class DealTest : public ::testing::TestWithParam<DealCase> {};

TEST_P(DealTest, EveryCardLiesInExactlyOnePileAndTheRecordHasItsSize) {
  const DealCase& c = GetParam();
  Table t(c.type, 7);
  ASSERT_EQ(t.game->pileCount(), c.piles);
  ASSERT_EQ(t.game->cardCount(), c.cards);
  int total = 0;
  for (int i = 0; i < t.game->pileCount(); ++i) {
    EXPECT_EQ(t.pile(i).index(), i);
    total += t.pile(i).count();
  }
  EXPECT_EQ(total, c.cards);
  EXPECT_EQ(t.save().size(), c.savedBytes);
}

TEST_P(DealTest, TheSameNumberDealsTheSameAndReplayRepeatsIt) {
  const DealCase& c = GetParam();
  Table a(c.type, 1234567);
  Table b(c.type, 1234567);
  EXPECT_EQ(a.save(), b.save());
  const std::vector<uint8_t> before = a.save();
  a.game->replayDeal();
  EXPECT_EQ(a.save(), before);
  Table other(c.type, 1234568);
  EXPECT_NE(other.save(), before);
}

std::string gameName(const ::testing::TestParamInfo<DealCase>& info) {
  static const char* const kNames[] = {"Klondike", "Freecell", "Spider",      "Calc",  "Golf",   "Idiot",
                                       "Canfield", "Clock",    "FourCorners", "Yukon", "Sultan", "Pyramid"};
  return kNames[info.param.type - 1];
}

INSTANTIATE_TEST_SUITE_P(AllGames, DealTest, ::testing::ValuesIn(kDeals), gameName);

TEST(DealShape, FreecellWithTwoDecksDealsTenColumns) {
  CAppPlainGameServices services;
  services.stillPlay();
  services.settings().freecellDecks = 2;
  CAppGame game(nullptr, &services);
  ASSERT_EQ(game.init(kGameFreecell), 0);
  EXPECT_EQ(game.cardCount(), 104);
  EXPECT_EQ(game.kindCount(kPileTableau), 10);
  EXPECT_EQ(game.kindCount(kPileCell), 8);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(game.pileOf(kPileTableau, i)->count(), i < 6 ? 10 : 11);
}

TEST(DealShape, SpiderKeepsFiftyCardsInTheStock) {
  Table t(kGameSpider, 3);
  EXPECT_EQ(t.game->firstPile(kPileStock)->count(), 50);
  // Column 9 is the first tableau pile and gets five cards, column 0 six.
  EXPECT_EQ(t.game->pileOf(kPileTableau, 0)->count(), 5);
  EXPECT_EQ(t.game->pileOf(kPileTableau, 9)->count(), 6);
  for (int i = 0; i < t.game->cardCount(); ++i) EXPECT_EQ(t.game->card(i)->suit(), 1);
}

TEST(DealShape, SultanSeedsItsFoundationsFromTheStock) {
  Table t(kGameSultan, 11);
  static constexpr int kRank[9] = {13, 13, 13, 13, 13, 13, 13, 1, 13};
  static constexpr int kSuit[9] = {3, 0, 3, 2, 0, 2, 1, 0, 1};
  for (int i = 0; i < 9; ++i) {
    const CAppCard* top = t.game->pileOf(kPileFoundation, i)->topCard();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->rank(), kRank[i]) << i;
    EXPECT_EQ(top->suit(), kSuit[i]) << i;
    EXPECT_TRUE(top->isFaceUp());
  }
  EXPECT_EQ(t.game->firstPile(kPileStock)->count(), 104 - 9 - 8);
}

TEST(DealShape, CanfieldsFirstStockCardSetsEveryBase) {
  Table t(kGameCanfield, 5);
  const CAppCard* first = t.game->firstPile(kPileFoundation)->topCard();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isFaceUp());
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(static_cast<CAppFoundationPile*>(t.game->pileOf(kPileFoundation, i))->baseRank(), first->rank());
  }
  EXPECT_EQ(t.game->firstPile(kPileReserve)->count(), 13);
  EXPECT_EQ(t.game->firstPile(kPileStock)->count(), 34);
}

TEST(DealShape, DealFaceModes) {
  // Klondike: the last card of a column up; Yukon: the last five.
  Table k(kGameKlondike, 2);
  const CAppCardPile* seven = k.game->pileOf(kPileTableau, 0);
  ASSERT_EQ(seven->count(), 7);
  for (int d = 0; d < 7; ++d) EXPECT_EQ(seven->cardFromTop(d)->isFaceUp(), d == 0) << d;
  Table y(kGameYukon, 2);
  const CAppCardPile* eleven = y.game->pileOf(kPileTableau, 0);
  ASSERT_EQ(eleven->count(), 11);
  for (int d = 0; d < 11; ++d) EXPECT_EQ(eleven->cardFromTop(d)->isFaceUp(), d < 5) << d;
  // Alternate columns: column 0 all down, column 1 all up.
  CAppPlainGameServices services;
  services.stillPlay();
  services.settings().klondikeDealFace = 4;
  services.settings().options[kGameKlondike - 1][kOptionAutoTurn] = 0;
  CAppGame game(nullptr, &services);
  ASSERT_EQ(game.init(kGameKlondike), 0);
  const CAppCardPile* column0 = game.pileOf(kPileTableau, 6);
  const CAppCardPile* column1 = game.pileOf(kPileTableau, 5);
  EXPECT_FALSE(column0->topCard()->isFaceUp());
  for (int d = 0; d < column1->count(); ++d) EXPECT_TRUE(column1->cardFromTop(d)->isFaceUp());
}

TEST(DealShape, ClockDealsFourToEachHourWithTheCentreTopUp) {
  Table t(kGameClock, 9);
  for (int i = 0; i < 13; ++i) {
    const CAppCardPile& r = t.pile(i);
    ASSERT_EQ(r.count(), 4);
    EXPECT_EQ(r.topCard()->isFaceUp(), i == 12);
  }
}
}  // namespace
