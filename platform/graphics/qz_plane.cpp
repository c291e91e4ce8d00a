#include "qz_plane.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "qz_bitmap.h"
#include "qz_blob.h"
#include "qz_pln.h"
#include "qz_resource_manager.h"
#include "qz_screen.h"
#include "qz_display.h"

namespace {

struct PlaneState {
  QZGraphicsConfig config{};
  QZResourceReader reader;
  std::unique_ptr<QZPlane[]> table;
  int length = 0;
  QZPlane screen{};
  QZPlane* draw = nullptr;
  QZSpriteClip clip{};
  int bitmapBase = 0;
};

PlaneState& state() {
  static PlaneState s;
  return s;
}

int16_t pitchFor(int width) { return static_cast<int16_t>((width * QZGetScreenDepth() + 15) / 16); }

void releasePlane(QZPlane* p) {
  if (state().draw == p) state().draw = &state().screen;
  QZDeleteBitmap(&p->image);
  QZDeleteBitmap(&p->mask);
  *p = QZPlane{};
}

int planeCount() { return state().config.planeCount > 0 ? state().config.planeCount : 32; }

void ensureTable() {
  if (!state().table) {
    state().length = planeCount();
    state().table.reset(new QZPlane[state().length]());
  }
}

}  // namespace

void QZSetGraphicsConfig(const QZGraphicsConfig& config) { state().config = config; }
const QZGraphicsConfig& QZGetGraphicsConfig() { return state().config; }
void QZSetGraphicsResourceReader(QZResourceReader reader) { state().reader = std::move(reader); }

int16_t QZReadGraphicsResource(uint32_t type, int id, std::vector<uint8_t>* out) {
  out->clear();
  if (state().reader) return state().reader(type, id, out);
  QZResourceHandle* holder = nullptr;
  const uint8_t* data = QZLockResource(holder, type, static_cast<uint16_t>(id));
  if (!data) return -5;
  out->assign(data, data + holder->size);
  QZUnlockResource(holder);
  return 0;
}

QZSpriteClip& QZGetSpriteClip() { return state().clip; }
void QZSetBitmapBase(int base) { state().bitmapBase = base; }

int16_t QZStartGraphics(HWND window) {
  QZStopGraphics();
  ensureTable();
  state().draw = &state().screen;
  state().clip = QZSpriteClip{};
  if (const int16_t r = QZCreateGraphicsDCs(window); r < 0) return r;
  if (const int16_t r = QZStartGraphicsBlob(); r < 0) return r;
  QZStartScreen(window);
  return 0;
}

void QZStopGraphics() {
  QZStopGraphicsBlob();
  QZDeleteAllPlanes();
  QZStopScreen();
  QZDeleteGraphicsDCs();
  state().table.reset();
  state().length = 0;
  state().draw = nullptr;
  QZRestoreDisplayOrientation();
}

int QZPlaneIndex(int id) {
  id &= ~0x4000;
  if (id >= 2000) id -= 2000;
  ensureTable();
  return id >= 0 && id < state().length ? id : -1;
}

QZPlane* QZGetPlane(int id, bool wantUnused) {
  const int index = QZPlaneIndex(id);
  if (index < 0) return nullptr;
  QZPlane* p = &state().table[index];
  return p->inUse || wantUnused ? p : nullptr;
}

int16_t QZCreatePlane(int id, int width, int height, bool withMask) {
  QZPlane* p = QZGetPlane(id, true);
  if (!p) return -3;
  releasePlane(p);
  if (const int16_t r = QZCreatePlaneBitmap(&p->image, width, height); r < 0) return r;
  if (withMask) {
    if (const int16_t r = QZCreatePlaneBitmap(&p->mask, width, height); r < 0) {
      QZDeleteBitmap(&p->image);
      return r;
    }
  }
  p->inUse = 1;
  p->width = static_cast<int16_t>(width);
  p->height = static_cast<int16_t>(height);
  p->pitch = pitchFor(width);
  return 0;
}

int16_t QZLoadPlane(int id) {
  QZPlane* p = QZGetPlane(id, true);
  if (!p) return -3;
  if (p->inUse) return 0;
  const int index = QZPlaneIndex(id);
  int16_t r = QZLoadPlanes(p, state().bitmapBase + index + 2000);
  if (r == -5) r = QZLoadPlaneFromPln(p, index);
  return r < 0 ? r : 0;
}

int16_t QZLoadPlanes(QZPlane* entry, int bitmapId) {
  HBITMAP loaded = QZLoadModuleBitmap(bitmapId);
  if (!loaded) return -5;
  int width = 0, height = 0;
  QZBitmapSize(loaded, &width, &height);
  HBITMAP image = QZCopyBitmapToPlane(loaded);
  QZDeleteBitmap(&loaded);
  if (!image) return -9;
  HBITMAP mask = nullptr;
  if (HBITMAP loadedMask = QZLoadModuleBitmap(bitmapId + 200)) {
    mask = QZCopyBitmapToPlane(loadedMask);
    QZDeleteBitmap(&loadedMask);
    if (!mask) {
      QZDeleteBitmap(&image);
      return -2;
    }
  }
  releasePlane(entry);
  entry->image = image;
  entry->mask = mask;
  entry->inUse = 1;
  entry->width = static_cast<int16_t>(width);
  entry->height = static_cast<int16_t>(height);
  entry->pitch = pitchFor(width);
  return 0;
}

int16_t QZLoadAllPlanes() {
  QZDeleteAllPlanes();
  for (int i = 0; i < state().length; ++i) {
    const int16_t r = QZLoadPlane(i);
    if (r < 0 && r != -5) return r;
  }
  return 0;
}

int16_t QZDeletePlane(int id) {
  QZPlane* p = QZGetPlane(id, false);
  if (!p) return -3;
  releasePlane(p);
  return 0;
}

void QZDeleteAllPlanes() {
  for (int i = 0; i < state().length; ++i) releasePlane(&state().table[i]);
}

int16_t QZPreparePlane(int, int) { return 0; }

int16_t QZSetPlaneImage(QZPlane* entry, const HBITMAP* image) {
  entry->image = image ? *image : nullptr;
  return 0;
}

int16_t QZSetPlaneMask(QZPlane* entry, const HBITMAP* mask) {
  entry->mask = mask ? *mask : nullptr;
  return 0;
}

uint16_t* QZPlaneImageBits(const QZPlane* plane) { return plane && plane->image ? QZBitmapPixels(plane->image) : nullptr; }
uint16_t* QZPlaneMaskBits(const QZPlane* plane) { return plane && plane->mask ? QZBitmapPixels(plane->mask) : nullptr; }

int16_t QZDrawToPlane(int id) { return QZDrawToPlaneEntry(QZGetPlane(id, false)); }

int16_t QZDrawToPlaneEntry(QZPlane* plane) {
  if (!plane) return -3;
  state().draw = plane;
  QZSelectDrawBitmap(plane->image);
  return 0;
}

void QZDrawToScreen() { QZDrawToPlaneEntry(&state().screen); }
QZPlane* QZGetDrawPlane() { return state().draw; }
QZPlane* QZGetScreenPlane() { return &state().screen; }

int QZClipCopy(const QZPlane* source, const QZPlane* dest, int* sx, int* sy, int* dx, int* dy, int* w, int* h) {
  if (*dx + *w < 0 || *dy + *h < 0 || *dx >= dest->width || *dy >= dest->height) return 0;
  if (*sx + *w < 0 || *sy + *h < 0 || *sx >= source->width || *sy >= source->height) return 0;
  // Cut against one plane: pos is the coordinate on that plane, other the
  // paired coordinate on the other plane.
  auto cut = [](int* pos, int* other, int* extent, int limit) {
    if (*pos < 0) {
      *other -= *pos;
      *extent += *pos;
      *pos = 0;
    }
    if (*pos + *extent >= limit) *extent = limit - *pos;
  };
  cut(dx, sx, w, dest->width);
  cut(dy, sy, h, dest->height);
  cut(sx, dx, w, source->width);
  cut(sy, dy, h, source->height);
  return *w > 0 && *h > 0 ? 1 : 0;
}

namespace {

// Trims a destination span against the sprite clip; false when nothing is left.
bool spriteClip(int* sx, int* sy, int* dx, int* dy, int* w, int* h) {
  const QZSpriteClip& c = state().clip;
  if (!c.on) return true;
  const int right = c.rect.x + c.rect.w;
  const int bottom = c.rect.y + c.rect.h;
  if (*dx > right || *dy > bottom || *dx + *w < c.rect.x || *dy + *h < c.rect.y) return false;
  if (*dx < c.rect.x) {
    *w -= c.rect.x - *dx;
    *sx += c.rect.x - *dx;
    *dx = c.rect.x;
  }
  if (*dx + *w > right) *w = right - *dx;
  if (*dy < c.rect.y) {
    *h -= c.rect.y - *dy;
    *sy += c.rect.y - *dy;
    *dy = c.rect.y;
  }
  if (*dy + *h > bottom) *h = bottom - *dy;
  return true;
}

}  // namespace

int16_t QZSpriteDraw(const QZPlane* plane, int sx, int sy, int dx, int dy, int w, int h) {
  if (!plane) return -3;
  QZPlane* dest = state().draw;
  if (!dest) return -3;
  if (!spriteClip(&sx, &sy, &dx, &dy, &w, &h)) return 0;
  if (!QZClipCopy(plane, dest, &sx, &sy, &dx, &dy, &w, &h)) return 0;
  const uint16_t* src = QZPlaneImageBits(plane);
  uint16_t* dst = QZPlaneImageBits(dest);
  if (!src || !dst) return -1;
  const uint16_t* mask = QZPlaneMaskBits(plane);
  for (int row = 0; row < h; ++row) {
    const size_t srcAt = static_cast<size_t>(sy + row) * plane->pitch + sx;
    uint16_t* d = dst + static_cast<size_t>(dy + row) * dest->pitch + dx;
    const uint16_t* s = src + srcAt;
    if (!mask) {
      std::memmove(d, s, static_cast<size_t>(w) * 2);
      continue;
    }
    const uint16_t* m = mask + srcAt;
    for (int i = 0; i < w; ++i) d[i] = static_cast<uint16_t>((s[i] & ~m[i]) | (d[i] & m[i]));
  }
  return 0;
}

int16_t QZDrawPlane(int id) {
  const QZPlane* p = QZGetPlane(id, false);
  if (!p) return -3;
  return QZSpriteDraw(p, 0, 0, 0, 0, p->width, p->height);
}

int16_t QZSpriteDrawPlane(int id, int sx, int sy, int dx, int dy, int w, int h) {
  return QZSpriteDraw(QZGetPlane(id, false), sx, sy, dx, dy, w, h);
}

int16_t QZSpriteDrawPlaneRect(int id, const QZRect* source, int dx, int dy) {
  return QZSpriteDraw(QZGetPlane(id, false), source->x, source->y, dx, dy, source->w, source->h);
}

int16_t QZSpriteDrawPlanes(int count, const int16_t* r) {
  for (int i = 0; i < count; ++i, r += 7) {
    QZSpriteDraw(QZGetPlane(r[0], false), r[1], r[2], r[5], r[6], r[3], r[4]);
  }
  return 0;
}
