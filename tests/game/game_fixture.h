// A game on the plain stand-in services, with helpers that play through the
// game's own pick-up and drop paths and take the saved game as bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "app_card.h"
#include "app_card_pile.h"
#include "app_game.h"
#include "app_game_services.h"
#include "app_in_hand_pile.h"
#include "app_serialise_stream.h"

namespace game_test {

struct Table {
  CAppPlainGameServices services;
  std::unique_ptr<CAppGame> game;

  // Animations and automatic moves off unless a test turns them on.
  explicit Table(int32_t type, uint32_t deal = 1, bool still = true) {
    if (still) services.stillPlay();
    services.settings().dealNumber[type - 1] = deal;
    services.settings().currentGameType = type;
    game = std::make_unique<CAppGame>(nullptr, &services);
    EXPECT_EQ(game->init(type), 0);
  }

  CAppCardPile& pile(int index) const { return *game->pile(index); }

  // The saved game as bytes.
  std::vector<uint8_t> save() const {
    std::vector<uint8_t> bytes;
    EXPECT_EQ(game->saveToBytes(bytes), 0);
    return bytes;
  }

  int16_t load(std::vector<uint8_t> bytes) const { return game->loadFromBytes(std::move(bytes)); }

  // The cards, piles and history entries of the saved game: what undo and
  // redo restore. Not the undo counter, the waste's flag that a card was once
  // taken off it (never taken back), nor the fields after the history (moves
  // found, the clock, the hint count).
  std::vector<uint8_t> position() const {
    std::vector<uint8_t> bytes = save();
    bytes.resize(bytes.size() - 23);  // 16 fields, the clock's 5 bytes, the hints' 2
    const size_t history = bytes.size() - 4 - CAppGameState::kSavedMoveSize * game->state().undoSize();
    bytes[history] = bytes[history + 1] = 0;
    if (game->kindCount(kPileWaste) > 0) bytes[4 * static_cast<size_t>(game->cardCount()) + 11] = 0;
    return bytes;
  }

  // A tap (pen down and up) on a pile's top card, or on its place when empty.
  void tap(int index) const {
    const CAppCardPile& p = pile(index);
    const CAppCard* top = p.topCard();
    const int32_t x = (top ? top->x() : p.x()) + 2;
    const int32_t y = (top ? top->y() : p.y()) + 2;
    game->onPenDown(x, y);
    game->onPenUp(x, y);
  }
};

}  // namespace game_test
