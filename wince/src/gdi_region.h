// A region as a set of non-overlapping rectangles: what clipping, window
// regions and update regions are made of.
#pragma once

#include <vector>

#include "wince/types.h"

namespace wince::gdi {

class Region {
 public:
  Region() = default;
  explicit Region(const RECT& r);

  const std::vector<RECT>& rects() const { return rects_; }
  bool empty() const { return rects_.empty(); }
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int complexity() const;
  RECT box() const;
  bool contains(int x, int y) const;
  bool overlaps(const RECT& r) const;
  void offset(int dx, int dy);

  Region intersected(const Region& other) const;
  Region intersected(const RECT& r) const;
  Region subtracted(const Region& other) const;
  Region united(const Region& other) const;
  Region xored(const Region& other) const;
  bool sameArea(const Region& other) const;

 private:
  void add(const RECT& r);
  void merge();
  std::vector<RECT> rects_;
};

bool rectEmpty(const RECT& r);
RECT rectIntersection(const RECT& a, const RECT& b);

}  // namespace wince::gdi
