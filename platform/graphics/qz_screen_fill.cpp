#include "qz_screen_fill.h"

#include "qz_bitmap.h"
#include "qz_plane.h"
#include "wince/gdi.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

// White and black fill with the stock brushes; any other colour with a
// brush of its own, deleted afterwards.
QZStatus fill(COLORREF colour, const RECT& area) {
  HDC dc = QZGetDrawDC();
  if (!dc) return -3;
  if (colour == kWhite || colour == 0) {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(colour ? WHITE_BRUSH : BLACK_BRUSH)));
    return QZ_OK;
  }
  HBRUSH brush = CreateSolidBrush(colour);
  if (!brush) return QZ_ERR_NO_MEMORY;
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  return QZ_OK;
}

}  // namespace

HBITMAP QZLoadBitmapPlane(HBITMAP bitmap) { return bitmap ? QZCopyBitmapToPlane(bitmap) : nullptr; }

QZStatus QZFillScreen(COLORREF colour) {
  const QZPlane* plane = QZGetDrawPlane();
  if (!plane) return -3;
  return fill(colour, RECT{0, 0, plane->width, plane->height});
}

QZStatus QZFillRect(COLORREF colour, const QZRect* rect) {
  if (!rect) return QZ_ERR_GENERAL;
  return fill(colour, RECT{rect->x, rect->y, rect->x + rect->w, rect->y + rect->h});
}

void QZSetClipRect(const QZRect* rect) {
  if (rect) QZSetClipBounds(rect->x, rect->y, rect->w, rect->h);
}

void QZSetClipBounds(int x, int y, int width, int height) {
  QZSpriteClip& clip = QZGetSpriteClip();
  QZSetRect(&clip.rect, x, y, width, height);
  clip.on = true;
}

void QZClearClip() { QZGetSpriteClip().on = false; }
