#include "qz_pln.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "qz_bitmap.h"
#include "qz_dct.h"
#include "qz_lz.h"
#include "qz_types.h"

namespace {

uint16_t be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
uint32_t be32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

bool expandPalette(QZPlane* entry, bool hasMask, int transparentIndex, const uint8_t* stream, size_t streamSize,
                   const uint8_t* paletteBytes, int paletteCount) {
  uint16_t* pixels = QZPlaneImageBits(entry);
  uint16_t* mask = hasMask ? QZPlaneMaskBits(entry) : nullptr;
  const size_t count = static_cast<size_t>(entry->width) * entry->height;
  if (!pixels || (hasMask && !mask)) return false;
  auto* indices = reinterpret_cast<uint8_t*>(pixels);
  if (QZLZ::decompress(stream, streamSize, indices, count * 2) != static_cast<int32_t>(count)) return false;
  uint16_t palette[256] = {};
  for (int i = 0; i < paletteCount; ++i) palette[i] = static_cast<uint16_t>(paletteBytes[2 * i] | (paletteBytes[2 * i + 1] << 8));
  // Backwards, so that each index byte is read before its pixel overwrites it.
  for (size_t k = count; k-- > 0;) {
    const uint8_t index = indices[k];
    const bool clear = mask && index == transparentIndex;
    pixels[k] = clear ? 0 : palette[index];
    if (mask) mask[k] = clear ? 0xFFFF : 0;
  }
  return true;
}

}  // namespace

int16_t QZLoadPlaneFromPLNMemPtr(QZPlane* entry, bool hasMask, int transparentIndex, int encoding, int width,
                                 int height, uint32_t dataLength, const uint8_t* payload, size_t payloadSize,
                                 int paletteCount, const uint8_t* palette) {
  uint16_t* pixels = QZPlaneImageBits(entry);
  if (!pixels || entry->width != width || entry->height != height) return QZ_ERR_GENERAL;
  const size_t count = static_cast<size_t>(width) * height;
  if (encoding == kQZPlnEncodingPalette) {
    return expandPalette(entry, hasMask, transparentIndex, payload, payloadSize, palette, paletteCount) ? 0 : QZ_ERR_GENERAL;
  }
  if (encoding == kQZPlnEncodingDct) {
    if (dataLength > payloadSize) return QZ_ERR_GENERAL;
    QZDctDecoder decoder;
    if (decoder.readHeader(payload, dataLength) < 0 || decoder.width() != width || decoder.height() != height) return QZ_ERR_GENERAL;
    decoder.decode(pixels, entry->pitch);
    return 0;
  }
  const size_t bytes = std::min<size_t>({dataLength, count * 2, payloadSize});
  for (size_t k = 0; k < bytes / 2; ++k) pixels[k] = static_cast<uint16_t>(payload[2 * k] | (payload[2 * k + 1] << 8));
  return 0;
}

int16_t QZLoadPlaneFromPlnBytes(QZPlane* entry, const uint8_t* b, size_t size) {
  if (!b || size < kQZPlnHeaderSize) return QZ_ERR_GENERAL;
  const size_t headerLength = be16(b);
  const uint32_t dataLength = be32(b + 6);
  const int width = static_cast<int16_t>(be16(b + 10));
  const int height = static_cast<int16_t>(be16(b + 12));
  const uint8_t flags = b[14];
  const bool hasMask = flags & 1;
  const int encoding = flags & 0x0E;
  const int paletteCount = b[16] ? b[16] : 256;
  if (headerLength < kQZPlnHeaderSize || headerLength > size || width <= 0 || height <= 0) return QZ_ERR_GENERAL;
  const uint8_t* payload = b + headerLength;
  size_t payloadSize = size - headerLength;
  const uint8_t* palette = nullptr;
  if (encoding == kQZPlnEncodingPalette) {
    if (payloadSize < static_cast<size_t>(paletteCount) * 2) return QZ_ERR_GENERAL;
    palette = payload;
    payload += paletteCount * 2;
    payloadSize -= paletteCount * 2;
  }

  HBITMAP image = nullptr, mask = nullptr;
  if (const int16_t r = QZCreatePlaneBitmap(&image, width, height); r < 0) return r;
  if (hasMask) {
    if (const int16_t r = QZCreatePlaneBitmap(&mask, width, height + 1); r < 0) {
      QZDeleteBitmap(&image);
      return r;
    }
  }
  QZDeleteBitmap(&entry->image);
  QZDeleteBitmap(&entry->mask);
  *entry = QZPlane{1, static_cast<int16_t>(width), static_cast<int16_t>(height),
                   static_cast<int16_t>((width * QZGetScreenDepth() + 15) / 16),
                   static_cast<uint8_t>(hasMask ? b[15] : 0), image, mask};
  if (QZGetScreenDepth() != 16) return QZ_ERR_NEEDS_16_BIT;
  const int16_t r = QZLoadPlaneFromPLNMemPtr(entry, hasMask, entry->transparentIndex, encoding, width, height,
                                             dataLength, payload, payloadSize, paletteCount, palette);
  if (r < 0) {
    QZDeleteBitmap(&entry->image);
    QZDeleteBitmap(&entry->mask);
    *entry = QZPlane{};
  }
  return r;
}

int16_t QZLoadPlaneFromPln(QZPlane* entry, int resourceId) {
  std::vector<uint8_t> bytes;
  if (QZReadGraphicsResource(QZFourCC('a', 'P', 'L', 'N'), resourceId, &bytes) < 0) return QZ_ERR_NO_RESOURCE;
  if (bytes.empty()) return QZ_ERR_GENERAL;
  return QZLoadPlaneFromPlnBytes(entry, bytes.data(), bytes.size());
}
