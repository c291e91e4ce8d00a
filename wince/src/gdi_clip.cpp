// Region objects and the clipping of device contexts. Region coordinates are
// relative to the DC's origin (the client corner for window DCs).
#include <memory>

#include "gdi_object.h"

using namespace wince::gdi;

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  auto r = std::make_unique<RegionObject>();
  r->region = Region(RECT{std::min(left, right), std::min(top, bottom), std::max(left, right),
                          std::max(top, bottom)});
  return static_cast<HRGN>(addObject(std::move(r)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (rect == nullptr) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  RegionObject* r = find<RegionObject>(rgn);
  if (r == nullptr) return FALSE;
  r->region = Region(RECT{std::min(left, right), std::min(top, bottom), std::max(left, right),
                          std::max(top, bottom)});
  return TRUE;
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
  RegionObject* d = find<RegionObject>(dst);
  RegionObject* a = find<RegionObject>(src1);
  RegionObject* b = find<RegionObject>(src2);
  if (d == nullptr || a == nullptr || (mode != RGN_COPY && b == nullptr)) return ERROR;
  switch (mode) {
    case RGN_AND:
      d->region = a->region.intersected(b->region);
      break;
    case RGN_OR:
      d->region = a->region.united(b->region);
      break;
    case RGN_XOR:
      d->region = a->region.xored(b->region);
      break;
    case RGN_DIFF:
      d->region = a->region.subtracted(b->region);
      break;
    case RGN_COPY:
      d->region = a->region;
      break;
    default:
      return ERROR;
  }
  return d->region.complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  RegionObject* r = find<RegionObject>(rgn);
  if (r == nullptr) return ERROR;
  r->region.offset(dx, dy);
  return r->region.complexity();
}

int GetRgnBox(HRGN rgn, LPRECT rect) {
  RegionObject* r = find<RegionObject>(rgn);
  if (r == nullptr || rect == nullptr) return ERROR;
  *rect = r->region.box();
  return r->region.complexity();
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  RegionObject* r = find<RegionObject>(rgn);
  return r != nullptr && r->region.contains(x, y);
}

BOOL RectInRegion(HRGN rgn, const RECT* rect) {
  RegionObject* r = find<RegionObject>(rgn);
  return r != nullptr && rect != nullptr && r->region.overlaps(*rect);
}

BOOL EqualRgn(HRGN a, HRGN b) {
  RegionObject* ra = find<RegionObject>(a);
  RegionObject* rb = find<RegionObject>(b);
  return ra != nullptr && rb != nullptr && ra->region.sameArea(rb->region);
}

BOOL FillRgn(HDC hdc, HRGN rgn, HBRUSH brush) {
  RegionObject* r = find<RegionObject>(rgn);
  if (r == nullptr || find<Dc>(hdc) == nullptr) return FALSE;
  for (const RECT& rect : r->region.rects()) FillRect(hdc, &rect, brush);
  return TRUE;
}

static int clipResult(Dc* dc) { return dc->clip().complexity(); }

int SelectClipRgn(HDC hdc, HRGN rgn) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return ERROR;
  if (rgn == nullptr) {
    dc->userClip.reset();
    return clipResult(dc);
  }
  RegionObject* r = find<RegionObject>(rgn);
  if (r == nullptr) return ERROR;
  Region device = r->region;
  device.offset(dc->origin.x, dc->origin.y);
  dc->userClip = device;
  return clipResult(dc);
}

int GetClipRgn(HDC hdc, HRGN rgn) {
  Dc* dc = find<Dc>(hdc);
  RegionObject* r = find<RegionObject>(rgn);
  if (dc == nullptr || r == nullptr) return -1;
  if (!dc->userClip) return 0;
  r->region = *dc->userClip;
  r->region.offset(-dc->origin.x, -dc->origin.y);
  return 1;
}

static RECT deviceRect(Dc* dc, int left, int top, int right, int bottom) {
  return RECT{left + dc->origin.x, top + dc->origin.y, right + dc->origin.x, bottom + dc->origin.y};
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return ERROR;
  Region current = dc->userClip ? *dc->userClip : Region(dc->bounds());
  dc->userClip = current.intersected(deviceRect(dc, left, top, right, bottom));
  return clipResult(dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr) return ERROR;
  Region current = dc->userClip ? *dc->userClip : Region(dc->bounds());
  dc->userClip = current.subtracted(Region(deviceRect(dc, left, top, right, bottom)));
  return clipResult(dc);
}

int GetClipBox(HDC hdc, LPRECT rect) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr || rect == nullptr) return ERROR;
  Region clip = dc->clip();
  RECT box = clip.box();
  if (!clip.empty()) {
    box.left -= dc->origin.x;
    box.right -= dc->origin.x;
    box.top -= dc->origin.y;
    box.bottom -= dc->origin.y;
  }
  *rect = box;
  return clip.complexity();
}
