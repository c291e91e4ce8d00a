#include "gdi_region.h"

#include <algorithm>

#include "wince/gdi.h"

namespace wince::gdi {

bool rectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT rectIntersection(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (rectEmpty(r)) r = RECT{0, 0, 0, 0};
  return r;
}

Region::Region(const RECT& r) { add(r); }

void Region::add(const RECT& r) {
  if (!rectEmpty(r)) rects_.push_back(r);
}

int Region::complexity() const {
  if (rects_.empty()) return NULLREGION;
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT Region::box() const {
  if (rects_.empty()) return RECT{0, 0, 0, 0};
  RECT b = rects_.front();
  for (const RECT& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

bool Region::contains(int x, int y) const {
  return std::any_of(rects_.begin(), rects_.end(), [&](const RECT& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  });
}

bool Region::overlaps(const RECT& rect) const {
  return std::any_of(rects_.begin(), rects_.end(),
                     [&](const RECT& r) { return !rectEmpty(rectIntersection(r, rect)); });
}

void Region::offset(int dx, int dy) {
  for (RECT& r : rects_) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  }
}

Region Region::intersected(const RECT& rect) const {
  Region out;
  for (const RECT& r : rects_) out.add(rectIntersection(r, rect));
  return out;
}

Region Region::intersected(const Region& other) const {
  Region out;
  for (const RECT& a : rects_)
    for (const RECT& b : other.rects_) out.add(rectIntersection(a, b));
  out.merge();
  return out;
}

// The parts of a that lie outside b: up to four bands.
static void subtractRect(const RECT& a, const RECT& b, std::vector<RECT>* out) {
  RECT i = rectIntersection(a, b);
  if (rectEmpty(i)) {
    out->push_back(a);
    return;
  }
  if (a.top < i.top) out->push_back(RECT{a.left, a.top, a.right, i.top});
  if (i.bottom < a.bottom) out->push_back(RECT{a.left, i.bottom, a.right, a.bottom});
  if (a.left < i.left) out->push_back(RECT{a.left, i.top, i.left, i.bottom});
  if (i.right < a.right) out->push_back(RECT{i.right, i.top, a.right, i.bottom});
}

Region Region::subtracted(const Region& other) const {
  std::vector<RECT> pieces = rects_;
  for (const RECT& b : other.rects_) {
    std::vector<RECT> next;
    for (const RECT& a : pieces) subtractRect(a, b, &next);
    pieces.swap(next);
  }
  Region out;
  out.rects_ = std::move(pieces);
  out.merge();
  return out;
}

Region Region::united(const Region& other) const {
  Region out = other.subtracted(*this);
  out.rects_.insert(out.rects_.begin(), rects_.begin(), rects_.end());
  out.merge();
  return out;
}

Region Region::xored(const Region& other) const {
  Region out = subtracted(other);
  Region back = other.subtracted(*this);
  out.rects_.insert(out.rects_.end(), back.rects_.begin(), back.rects_.end());
  out.merge();
  return out;
}

bool Region::sameArea(const Region& other) const {
  return subtracted(other).empty() && other.subtracted(*this).empty();
}

// Joins neighbours that together form one rectangle, so that a region that
// covers a rectangle reports itself as simple.
void Region::merge() {
  bool changed = true;
  while (changed) {
    changed = false;
    for (size_t i = 0; i < rects_.size() && !changed; ++i) {
      for (size_t j = i + 1; j < rects_.size() && !changed; ++j) {
        RECT& a = rects_[i];
        const RECT& b = rects_[j];
        bool sideBySide = a.top == b.top && a.bottom == b.bottom && (a.right == b.left || b.right == a.left);
        bool stacked = a.left == b.left && a.right == b.right && (a.bottom == b.top || b.bottom == a.top);
        if (sideBySide || stacked) {
          a = RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom)};
          rects_.erase(rects_.begin() + static_cast<ptrdiff_t>(j));
          changed = true;
        }
      }
    }
  }
}

}  // namespace wince::gdi
