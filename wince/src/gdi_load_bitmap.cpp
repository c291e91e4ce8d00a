// LoadBitmap: a bitmap resource (a device-independent bitmap without file
// header) becomes a bitmap of the display's depth. Every size and offset of
// the resource is checked; a damaged one loads as nothing.
#include <cstring>
#include <memory>

#include "base/byte_reader.h"
#include "gdi_object.h"
#include "wince/resource.h"

using namespace wince::gdi;

namespace {

constexpr int kMaxSide = 4096;

// Channel value from a mask: the masked bits scaled to 0..255.
uint32_t channel(uint32_t pixel, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  uint32_t max = mask >> shift;
  return ((pixel & mask) >> shift) * 255 / max;
}

struct Dib {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bpp = 0;
  uint32_t masks[3] = {0, 0, 0};
  const uint8_t* palette = nullptr;  // RGBQUADs
  uint32_t paletteSize = 0;
  const uint8_t* bits = nullptr;
  size_t stride = 0;
};

bool parse(const uint8_t* data, size_t size, Dib* dib) {
  base::ByteReader in(data, size);
  const uint32_t headerSize = in.readLE32();
  const int32_t w = static_cast<int32_t>(in.readLE32()), h = static_cast<int32_t>(in.readLE32());
  const uint16_t planes = in.readLE16(), bpp = in.readLE16();
  const uint32_t compression = in.readLE32();
  in.skip(12);  // image size and resolution
  const uint32_t used = in.readLE32();
  in.skip(4);  // important colours
  if (!in.ok() || headerSize < 40 || headerSize > size) return false;
  if (planes != 1 || w <= 0 || w > kMaxSide || h == 0 || h < -kMaxSide || h > kMaxSide) return false;
  dib->width = w;
  dib->height = h < 0 ? -h : h;
  dib->topDown = h < 0;
  dib->bpp = bpp;
  switch (bpp) {
    case 1:
    case 4:
    case 8: {
      if (compression != BI_RGB) return false;
      const uint32_t maxColours = 1u << bpp;
      dib->paletteSize = used == 0 ? maxColours : used;
      if (dib->paletteSize > maxColours || !in.seek(headerSize)) return false;
      dib->palette = in.viewBytes(dib->paletteSize * 4u).data();
      break;
    }
    case 16:
    case 32:
      if (compression == BI_BITFIELDS) {
        // The masks follow a 40-byte header, or end a longer one.
        if (headerSize != 40 && headerSize < 52) return false;
        for (uint32_t& mask : dib->masks) mask = in.readLE32();
        if (headerSize != 40) in.seek(headerSize);
      } else if (compression == BI_RGB) {
        uint32_t rgb555[3] = {0x7C00, 0x03E0, 0x001F}, rgb888[3] = {0xFF0000, 0xFF00, 0xFF};
        std::memcpy(dib->masks, bpp == 16 ? rgb555 : rgb888, sizeof dib->masks);
        in.seek(headerSize);
      } else {
        return false;
      }
      break;
    case 24:
      if (compression != BI_RGB) return false;
      in.seek(headerSize);
      break;
    default:
      return false;
  }
  dib->stride = (static_cast<size_t>(dib->width) * bpp + 31) / 32 * 4;
  if (!in.ok() || in.remaining() / dib->stride < static_cast<size_t>(dib->height)) return false;
  dib->bits = in.rest().data();
  return true;
}

COLORREF pixelAt(const Dib& dib, int x, int y) {
  const uint8_t* row = dib.bits + dib.stride * static_cast<size_t>(dib.topDown ? y : dib.height - 1 - y);
  uint32_t index = 0;
  switch (dib.bpp) {
    case 1:
      index = (row[x >> 3] >> (7 - (x & 7))) & 1;
      break;
    case 4:
      index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
      break;
    case 8:
      index = row[x];
      break;
    case 24:
      return RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    case 16:
    case 32: {
      uint32_t v = dib.bpp == 16 ? base::loadLE16(row + x * 2) : base::loadLE32(row + x * 4);
      return RGB(channel(v, dib.masks[0]), channel(v, dib.masks[1]), channel(v, dib.masks[2]));
    }
  }
  if (index >= dib.paletteSize) return 0;
  const uint8_t* q = dib.palette + index * 4;
  return RGB(q[2], q[1], q[0]);
}

}  // namespace

HBITMAP LoadBitmap(HINSTANCE instance, LPCWSTR name) {
  HRSRC res = FindResource(instance, name, RT_BITMAP);
  if (res == nullptr) return nullptr;
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(instance, res)));
  Dib dib;
  if (!parse(data, SizeofResource(instance, res), &dib)) return nullptr;
  auto bitmap = std::make_unique<Bitmap>(dib.width, dib.height, 16);
  Surface s = bitmap->surface();
  for (int y = 0; y < dib.height; ++y)
    for (int x = 0; x < dib.width; ++x) s.set(x, y, toNative(pixelAt(dib, x, y), 16));
  return static_cast<HBITMAP>(addObject(std::move(bitmap)));
}
