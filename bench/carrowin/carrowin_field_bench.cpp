// A live Carrowin program in the benchmark's process (headless, on the
// virtual clock, in a device root of its own): the field's full repaint, a
// card move with its animation (two repaints and four frames) and the move
// search after each move of a game played by the first move found.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "sol_app.h"
#include "sol_main_wnd.h"
#include "wince/host/clock.h"
#include "wince/host/file.h"
#include "wince/host/registry.h"
#include "wince/host/system.h"
#include "wince/host/window.h"

namespace {

class LiveProgram {
 public:
  LiveProgram() : m_root(std::filesystem::temp_directory_path() / ("carrowin-bench-" + std::to_string(::getpid()))) {
    wince::setDeviceRoot(m_root);
    wince::reloadRegistry();
    wince::resetWindowing();
    wince::setInstanceNamespace(("carrowin-bench-" + std::to_string(::getpid())).c_str());
    wince::selectDeviceProfile(CARROWIN_PROFILE);
    wince::useVirtualClock(1000);
    // Every message or dialog (none is expected) is closed at once.
    wince::setModalHook([](HWND window, wince::ModalKind) { wince::endModalLoop(window, IDOK); });
    m_ok = InitInstance(GetModuleHandle(nullptr), SW_SHOW);
    wince::dispatchPending();
  }
  ~LiveProgram() {
    if (g_pMainWnd && g_pMainWnd->m_hWnd) {
      wince::injectClose();
      wince::dispatchPending();
    }
    ExitInstance();
    wince::resetWindowing();
    wince::useRealClock();
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
  }
  LiveProgram(const LiveProgram&) = delete;
  LiveProgram& operator=(const LiveProgram&) = delete;

  bool Ok() const { return m_ok && g_pMainWnd; }
  SolMainWnd& Main() const { return *g_pMainWnd; }
  SolGameField& Field() const { return *g_pMainWnd->Field(); }
  SolRuleSet& Rules() const { return *g_pMainWnd->RuleSet(); }

 private:
  std::filesystem::path m_root;
  bool m_ok = false;
};

constexpr uint32_t kGame = 7;

void BM_FieldRepaint(benchmark::State& state) {
  LiveProgram program;
  if (!program.Ok()) return state.SkipWithError("the program did not start");
  program.Main().NewGame(kGame, true);
  for (auto _ : state) program.Field().Redraw();
}

// The top card of the first pile that has one goes to the next pile and back.
void BM_CardMoveAnimated(benchmark::State& state) {
  LiveProgram program;
  if (!program.Ok()) return state.SkipWithError("the program did not start");
  program.Main().Options().animation = 1;
  program.Field().TakeOptions();
  program.Main().NewGame(kGame, true);
  SolGameField& field = program.Field();
  const auto& piles = field.Metrics().piles;
  size_t from = 0;
  while (from + 1 < piles.size() && piles[from].cards.empty()) ++from;
  if (from + 1 >= piles.size()) return state.SkipWithError("no card to move");
  const int to = static_cast<int>(from + 1);
  for (auto _ : state) {
    const int top = static_cast<int>(piles[from].cards.size()) - 1;
    field.MoveCards(static_cast<int>(from), top, 1, to, static_cast<int>(piles[to].cards.size()));
    field.MoveCards(to, static_cast<int>(piles[to].cards.size()) - 1, 1, static_cast<int>(from), top);
  }
  state.SetItemsProcessed(2 * state.iterations());
}

// Forty steps of a game (the first move found each time, taps included),
// each followed by the search the end-of-move check makes.
void BM_MoveSearchAfterEachMove(benchmark::State& state) {
  LiveProgram program;
  if (!program.Ok()) return state.SkipWithError("the program did not start");
  SolRuleSet& rules = program.Rules();
  int64_t searches = 0;
  for (auto _ : state) {
    state.PauseTiming();
    uint32_t number = kGame;
    rules.StartGame(number);
    state.ResumeTiming();
    for (int step = 0; step < 40; ++step) {
      uint16_t from = 0;
      uint16_t to = 0;
      if (!rules.FindMove(0, from, to)) break;
      const bool done = to == kSolAnyPile ? rules.TapPile(from) : rules.TryMove(from, to);
      if (done) rules.RunAutomaticMoves();
      ++searches;
    }
  }
  state.SetItemsProcessed(searches);
}

BENCHMARK(BM_FieldRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CardMoveAnimated)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveSearchAfterEachMove)->Unit(benchmark::kMicrosecond);

}  // namespace
