// The dirty grid at 240x320: the grid work of one frame (marks from the
// tick, the update list, three stacked forms covering, releasing and
// building their background lists, the clear), and the longest background
// list the grid can make.
#include <benchmark/benchmark.h>

#include "qzf_dirty_grid.h"

namespace {

const QZRect kForms[] = {{0, 0, 240, 320}, {20, 60, 200, 160}, {40, 100, 160, 80}};

// Cover marking top form first, then each form's draw from the bottom.
void drawForms(CQZFDirtyGrid& grid, int forms) {
  for (int f = forms - 1; f >= 0; --f) grid.markCovered(kForms[f]);
  for (int f = 0; f < forms; ++f) {
    grid.releaseCoverLevel();
    grid.computeUncovered();
    grid.buildBackgroundList();
    benchmark::DoNotOptimize(grid.isRectDirty(kForms[f].x, kForms[f].y, kForms[f].w, kForms[f].h));
  }
}

void BM_BusyFrame(benchmark::State& state) {
  CQZFDirtyGrid grid;
  grid.setup(240, 320);
  grid.clearGrid();
  for (auto _ : state) {
    grid.invalidateRect(10, 10, 30, 40);   // a card lifted
    grid.invalidateRect(100, 150, 30, 40); // and dropped
    grid.invalidateRect(0, 300, 240, 20);  // the soft-key bar
    grid.invalidateRect(200, 0, 40, 16);   // the clock
    grid.buildUpdateList();
    drawForms(grid, 3);
    benchmark::DoNotOptimize(grid.getBackgroundList().data());
    grid.clearGrid();
  }
}
BENCHMARK(BM_BusyFrame);

// Every cell dirty and every other cell covered: the background list holds
// its largest number of rectangles, one per uncovered cell.
void BM_CheckerboardFrame(benchmark::State& state) {
  CQZFDirtyGrid grid;
  grid.setup(240, 320);
  grid.clearGrid();
  for (auto _ : state) {
    grid.invalidateRect(0, 0, 240, 320);
    grid.buildUpdateList();
    for (int r = 0; r < CQZFDirtyGrid::kCells; ++r) {
      for (int c = r % 2; c < CQZFDirtyGrid::kCells; c += 2) {
        grid.markCovered(QZRect{static_cast<int16_t>(c * 12), static_cast<int16_t>(r * 16), 24, 32});
      }
    }
    grid.computeUncovered();
    grid.buildBackgroundList();
    benchmark::DoNotOptimize(grid.getBackgroundList().data());
    state.counters["background rects"] = static_cast<double>(grid.getBackgroundList().size());
    grid.clearGrid();
  }
}
BENCHMARK(BM_CheckerboardFrame);

}  // namespace
