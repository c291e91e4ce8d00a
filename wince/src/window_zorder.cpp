// Z-order among siblings. Topmost windows stay above the others, and a
// window's owned windows stay above it, so raising a main window never buries
// its soft-key bar or its dialogs. A window that comes above another where
// they overlap is painted again there.
#include <algorithm>

#include "window_internal.h"

namespace wince::win {

namespace {

bool ownedBy(HWND hwnd, HWND owner) {
  for (Window* w = find(hwnd); w != nullptr && w->owner != nullptr; w = find(w->owner)) {
    if (w->owner == owner) return true;
  }
  return false;
}

bool isTopmost(HWND hwnd) {
  const Window* w = find(hwnd);
  return w != nullptr && (w->exStyle & WS_EX_TOPMOST);
}

// For every pair whose order flipped, the one now on top repaints where
// they overlap.
void repaintUncovered(const std::vector<HWND>& before, const std::vector<HWND>& after) {
  for (size_t i = 0; i < after.size(); ++i) {
    Window* upper = find(after[i]);
    if (upper == nullptr || !visibleOnScreen(upper)) continue;
    const auto upperBefore = std::find(before.begin(), before.end(), after[i]);
    for (size_t j = i + 1; j < after.size(); ++j) {
      const auto lowerBefore = std::find(before.begin(), before.end(), after[j]);
      if (lowerBefore == before.end() || upperBefore == before.end() || lowerBefore > upperBefore) continue;
      const Window* lower = find(after[j]);
      if (lower == nullptr || !(lower->style & WS_VISIBLE)) continue;
      const RECT overlap = intersect(windowRectScreen(upper), windowRectScreen(lower));
      if (rectEmpty(overlap)) continue;
      const RECT client = clientRectScreen(upper);
      const RECT local = offset(overlap, -client.left, -client.top);
      invalidateClient(upper, &local, true);
    }
  }
}

}  // namespace

void restack(HWND parent, std::vector<HWND> order) {
  Window* p = find(parent);
  if (p == nullptr || order == p->children) return;
  std::vector<HWND> before = std::move(p->children);
  p->children = std::move(order);
  markPaintOrderStale();
  repaintUncovered(before, p->children);
}

void raiseToTop(HWND hwnd) {
  Window* w = find(hwnd);
  Window* p = w != nullptr ? find(w->parent) : nullptr;
  if (p == nullptr) return;
  // The window with everything it owns, in their present order.
  std::vector<HWND> group;
  std::vector<HWND> rest;
  for (HWND h : p->children) {
    if (h == hwnd || (isTopLevel(w) && ownedBy(h, hwnd))) {
      group.push_back(h);
    } else {
      rest.push_back(h);
    }
  }
  // Owned windows above their owner.
  std::stable_partition(group.begin(), group.end(), [hwnd](HWND h) { return h != hwnd; });
  const bool topmost = isTopmost(hwnd);
  auto at = topmost ? rest.begin() : std::find_if(rest.begin(), rest.end(), [](HWND h) { return !isTopmost(h); });
  rest.insert(at, group.begin(), group.end());
  restack(p->handle, std::move(rest));
}

}  // namespace wince::win
