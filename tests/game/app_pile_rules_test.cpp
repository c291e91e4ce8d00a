// The rule tables of the pile kinds: foundation rank rules, the tableau's
// build and run rules, group sizes, the safe automatic-move range, Pyramid
// cover, the Idiot discard, and the edges of the stock.
#include <gtest/gtest.h>

#include "app_foundation_pile.h"
#include "app_reserve_pile.h"
#include "app_stock_pile.h"
#include "app_tableau_pile.h"
#include "game_fixture.h"

namespace {

using game_test::Table;

// A card of the game by rank and suit (the first such card).
CAppCard* cardOf(const CAppGame& game, int rank, int suit) {
  for (int i = 0; i < game.cardCount(); ++i) {
    CAppCard* c = game.card(i);
    if (c->rank() == rank && c->suit() == suit) return c;
  }
  return nullptr;
}

// Lays cards (rank, suit) on an emptied pile, bottom first, face up.
void lay(CAppGame& game, CAppCardPile& pile, std::initializer_list<std::pair<int, int>> cards) {
  pile.clear();
  for (auto [rank, suit] : cards) {
    CAppCard* c = cardOf(game, rank, suit);
    c->turnFaceUp();
    pile.addCard(c);
  }
}

TEST(FoundationRules, RanksFollowByStepSuitAndDirection) {
  struct Case {
    int32_t type;
    int foundation;
    std::initializer_list<std::pair<int, int>> pile;
    int rank, suit;
    bool accepted;
  };
  const Case cases[] = {
      {kGameKlondike, 0, {}, 1, 2, true},  // any ace starts
      {kGameKlondike, 0, {}, 2, 2, false},
      {kGameKlondike, 0, {{1, 2}}, 2, 2, true},  // same suit, one up
      {kGameKlondike, 0, {{1, 2}}, 2, 0, false},
      {kGameKlondike, 0, {{1, 2}}, 3, 2, false},
      {kGameCalc, 0, {{4, 0}, {8, 1}, {12, 2}, {3, 3}, {7, 0}}, 11, 1, true},  // step 4, any suit
      {kGameCalc, 0, {{9, 1}}, 13, 0, true},                                   // 9 + 4 wraps to the king
      {kGameCalc, 0, {{13, 1}}, 4, 0, true},                                   // then 4
      {kGameCalc, 3, {{13, 1}}, 1, 0, true},  // step 1: the king is followed by the ace
      {kGameGolf, 0, {{7, 1}}, 6, 2, true},   // either way, any suit
      {kGameGolf, 0, {{7, 1}}, 8, 3, true},
      {kGameGolf, 0, {{7, 1}}, 9, 3, false},
      {kGameGolf, 0, {{13, 1}}, 12, 3, false},  // nothing on a king by default
      {kGameGolf, 0, {{1, 1}}, 13, 3, false},   // no wrap by default
      {kGameSultan, 3, {{13, 2}}, 1, 2, true},  // a king foundation goes on with the ace
      {kGameSultan, 3, {{13, 2}}, 1, 1, false},
      {kGameSultan, 4, {{13, 0}}, 1, 0, false},  // the centre king takes nothing
  };
  for (const Case& c : cases) {
    Table t(c.type);
    auto& f = static_cast<CAppFoundationPile&>(*t.game->pileOf(kPileFoundation, c.foundation));
    lay(*t.game, f, c.pile);
    CAppCard* card = cardOf(*t.game, c.rank, c.suit);
    EXPECT_EQ(f.canAccept(card), c.accepted) << "type " << c.type << " rank " << c.rank << " suit " << c.suit;
  }
}

TEST(FoundationRules, SpiderTakesOnlyAWholeRun) {
  Table t(kGameSpider);
  CAppInHandPile& hand = t.game->inHand();
  auto& f = *t.game->pileOf(kPileFoundation, 0);
  f.clear();
  // The run as it lies in a column: the king deepest, the ace on top; the
  // hand takes the ace first, so its top card is the king.
  hand.setQuiet(true);
  for (int rank = 1; rank <= 12; ++rank) hand.addCard(cardOf(*t.game, rank, 1));
  EXPECT_FALSE(f.canAccept(hand.topCard()));  // 12 cards
  hand.addCard(cardOf(*t.game, 13, 1));
  EXPECT_TRUE(f.canAccept(hand.topCard()));
  EXPECT_EQ(hand.count(), 13);  // the test leaves the hand as it was
  hand.clear();
}

TEST(TableauRules, BuildAndRunRules) {
  Table t(kGameKlondike);
  auto& column = static_cast<CAppTableauPile&>(*t.game->pileOf(kPileTableau, 0));
  const CAppCard& red9 = *cardOf(*t.game, 9, 0);
  const CAppCard& black8 = *cardOf(*t.game, 8, 1);
  const CAppCard& red8 = *cardOf(*t.game, 8, 2);
  EXPECT_TRUE(column.buildRule(black8, red9));
  EXPECT_FALSE(column.buildRule(red8, red9));
  TableauSpec either = column.rules();
  either.buildDirection = 2;
  either.buildSuit = 2;
  column.setRules(either);
  const CAppCard& ten = *cardOf(*t.game, 10, 3);
  EXPECT_TRUE(column.buildRule(black8, red9));
  EXPECT_TRUE(column.buildRule(ten, red9));
  EXPECT_FALSE(column.buildRule(red9, red9));
  // Empty columns: Klondike takes only a king.
  column.clear();
  EXPECT_FALSE(column.canAccept(cardOf(*t.game, 12, 1)));
  EXPECT_TRUE(column.canAccept(cardOf(*t.game, 13, 1)));
}

TEST(TableauRules, FreecellGroupsGrowWithFreeCellsAndColumnsAndStopAt255) {
  Table t(kGameFreecell);
  EXPECT_EQ(t.game->maxMovableCards(false), 5);  // four free cells, no empty column
  t.game->pileOf(kPileTableau, 0)->clear();
  t.game->pileOf(kPileTableau, 1)->clear();
  EXPECT_EQ(t.game->maxMovableCards(false), 20);
  EXPECT_EQ(t.game->maxMovableCards(true), 10);
  for (int i = 0; i < 8; ++i) t.game->pileOf(kPileTableau, i)->clear();
  EXPECT_EQ(t.game->maxMovableCards(false), 255);  // 5 x 2^8 would wrap a byte to 0
  EXPECT_EQ(t.game->maxMovableCards(true), 255);
}

TEST(AutoMoveRange, SafeMovesFollowTheLowestFoundation) {
  Table t(kGameKlondike);
  t.services.settings().options[kGameKlondike - 1][kOptionAutoMoves] = 2;
  for (int i = 0; i < 4; ++i) t.game->pileOf(kPileFoundation, i)->clear();
  EXPECT_EQ(t.game->getFoundationBase(), 1);
  EXPECT_EQ(t.game->safeAutoMoveRank(), 2);
  const int tops[4] = {5, 7, 9, 6};
  for (int i = 0; i < 4; ++i) {
    CAppCardPile& f = *t.game->pileOf(kPileFoundation, i);
    for (int r = 1; r <= tops[i]; ++r) f.addCard(cardOf(*t.game, r, i));
  }
  EXPECT_EQ(t.game->safeAutoMoveRank(), 6);
  t.services.settings().options[kGameKlondike - 1][kOptionAutoMoves] = 1;
  EXPECT_EQ(t.game->safeAutoMoveRank(), 13);
}

TEST(PyramidRules, APlaceIsFreeWhenBothCoveringCardsAreGone) {
  Table t(kGamePyramid);
  const auto reserve = [&](int n) { return static_cast<CAppReservePile*>(t.game->pileOf(kPileReserve, n)); };
  for (int n = 0; n < 28; ++n) EXPECT_EQ(reserve(n)->isUncovered(), n >= 21) << n;
  // Place 15 (row 5) is covered by 21 and 22.
  reserve(21)->clear();
  EXPECT_FALSE(reserve(15)->isUncovered());
  reserve(22)->clear();
  EXPECT_TRUE(reserve(15)->isUncovered());
  // The apex is covered by places 1 and 2.
  reserve(1)->clear();
  reserve(2)->clear();
  EXPECT_TRUE(reserve(0)->isUncovered());
}

TEST(IdiotRules, ACardGoesWhenAHigherCardOfItsSuitTopsAnotherColumn) {
  Table t(kGameIdiot);
  CAppCardPile& waste = *t.game->firstPile(kPileWaste);
  lay(*t.game, *t.game->pileOf(kPileTableau, 0), {{5, 2}});
  lay(*t.game, *t.game->pileOf(kPileTableau, 1), {{9, 2}});
  lay(*t.game, *t.game->pileOf(kPileTableau, 2), {{1, 3}});
  lay(*t.game, *t.game->pileOf(kPileTableau, 3), {{4, 3}});
  CAppInHandPile& hand = t.game->inHand();
  const auto discards = [&](int column) {
    CAppCardPile& source = *t.game->pileOf(kPileTableau, column);
    hand.attach(&source, kPileTableau);
    return waste.canAccept(source.topCard());
  };
  EXPECT_TRUE(discards(0));   // the 9 of its suit is higher
  EXPECT_FALSE(discards(1));  // nothing higher in its suit
  EXPECT_FALSE(discards(2));  // an ace never goes
  EXPECT_TRUE(discards(3));   // the ace of its suit counts as high
}

TEST(StockRules, KlondikeTurnsThreeAndRedealsThreeTimes) {
  Table t(kGameKlondike, 8);
  auto& stock = static_cast<CAppStockPile&>(*t.game->firstPile(kPileStock));
  CAppCardPile& waste = *t.game->firstPile(kPileWaste);
  std::vector<CAppCard*> order;
  for (int d = 0; d < stock.count(); ++d) order.push_back(stock.cardFromTop(d));
  const int stockX = stock.x() + 2, stockY = stock.y() + 2;
  for (int tap = 1; tap <= 8; ++tap) {
    t.game->onPenDown(stockX, stockY);
    t.game->onPenUp(stockX, stockY);
    EXPECT_EQ(waste.topCard(), order[static_cast<size_t>(3 * tap - 1)]) << tap;
    EXPECT_TRUE(waste.topCard()->isFaceUp());
  }
  EXPECT_TRUE(stock.empty());
  for (int redeal = 1; redeal <= 3; ++redeal) {
    t.game->onPenDown(stockX, stockY);
    t.game->onPenUp(stockX, stockY);
    EXPECT_EQ(stock.redeals(), redeal);
    EXPECT_EQ(stock.topCard(), order.front());
    EXPECT_FALSE(stock.topCard()->isFaceUp());
    for (int tap = 0; tap < 8; ++tap) stock.activate(stockX, stockY);
  }
  t.game->onPenDown(stockX, stockY);  // a fourth redeal is not allowed
  t.game->onPenUp(stockX, stockY);
  EXPECT_TRUE(stock.empty());
  EXPECT_EQ(stock.redeals(), 3);
  // Undo takes the turns back, then the redeal, which counts again.
  for (int i = 0; i < 9; ++i) t.game->state().undo();
  EXPECT_EQ(stock.redeals(), 2);
}

TEST(StockRules, ARedealOfAShortWasteIsTakenBackToo) {
  // A waste of no more cards than one turn still counts as a redeal.
  CAppPlainGameServices services;
  services.stillPlay();
  services.settings().klondikeTurnCount = 3;
  CAppGame game(nullptr, &services);
  ASSERT_EQ(game.init(kGameKlondike), 0);
  auto& stock = static_cast<CAppStockPile&>(*game.firstPile(kPileStock));
  CAppCardPile& waste = *game.firstPile(kPileWaste);
  while (stock.count() > 2) stock.removeTopCard();
  stock.activate(stock.x(), stock.y());  // two cards to the waste
  ASSERT_EQ(waste.count(), 2);
  stock.activate(stock.x(), stock.y());  // the redeal
  ASSERT_EQ(stock.redeals(), 1);
  game.state().undo();
  EXPECT_EQ(stock.redeals(), 0);
  EXPECT_EQ(waste.count(), 2);
}

TEST(StockRules, ADealNeverGoesPastTheLastColumn) {
  Table t(kGameSpider);
  auto& stock = static_cast<CAppStockPile&>(*t.game->firstPile(kPileStock));
  StockSpec rules = stock.rules();
  rules.turnCount = 14;
  stock.setRules(rules);
  stock.activate(stock.x(), stock.y());
  EXPECT_EQ(stock.count(), 40);
}

TEST(PileEdges, TakingFromAnEmptyPileGivesNothing) {
  Table t(kGameFreecell);
  CAppCardPile& cell = *t.game->pileOf(kPileCell, 0);
  EXPECT_EQ(cell.removeTopCard(), nullptr);
  EXPECT_EQ(cell.removeBottomCard(), nullptr);
  EXPECT_EQ(cell.topCard(), nullptr);
}

}  // namespace

namespace {

TEST(SearchRules, ACellCardCountsAMoveToAnEmptyColumnALoneColumnCardDoesNot) {
  Table t(kGameFreecell, 1);
  // Only empty columns: nothing to build on.
  for (int i = 0; i < t.game->kindCount(kPileTableau); ++i) t.game->pileOf(kPileTableau, i)->clear();
  CAppCardPile& cell = *t.game->pileOf(kPileCell, 0);
  CAppCardPile& lone = *t.game->pileOf(kPileTableau, 2);
  // The card is lifted: its cell is empty now, and so is the lone card's column.
  cell.clear();
  t.game->inHand().attach(&cell, kPileCell);
  EXPECT_TRUE(t.game->tableauAccepts(t.game->card(1), &cell));
  t.game->inHand().attach(&lone, kPileTableau);
  EXPECT_FALSE(t.game->tableauAccepts(t.game->card(0), &lone));
}

}  // namespace
