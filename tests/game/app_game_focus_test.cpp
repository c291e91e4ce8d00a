// The keypad focus: where the arrows may take it with and without one-touch
// play, the slide across the grid that ends on a table where nothing
// qualifies, and the action key picking up, dropping and giving back.
#include <gtest/gtest.h>

#include "game_fixture.h"

namespace {

using game_test::Table;

constexpr int kLeft = CAppGame::kKeyLeft, kRight = CAppGame::kKeyRight, kUp = CAppGame::kKeyUp,
              kDown = CAppGame::kKeyDown;

// Klondike deal 1: waste 0, foundations 1-4, columns 5-11 (column 0 is pile
// 11), stock 12; the jack of hearts on pile 9 goes onto the queen of pile 5.
constexpr int kJackColumn = 9, kQueenColumn = 5, kStock = 12;

// Presses the key along each row, a row down at a time, until the focus rests
// on the pile; false when it never does.
bool focusOn(Table& t, int key, int index) {
  for (int i = 0; i < 60; ++i) {
    if (t.game->isKeyboardMode() && t.game->focusPile() == index) return true;
    t.game->onKey(i % 10 == 9 ? kDown : key);
  }
  return false;
}

void setGrid(CAppGameDefinition& d, int rows, int columns, std::initializer_list<uint8_t> cells) {
  d.gridRows = static_cast<uint8_t>(rows);
  d.gridColumns = static_cast<uint8_t>(columns);
  auto it = cells.begin();
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) d.cursorGrid[r][c] = *it++;
  }
}

TEST(KeypadFocus, TheFirstArrowOnlyShowsTheFocusOnTheStock) {
  Table t(kGameKlondike);
  EXPECT_FALSE(t.game->isKeyboardMode());
  t.game->onKey(kRight);
  EXPECT_TRUE(t.game->isKeyboardMode());
  EXPECT_EQ(t.game->focusPile(), kStock);
  EXPECT_TRUE(t.pile(kStock).isSelected());
  // A tap leaves the keypad's focus; Select shows it again where it was.
  t.tap(kJackColumn);
  EXPECT_FALSE(t.game->isKeyboardMode());
  EXPECT_FALSE(t.pile(kStock).isSelected());
  t.game->onAction();
  EXPECT_TRUE(t.game->isKeyboardMode());
  EXPECT_TRUE(t.pile(kStock).isSelected());
  t.game->onKey(kRight);
  ASSERT_NE(t.game->focusPile(), kStock);
  const int focus = t.game->focusPile();
  t.tap(kStock);
  t.game->onAction();
  EXPECT_EQ(t.game->focusPile(), focus);
  EXPECT_TRUE(t.pile(focus).isSelected());
}

TEST(KeypadFocus, OneTouchRestsOnlyOnPilesThatCanPlayAndTheActionPlaysThere) {
  Table t(kGameKlondike);
  for (int key : {kRight, kLeft, kDown, kUp}) {
    for (int i = 0; i < 12; ++i) {
      t.game->onKey(key);
      const CAppCardPile* focus = t.game->focusedPile();
      ASSERT_NE(focus, nullptr);
      bool movable = focus->kind() == kPileStock;
      for (const CAppCard* c : t.game->movableCards()) movable = movable || focus->depthOf(c) >= 0;
      EXPECT_TRUE(movable) << "key " << key << " rested on pile " << int(focus->index());
    }
  }
  ASSERT_TRUE(focusOn(t, kRight, kJackColumn));
  EXPECT_EQ(t.pile(kJackColumn).selectedCard(), t.pile(kJackColumn).topCard());
  const CAppCard* jack = t.pile(kJackColumn).topCard();
  t.game->onAction();
  EXPECT_EQ(t.pile(kQueenColumn).topCard(), jack);
  EXPECT_EQ(t.game->focusPile(), kQueenColumn) << "the focus follows the card";
  EXPECT_EQ(t.pile(kQueenColumn).selectedCard(), jack);
  EXPECT_EQ(t.game->inHand().count(), 0);
}

TEST(KeypadFocus, WithoutOneTouchTheActionCarriesAndACardNobodyTakesGoesBack) {
  Table t(kGameKlondike);
  t.services.settings().options[0][kOptionOneTouch] = 0;
  ASSERT_TRUE(focusOn(t, kRight, kJackColumn));
  const CAppCard* jack = t.pile(kJackColumn).topCard();
  t.game->onAction();
  EXPECT_EQ(t.game->inHand().topCard(), jack);
  EXPECT_TRUE(t.game->isCarriedByTap());
  // The stock does not take it: it goes back where it came from.
  ASSERT_TRUE(focusOn(t, kRight, kStock));
  t.game->onAction();
  EXPECT_EQ(t.game->inHand().count(), 0);
  EXPECT_EQ(t.pile(kJackColumn).topCard(), jack);
  // Carried again and put down on the queen.
  ASSERT_TRUE(focusOn(t, kRight, kJackColumn));
  t.game->onAction();
  ASSERT_TRUE(focusOn(t, kRight, kQueenColumn));
  t.game->onAction();
  EXPECT_EQ(t.pile(kQueenColumn).topCard(), jack);
  EXPECT_EQ(t.pile(kQueenColumn).selectedCard(), jack);
}

TEST(KeypadFocus, UpAndDownWalkAColumnsRunBeforeLeavingIt) {
  Table t(kGameKlondike);
  t.services.settings().options[0][kOptionOneTouch] = 0;
  ASSERT_TRUE(focusOn(t, kRight, kJackColumn));
  t.game->onAction();
  ASSERT_TRUE(focusOn(t, kRight, kQueenColumn));
  t.game->onAction();
  CAppCardPile& column = t.pile(kQueenColumn);
  const CAppCard* queen = column.cardFromTop(1);
  t.game->onKey(kUp);
  EXPECT_EQ(column.selectedCard(), queen);
  t.game->onKey(kUp);  // the card under the queen lies face down: the focus leaves the column
  EXPECT_NE(t.game->focusPile(), kQueenColumn);
  // Entered from above, the column shows the deepest card of its run.
  t.game->onKey(kDown);
  ASSERT_EQ(t.game->focusPile(), kQueenColumn);
  EXPECT_EQ(column.selectedCard(), queen);
  t.game->onKey(kDown);
  EXPECT_EQ(column.selectedCard(), column.topCard());
}

TEST(KeypadFocus, ARowOfOnePileKeepsTheFocusWhereItIs) {
  Table t(kGameKlondike);
  t.services.settings().options[0][kOptionOneTouch] = 0;
  setGrid(t.game->definition(), 1, 3, {5, 5, 99});
  t.game->onKey(kRight);  // keyboard mode: the stock is not in this grid
  ASSERT_TRUE(focusOn(t, kRight, 5) || t.game->focusPile() == kStock);
  t.game->locateFocusInGrid();
  for (int key : {kRight, kLeft}) {
    t.game->onKey(key);
    EXPECT_TRUE(t.pile(t.game->focusPile()).isSelected());
  }
}

TEST(KeypadFocus, WithNoMovableCardOnlyTheStockWhileItCanActThenEveryPile) {
  Table t(kGameKlondike);
  t.game->clearPlayableMarks();  // no movable card
  EXPECT_TRUE(t.game->canFocusPile(kStock));
  EXPECT_FALSE(t.game->canFocusPile(kJackColumn));
  t.pile(kStock).clear();
  t.pile(0).clear();
  EXPECT_TRUE(t.game->canFocusPile(kStock));
  EXPECT_TRUE(t.game->canFocusPile(kJackColumn));
  EXPECT_TRUE(t.game->canFocusPile(1));
  // Without one-touch every pile may take the focus.
  Table u(kGameKlondike);
  u.services.settings().options[0][kOptionOneTouch] = 0;
  u.game->clearPlayableMarks();
  EXPECT_TRUE(u.game->canFocusPile(kJackColumn));
}

TEST(KeypadFocus, TheSlideAcrossTheGridEndsWhereNoPileQualifies) {
  Table t(kGameKlondike);
  t.game->clearPlayableMarks();  // only the stock could take the focus, and it is not in the grid
  setGrid(t.game->definition(), 2, 3, {11, 10, 9, 8, 99, 7});
  t.game->onKey(kRight);
  for (int key : {kRight, kLeft, kUp, kDown}) {
    t.game->onKey(key);
    EXPECT_NE(t.game->focusedPile(), nullptr);
  }
}

TEST(KeypadFocus, PyramidStartsOnTheLowestRowOfThePyramid) {
  Table t(kGamePyramid);
  t.game->onKey(kRight);
  EXPECT_EQ(t.game->cursorRow(), 6);
  EXPECT_FALSE(t.game->isPyramidRowClear());
  // Clearing the bottom row makes it clear; the row above is not.
  for (int i = 21; i < 28; ++i) t.game->pileOf(kPileReserve, i)->clear();
  EXPECT_TRUE(t.game->isPyramidRowClear());
  t.services.settings().options[kGamePyramid - 1][kOptionOneTouch] = 0;
  t.game->onKey(kLeft);
  EXPECT_EQ(t.game->cursorRow(), 5) << "left and right climb out of a cleared row";
}

// With the animations off no flight ends in a settle: a turn of the stock,
// by the stylus or by Select, settles the table at once, so after every turn
// the cards that can move are those a fresh search finds.
TEST(KeypadFocus, EveryStockTurnWithoutAnimationsIsSearchedAgain) {
  for (const bool byKey : {false, true}) {
    SCOPED_TRACE(byKey ? "Select" : "tap");
    Table t(kGameGolf, 1);
    const int stock = t.game->firstPile(kPileStock)->index();
    if (byKey) t.game->onKey(kRight);  // the focus shows on the stock
    for (int turn = 0; turn < 60 && !t.pile(stock).empty(); ++turn) {
      SCOPED_TRACE(turn);
      if (byKey) {
        ASSERT_EQ(t.game->focusPile(), stock);
        t.game->onAction();
      } else {
        t.tap(stock);
      }
      const std::vector<CAppCard*> seen = t.game->movableCards();
      const bool moves = t.game->findMoves() > 0;
      EXPECT_EQ(t.game->movableCards(), seen);
      EXPECT_EQ(t.game->isFinished(), !moves);
    }
    EXPECT_TRUE(t.pile(stock).empty());
  }
}

// Pyramid deal 1 with the stock face up: its six and the seven at the left
// of the bottom row (place 23) make thirteen. Select on the stock plays the
// six onto the seven, and the focus leaves the emptied place for the discard
// pile.
TEST(KeypadFocus, APairFromTheStockMovesTheFocusToTheDiscardPile) {
  CAppPlainGameServices services;
  services.stillPlay();
  services.settings().currentGameType = kGamePyramid;
  services.settings().pyramidStockFaceUp = 1;
  CAppGame game(nullptr, &services);
  ASSERT_EQ(game.init(kGamePyramid), 0);
  const CAppCardPile* stock = game.firstPile(kPileStock);
  ASSERT_EQ(stock->topCard()->rank(), 6);
  ASSERT_EQ(game.pile(23)->topCard()->rank(), 7);
  game.onKey(kRight);
  ASSERT_EQ(game.focusPile(), stock->index());
  game.onAction();
  EXPECT_TRUE(game.pile(23)->empty());
  EXPECT_EQ(game.firstPile(kPileFoundation)->count(), 2);
  EXPECT_EQ(game.focusPile(), game.firstPile(kPileFoundation)->index());
}

}  // namespace
