// Shapes and pixels: rectangles, lines with the current pen, fills, edges.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "gdi_raster.h"

using namespace wince::gdi;

namespace {

// Lines with a pen: one-pixel (or pen-wide square) stamps along a Bresenham
// path, the last point left out.
struct PenDraw {
  Dc& dc;
  Surface surface;
  Region clip;
  uint32_t value = 0;
  int width = 1;
  bool visible = false;

  explicit PenDraw(Dc& d) : dc(d), surface(d.surface()), clip(d.clip()) {
    Pen* pen = d.penObject();
    if (pen == nullptr || pen->log.lopnStyle == PS_NULL || !surface.valid()) return;
    value = toNative(pen->log.lopnColor, surface.bpp);
    width = pen->log.lopnWidth.x < 1 ? 1 : pen->log.lopnWidth.x;
    visible = true;
  }

  void plot(int x, int y) {
    if (width == 1) {
      if (clip.contains(x, y)) surface.set(x, y, value);
      return;
    }
    int x0 = x - width / 2, y0 = y - width / 2;
    fillDevice(dc, clip, surface, RECT{x0, y0, x0 + width, y0 + width}, solidPattern(value), 0xF0);
  }

  // Device coordinates.
  void line(int x0, int y0, int x1, int y1) {
    if (!visible) return;
    if (std::max(std::abs(x1 - x0), std::abs(y1 - y0)) > kLongLine && !clipLong(&x0, &y0, &x1, &y1)) return;
    bresenham(x0, y0, x1, y1);
  }

  void bresenham(int x0, int y0, int x1, int y1) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (x0 != x1 || y0 != y1) {
      plot(x0, y0);
      int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x0 += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y0 += sy;
      }
    }
  }

  // A very long line is cut to a margin around the clip first, so that
  // extreme coordinates cost no more than the visible part.
  static constexpr int kLongLine = 4096;
  bool clipLong(int* x0, int* y0, int* x1, int* y1) const {
    RECT box = clip.box();
    double l = box.left - width - 2.0, r = box.right + width + 2.0, t = box.top - width - 2.0,
           b = box.bottom + width + 2.0;
    double dx = *x1 - *x0, dy = *y1 - *y0, u0 = 0, u1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {*x0 - l, r - *x0, *y0 - t, b - *y0};
    for (int i = 0; i < 4; ++i) {
      if (p[i] == 0) {
        if (q[i] < 0) return false;
        continue;
      }
      double u = q[i] / p[i];
      if (p[i] < 0)
        u0 = std::max(u0, u);
      else
        u1 = std::min(u1, u);
    }
    if (u0 > u1) return false;
    int nx0 = *x0 + static_cast<int>(std::lround(u0 * dx)), ny0 = *y0 + static_cast<int>(std::lround(u0 * dy));
    int nx1 = *x0 + static_cast<int>(std::lround(u1 * dx)), ny1 = *y0 + static_cast<int>(std::lround(u1 * dy));
    *x0 = nx0;
    *y0 = ny0;
    *x1 = nx1;
    *y1 = ny1;
    return true;
  }
};

HBRUSH brushFor(HBRUSH brush) {
  // A small value stands for a system colour: index + 1.
  auto value = reinterpret_cast<uintptr_t>(brush);
  if (value > 0 && value <= COLOR_STATICTEXT + 1) return GetSysColorBrush(static_cast<int>(value - 1));
  return brush;
}

void fillWith(Dc& dc, const RECT& deviceRect, HBRUSH brush) {
  Surface s = dc.surface();
  if (!s.valid()) return;
  fillDevice(dc, deviceRect, realisePattern(dc, find<Brush>(brush), s.bpp), 0xF0);
}

}  // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  Dc* dc = find<Dc>(hdc);
  HBRUSH b = brushFor(brush);
  if (dc == nullptr || rect == nullptr || find<Brush>(b) == nullptr) return 0;
  fillWith(*dc, toDevice(*dc, rect->left, rect->top, rect->right, rect->bottom), b);
  return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
  if (rect == nullptr) return FALSE;
  return PatBlt(hdc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, DSTINVERT);
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return FALSE;
  RECT d = toDevice(*dc, std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
  if (d.right - d.left < 1 || d.bottom - d.top < 1) return TRUE;
  PenDraw pen(*dc);
  // Without a pen the filled figure is one pixel smaller on the right and
  // bottom; with one, the outline covers left..right-1 and top..bottom-1.
  RECT inside = pen.visible ? RECT{d.left + 1, d.top + 1, d.right - 1, d.bottom - 1}
                            : RECT{d.left, d.top, d.right - 1, d.bottom - 1};
  if (!rectEmpty(inside)) fillWith(*dc, inside, dc->brush);
  int l = d.left, t = d.top, r = d.right - 1, b = d.bottom - 1;
  pen.line(l, t, r, t);
  pen.line(r, t, r, b);
  pen.line(r, b, l, b);
  pen.line(l, b, l, t);
  if (r == l && b == t) pen.plot(l, t);
  return TRUE;
}

// A rounded rectangle's rows: row i covers from(i)..to(i)-1.
struct RoundShape {
  int left, top, right, bottom, rx, ry;
  RoundShape(const RECT& r, int cw, int ch)
      : left(r.left), top(r.top), right(r.right), bottom(r.bottom),
        rx(std::clamp(cw, 0, static_cast<int>(r.right - r.left)) / 2),
        ry(std::clamp(ch, 0, static_cast<int>(r.bottom - r.top)) / 2) {}
  int inset(int i) const {
    int y = top + i;
    int dy = y < top + ry ? top + ry - y : y >= bottom - ry ? y - (bottom - ry - 1) : 0;
    if (ry == 0 || dy == 0) return 0;
    double f = 1.0 - (dy - 0.5) * (dy - 0.5) / (static_cast<double>(ry) * ry);
    return rx - static_cast<int>(std::lround(rx * std::sqrt(std::max(0.0, f))));
  }
  int from(int i) const { return left + inset(i); }
  int to(int i) const { return right - inset(i); }
};

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return FALSE;
  RECT d = toDevice(*dc, std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
  PenDraw pen(*dc);
  if (!pen.visible) {  // as with Rectangle, one pixel smaller without a pen
    --d.right;
    --d.bottom;
  }
  Surface s = dc->surface();
  if (d.right - d.left < 1 || d.bottom - d.top < 1 || !s.valid()) return TRUE;
  RoundShape shape(d, cornerWidth, cornerHeight);
  Pattern brush = realisePattern(*dc, dc->brushObject(), s.bpp);
  RECT box = pen.clip.box();
  int rows = d.bottom - d.top;
  int first = std::max(0, static_cast<int>(box.top - d.top) - 1);
  int last = std::min(rows, static_cast<int>(box.bottom - d.top) + 1);
  for (int i = first; i < last; ++i) {
    int y = d.top + i, from = shape.from(i), to = shape.to(i);
    if (!pen.visible) {
      fillDevice(*dc, pen.clip, s, RECT{from, y, to, y + 1}, brush, 0xF0);
      continue;
    }
    if (i == 0 || i == rows - 1) {
      pen.line(from, y, to, y);
      continue;
    }
    // The outline takes the pixels this row has beyond its neighbours.
    int innerFrom = std::max(from + 1, std::max(shape.from(i - 1), shape.from(i + 1)));
    int innerTo = std::min(to - 1, std::min(shape.to(i - 1), shape.to(i + 1)));
    pen.line(from, y, innerFrom, y);
    pen.line(std::max(innerTo, innerFrom), y, to, y);
    if (innerTo > innerFrom) fillDevice(*dc, pen.clip, s, RECT{innerFrom, y, innerTo, y + 1}, brush, 0xF0);
  }
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr || points == nullptr || count < 2) return FALSE;
  PenDraw pen(*dc);
  auto dev = [dc](const POINT& p) {
    return POINT{clampCoord(int64_t{p.x} + dc->origin.x), clampCoord(int64_t{p.y} + dc->origin.y)};
  };
  for (int i = 0; i + 1 < count; ++i) {
    POINT a = dev(points[i]), b = dev(points[i + 1]);
    pen.line(a.x, a.y, b.x, b.y);
  }
  return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return FALSE;
  if (previous != nullptr) *previous = dc->position;
  dc->position = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return FALSE;
  POINT line[2] = {dc->position, POINT{x, y}};
  dc->position = line[1];
  return Polyline(hdc, line, 2);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return CLR_INVALID;
  Surface s = dc->surface();
  int dx = x + dc->origin.x, dy = y + dc->origin.y;
  if (!s.valid() || !dc->clip().contains(dx, dy)) return CLR_INVALID;
  uint32_t v = toNative(color, s.bpp);
  s.set(dx, dy, v);
  return fromNative(v, s.bpp);
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return CLR_INVALID;
  Surface s = dc->surface();
  int dx = x + dc->origin.x, dy = y + dc->origin.y;
  if (!s.valid() || !dc->clip().contains(dx, dy)) return CLR_INVALID;
  return fromNative(s.get(dx, dy), s.bpp);
}

// One ring of an edge: top and left in one colour, bottom and right in the
// other, one pixel wide, inside the rectangle.
static void edgeRing(HDC hdc, const RECT& r, UINT flags, int topLeft, int bottomRight) {
  HBRUSH tl = GetSysColorBrush(topLeft), br = GetSysColorBrush(bottomRight);
  RECT side;
  if (flags & BF_BOTTOM) FillRect(hdc, &(side = RECT{r.left, r.bottom - 1, r.right, r.bottom}), br);
  if (flags & BF_RIGHT) FillRect(hdc, &(side = RECT{r.right - 1, r.top, r.right, r.bottom}), br);
  if (flags & BF_TOP) FillRect(hdc, &(side = RECT{r.left, r.top, r.right, r.top + 1}), tl);
  if (flags & BF_LEFT) FillRect(hdc, &(side = RECT{r.left, r.top, r.left + 1, r.bottom}), tl);
}

static void shrinkBy(RECT* r, UINT flags) {
  if (flags & BF_LEFT) ++r->left;
  if (flags & BF_TOP) ++r->top;
  if (flags & BF_RIGHT) --r->right;
  if (flags & BF_BOTTOM) --r->bottom;
}

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
  if (find<Dc>(hdc) == nullptr || rect == nullptr) return FALSE;
  RECT r = *rect;
  if (flags & (BF_MONO | BF_FLAT)) {
    int colour = (flags & BF_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW;
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
      edgeRing(hdc, r, flags, colour, colour);
      shrinkBy(&r, flags);
    }
  } else {
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
      bool raised = edge & BDR_RAISEDOUTER;
      edgeRing(hdc, r, flags, raised ? COLOR_3DLIGHT : COLOR_BTNSHADOW, raised ? COLOR_3DDKSHADOW : COLOR_BTNHIGHLIGHT);
      shrinkBy(&r, flags);
    }
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
      bool raised = edge & BDR_RAISEDINNER;
      edgeRing(hdc, r, flags, raised ? COLOR_BTNHIGHLIGHT : COLOR_3DDKSHADOW, raised ? COLOR_BTNSHADOW : COLOR_3DLIGHT);
      shrinkBy(&r, flags);
    }
  }
  if (flags & BF_MIDDLE) FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (flags & BF_ADJUST) *rect = r;
  return TRUE;
}
