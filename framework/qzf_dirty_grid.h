// The dirty grid: a 20 x 20 grid of screen cells that records what must be
// redrawn this frame, which cells the forms above cover, and the rectangle
// lists used to restore backgrounds and to copy the frame to the window.
#pragma once

#include <cstdint>
#include <vector>

#include "qz_rect.h"


class CQZFDirtyGrid {
 public:
  static constexpr int kCells = 20;

  // Sets the geometry for a logical screen and marks everything dirty, so the
  // first frame draws it all.
  void setup(int16_t screenWidth, int16_t screenHeight);

  [[nodiscard]] int16_t getCellWidth() const { return cellWidth_; }
  [[nodiscard]] int16_t getCellHeight() const { return cellHeight_; }
  int column(int x) const;
  int row(int y) const;

  void invalidateAll() { wholeScreen_ = true; }
  bool isWholeScreen() const { return wholeScreen_; }
  void invalidateRect(int x, int y, int w, int h);
  bool isRectDirty(int x, int y, int w, int h) const;

  // Cover levels: one markCovered per form, top form first; then, bottom form
  // first, releaseCoverLevel and computeUncovered before the form draws.
  void markCovered(const QZRect& rect);
  void releaseCoverLevel();
  bool computeUncovered();

  void buildUpdateList();
  void buildBackgroundList();
  const std::vector<QZRect>& getUpdateList() const { return updateList_; }
  const std::vector<QZRect>& getBackgroundList() const { return backgroundList_; }

  void clearGrid();

  uint32_t getDirtyMask(int r) const { return dirty_[r]; }
  uint8_t getCoverLevel(int c, int r) const { return cover_[r][c]; }

 private:
  int cellIndex(int v, int size, int cell) const;
  QZRect span(int first, int last, int r, int rows) const;

  int16_t screenWidth_ = 0;
  int16_t screenHeight_ = 0;
  int16_t cellWidth_ = 1;
  int16_t cellHeight_ = 1;
  uint32_t dirty_[kCells] = {};
  bool wholeScreen_ = true;
  uint8_t cover_[kCells][kCells] = {};
  uint32_t uncovered_[kCells] = {};
  std::vector<QZRect> updateList_;
  std::vector<QZRect> backgroundList_;
};
