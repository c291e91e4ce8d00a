#include "qz_rect.h"

#include <algorithm>

bool QZPointInRect(int px, int py, const QZRect* rect) {
  return px >= rect->x && px < rect->x + rect->w && py >= rect->y && py < rect->y + rect->h;
}

void QZSetRect(QZRect* rect, int x, int y, int width, int height) {
  rect->x = static_cast<int16_t>(x);
  rect->y = static_cast<int16_t>(y);
  rect->w = static_cast<int16_t>(width);
  rect->h = static_cast<int16_t>(height);
}

void QZCopyRect(QZRect* to, const QZRect* from) { *to = *from; }

void QZIntersectRect(const QZRect* a, const QZRect* b, QZRect* out) {
  const int left = std::max<int>(a->x, b->x);
  const int top = std::max<int>(a->y, b->y);
  const int right = std::min(a->x + a->w, b->x + b->w);
  const int bottom = std::min(a->y + a->h, b->y + b->h);
  QZSetRect(out, left, top, std::max(0, right - left), std::max(0, bottom - top));
}
