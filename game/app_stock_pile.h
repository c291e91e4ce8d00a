// The stock, which holds the undealt cards and deals them to the waste, the
// tableau or the first foundation (turning the waste back when empty), and
// the waste, which fans its top cards and gives up its top card.
#pragma once

#include <span>

#include "app_card_pile.h"
#include "app_game_definition.h"

class CAppStockPile : public CAppCardPile {
 public:
  static constexpr uint8_t kUnlimited = 127;

  explicit CAppStockPile(CAppGame* game) : CAppCardPile(game, kPileStock) {}

  void setRules(const StockSpec& spec) { spec_ = spec; }
  const StockSpec& rules() const { return spec_; }
  // Puts every card on the pile in order, the last one on top.
  int fill(std::span<CAppCard* const> cards);
  // Spider: the deals left; other games: the redeals made.
  int dealInfo() const;
  uint8_t redeals() const { return redeals_; }
  void setRedeals(uint8_t n) { redeals_ = n; }
  bool canRedeal() const { return spec_.redealLimit == kUnlimited || redeals_ < spec_.redealLimit; }
  bool hitTest(int32_t x, int32_t y) const override;
  bool canAccept(CAppCard* card) override;
  void layoutCards() override;
  void activate(int32_t x, int32_t y) override;
  // The redeal count, then the pile.
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

 private:
  void playTop(int32_t x, int32_t y);
  void dealToWaste();
  void dealToTableau();
  void dealToFoundation();
  void redeal();

  StockSpec spec_;
  uint8_t redeals_ = 0;
};

class CAppWastePile : public CAppCardPile {
 public:
  explicit CAppWastePile(CAppGame* game) : CAppCardPile(game, kPileWaste) {}

  void setRules(const WasteSpec& spec) { spec_ = spec; }
  const WasteSpec& rules() const { return spec_; }
  void addCard(CAppCard* card) override;
  CAppCard* removeTopCard() override;
  void layoutCards() override;
  bool hitTest(int32_t x, int32_t y) const override;
  bool canAccept(CAppCard* card) override;
  void activate(int32_t x, int32_t y) override;
  CAppCard* cardBelowTop() const { return cardFromTop(1); }

 private:
  bool idiotDiscards(const CAppCard& card) const;

  WasteSpec spec_;
};
