// The cards the player carries: lifted from a source pile, dragged or moved
// with the keys, then dropped on a target or given back. The top card of the
// hand lay deepest in the source and is put down first.
#pragma once

#include "app_card_pile.h"

class CAppInHandPile : public CAppCardPile {
 public:
  explicit CAppInHandPile(CAppGame* game);

  void setStyle(bool large);
  void attach(CAppCardPile* source, AppPileKind kind) {
    source_ = source;
    sourceKind_ = kind;
  }
  CAppCardPile* source() const { return source_; }
  AppPileKind sourceKind() const { return sourceKind_; }
  // Places the block and the pen's offset within it.
  void placeAt(int32_t x, int32_t y, int32_t grabX, int32_t grabY);
  void setX(int32_t x);
  void setY(int32_t y);
  // The carried block's edges.
  int32_t left() const { return x_; }
  int32_t right() const { return x_ + width_; }
  int32_t top() const { return y_; }
  int32_t bottom() const;

  void addCard(CAppCard* card) override;
  CAppCard* removeTopCard() override;
  CAppCard* removeBottomCard() override;
  void layoutCards() override;
  void dragTo(int32_t px, int32_t py);
  void showAtLastPosition();

  // Cards pass in and out without sounds or flag changes (run tests and the
  // move search).
  void setQuiet(bool quiet) { quiet_ = quiet ? 1 : 0; }
  bool isQuiet() const { return quiet_ != 0; }

  // Back onto the source, top card first.
  void returnCards();
  // Onto the target when it accepts the top card; false when it refuses.
  bool dropOn(CAppCardPile* target, bool animate);
  // Onto the target unchecked; Spider's runs go bottom card first.
  void placeOn(CAppCardPile& target, bool animate);
  void transferTo(CAppCardPile& target, bool animate);
  // Refills an emptied source that asks for it: from the first reserve (for
  // a column), else the waste, else the stock; recorded.
  void refillSource(bool animate);

 private:
  void released(CAppCard* card);
  void moveAll(CAppCardPile& target, bool bottomFirst, bool animate);

  CAppCardPile* source_ = nullptr;
  AppPileKind sourceKind_ = kPileStock;
  int32_t grabX_, grabY_;
  int16_t lastX_ = 0, lastY_ = 0;
  uint8_t quiet_ = 0;
  int16_t step_;
};
