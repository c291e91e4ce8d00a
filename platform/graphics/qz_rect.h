// The platform layer's rectangle: position and size as signed 16-bit values,
// and its small helpers.
#pragma once

#include <cstdint>

struct QZRect {
  int16_t x;
  int16_t y;
  int16_t w;
  int16_t h;
};

inline bool operator==(const QZRect& a, const QZRect& b) {
  return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

// True when (px, py) lies in the rectangle; the right and bottom edges are outside.
bool QZPointInRect(int px, int py, const QZRect* rect);
void QZSetRect(QZRect* rect, int x, int y, int width, int height);
void QZCopyRect(QZRect* to, const QZRect* from);
// The common part of a and b; a width or height below 0 becomes 0.
void QZIntersectRect(const QZRect* a, const QZRect* b, QZRect* out);
