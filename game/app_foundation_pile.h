// The foundations, which collect cards from a base rank by the game's rank
// rule (some only take complete runs), and the free cells, which hold one
// card each.
#pragma once

#include "app_card_pile.h"
#include "app_game_definition.h"
#include "qz_rect.h"

class CAppFoundationPile : public CAppCardPile {
 public:
  explicit CAppFoundationPile(CAppGame* game);

  void setRules(const FoundationSpec& spec);
  const FoundationSpec& rules() const { return spec_; }
  uint8_t baseRank() const { return baseRank_; }
  void setBaseRank(uint8_t rank) { baseRank_ = rank; }
  bool isFull() const { return count() >= spec_.capacity; }
  bool completionAnnounced() const { return completionAnnounced_ != 0; }
  // Plays the full-pile sound once per filling.
  void announceCompletion();
  void clearCompletion() { completionAnnounced_ = 0; }
  void setLabelShown(bool shown) { labelShown_ = shown ? 1 : 0; }
  // The rank written on the pile while it is empty: its base rank, 0 for
  // none. Where the deal draws the base card (Canfield, Four Corners) the
  // label waits until that card has landed.
  uint8_t emptyLabelRank();
  // Calculation's hint: the rank the pile wants next (0 for the king), or -1
  // when no hint shows (another game, the option off, a king on top, the game over).
  int wantedRank() const;
  // The strip just above the pile where the hint is written.
  QZRect wantedRankStrip() const;
  // "A", "2" .. "10", "J", "Q", "K"; 0 and 13 both read "K".
  static void rankText(int rank, char16_t (&text)[3]);

  // May card follow top by the rank rule?
  bool rankRule(const CAppCard& card, const CAppCard& top) const;
  bool canAccept(CAppCard* card) override;
  void activate(int32_t x, int32_t y) override;
  std::optional<uint16_t> frameColour() const override { return kBlueFrame; }
  // Pulls the seed card out of the stock; the cards skipped go back reversed.
  void takeSeedCard(CAppCardPile& stock);
  // Completion flag and base rank, then the pile.
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

 private:
  bool acceptsRun();

  FoundationSpec spec_;
  uint8_t completionAnnounced_ = 0;
  uint8_t baseRank_ = 1;
  uint8_t labelShown_ = 1;
};

class CAppCellPile : public CAppCardPile {
 public:
  explicit CAppCellPile(CAppGame* game) : CAppCardPile(game, kPileCell) {}

  bool canAccept(CAppCard* card) override;
  void activate(int32_t x, int32_t y) override;
};
