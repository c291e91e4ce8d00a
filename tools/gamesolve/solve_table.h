// A game on the program's own layout, played through the pen and the keys as
// the play screen passes them on, with the position taken as bytes: what the
// solver searches over, the key router replays and the check of a finished
// line plays with its animations.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app_game.h"
#include "app_game_services.h"

// One input of a line: a tap, a drag, or a key (code kActionKey for Select,
// else the engine's arrow key code).
struct SolveStep {
  enum class Kind { kTap, kDrag, kKey };
  static constexpr int kActionKey = 0;

  Kind kind = Kind::kTap;
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int key = kActionKey;

  static SolveStep tap(int32_t x, int32_t y) { return {Kind::kTap, x, y, x, y, kActionKey}; }
  static SolveStep drag(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return {Kind::kDrag, x1, y1, x2, y2, 0}; }
  static SolveStep press(int key) { return {Kind::kKey, 0, 0, 0, 0, key}; }
  // The headless script's command for the step.
  std::string scriptLine() const;
};

class SolveTable {
 public:
  // marks: the drop targets worth marking are collected on a pick-up (the
  // search reads them); animate: cards fly, and settleFlights() lands them.
  SolveTable(int32_t type, uint32_t deal, bool marks, bool animate);
  // The game keeps the address of the services.
  SolveTable(const SolveTable&) = delete;
  SolveTable& operator=(const SolveTable&) = delete;

  CAppGame& game() const { return *game_; }
  void play(const SolveStep& step);
  // Ticks the virtual clock until no card flies; the hundredths it took.
  uint32_t settleFlights();

  std::vector<uint8_t> save() const;
  void load(const std::vector<uint8_t>& bytes);
  // The cards of every pile with their faces, and the stock's redeals.
  std::string position() const;
  // The last step ended the game without a win.
  bool isLost() const;
  bool isWon() const { return game_->isWon(); }
  int foundationCards() const;
  // Face-up cards on the table (neither stock nor waste).
  int faceUpCards() const;
  // Column cards lying face up on a face-up card one rank higher.
  int builtCards() const;
  // Empty cells and columns.
  int freePlaces() const;
  // Face-up column cards lying on a card that the foundations (building up)
  // take later than them: they will have to move away first.
  int blockingCards() const;

  // Where the pen takes a card (its visible strip) and where it drops on a pile.
  static void grabPoint(const CAppCard& card, int32_t& x, int32_t& y);
  static void dropPoint(const CAppCardPile& pile, int32_t& x, int32_t& y);

 private:
  CAppPlainGameServices services_;
  std::unique_ptr<CAppGame> game_;
};
