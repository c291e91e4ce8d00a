// Reads any bytes as a saved game: the first byte picks the game type, the
// rest is the record. What reads without error must be a whole table and
// write back to the same bytes; what is refused leaves a fresh deal.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "app_card.h"
#include "app_card_pile.h"
#include "app_game.h"
#include "app_game_services.h"

namespace {

std::vector<uint8_t> save(CAppGame& game) {
  std::vector<uint8_t> bytes;
  if (game.saveToBytes(bytes) != 0) __builtin_trap();
  return bytes;
}

// Every card in exactly one pile.
void checkTable(const CAppGame& game) {
  std::vector<int> seen(static_cast<size_t>(game.cardCount()), 0);
  for (int i = 0; i < game.pileCount(); ++i) {
    const CAppCardPile& pile = *game.pile(i);
    for (int k = 0; k < pile.count(); ++k) ++seen[pile.cardFromBottom(k)->id()];
  }
  for (int n : seen) {
    if (n != 1) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int32_t type = 1 + data[0] % kGameTypeCount;
  std::vector<uint8_t> record(data + 1, data + std::min<size_t>(size, 0xFFFF));
  CAppPlainGameServices services;
  services.stillPlay();
  CAppGame game(nullptr, &services);
  if (game.init(type) != 0) __builtin_trap();
  const int16_t status = game.loadFromBytes(std::move(record));
  checkTable(game);
  if (status != 0) return 0;
  const std::vector<uint8_t> once = save(game);
  CAppGame again(nullptr, &services);
  if (again.init(type) != 0) __builtin_trap();
  if (again.loadFromBytes(once) != 0 || save(again) != once) __builtin_trap();
  // The history read back can be taken back and replayed.
  while (game.state().undoSize() > 0) game.state().undo();
  checkTable(game);
  while (game.state().redoSize() > 0) game.state().redo();
  checkTable(game);
  return 0;
}
