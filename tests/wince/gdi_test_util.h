// A memory DC with a top-down DIB section selected, for pixel checks.
#pragma once

#include <cstdint>
#include <cstring>

#include "wince/gdi.h"

namespace gditest {

struct DibDc {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  void* bits = nullptr;
  int width = 0;
  int height = 0;
  int bpp = 16;

  DibDc(int w, int h, int bitsPerPixel = 16) : width(w), height(h), bpp(bitsPerPixel) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.bmiHeader.biCompression = bitsPerPixel == 16 || bitsPerPixel == 32 ? BI_BITFIELDS : BI_RGB;
    DWORD masks16[3] = {0xF800, 0x07E0, 0x001F}, masks32[3] = {0xFF0000, 0xFF00, 0xFF};
    std::memcpy(info.bmiColors, bitsPerPixel == 16 ? masks16 : masks32, sizeof masks16);
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
  }
  ~DibDc() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  DibDc(const DibDc&) = delete;
  DibDc& operator=(const DibDc&) = delete;

  int stride() const { return (width * bpp + 15) / 16 * 2; }
  uint16_t& at(int x, int y) { return reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(bits) + y * stride())[x]; }
  uint32_t& at32(int x, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(bits) + y * stride())[x];
  }
  void fill(uint16_t v) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) at(x, y) = v;
  }
  // Writes x + y * width into every pixel, so that a copy shows where each
  // pixel came from.
  void numberPixels() {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) at(x, y) = static_cast<uint16_t>(1 + x + y * width);
  }
};

constexpr uint16_t kWhite = 0xFFFF;
constexpr uint16_t kBlack = 0x0000;
constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kGreen = 0x07E0;
constexpr uint16_t kBlue = 0x001F;

}  // namespace gditest
