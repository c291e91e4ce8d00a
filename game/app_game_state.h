// The move history: every change to the piles as a CardMove, undone and
// redone by command. Moves the program made by itself after a player's move
// (automatic moves, refills, the second card of a pair, the cards of one
// stock deal) go back and come again together with it.
#pragma once

#include <cstdint>
#include <deque>

#include "app_card_pile.h"
#include "qzf_object.h"

class CAppCard;
class CAppGame;

struct CardMove {
  CAppCard* card = nullptr;
  uint8_t cardId = 0;
  CAppCardPile* fromPile = nullptr;
  uint8_t fromIndex = 0;
  int32_t fromKind = 0;
  CAppCardPile* toPile = nullptr;
  uint8_t toIndex = 0;
  int32_t toKind = 0;
  uint8_t turnOver = 0;
  // Made by the program after a player's move (automatic moves, turn-overs,
  // refills): it goes back and comes again with that move.
  uint8_t automatic = 0;

  bool involvesStock() const { return fromKind == kPileStock || toKind == kPileStock; }
  // A card turned where it lies (not a Clock card put under its own pile).
  bool inPlace() const { return fromPile == toPile && turnOver; }
};

class CAppGameState : public CQZFObject {
 public:
  static constexpr uint16_t kKind = 4100;
  static constexpr uint16_t kSavedMoveSize = 12;

  explicit CAppGameState(CAppGame* game);

  // Moves recorded while the game runs its automatic moves count as
  // automatic, as do those the caller marks so.
  void recordMove(CAppCard* card, bool turnOver, CAppCardPile* from, int32_t fromKind, CAppCardPile* to, int32_t toKind,
                  bool automatic = false);
  // One player command back (counted even when there is nothing to undo).
  void undo();
  void redo();
  void clear();
  bool isApplying() const { return applying_ != 0; }
  uint16_t undoCount() const { return undoCount_; }
  size_t undoSize() const { return undoList_.size(); }
  size_t redoSize() const { return redoList_.size(); }
  const std::deque<CardMove>& undoList() const { return undoList_; }

  // The undo count, the number of entries and the entries, newest first;
  // reading checks every card and pile number against the game.
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

 private:
  void undoStep();
  void redoStep();
  // Cards back from the entry's target to its source (undo) or forward.
  bool moveBack(CardMove& move);
  bool moveForward(CardMove& move);
  void undoStockEntry(CardMove& move);
  void redoStockEntry(CardMove& move);
  void undoTableauDeal(CardMove first);
  void redoTableauDeal(CardMove first);
  void flipBack(CardMove& move) const;
  bool refilled(const CardMove& move) const;
  bool isPair(const CardMove& move) const;
  // One card of a stock deal onto the columns (not a refill from the stock).
  bool isTableauDeal(const CardMove& move) const;
  // An entry that names a card or pile the game does not have (or a card
  // that is not where the entry says) ends the history instead of a move.
  void abandon();
  void afterMove(const CardMove& move);

  CAppGame* game_;
  uint8_t applying_ = 0;
  uint16_t undoCount_ = 0;
  int flipSteps_ = 0;
  int undoSteps_ = 0;
  int redoSteps_ = 0;
  std::deque<CardMove> undoList_;  // newest first
  std::deque<CardMove> redoList_;  // newest first
};
