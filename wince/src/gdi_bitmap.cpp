// Bitmaps: DIB sections, compatible bitmaps and bitmaps from bits.
#include <cstring>
#include <memory>

#include "base/image_limits.h"
#include "gdi_object.h"

using namespace wince::gdi;

namespace {


bool masksAre(const DWORD* m, DWORD r, DWORD g, DWORD b) { return m[0] == r && m[1] == g && m[2] == b; }

}  // namespace

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
  if (bits != nullptr) *bits = nullptr;
  if (info == nullptr || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) || section != nullptr) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  int width = h.biWidth;
  int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  if (!base::imageSizeFits(width, height) || h.biPlanes != 1) return nullptr;
  DWORD masks[3] = {0, 0, 0};
  if (h.biCompression == BI_BITFIELDS) std::memcpy(masks, info->bmiColors, sizeof(masks));
  switch (h.biBitCount) {
    case 1:
    case 24:
      if (h.biCompression != BI_RGB) return nullptr;
      break;
    case 16:
      if (h.biCompression != BI_BITFIELDS || !masksAre(masks, 0xF800, 0x07E0, 0x001F)) return nullptr;
      break;
    case 32:
      if (h.biCompression == BI_BITFIELDS && !masksAre(masks, 0xFF0000, 0xFF00, 0xFF)) return nullptr;
      if (h.biCompression != BI_BITFIELDS && h.biCompression != BI_RGB) return nullptr;
      break;
    default:
      return nullptr;
  }
  auto b = std::make_unique<Bitmap>(width, height, h.biBitCount);
  b->topDown = h.biHeight < 0;
  b->dib = true;
  b->compression = h.biCompression;
  std::memcpy(b->masks, masks, sizeof(masks));
  if (bits != nullptr) *bits = b->pixels.data();
  return static_cast<HBITMAP>(addObject(std::move(b)));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  Dc* dc = find<Dc>(hdc);
  if (dc == nullptr || !base::imageSizeFits(width, height)) return nullptr;
  int bpp = 16;
  if (!dc->window) {
    Bitmap* selected = find<Bitmap>(dc->bitmap);
    bpp = selected != nullptr ? selected->bpp : 1;
  }
  return static_cast<HBITMAP>(addObject(std::make_unique<Bitmap>(width, height, bpp)));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (!base::imageSizeFits(width, height) || planes != 1) return nullptr;
  if (bitsPerPixel != 1 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) return nullptr;
  auto b = std::make_unique<Bitmap>(width, height, static_cast<int>(bitsPerPixel));
  if (bits != nullptr) std::memcpy(b->pixels.data(), bits, b->pixels.size());
  return static_cast<HBITMAP>(addObject(std::move(b)));
}
