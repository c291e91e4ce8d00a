// A column of the table: dealt from the stock, fanned downward, built on by
// the game's build rule, lifted by card, ordered run or any face-up run.
#pragma once

#include "app_card_pile.h"
#include "app_game_definition.h"

class CAppTableauPile : public CAppCardPile {
 public:
  explicit CAppTableauPile(CAppGame* game);

  void setRules(const TableauSpec& spec) { spec_ = spec; }
  const TableauSpec& rules() const { return spec_; }

  // Takes count cards from the stock's top, turned by the deal-face mode.
  void deal(int count, CAppCardPile& stock);
  void addCard(CAppCard* card) override;
  void layoutCards() override;
  bool hitTest(int32_t x, int32_t y) const override;
  bool canAccept(CAppCard* card) override;
  void activate(int32_t x, int32_t y) override;
  void setSelected(bool flag) override;
  int selectionUp() override;
  int selectionDown() override;
  bool refillsWhenEmpty() const override { return spec_.autoRefill != 0; }

  // May card lie on lower (the current top) by the build rule?
  bool buildRule(const CAppCard& card, const CAppCard& lower) const;
  // May upper lie on lower inside a lifted run?
  bool runRule(const CAppCard& upper, const CAppCard& lower) const;
  // Cards of the top run; its deepest card's rank becomes the run base rank.
  int runLength() const;
  uint8_t runBaseRank() const { return runBaseRank_; }
  // At most one card: empty where that counts, or the single complete rank.
  bool isComplete() const;
  int16_t fanStep() const { return fanStep_; }

 private:
  TableauSpec spec_;
  int16_t fanStep_;
  mutable uint8_t runBaseRank_ = 1;
};
