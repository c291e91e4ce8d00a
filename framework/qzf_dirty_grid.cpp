#include "qzf_dirty_grid.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kAllColumns = (1u << CQZFDirtyGrid::kCells) - 1;

uint32_t columnBits(int first, int last) {
  if (last < first) return 0;
  const uint32_t upTo = (last >= 31) ? 0xFFFFFFFFu : ((1u << (last + 1)) - 1);
  return upTo & ~((1u << first) - 1);
}

int lowestBit(uint32_t m) { return __builtin_ctz(m); }
int highestBit(uint32_t m) { return 31 - __builtin_clz(m); }

}  // namespace

void CQZFDirtyGrid::setup(int16_t screenWidth, int16_t screenHeight) {
  screenWidth_ = screenWidth;
  screenHeight_ = screenHeight;
  cellWidth_ = static_cast<int16_t>(std::max(1, (screenWidth + kCells - 1) / kCells));
  cellHeight_ = static_cast<int16_t>(std::max(1, (screenHeight + kCells - 1) / kCells));
  clearGrid();
  wholeScreen_ = true;
}

int CQZFDirtyGrid::cellIndex(int v, int size, int cell) const {
  if (v < 0) return 0;
  if (v < size) return std::min(kCells - 1, v / cell);
  return kCells - 1;
}

int CQZFDirtyGrid::column(int x) const { return cellIndex(x, screenWidth_, cellWidth_); }
int CQZFDirtyGrid::row(int y) const { return cellIndex(y, screenHeight_, cellHeight_); }

void CQZFDirtyGrid::invalidateRect(int x, int y, int w, int h) {
  if (wholeScreen_ || w <= 0 || h <= 0) return;
  const uint32_t bits = columnBits(column(x), column(x + w - 1));
  for (int r = row(y); r <= row(y + h - 1); ++r) dirty_[r] |= bits;
}

bool CQZFDirtyGrid::isRectDirty(int x, int y, int w, int h) const {
  if (wholeScreen_) return true;
  const uint32_t bits = columnBits(column(x), column(x + w - 1));
  for (int r = row(y); r <= row(y + h - 1); ++r) {
    if (dirty_[r] & uncovered_[r] & bits) return true;
  }
  return false;
}

void CQZFDirtyGrid::markCovered(const QZRect& rect) {
  for (auto& line : cover_) {
    for (uint8_t& level : line) {
      if (level) ++level;
    }
  }
  if (rect.w <= 0 || rect.h <= 0) return;
  // Only cells wholly inside the rectangle; the cell holding its last pixel
  // column (row) is never marked.
  const int c0 = column(rect.x + cellWidth_ - 1);
  const int c1 = column(rect.x + rect.w - 1);
  const int r0 = row(rect.y + cellHeight_ - 1);
  const int r1 = row(rect.y + rect.h - 1);
  for (int r = r0; r < r1; ++r) {
    for (int c = c0; c < c1; ++c) {
      if (cover_[r][c] == 0) cover_[r][c] = 1;
    }
  }
}

void CQZFDirtyGrid::releaseCoverLevel() {
  for (auto& line : cover_) {
    for (uint8_t& level : line) {
      if (level) --level;
    }
  }
}

bool CQZFDirtyGrid::computeUncovered() {
  bool any = false;
  for (int r = 0; r < kCells; ++r) {
    uint32_t m = 0;
    for (int c = 0; c < kCells; ++c) {
      if (cover_[r][c] == 0) m |= 1u << c;
    }
    uncovered_[r] = m;
    any = any || m != 0;
  }
  return any;
}

QZRect CQZFDirtyGrid::span(int first, int last, int r, int rows) const {
  return QZRect{static_cast<int16_t>(first * cellWidth_), static_cast<int16_t>(r * cellHeight_),
                static_cast<int16_t>((last - first + 1) * cellWidth_),
                static_cast<int16_t>(rows * cellHeight_)};
}

void CQZFDirtyGrid::buildUpdateList() {
  updateList_.clear();
  if (wholeScreen_) return;
  int previousRow = -2;
  for (int r = 0; r < kCells; ++r) {
    const uint32_t m = dirty_[r] & kAllColumns;
    if (!m) continue;
    // The gap between the lowest and highest dirty column becomes dirty too,
    // so the background list and the dirty tests see what is copied.
    const int first = lowestBit(m), last = highestBit(m);
    dirty_[r] = columnBits(first, last);
    const QZRect s = span(first, last, r, 1);
    if (!updateList_.empty() && previousRow == r - 1 && updateList_.back().x == s.x &&
        updateList_.back().w == s.w) {
      updateList_.back().h = static_cast<int16_t>(updateList_.back().h + cellHeight_);
    } else {
      updateList_.push_back(s);
    }
    previousRow = r;
  }
}

void CQZFDirtyGrid::buildBackgroundList() {
  backgroundList_.clear();
  if (wholeScreen_) return;
  uint32_t m[kCells];
  bool sameAsDirty = true;
  for (int r = 0; r < kCells; ++r) {
    m[r] = dirty_[r] & uncovered_[r] & kAllColumns;
    sameAsDirty = sameAsDirty && m[r] == (dirty_[r] & kAllColumns);
  }
  if (sameAsDirty) {
    backgroundList_ = updateList_;
    return;
  }
  for (int r = 0; r < kCells; ++r) {
    while (m[r]) {
      const int first = lowestBit(m[r]);
      int last = first;
      while (last + 1 < kCells && (m[r] >> (last + 1) & 1)) ++last;
      const uint32_t run = columnBits(first, last);
      m[r] &= ~run;
      int rows = 1;
      while (r + rows < kCells && (m[r + rows] & run) == run) {
        m[r + rows] &= ~run;
        ++rows;
      }
      backgroundList_.push_back(span(first, last, r, rows));
    }
  }
}

void CQZFDirtyGrid::clearGrid() {
  wholeScreen_ = false;
  std::memset(dirty_, 0, sizeof dirty_);
  std::memset(cover_, 0, sizeof cover_);
  std::memset(uncovered_, 0, sizeof uncovered_);
}
