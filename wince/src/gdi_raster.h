// The raster engine: brush patterns, ternary raster operations, clipped fills
// and blits between surfaces of any of the supported depths.
#pragma once

#include <optional>
#include <vector>

#include "gdi_object.h"

namespace wince::gdi {

// A brush made ready for one destination depth.
struct Pattern {
  bool none = false;  // the null brush: paints nothing
  bool solid = true;
  uint32_t value = 0;
  int width = 0;
  int height = 0;
  int orgX = 0;  // device position of the pattern's (0, 0)
  int orgY = 0;
  std::vector<uint32_t> cells;

  uint32_t at(int x, int y) const {
    if (solid) return value;
    int px = (x - orgX) % width;
    int py = (y - orgY) % height;
    if (px < 0) px += width;
    if (py < 0) py += height;
    return cells[static_cast<size_t>(py) * width + px];
  }
};

Pattern realisePattern(const Dc& dc, const Brush* brush, int dstBpp);
Pattern solidPattern(uint32_t value);

// The raster-operation code (bits 16-23 of a ROP) applied bit by bit.
uint32_t applyRop(uint8_t code, uint32_t p, uint32_t s, uint32_t d);
inline uint8_t ropCode(DWORD rop) { return static_cast<uint8_t>(rop >> 16); }
inline bool ropUsesSource(uint8_t code) { return ((code >> 2) ^ code) & 0x33; }
inline bool ropUsesPattern(uint8_t code) { return ((code >> 4) ^ code) & 0x0F; }

// Applies the pattern through the raster operation to a device rectangle,
// clipped to the DC.
void fillDevice(Dc& dc, const RECT& rect, const Pattern& pattern, uint8_t code);
void fillDevice(Dc& dc, const Region& clip, const Surface& s, const RECT& rect, const Pattern& pattern,
                uint8_t code);

// How source pixels become destination pixels: a monochrome source takes the
// destination DC's text (0) and background (1) colours; a colour source going
// to a monochrome destination gives 1 where it matches the source DC's
// background colour.
struct SourceMap {
  int srcBpp = 16;
  int dstBpp = 16;
  uint32_t mono0 = 0;
  uint32_t mono1 = 0;
  uint32_t srcBk = 0;
  uint32_t operator()(uint32_t s) const;
};
SourceMap sourceMap(const Dc& dst, int dstBpp, const Dc* src, int srcBpp);

// Copies the device rectangle dstRect of dst from src at srcX, srcY through
// the raster operation, clipped to the DC and to the source. Pixels of the
// source that equal *key (in the source's native form) are left out.
void blitDevice(Dc& dst, RECT dstRect, const Surface& src, int srcX, int srcY, const SourceMap& map,
                uint8_t code, const Pattern* pattern, std::optional<uint32_t> key = std::nullopt);

// Device coordinates of a logical rectangle of the DC.
inline RECT toDevice(const Dc& dc, int l, int t, int r, int b) {
  return RECT{l + dc.origin.x, t + dc.origin.y, r + dc.origin.x, b + dc.origin.y};
}

}  // namespace wince::gdi
