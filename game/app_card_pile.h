// The common base of the pile kinds of the table: an ordered set of cards
// lent by the game, a place on the screen, the hit test, and the operations
// through which the game asks a pile whether it accepts a card, lets it
// react to a tap and moves cards in and out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "qzf_object.h"

class CAppCard;
class CAppGame;

// Pile kinds, as the move history and the saved game store them.
enum AppPileKind : int32_t {
  kPileStock = 0,
  kPileWaste = 1,
  kPileFoundation = 2,
  kPileTableau = 3,
  kPileCell = 4,
  kPileReserve = 5,
  kPileInHand = 6,
};

class CAppCardPile : public CQZFObject {
 public:
  static constexpr uint16_t kKind = 4099;

  CAppCardPile(CAppGame* game, AppPileKind kind);
  ~CAppCardPile() override = default;

  virtual void setSelected(bool flag);
  // Keyboard selection within the pile; 1 when the selection moved.
  virtual int selectionUp() { return 0; }
  virtual int selectionDown() { return 0; }
  virtual bool hitTest(int32_t x, int32_t y) const;
  virtual bool canAccept(CAppCard* card) { return false; }
  virtual void addCard(CAppCard* card);
  // A tap on the pile: pick up, turn or deal.
  virtual void activate(int32_t x, int32_t y) {}
  virtual void layoutCards();
  virtual bool refillsWhenEmpty() const { return false; }
  // The colour of the frame drawn around the pile's place under its cards
  // (RGB565); none where the place shows nothing.
  static constexpr uint16_t kPinkFrame = 0xFDB6;  // (255, 180, 180)
  static constexpr uint16_t kBlueFrame = 0xB5BF;  // (180, 180, 255)
  virtual std::optional<uint16_t> frameColour() const;
  // Null on an empty pile.
  virtual CAppCard* removeTopCard();
  virtual CAppCard* removeBottomCard();
  // Two words, count, index, selected, extra flag, then the card ids from
  // the bottom up. Reading checks every id against the game's cards.
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

  // Binds the pile to its place (layout units) and card size.
  void place(int32_t x, int32_t y, bool large);
  AppPileKind kind() const { return kind_; }
  uint8_t index() const { return index_; }
  void setIndex(uint8_t index) { index_ = index; }
  int count() const { return static_cast<int>(cards_.size()); }
  bool empty() const { return cards_.empty(); }
  CAppCard* topCard() const { return cards_.empty() ? nullptr : cards_.back(); }
  CAppCard* bottomCard() const { return cards_.empty() ? nullptr : cards_.front(); }
  // The card at depth i: 0 the top card; null past the bottom.
  CAppCard* cardFromTop(int i) const;
  // The card at position i from the bottom (0 the bottom card).
  CAppCard* cardFromBottom(int i) const { return cards_[static_cast<size_t>(i)]; }
  // Depth of the card from the top (0 the top card), -1 when absent.
  int depthOf(const CAppCard* card) const;
  bool findCard(uint8_t id) const;
  void clear();
  bool isSelected() const { return selected_ != 0; }
  bool isMarked() const { return marked_ != 0; }
  void setMarked(bool flag);
  CAppCard* selectedCard() const { return selectedCard_; }
  void setSelectedCard(CAppCard* card);
  CAppCard* cardBelowSelected() const;
  int16_t x() const { return x_; }
  int16_t y() const { return y_; }
  uint8_t width() const { return width_; }
  uint8_t height() const { return height_; }
  uint8_t extraFlag() const { return extraFlag_; }

 protected:
  // Puts the card on top without the kind's own placement.
  void pushTop(CAppCard* card);
  void pushBottom(CAppCard* card);
  // The base rule: the point, or while cards are dragged the carried block,
  // against the rectangle [left, right] x [top, bottom].
  bool hitRect(int32_t px, int32_t py, int32_t left, int32_t top, int32_t right, int32_t bottom) const;
  CAppCard* takeFrom(bool top);
  // One card of the deal from the stock's top to (x, homeY), face up or
  // down (turning up with the animation when animatedTurn), sliding in when
  // the game animates; false when the stock is empty.
  bool dealCard(CAppCardPile& stock, bool faceUp, bool animatedTurn, int16_t homeY);
  // Whether card i of count lies face up by a deal-face mode; mode 2 turns
  // the last lastUp cards up.
  static bool dealtFaceUp(int32_t mode, int i, int count, int lastUp);

  CAppGame* game_;
  std::vector<CAppCard*> cards_;  // bottom card first
  int32_t wordA_ = 0, wordB_ = 0;
  int16_t x_ = 0, y_ = 0;
  uint8_t index_ = 0;
  uint8_t selected_ = 0;
  uint8_t marked_ = 0;
  uint8_t extraFlag_ = 0;
  CAppCard* selectedCard_ = nullptr;
  AppPileKind kind_;
  uint8_t height_, width_;
  uint8_t halfHeight_, halfWidth_;
};
