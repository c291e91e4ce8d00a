// gamedeal GAME NUMBER: the deal of a game type (1-12) for a deal number
// (1-9999999), with a new profile's rule options, pile by pile.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app_game.h"
#include "app_game_services.h"
#include "app_game_text.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gamedeal GAME(1-12) NUMBER(1-%u)\n", kLastDealNumber);
    return 2;
  }
  const long type = std::strtol(argv[1], nullptr, 10);
  const unsigned long deal = std::strtoul(argv[2], nullptr, 10);
  if (type < 1 || type > kGameTypeCount || deal < 1 || deal > kLastDealNumber) {
    std::fprintf(stderr, "gamedeal: game 1-12 and number 1-%u\n", kLastDealNumber);
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
