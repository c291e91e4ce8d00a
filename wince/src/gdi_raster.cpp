#include "gdi_raster.h"

#include <algorithm>
#include <cstring>

namespace wince::gdi {

uint32_t applyRop(uint8_t code, uint32_t p, uint32_t s, uint32_t d) {
  switch (code) {
    case 0x00:
      return 0;
    case 0xFF:
      return ~0u;
    case 0xCC:
      return s;
    case 0xF0:
      return p;
    case 0x33:
      return ~s;
    case 0x55:
      return ~d;
    case 0x5A:
      return p ^ d;
    case 0x66:
      return s ^ d;
    case 0x88:
      return s & d;
    case 0xEE:
      return s | d;
    default:
      break;
  }
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i) {
    if (((code >> i) & 1) == 0) continue;
    r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return r;
}

Pattern solidPattern(uint32_t value) {
  Pattern p;
  p.value = value;
  return p;
}

Pattern realisePattern(const Dc& dc, const Brush* brush, int dstBpp) {
  Pattern p;
  if (brush == nullptr || brush->style == BS_NULL) {
    p.none = true;
    return p;
  }
  if (brush->pattern == nullptr) {
    p.value = toNative(brush->color, dstBpp);
    return p;
  }
  Bitmap& bm = *brush->pattern;
  Surface src = bm.surface();
  p.solid = false;
  p.width = bm.width;
  p.height = bm.height;
  p.orgX = dc.origin.x + dc.brushOrg.x;
  p.orgY = dc.origin.y + dc.brushOrg.y;
  p.cells.resize(static_cast<size_t>(bm.width) * bm.height);
  uint32_t fg = toNative(dc.textColor, dstBpp), bg = toNative(dc.bkColor, dstBpp);
  for (int y = 0; y < bm.height; ++y) {
    for (int x = 0; x < bm.width; ++x) {
      uint32_t v = src.get(x, y);
      uint32_t out;
      if (bm.bpp == 1)
        out = v ? bg : fg;
      else if (bm.bpp == dstBpp)
        out = v;
      else
        out = toNative(fromNative(v, bm.bpp), dstBpp);
      p.cells[static_cast<size_t>(y) * bm.width + x] = out;
    }
  }
  return p;
}

static void fillSpan(const Surface& s, int y, int x0, int x1, uint32_t v) {
  uint8_t* row = s.row(y);
  switch (s.bpp) {
    case 16:
      std::fill_n(reinterpret_cast<uint16_t*>(row) + x0, x1 - x0, static_cast<uint16_t>(v));
      break;
    case 32:
      std::fill_n(reinterpret_cast<uint32_t*>(row) + x0, x1 - x0, v & 0xFFFFFFu);
      break;
    default:
      for (int x = x0; x < x1; ++x) s.set(x, y, v);
      break;
  }
}

void fillDevice(Dc& dc, const Region& clip, const Surface& s, const RECT& rect, const Pattern& pattern,
                uint8_t code) {
  if (!s.valid() || (pattern.none && ropUsesPattern(code))) return;
  for (const RECT& c : clip.rects()) {
    RECT r = rectIntersection(c, rect);
    if (rectEmpty(r)) continue;
    for (int y = r.top; y < r.bottom; ++y) {
      if (code == 0xF0 && pattern.solid) {
        fillSpan(s, y, r.left, r.right, pattern.value);
        continue;
      }
      for (int x = r.left; x < r.right; ++x) s.set(x, y, applyRop(code, pattern.at(x, y), 0, s.get(x, y)));
    }
  }
}

void fillDevice(Dc& dc, const RECT& rect, const Pattern& pattern, uint8_t code) {
  fillDevice(dc, dc.clip(), dc.surface(), rect, pattern, code);
}

uint32_t SourceMap::operator()(uint32_t s) const {
  if (srcBpp == 1) return dstBpp == 1 ? s : (s ? mono1 : mono0);
  if (dstBpp == 1) return s == srcBk ? 1u : 0u;
  if (srcBpp == dstBpp || (srcBpp >= 24 && dstBpp >= 24)) return s;
  return toNative(fromNative(s, srcBpp), dstBpp);
}

SourceMap sourceMap(const Dc& dst, int dstBpp, const Dc* src, int srcBpp) {
  SourceMap m;
  m.srcBpp = srcBpp;
  m.dstBpp = dstBpp;
  m.mono0 = toNative(dst.textColor, dstBpp);
  m.mono1 = toNative(dst.bkColor, dstBpp);
  m.srcBk = toNative(src != nullptr ? src->bkColor : RGB(255, 255, 255), srcBpp);
  return m;
}

static bool sameMemory(const Surface& a, const Surface& b) { return a.top == b.top && a.stride == b.stride; }

// A private copy of part of a surface, for copies within one surface.
struct SurfaceCopy {
  std::vector<uint8_t> bytes;
  Surface surface;
};

static void copyOf(const Surface& src, const RECT& r, SurfaceCopy* out) {
  int w = r.right - r.left, h = r.bottom - r.top;
  int stride = strideFor(w, src.bpp);
  out->bytes.assign(static_cast<size_t>(stride) * h, 0);
  out->surface = Surface{out->bytes.data(), stride, w, h, src.bpp};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out->surface.set(x, y, src.get(r.left + x, r.top + y));
}

void blitDevice(Dc& dst, RECT dstRect, const Surface& srcIn, int srcX, int srcY, const SourceMap& map,
                uint8_t code, const Pattern* pattern, std::optional<uint32_t> key) {
  Surface s = dst.surface();
  if (!s.valid() || !srcIn.valid()) return;
  // Cut to the source surface, moving the destination with it.
  int w = dstRect.right - dstRect.left, h = dstRect.bottom - dstRect.top;
  RECT srcRect = rectIntersection(RECT{srcX, srcY, srcX + w, srcY + h}, RECT{0, 0, srcIn.width, srcIn.height});
  if (rectEmpty(srcRect)) return;
  dstRect = RECT{dstRect.left + (srcRect.left - srcX), dstRect.top + (srcRect.top - srcY),
                 dstRect.left + (srcRect.right - srcX), dstRect.top + (srcRect.bottom - srcY)};
  Surface src = srcIn;
  SurfaceCopy copy;
  if (sameMemory(src, s) && !rectEmpty(rectIntersection(srcRect, dstRect))) {
    copyOf(srcIn, srcRect, &copy);
    src = copy.surface;
    srcRect = RECT{0, 0, src.width, src.height};
  }
  bool fast = code == 0xCC && !key && src.bpp == s.bpp && s.bpp >= 16;
  int bytesPerPixel = s.bpp / 8;
  Pattern none;
  none.none = true;
  const Pattern& pat = pattern != nullptr ? *pattern : none;
  if (pat.none && ropUsesPattern(code)) return;
  Region clip = dst.clip();
  for (const RECT& c : clip.rects()) {
    RECT r = rectIntersection(c, dstRect);
    if (rectEmpty(r)) continue;
    int sx0 = srcRect.left + (r.left - dstRect.left);
    int sy0 = srcRect.top + (r.top - dstRect.top);
    for (int y = r.top; y < r.bottom; ++y) {
      int sy = sy0 + (y - r.top);
      if (fast) {
        std::memmove(s.row(y) + r.left * bytesPerPixel, src.row(sy) + sx0 * bytesPerPixel,
                     static_cast<size_t>(r.right - r.left) * bytesPerPixel);
        continue;
      }
      for (int x = r.left; x < r.right; ++x) {
        uint32_t sv = src.get(sx0 + (x - r.left), sy);
        if (key && sv == *key) continue;
        uint32_t v = map(sv);
        if (code != 0xCC) v = applyRop(code, pat.none ? 0 : pat.at(x, y), v, s.get(x, y));
        s.set(x, y, v);
      }
    }
  }
}

}  // namespace wince::gdi
