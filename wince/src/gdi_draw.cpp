// Shapes and pixels: rectangles, lines with the current pen, fills, edges.
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
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  if (right - left < 1 || bottom - top < 1) return TRUE;
  PenDraw pen(*dc);
  // Without a pen the filled figure is one pixel smaller on the right and
  // bottom; with one, the outline covers left..right-1 and top..bottom-1.
  RECT inside = pen.visible ? RECT{left + 1, top + 1, right - 1, bottom - 1} : RECT{left, top, right - 1, bottom - 1};
  if (!rectEmpty(inside)) fillWith(*dc, toDevice(*dc, inside.left, inside.top, inside.right, inside.bottom), dc->brush);
  int l = left + dc->origin.x, t = top + dc->origin.y;
  int r = right - 1 + dc->origin.x, b = bottom - 1 + dc->origin.y;
  pen.line(l, t, r, t);
  pen.line(r, t, r, b);
  pen.line(r, b, l, b);
  pen.line(l, b, l, t);
  if (r == l && b == t) pen.plot(l, t);
  return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr || points == nullptr || count < 2) return FALSE;
  PenDraw pen(*dc);
  for (int i = 0; i + 1 < count; ++i)
    pen.line(points[i].x + dc->origin.x, points[i].y + dc->origin.y, points[i + 1].x + dc->origin.x,
             points[i + 1].y + dc->origin.y);
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
