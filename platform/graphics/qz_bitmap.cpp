#include "qz_bitmap.h"

#include <cstring>

#include "wince/gdi.h"
#include "wince/window.h"

namespace {

enum { kSpare, kDraw, kScaling, kBorder1, kBorder2, kDcCount };

struct BitmapState {
  HWND window = nullptr;
  HDC dcs[kDcCount] = {};
  HGDIOBJ original[kDcCount] = {};
  HBITMAP selected = nullptr;  // the bitmap selected into the drawing DC
  int depth = 16;
};

BitmapState& state() {
  static BitmapState s;
  return s;
}

constexpr int kMaxSide = 4096;

}  // namespace

HBITMAP QZCreateDIB(HDC dc, int width, int height, void** bits) {
  if (bits) *bits = nullptr;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
  const int depth = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  BITMAPINFO info{};
  info.bmiHeader.biSize = 40;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(depth);
  info.bmiHeader.biCompression = BI_BITFIELDS;
  DWORD masks[3] = {};
  if (depth == 16) {
    masks[0] = 0xF800, masks[1] = 0x07E0, masks[2] = 0x001F;
  } else if (depth == 32) {
    masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  } else {
    return nullptr;
  }
  std::memcpy(info.bmiColors, masks, sizeof masks);
  void* ignored = nullptr;
  return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits ? bits : &ignored, nullptr, 0);
}

int16_t QZCreatePlaneBitmap(HBITMAP* out, int width, int height) {
  HDC dc = GetDC(state().window);
  *out = QZCreateDIB(dc, width, height, nullptr);
  if (!*out && width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide) {
    *out = CreateCompatibleBitmap(dc, width, height);
  }
  ReleaseDC(state().window, dc);
  return *out ? 0 : -2;
}

void QZDeleteBitmap(HBITMAP* slot) {
  if (!*slot) return;
  if (*slot == state().selected) QZSelectDrawBitmap(nullptr);
  DeleteObject(*slot);
  *slot = nullptr;
}

uint16_t* QZBitmapPixels(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || GetObject(bitmap, sizeof info, &info) == 0) return nullptr;
  return static_cast<uint16_t*>(info.bmBits);
}

void QZBitmapSize(HBITMAP bitmap, int* width, int* height) {
  BITMAP info{};
  const bool ok = bitmap && GetObject(bitmap, sizeof info, &info) != 0;
  *width = ok ? info.bmWidth : 0;
  *height = ok ? info.bmHeight : 0;
}

HBITMAP QZCopyBitmapToPlane(HBITMAP bitmap) {
  int width = 0, height = 0;
  QZBitmapSize(bitmap, &width, &height);
  HBITMAP copy = nullptr;
  if (QZCreatePlaneBitmap(&copy, width, height) < 0) return nullptr;
  HDC from = CreateCompatibleDC(nullptr);
  HDC to = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFrom = SelectObject(from, bitmap);
  HGDIOBJ oldTo = SelectObject(to, copy);
  BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY);
  SelectObject(from, oldFrom);
  SelectObject(to, oldTo);
  DeleteDC(from);
  DeleteDC(to);
  return copy;
}

HBITMAP QZLoadModuleBitmap(int id) { return LoadBitmap(nullptr, MAKEINTRESOURCE(id)); }

int16_t QZCreateGraphicsDCs(HWND window) {
  QZDeleteGraphicsDCs();
  BitmapState& s = state();
  s.window = window;
  HDC windowDc = GetDC(window);
  s.depth = GetDeviceCaps(windowDc, BITSPIXEL) * GetDeviceCaps(windowDc, PLANES);
  for (int i = 0; i < kDcCount; ++i) {
    s.dcs[i] = CreateCompatibleDC(windowDc);
    s.original[i] = GetCurrentObject(s.dcs[i], OBJ_BITMAP);
  }
  ReleaseDC(window, windowDc);
  return s.dcs[kDraw] ? 0 : -9;
}

void QZDeleteGraphicsDCs() {
  BitmapState& s = state();
  for (int i = 0; i < kDcCount; ++i) {
    if (!s.dcs[i]) continue;
    SelectObject(s.dcs[i], s.original[i]);
    DeleteDC(s.dcs[i]);
    s.dcs[i] = nullptr;
  }
  s.selected = nullptr;
}

HDC QZGetDrawDC() { return state().dcs[kDraw]; }
HDC QZGetSpareDC() { return state().dcs[kSpare]; }

void QZSelectDrawBitmap(HBITMAP bitmap) {
  BitmapState& s = state();
  if (!s.dcs[kDraw]) return;
  SelectObject(s.dcs[kDraw], bitmap ? static_cast<HGDIOBJ>(bitmap) : s.original[kDraw]);
  s.selected = bitmap;
}

int QZGetScreenDepth() { return state().depth; }
void QZSetScreenDepth(int bitsPerPixel) { state().depth = bitsPerPixel; }
