#include <cstring>

#include "gdi_object.h"

namespace wince::gdi {

uint32_t Surface::get(int x, int y) const {
  const uint8_t* p = row(y);
  switch (bpp) {
    case 1:
      return (p[x >> 3] >> (7 - (x & 7))) & 1u;
    case 16: {
      uint16_t v;
      std::memcpy(&v, p + x * 2, 2);
      return v;
    }
    case 24:
      p += x * 3;
      return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
             (static_cast<uint32_t>(p[2]) << 16);
    default: {
      uint32_t v;
      std::memcpy(&v, p + x * 4, 4);
      return v & 0xFFFFFFu;
    }
  }
}

void Surface::set(int x, int y, uint32_t value) const {
  uint8_t* p = row(y);
  switch (bpp) {
    case 1: {
      uint8_t bit = static_cast<uint8_t>(0x80u >> (x & 7));
      if (value & 1u)
        p[x >> 3] |= bit;
      else
        p[x >> 3] &= static_cast<uint8_t>(~bit);
      break;
    }
    case 16: {
      uint16_t v = static_cast<uint16_t>(value);
      std::memcpy(p + x * 2, &v, 2);
      break;
    }
    case 24:
      p += x * 3;
      p[0] = static_cast<uint8_t>(value);
      p[1] = static_cast<uint8_t>(value >> 8);
      p[2] = static_cast<uint8_t>(value >> 16);
      break;
    default: {
      uint32_t v = value & 0xFFFFFFu;
      std::memcpy(p + x * 4, &v, 4);
      break;
    }
  }
}

uint32_t toNative(COLORREF color, int bpp) {
  uint32_t r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  switch (bpp) {
    case 1:
      return r + g + b >= 384 ? 1u : 0u;  // nearer white than black
    case 16:
      return ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    default:
      return (r << 16) | (g << 8) | b;
  }
}

COLORREF fromNative(uint32_t v, int bpp) {
  switch (bpp) {
    case 1:
      return v ? RGB(255, 255, 255) : RGB(0, 0, 0);
    case 16:
      return RGB((v >> 8) & 0xF8, (v >> 3) & 0xFC, (v << 3) & 0xF8);
    default:
      return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
}

Bitmap::Bitmap(int w, int h, int bitsPerPixel)
    : Object(kKind), width(w), height(h), bpp(bitsPerPixel), stride(strideFor(w, bitsPerPixel)) {
  pixels.assign(static_cast<size_t>(stride) * static_cast<size_t>(h), 0);
}

Surface Bitmap::surface() {
  Surface s;
  s.width = width;
  s.height = height;
  s.bpp = bpp;
  if (topDown) {
    s.top = pixels.data();
    s.stride = stride;
  } else {
    s.top = pixels.data() + static_cast<ptrdiff_t>(stride) * (height - 1);
    s.stride = -static_cast<ptrdiff_t>(stride);
  }
  return s;
}

}  // namespace wince::gdi
