// Block transfers: BitBlt, StretchBlt (nearest neighbour), PatBlt and the
// transparent copy.
#include <optional>
#include <vector>

#include "gdi_raster.h"

using namespace wince::gdi;

namespace {

// A DC's pixels as a source: the part it may read, with the offset that turns
// its logical coordinates into coordinates of that part.
struct SourceView {
  Surface surface;
  int dx = 0;
  int dy = 0;
};

SourceView sourceView(const Dc& dc) {
  SourceView v;
  Surface full = dc.surface();
  if (!full.valid()) return v;
  RECT b = dc.bounds();
  if (rectEmpty(b)) return v;
  v.surface = full;
  v.surface.top = full.row(b.top) + b.left * full.bpp / 8;
  v.surface.width = b.right - b.left;
  v.surface.height = b.bottom - b.top;
  v.dx = dc.origin.x - b.left;
  v.dy = dc.origin.y - b.top;
  return v;
}

// One axis of a stretch: destination cell i takes source cell
// start + i * srcLen / dstLen (mirrored when the signs differ).
struct Axis {
  int dst = 0;     // first destination cell (normalised)
  int dstLen = 0;  // > 0
  int src = 0;     // first source cell (normalised)
  int srcLen = 0;  // > 0
  bool mirror = false;

  int sourceOf(int i) const { return src + (mirror ? dstLen - 1 - i : i) * srcLen / dstLen; }
};

Axis makeAxis(int dst, int dstLen, int src, int srcLen) {
  Axis a;
  a.mirror = (dstLen < 0) != (srcLen < 0);
  if (dstLen < 0) {
    dst += dstLen + 1;
    dstLen = -dstLen;
  }
  if (srcLen < 0) {
    src += srcLen + 1;
    srcLen = -srcLen;
  }
  a.dst = dst;
  a.dstLen = dstLen;
  a.src = src;
  a.srcLen = srcLen;
  return a;
}

// The destination cells whose source lies inside 0..limit-1 (contiguous, as
// the mapping is monotonic).
bool validRange(const Axis& a, int limit, int* first, int* last) {
  *first = -1;
  for (int i = 0; i < a.dstLen; ++i) {
    int s = a.sourceOf(i);
    if (s >= 0 && s < limit) {
      if (*first < 0) *first = i;
      *last = i;
    }
  }
  return *first >= 0;
}

// Samples the stretched source into a surface of the destination size and
// hands it to the blitter.
BOOL stretch(Dc& dst, const Axis& ax, const Axis& ay, const SourceView& view, const SourceMap& map, uint8_t code,
             const Pattern* pattern, std::optional<uint32_t> key) {
  const Surface& src = view.surface;
  if (!src.valid()) return FALSE;
  Axis sx = ax, sy = ay;
  sx.src += view.dx;
  sy.src += view.dy;
  int x0, x1, y0, y1;
  if (!validRange(sx, src.width, &x0, &x1) || !validRange(sy, src.height, &y0, &y1)) return TRUE;
  int w = x1 - x0 + 1, h = y1 - y0 + 1;
  std::vector<uint8_t> bytes(static_cast<size_t>(strideFor(w, src.bpp)) * h);
  Surface tmp{bytes.data(), strideFor(w, src.bpp), w, h, src.bpp};
  for (int j = 0; j < h; ++j) {
    int srow = sy.sourceOf(y0 + j);
    for (int i = 0; i < w; ++i) tmp.set(i, j, src.get(sx.sourceOf(x0 + i), srow));
  }
  RECT out = toDevice(dst, ax.dst + x0, ay.dst + y0, ax.dst + x0 + w, ay.dst + y0 + h);
  blitDevice(dst, out, tmp, 0, 0, map, code, pattern, key);
  return TRUE;
}

}  // namespace

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return FALSE;
  if (width < 0) {
    x += width;
    width = -width;
  }
  if (height < 0) {
    y += height;
    height = -height;
  }
  Surface s = dc->surface();
  if (!s.valid()) return FALSE;
  Pattern p = realisePattern(*dc, dc->brushObject(), s.bpp);
  fillDevice(*dc, toDevice(*dc, x, y, x + width, y + height), p, ropCode(rop));
  return TRUE;
}

BOOL StretchBlt(HDC hdst, int x, int y, int width, int height, HDC hsrc, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop) {
  Dc* dst = find<Dc>(hdst);
  if (dst == nullptr) return FALSE;
  uint8_t code = ropCode(rop);
  if (!ropUsesSource(code)) return PatBlt(hdst, x, y, width, height, rop);
  Dc* src = find<Dc>(hsrc);
  if (src == nullptr || width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0) return FALSE;
  Surface ds = dst->surface();
  SourceView view = sourceView(*src);
  if (!ds.valid() || !view.surface.valid()) return FALSE;
  std::optional<Pattern> pattern;
  if (ropUsesPattern(code)) pattern = realisePattern(*dst, dst->brushObject(), ds.bpp);
  SourceMap map = sourceMap(*dst, ds.bpp, src, view.surface.bpp);
  Axis ax = makeAxis(x, width, srcX, srcWidth), ay = makeAxis(y, height, srcY, srcHeight);
  if (ax.dstLen == ax.srcLen && ay.dstLen == ay.srcLen && !ax.mirror && !ay.mirror) {
    blitDevice(*dst, toDevice(*dst, ax.dst, ay.dst, ax.dst + ax.dstLen, ay.dst + ay.dstLen), view.surface,
               ax.src + view.dx, ay.src + view.dy, map, code, pattern ? &*pattern : nullptr);
    return TRUE;
  }
  return stretch(*dst, ax, ay, view, map, code, pattern ? &*pattern : nullptr, std::nullopt);
}

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  if (width <= 0 || height <= 0) return find<Dc>(dst) != nullptr;
  return StretchBlt(dst, x, y, width, height, src, srcX, srcY, width, height, rop);
}

BOOL TransparentImage(HDC hdst, int x, int y, int width, int height, HANDLE hsrc, int srcX, int srcY, int srcWidth,
                      int srcHeight, COLORREF transparent) {
  Dc* dst = find<Dc>(hdst);
  if (dst == nullptr || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return FALSE;
  const Dc* srcDc = find<Dc>(hsrc);
  SourceView view;
  if (srcDc != nullptr) {
    view = sourceView(*srcDc);
  } else if (Bitmap* b = find<Bitmap>(hsrc)) {
    view.surface = b->surface();
  } else {
    return FALSE;
  }
  Surface ds = dst->surface();
  if (!ds.valid() || !view.surface.valid()) return FALSE;
  int srcBpp = view.surface.bpp;
  SourceMap map = sourceMap(*dst, ds.bpp, srcDc, srcBpp);
  uint32_t key = toNative(transparent, srcBpp);
  return stretch(*dst, makeAxis(x, width, srcX, srcWidth), makeAxis(y, height, srcY, srcHeight), view, map, 0xCC,
                 nullptr, key);
}
