// gamedeal GAME NUMBER: the deal of a game type (1-12) for a deal number
// (1-9999999), with a new profile's rule options, pile by pile.
#include <cstdint>
#include <cstdio>
#include <string>

#include "app_game.h"
#include "app_game_services.h"
#include "app_game_text.h"
#include "tool_number.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gamedeal GAME(1-12) NUMBER(1-%u)\n", kLastDealNumber);
    return 2;
  }
  uint64_t type = 0;
  uint64_t deal = 0;
  if (!tools::parseNumber(argv[1], 1, kGameTypeCount, type) || !tools::parseNumber(argv[2], 1, kLastDealNumber, deal)) {
    std::fprintf(stderr, "gamedeal: the game is a whole number from 1 to 12 and the deal one from 1 to %u\n",
                 kLastDealNumber);
    return 2;
  }
  CAppPlainGameServices services;
  services.stillPlay();
  services.settings().dealNumber[type - 1] = static_cast<uint32_t>(deal);
  CAppGame game(nullptr, &services);
  if (game.init(static_cast<int32_t>(type)) != 0) return 1;
  std::fputs(describePiles(game).c_str(), stdout);
  return 0;
}
