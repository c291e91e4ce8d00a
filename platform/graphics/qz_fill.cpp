#include "qz_fill.h"

#include <algorithm>
#include <cstring>

#include "qz_colour.h"
#include "qz_plane.h"

namespace {

struct Span {
  uint16_t* pixels;
  int pitch;
  int x0, y0, x1, y1;
};

bool cut(int x0, int y0, int x1, int y1, Span* s) {
  const QZPlane* p = QZGetDrawPlane();
  s->pixels = QZPlaneImageBits(p);
  if (!s->pixels) return false;
  s->pitch = p->pitch;
  s->x0 = std::max(x0, 0);
  s->y0 = std::max(y0, 0);
  s->x1 = std::min(x1, static_cast<int>(p->width));
  s->y1 = std::min(y1, static_cast<int>(p->height));
  return true;
}

void fillRow(uint16_t* d, int n, uint16_t colour, int flags, int level) {
  const uint32_t s = QZSplit(colour);
  if (flags & kQZFlagAdditive) {
    const auto f = static_cast<uint32_t>(std::min(level, 256) >> 4);
    for (int i = 0; i < n; ++i) d[i] = QZAddPixel(d[i], s, f);
  } else if (level < kQZOpaqueLevel) {
    const auto e = static_cast<uint32_t>(std::max(level, 0) >> 3);
    for (int i = 0; i < n; ++i) d[i] = QZBlendPixel(d[i], s, e);
  } else {
    std::fill_n(d, n, colour);
  }
}

}  // namespace

int16_t QZLLFill16BPP(int x0, int y0, int x1, int y1, uint16_t colour, int flags, int level) {
  Span s{};
  if (!cut(x0, y0, x1, y1, &s)) return -1;
  for (int y = s.y0; y < s.y1 && s.x0 < s.x1; ++y) {
    fillRow(s.pixels + static_cast<size_t>(y) * s.pitch + s.x0, s.x1 - s.x0, colour, flags, level);
  }
  return 0;
}

int16_t QZLLFill8BPP(int x0, int y0, int x1, int y1, uint8_t value) {
  const QZPlane* p = QZGetDrawPlane();
  auto* bytes = reinterpret_cast<uint8_t*>(QZPlaneImageBits(p));
  if (!bytes) return -1;
  const int rowBytes = 2 * p->pitch;
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, rowBytes);
  y1 = std::min(y1, static_cast<int>(p->height));
  for (int y = y0; y < y1 && x0 < x1; ++y) std::memset(bytes + static_cast<size_t>(y) * rowBytes + x0, value, x1 - x0);
  return 0;
}

uint16_t QZGradientColour(uint16_t top, uint16_t bottom, int k, int rows) {
  const int tr = (top & 0xF8FF) >> 8, tg = ((top >> 5) & 0x3F) * 4, tb = (top & 0x1F) * 8;
  const int br = (bottom & 0xF8FF) >> 8, bg = ((bottom >> 5) & 0x3F) * 4, bb = (bottom & 0x1F) * 8;
  const int r = tr + (br - tr) * k / rows;
  const int g = tg + (bg - tg) * k / rows;
  const int b = tb + (bb - tb) * k / rows;
  return static_cast<uint16_t>(((r << 8) & 0xF800) | ((g << 3) & 0x07E0) | (b >> 3));
}

int16_t QZFillGradient16BPP(int x0, int y0, int x1, int y1, uint16_t top, uint16_t bottom, int flags, int level) {
  Span s{};
  if (!cut(x0, y0, x1, y1, &s)) return -1;
  const int rows = y1 == y0 ? 1 : y1 - y0;
  for (int y = s.y0; y < s.y1 && s.x0 < s.x1; ++y) {
    fillRow(s.pixels + static_cast<size_t>(y) * s.pitch + s.x0, s.x1 - s.x0, QZGradientColour(top, bottom, y - y0, rows),
            flags, level);
  }
  return 0;
}

int16_t QZClearPlane16BPP(uint16_t value, int which) {
  const QZPlane* p = QZGetDrawPlane();
  uint16_t* bits = which ? QZPlaneMaskBits(p) : QZPlaneImageBits(p);
  if (!bits) return -1;
  std::fill_n(bits, static_cast<size_t>(p->pitch) * p->height, value);
  return 0;
}

int16_t QZClearPlane8BPP(uint8_t value) {
  const QZPlane* p = QZGetDrawPlane();
  uint16_t* bits = QZPlaneImageBits(p);
  if (!bits) return -1;
  std::memset(bits, value, static_cast<size_t>(p->pitch) * 2 * p->height);
  return 0;
}
