// The extra piles that are neither columns nor cells: the pyramid places of
// Pyramid, the thirteen hour piles of Clock, and plain reserves such as
// Canfield's, from which only the top card plays.
#pragma once

#include "app_card_pile.h"
#include "app_game_definition.h"

class CAppReservePile : public CAppCardPile {
 public:
  static constexpr int kPyramidFirstPile = 2;

  explicit CAppReservePile(CAppGame* game);

  void setRules(const ReserveSpec& spec) { spec_ = spec; }
  const ReserveSpec& rules() const { return spec_; }
  void deal(CAppCardPile& stock);
  void addCard(CAppCard* card) override;
  void layoutCards() override;
  bool hitTest(int32_t x, int32_t y) const override;
  bool canAccept(CAppCard* card) override;
  void activate(int32_t x, int32_t y) override;
  bool refillsWhenEmpty() const override { return spec_.autoRefill != 0; }
  // An emptied pyramid place is gone: the cards of the row above show whole.
  std::optional<uint16_t> frameColour() const override;

  // Pyramid: no card of the row below still covers this place.
  bool isUncovered() const;
  // Clock: the four cards of this hour, all face up.
  bool isClockComplete() const;

 private:
  // Clock: the card went under the pile; the next face-down card turns.
  void turnNextClockCard();

  ReserveSpec spec_;
  int16_t fanStep_;
};
