// The engine's costs per game type: a whole new deal (cards made, shuffled,
// laid out and settled), the move search on a crowded table, and undoing
// and redoing a played game. Animations are off and the clock is the stand-in's.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "app_card.h"
#include "app_card_pile.h"
#include "app_game.h"
#include "app_game_services.h"
#include "app_in_hand_pile.h"

namespace {

struct Bench {
  CAppPlainGameServices services;
  CAppGame game{nullptr, &services};

  explicit Bench(int32_t type) {
    services.stillPlay();
    if (game.init(type) != 0) std::abort();
  }

  // Taps on random piles until count moves are in the history.
  void play(int count) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(0, game.pileCount() - 1);
    for (int tries = 0; tries < 4000 && static_cast<int>(game.state().undoSize()) < count; ++tries) {
      tap(pick(rng));
      if (game.inHand().count() > 0) tap(pick(rng));
      if (game.inHand().count() > 0) game.returnCarriedCards();
    }
  }

  void tap(int index) {
    const CAppCardPile& p = *game.pile(index);
    const int32_t x = (p.topCard() ? p.topCard()->x() : p.x()) + 2;
    const int32_t y = (p.topCard() ? p.topCard()->y() : p.y()) + 2;
    game.onPenDown(x, y);
    game.onPenUp(x, y);
  }
};

void BM_NewDeal(benchmark::State& state) {
  Bench b(static_cast<int32_t>(state.range(0)));
  uint32_t deal = 1;
  for (auto _ : state) {
    b.services.settings().dealNumber[state.range(0) - 1] = deal++;
    b.game.newGame(false);
  }
}
BENCHMARK(BM_NewDeal)->DenseRange(1, 12);

// The search that settling runs after every move, on a table after 30 moves.
void BM_FindMoves(benchmark::State& state) {
  Bench b(static_cast<int32_t>(state.range(0)));
  b.play(30);
  for (auto _ : state) benchmark::DoNotOptimize(b.game.findMoves());
}
BENCHMARK(BM_FindMoves)->DenseRange(1, 12);

// Undo of a 30-move game to the deal, then redo to the end.
void BM_UndoRedoAll(benchmark::State& state) {
  Bench b(static_cast<int32_t>(state.range(0)));
  b.play(30);
  for (auto _ : state) {
    while (b.game.state().undoSize() > 0) b.game.state().undo();
    while (b.game.state().redoSize() > 0) b.game.state().redo();
  }
}
BENCHMARK(BM_UndoRedoAll)->DenseRange(1, 12);

}  // namespace
