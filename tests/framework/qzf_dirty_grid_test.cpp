#include <gtest/gtest.h>

#include "qzf_dirty_grid.h"

namespace {

CQZFDirtyGrid cleanGrid(int16_t w, int16_t h) {
  CQZFDirtyGrid g;
  g.setup(w, h);
  g.clearGrid();
  return g;
}

}  // namespace

TEST(QZFDirtyGrid, CellsRoundUpAndEdgesClampToTheLastCell) {
  struct Case {
    int16_t w, h, cellW, cellH;
  } cases[] = {{240, 320, 12, 16}, {176, 180, 9, 9}, {480, 640, 24, 32}, {241, 1, 13, 1}};
  for (const Case& c : cases) {
    CQZFDirtyGrid g;
    g.setup(c.w, c.h);
    EXPECT_EQ(g.getCellWidth(), c.cellW) << c.w;
    EXPECT_EQ(g.getCellHeight(), c.cellH) << c.h;
    EXPECT_EQ(g.column(-5), 0);
    EXPECT_EQ(g.column(c.w), 19);
    EXPECT_EQ(g.row(c.h + 100), 19);
  }
}

TEST(QZFDirtyGrid, InvalidateMarksTheInclusiveSpan) {
  CQZFDirtyGrid g = cleanGrid(176, 180);
  g.invalidateRect(170, 0, 20, 1);
  EXPECT_EQ(g.getDirtyMask(0), (1u << 18) | (1u << 19));
  for (int r = 1; r < 20; ++r) EXPECT_EQ(g.getDirtyMask(r), 0u);

  CQZFDirtyGrid empty = cleanGrid(176, 180);
  empty.invalidateRect(10, 10, 0, 5);
  empty.invalidateRect(10, 10, 5, -1);
  for (int r = 0; r < 20; ++r) EXPECT_EQ(empty.getDirtyMask(r), 0u);
}

TEST(QZFDirtyGrid, WholeScreenFlagMakesEverythingDirtyAndTheListsEmpty) {
  CQZFDirtyGrid g;
  g.setup(240, 320);  // the first frame draws everything
  EXPECT_TRUE(g.isWholeScreen());
  EXPECT_TRUE(g.isRectDirty(5, 5, 1, 1));
  g.invalidateRect(0, 0, 10, 10);  // ignored under the flag
  EXPECT_EQ(g.getDirtyMask(0), 0u);
  g.buildUpdateList();
  g.buildBackgroundList();
  EXPECT_TRUE(g.getUpdateList().empty());
  EXPECT_TRUE(g.getBackgroundList().empty());
}

TEST(QZFDirtyGrid, DirtyTestNeedsAnUncoveredCell) {
  CQZFDirtyGrid g = cleanGrid(240, 320);
  g.invalidateRect(0, 0, 12, 16);
  EXPECT_FALSE(g.isRectDirty(0, 0, 12, 16));  // outside drawing: nothing uncovered yet
  g.computeUncovered();
  EXPECT_TRUE(g.isRectDirty(0, 0, 12, 16));
  EXPECT_FALSE(g.isRectDirty(12, 0, 12, 16));
}

TEST(QZFDirtyGrid, FullScreenFormCoversAllButTheLastColumnAndRow) {
  CQZFDirtyGrid g = cleanGrid(240, 320);
  g.markCovered({0, 0, 240, 320});
  for (int r = 0; r < 20; ++r) {
    for (int c = 0; c < 20; ++c) {
      EXPECT_EQ(g.getCoverLevel(c, r), (c < 19 && r < 19) ? 1 : 0) << c << "," << r;
    }
  }
  // A second form on top raises the first one's cells; releasing steps down.
  g.markCovered({0, 0, 0, 0});
  EXPECT_EQ(g.getCoverLevel(0, 0), 2);
  g.releaseCoverLevel();
  g.releaseCoverLevel();
  EXPECT_FALSE(g.getCoverLevel(0, 0));
  EXPECT_TRUE(g.computeUncovered());
}

TEST(QZFDirtyGrid, UpdateListMergesEqualRowSpansDownward) {
  CQZFDirtyGrid g = cleanGrid(240, 320);
  g.invalidateRect(24, 32, 24, 1);  // row 2, columns 2-3
  g.invalidateRect(30, 48, 10, 1);  // row 3, columns 2-3
  g.invalidateRect(0, 96, 1, 1);    // row 6, column 0
  g.invalidateRect(60, 96, 1, 1);   // row 6, column 5: the gap fills in
  g.buildUpdateList();
  const std::vector<QZRect> want = {{24, 32, 24, 32}, {0, 96, 72, 16}};
  EXPECT_EQ(g.getUpdateList(), want);
}

TEST(QZFDirtyGrid, BackgroundListSkipsCoveredCells) {
  CQZFDirtyGrid g = cleanGrid(240, 320);
  g.invalidateRect(0, 0, 240, 32);  // rows 0 and 1, every column
  g.buildUpdateList();
  // A form above covers columns 0-9 of rows 0-1 (cells wholly inside only).
  g.markCovered({0, 0, 121, 33});
  g.computeUncovered();
  g.buildBackgroundList();
  const std::vector<QZRect> want = {{120, 0, 120, 32}};
  EXPECT_EQ(g.getBackgroundList(), want);

  // With nothing covered the background list is the update list.
  g.releaseCoverLevel();
  g.computeUncovered();
  g.buildBackgroundList();
  EXPECT_EQ(g.getBackgroundList(), g.getUpdateList());
}

// The update list fills the gap between a row's dirty cells; the background
// list and the dirty test then see the filled cells too, less the covered ones.
TEST(QZFDirtyGrid, FilledGapsReachTheBackgroundListAndTheDirtyTest) {
  CQZFDirtyGrid g = cleanGrid(240, 320);
  g.invalidateRect(0, 96, 1, 1);   // row 6, column 0
  g.invalidateRect(60, 96, 1, 1);  // row 6, column 5
  g.buildUpdateList();
  EXPECT_EQ(g.getDirtyMask(6), 0x3Fu);
  g.markCovered({36, 96, 13, 17});  // column 3 of row 6 only
  ASSERT_EQ(g.getCoverLevel(3, 6), 1);
  g.computeUncovered();
  EXPECT_TRUE(g.isRectDirty(12, 96, 1, 1));
  EXPECT_FALSE(g.isRectDirty(36, 96, 12, 16));
  g.buildBackgroundList();
  const std::vector<QZRect> want = {{0, 96, 36, 16}, {48, 96, 24, 16}};
  EXPECT_EQ(g.getBackgroundList(), want);
}

// Runs of the background list grow downward while the rows below hold the
// whole run, and stop at the first row that does not.
TEST(QZFDirtyGrid, BackgroundRunsExtendDownward) {
  CQZFDirtyGrid g = cleanGrid(240, 320);
  g.invalidateRect(0, 0, 48, 64);    // rows 0-3, columns 0-3
  g.invalidateRect(120, 0, 1, 1);    // row 0, column 10: row 0 becomes columns 0-10
  g.markCovered({120, 0, 25, 17});   // columns 10-11 of row 0
  g.buildUpdateList();
  g.computeUncovered();
  g.buildBackgroundList();
  EXPECT_EQ(g.getUpdateList(), (std::vector<QZRect>{{0, 0, 132, 16}, {0, 16, 48, 48}}));
  EXPECT_EQ(g.getBackgroundList(), (std::vector<QZRect>{{0, 0, 120, 16}, {0, 16, 48, 48}}));
}
