// The platform layer's rectangle: position and size as signed 16-bit values.
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
