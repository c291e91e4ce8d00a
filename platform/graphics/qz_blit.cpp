#include "qz_blit.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "qz_colour.h"
#include "qz_screen.h"
#include "qz_sine.h"

namespace {

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive
};

// Cuts a box to the drawing plane and the sprite clip; false when empty.
bool cutBox(const QZPlane* dest, Box* b) {
  b->left = std::max(b->left, 0);
  b->top = std::max(b->top, 0);
  b->right = std::min(b->right, static_cast<int>(dest->width));
  b->bottom = std::min(b->bottom, static_cast<int>(dest->height));
  const QZSpriteClip& clip = QZGetSpriteClip();
  if (clip.on) {
    b->left = std::max(b->left, static_cast<int>(clip.rect.x));
    b->top = std::max(b->top, static_cast<int>(clip.rect.y));
    b->right = std::min(b->right, clip.rect.x + clip.rect.w);
    b->bottom = std::min(b->bottom, clip.rect.y + clip.rect.h);
  }
  return b->left < b->right && b->top < b->bottom;
}

struct Target {
  QZPlane* dest;
  uint16_t* pixels;
  const uint16_t* source;
  const uint16_t* mask;
};

// -3 without plane or drawing plane, -1 without 16-bit pixels.
int16_t prepare(const QZPlane* plane, bool useMask, Target* t) {
  t->dest = QZGetDrawPlane();
  if (!plane || !t->dest) return -3;
  if (!QZBackBufferIs16Bit()) return -1;
  t->pixels = QZPlaneImageBits(t->dest);
  t->source = QZPlaneImageBits(plane);
  t->mask = useMask ? QZPlaneMaskBits(plane) : nullptr;
  return t->pixels && t->source ? 0 : -1;
}

// One pixel of a turned plane by the level and flag rules.
inline void turnedPixel(uint16_t* d, uint16_t s, const uint16_t* mask, size_t at, int level, int flags) {
  if (!mask) {
    *d = QZBlendPixel(*d, QZSplit(s), static_cast<uint32_t>(level >> 3));
  } else if (mask[at] == 0) {
    if (flags & kQZFlagAdditive) {
      *d = QZAddPixel(*d, QZSplit(s), static_cast<uint32_t>(level >> 4));
    } else {
      *d = level >= 256 ? s : QZBlendPixel(*d, QZSplit(s), static_cast<uint32_t>(level >> 3));
    }
  }
}

}  // namespace

int16_t QZDrawPlaneRotated(const QZPlane* plane, int cx, int cy, int sine, int cosine, int level, int flags) {
  Target t{};
  if (const int16_t r = prepare(plane, !(flags & kQZPlaneIgnoreMask), &t); r < 0) return r;
  level = std::clamp(level, 0, 256);
  const int w = plane->width, h = plane->height;
  const int ex = (std::abs((w / 2) * cosine) + std::abs((h / 2) * sine)) / 256 + 2;
  const int ey = (std::abs((w / 2) * sine) + std::abs((h / 2) * cosine)) / 256 + 2;
  Box b{cx - ex, cy - ey, cx + ex + 1, cy + ey + 1};
  if (!cutBox(t.dest, &b)) return 0;
  for (int y = b.top; y < b.bottom; ++y) {
    // Numerators of the source column and row at the row's first pixel; they
    // step by cosine and -sine along the row and divide truncating toward zero.
    int64_t u = static_cast<int64_t>(b.left - cx) * cosine + static_cast<int64_t>(y - cy) * sine + (w / 2) * 256;
    int64_t v = static_cast<int64_t>(y - cy) * cosine - static_cast<int64_t>(b.left - cx) * sine + (h / 2) * 256;
    uint16_t* d = t.pixels + static_cast<size_t>(y) * t.dest->pitch + b.left;
    for (int x = b.left; x < b.right; ++x, ++d, u += cosine, v -= sine) {
      const int64_t sx = u / 256, sy = v / 256;
      if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
      const size_t at = static_cast<size_t>(sy) * plane->pitch + static_cast<size_t>(sx);
      turnedPixel(d, t.source[at], t.mask, at, level, flags);
    }
  }
  return 0;
}

int16_t QZDrawPlaneRotatedById(int planeId, int x, int y, int angle, int level, bool additive) {
  if (angle < 0 || angle > 255) return 0;
  const int flags = ((planeId & 0x4000) ? kQZPlaneIgnoreMask : 0) | (additive ? kQZFlagAdditive : 0);
  return QZDrawPlaneRotated(QZGetPlane(planeId, false), x, y, QZSineTable[angle].sine, -QZSineTable[angle].negCosine,
                            level, flags);
}

int16_t QZDrawPlaneScaled(int planeId, int cx, int cy, int scale) {
  if (scale == 0) return 0;
  const QZPlane* plane = QZGetPlane(planeId, false);
  Target t{};
  if (const int16_t r = prepare(plane, !(planeId & 0x4000), &t); r < 0) return r;
  const int w = plane->width, h = plane->height;
  const int64_t k = scale;
  Box b{static_cast<int>(cx - k * (w / 2) / 2048), static_cast<int>(cy - k * (h / 2) / 2048), 0, 0};
  b.right = b.left + static_cast<int>(k * w / 2048);
  b.bottom = b.top + static_cast<int>(k * h / 2048);
  if (!cutBox(t.dest, &b)) return 0;
  const int64_t firstColumn = w / 2 + (static_cast<int64_t>(b.left - cx) * 2048) / k;
  for (int y = b.top; y < b.bottom; ++y) {
    const int64_t sy = (static_cast<int64_t>(y - cy) * 2048) / k + h / 2;
    if (sy < 0 || sy >= h) continue;
    const uint16_t* src = t.source + static_cast<size_t>(sy) * plane->pitch;
    const uint16_t* m = t.mask ? t.mask + static_cast<size_t>(sy) * plane->pitch : nullptr;
    uint16_t* d = t.pixels + static_cast<size_t>(y) * t.dest->pitch;
    for (int x = b.left; x < b.right; ++x) {
      const int64_t sx = firstColumn + (static_cast<int64_t>(x - b.left) * 2048) / k;
      if (sx < 0 || sx >= w || (m && m[sx] != 0)) continue;
      d[x] = src[sx];
    }
  }
  return 0;
}

int16_t QZDrawPlaneRotatedScaled(int planeId, int cx, int cy, int angle, int scale) {
  if (angle < 0 || angle > 255) return 0;
  const QZPlane* plane = QZGetPlane(planeId, false);
  Target t{};
  if (const int16_t r = prepare(plane, true, &t); r < 0) return r;
  if (scale <= 0) scale = 1;
  const int sine = QZSineTable[angle].sine, cosine = -QZSineTable[angle].negCosine;
  const int w = plane->width, h = plane->height;
  const int64_t ex = (static_cast<int64_t>(std::abs((w / 2) * cosine) + std::abs((h / 2) * sine)) * scale) / (256 * 32) + 2;
  const int64_t ey = (static_cast<int64_t>(std::abs((w / 2) * sine) + std::abs((h / 2) * cosine)) * scale) / (256 * 32) + 2;
  Box b{static_cast<int>(cx - ex), static_cast<int>(cy - ey), static_cast<int>(cx + ex + 1), static_cast<int>(cy + ey + 1)};
  if (!cutBox(t.dest, &b)) return 0;
  // Source steps in 1/8192 of a pixel: a turn in 1/256 and a scale in 1/32.
  const int64_t du = static_cast<int64_t>(cosine) * 1024 / scale;
  const int64_t dv = static_cast<int64_t>(-sine) * 1024 / scale;
  const int64_t rowU = static_cast<int64_t>(sine) * 1024 / scale;
  const int64_t rowV = static_cast<int64_t>(cosine) * 1024 / scale;
  for (int y = b.top; y < b.bottom; ++y) {
    int64_t u = (b.left - cx) * du + (y - cy) * rowU + static_cast<int64_t>(w / 2) * 8192;
    int64_t v = (b.left - cx) * dv + (y - cy) * rowV + static_cast<int64_t>(h / 2) * 8192;
    uint16_t* d = t.pixels + static_cast<size_t>(y) * t.dest->pitch + b.left;
    for (int x = b.left; x < b.right; ++x, ++d, u += du, v += dv) {
      const int64_t sx = u / 8192, sy = v / 8192;
      if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
      const size_t at = static_cast<size_t>(sy) * plane->pitch + static_cast<size_t>(sx);
      if (!t.mask || t.mask[at] == 0) *d = t.source[at];
    }
  }
  return 0;
}

int16_t QZDrawPlanesRotated(int count, const int16_t* r, int xOffset, int yOffset) {
  if (!QZGetDrawPlane()) return -3;
  if (!QZBackBufferIs16Bit()) return -1;
  for (int i = 0; i < count; ++i, r += 4) {
    const QZPlane* plane = QZGetPlane(r[0], false);
    if (!plane || r[3] < 0 || r[3] > 255) continue;
    QZDrawPlaneRotated(plane, r[1] + xOffset, r[2] + yOffset, QZSineTable[r[3]].sine, -QZSineTable[r[3]].negCosine,
                       kQZOpaqueLevel, (r[0] & 0x4000) ? kQZPlaneIgnoreMask : 0);
  }
  return 0;
}

int16_t QZSpriteDrawPalette(const QZPlane* source, QZPlane* dest, int sx, int sy, int w, int h, int dx, int dy,
                            const uint16_t* palette) {
  if (!source || !dest) return -3;
  const auto* src = reinterpret_cast<const uint8_t*>(QZPlaneImageBits(source));
  const auto* mask = reinterpret_cast<const uint8_t*>(QZPlaneMaskBits(source));
  uint16_t* dst = QZPlaneImageBits(dest);
  if (!src || !dst || !palette) return -1;
  if (!QZClipCopy(source, dest, &sx, &sy, &dx, &dy, &w, &h)) return 0;
  const size_t srcRow = static_cast<size_t>(source->pitch) * 2;
  for (int j = 0; j < h; ++j) {
    const size_t at = (sy + j) * srcRow + sx;
    uint16_t* d = dst + static_cast<size_t>(dy + j) * dest->pitch + dx;
    for (int i = 0; i < w; ++i) {
      if (!mask || mask[at + i] != 0) d[i] = palette[src[at + i]];
    }
  }
  return 0;
}

int16_t QZSpriteDrawTinted(const QZPlane* source, QZPlane* dest, const QZRect* rect, int dx, int dy, int red,
                           int green, int blue) {
  if (!source || !dest) return -3;
  const uint16_t* src = QZPlaneImageBits(source);
  const uint16_t* mask = QZPlaneMaskBits(source);
  uint16_t* dst = QZPlaneImageBits(dest);
  if (!src || !dst) return -1;
  int sx = rect->x, sy = rect->y, w = rect->w, h = rect->h;
  if (!QZClipCopy(source, dest, &sx, &sy, &dx, &dy, &w, &h)) return 0;
  for (int j = 0; j < h; ++j) {
    const size_t at = static_cast<size_t>(sy + j) * source->pitch + sx;
    uint16_t* d = dst + static_cast<size_t>(dy + j) * dest->pitch + dx;
    for (int i = 0; i < w; ++i) {
      if (mask && mask[at + i] != 0) continue;
      d[i] = QZTintRGB565(src[at + i], red, green, blue);
    }
  }
  return 0;
}

namespace {

// Opaque-pixel counts of the drawing plane's rectangle as a summed-area table
// with a border of `pad` empty pixels on every side.
class Coverage {
 public:
  Coverage(const QZPlane* source, int x, int y, int w, int h, int pad)
      : w_(w + 2 * pad), h_(h + 2 * pad), sums_(static_cast<size_t>(w_ + 1) * (h_ + 1), 0) {
    const uint16_t* mask = QZPlaneMaskBits(source);
    for (int j = 0; j < h_; ++j) {
      for (int i = 0; i < w_; ++i) {
        const int sx = x + i - pad, sy = y + j - pad;
        const bool inside = i >= pad && j >= pad && i < pad + w && j < pad + h && sx >= 0 && sy >= 0 &&
                            sx < source->width && sy < source->height;
        const bool opaque = inside && (!mask || mask[static_cast<size_t>(sy) * source->pitch + sx] == 0);
        at(i + 1, j + 1) = (opaque ? 1 : 0) + at(i, j + 1) + at(i + 1, j) - at(i, j);
      }
    }
  }
  // Opaque pixels in the square of half-size r around (i, j).
  int64_t square(int i, int j, int r) const {
    const int x0 = std::max(i - r, 0), y0 = std::max(j - r, 0);
    const int x1 = std::min(i + r + 1, w_), y1 = std::min(j + r + 1, h_);
    if (x0 >= x1 || y0 >= y1) return 0;
    return get(x1, y1) - get(x0, y1) - get(x1, y0) + get(x0, y0);
  }

 private:
  int64_t& at(int i, int j) { return sums_[static_cast<size_t>(j) * (w_ + 1) + i]; }
  int64_t get(int i, int j) const { return sums_[static_cast<size_t>(j) * (w_ + 1) + i]; }
  int w_, h_;
  std::vector<int64_t> sums_;
};

}  // namespace

int16_t QZCreateShadowPlane(int planeId, int x, int y, int width, int height, int radius, uint32_t colour,
                            int startPercent, int endPercent) {
  const QZPlane* source = QZGetDrawPlane();
  if (!QZPlaneImageBits(source)) return -3;
  if (radius < 1 || width <= 0 || height <= 0) return -1;
  const int start = startPercent * 256 / 100;
  int end = endPercent * 256 / 100;
  if (end <= start) end = start + 1;
  const int r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
  uint16_t ramp[257];
  for (int k = 0; k <= 256; ++k) {
    const int opacity = std::clamp(start + (end - start) * k / 256, 0, 256);
    ramp[k] = static_cast<uint16_t>((((r * opacity) >> 11) << 11) | (((g * opacity) >> 10) << 5) | ((b * opacity) >> 11));
  }
  const Coverage coverage(source, x, y, width, height, radius);
  const int pw = width + 2 * radius, ph = height + 2 * radius;
  if (const int16_t result = QZCreatePlane(planeId, pw, ph, true); result < 0) return result;
  const QZPlane* shadow = QZGetPlane(planeId, false);
  uint16_t* pixels = QZPlaneImageBits(shadow);
  uint16_t* mask = QZPlaneMaskBits(shadow);
  if (!pixels || !mask) return -1;
  // Windows of radius, radius / 2, ... down to radius / 4 (or 1), each halving doubling the weight.
  const int smallest = radius < 4 ? 1 : radius / 4;
  const int64_t normaliser = 6 * static_cast<int64_t>(radius) * radius + 4 * static_cast<int64_t>(radius / 2) * (radius / 2);
  for (int j = 0; j < ph; ++j) {
    for (int i = 0; i < pw; ++i) {
      int64_t weighted = 0;
      for (int size = radius, weight = 1; size >= smallest; size /= 2, weight *= 2) {
        weighted += weight * coverage.square(i, j, size);
        if (size == smallest) break;
      }
      const int k = static_cast<int>(std::min<int64_t>(256, weighted * 256 / std::max<int64_t>(normaliser, 1)));
      const size_t at = static_cast<size_t>(j) * shadow->pitch + i;
      pixels[at] = k ? ramp[k] : 0;
      mask[at] = k ? 0 : 0xFFFF;
    }
  }
  return 0;
}
