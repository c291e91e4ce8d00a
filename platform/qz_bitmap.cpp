// Plane bitmaps kept by this layer until the runtime's DIB sections serve:
// each handle owns a zeroed pixel block of the plane's size.
#include "qz_bitmap.h"

#include <cstring>
#include <map>
#include <memory>

namespace {

struct Bitmap {
  int width;
  int height;
  std::unique_ptr<uint16_t[]> pixels;
};

struct BitmapStore {
  std::map<HBITMAP, Bitmap> bitmaps;
  uintptr_t nextHandle = 0x1000;
  int depth = 16;
};

BitmapStore& store() {
  static BitmapStore s;
  return s;
}

constexpr int kMaxSide = 8192;

const Bitmap* find(HBITMAP bitmap) {
  const auto it = store().bitmaps.find(bitmap);
  return it == store().bitmaps.end() ? nullptr : &it->second;
}

}  // namespace

HBITMAP QZCreateDIB(HDC, int width, int height, void** bits) {
  if (bits) *bits = nullptr;
  if (store().depth != 16 || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
  const size_t pitch = (static_cast<size_t>(width) * 16 + 15) / 16;
  std::unique_ptr<uint16_t[]> pixels(new (std::nothrow) uint16_t[pitch * height]());
  if (!pixels) return nullptr;
  auto handle = reinterpret_cast<HBITMAP>(store().nextHandle);
  store().nextHandle += 16;
  if (bits) *bits = pixels.get();
  store().bitmaps.emplace(handle, Bitmap{width, height, std::move(pixels)});
  return handle;
}

int16_t QZCreatePlaneBitmap(HBITMAP* out, int width, int height) {
  *out = QZCreateDIB(nullptr, width, height, nullptr);
  return *out ? 0 : -2;
}

void QZDeleteBitmap(HBITMAP* slot) {
  if (*slot) store().bitmaps.erase(*slot);
  *slot = nullptr;
}

uint16_t* QZBitmapPixels(HBITMAP bitmap) {
  const Bitmap* b = find(bitmap);
  return b ? b->pixels.get() : nullptr;
}

void QZBitmapSize(HBITMAP bitmap, int* width, int* height) {
  const Bitmap* b = find(bitmap);
  *width = b ? b->width : 0;
  *height = b ? b->height : 0;
}

HBITMAP QZCopyBitmapToPlane(HBITMAP bitmap) {
  const Bitmap* b = find(bitmap);
  if (!b) return nullptr;
  void* bits = nullptr;
  HBITMAP copy = QZCreateDIB(nullptr, b->width, b->height, &bits);
  if (copy) std::memcpy(bits, b->pixels.get(), static_cast<size_t>(b->width) * b->height * 2);
  return copy;
}

HBITMAP QZLoadModuleBitmap(int) { return nullptr; }
void QZDeleteModuleBitmap(HBITMAP bitmap) { QZDeleteBitmap(&bitmap); }
void QZSelectDrawBitmap(HBITMAP) {}

int QZGetScreenDepth() { return store().depth; }
void QZSetScreenDepth(int bitsPerPixel) { store().depth = bitsPerPixel; }
