#include "qz_pln.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/byte_order.h"
#include "base/byte_reader.h"
#include "qz_bitmap.h"
#include "qz_dct.h"
#include "qz_lz.h"

namespace {

bool expandPalette(QZPlane* entry, bool hasMask, int transparentIndex, const uint8_t* stream, size_t streamSize,
                   const uint8_t* paletteBytes, int paletteCount) {
  uint16_t* pixels = QZPlaneImageBits(entry);
  uint16_t* mask = hasMask ? QZPlaneMaskBits(entry) : nullptr;
  const size_t count = static_cast<size_t>(entry->width) * entry->height;
  if (!pixels || (hasMask && !mask)) return false;
  auto* indices = reinterpret_cast<uint8_t*>(pixels);
  if (QZLZ::decompress(stream, streamSize, indices, count * 2) != static_cast<int32_t>(count)) return false;
  uint16_t palette[256] = {};
  for (int i = 0; i < paletteCount; ++i) palette[i] = base::loadLE16(paletteBytes + 2 * i);
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
  if (!pixels || entry->width != width || entry->height != height) return -1;
  const size_t count = static_cast<size_t>(width) * height;
  if (encoding == kQZPlnEncodingPalette) {
    return expandPalette(entry, hasMask, transparentIndex, payload, payloadSize, palette, paletteCount) ? 0 : -1;
  }
  if (encoding == kQZPlnEncodingDct) {
    if (dataLength > payloadSize) return -1;
    QZDctDecoder decoder;
    if (decoder.readHeader(payload, dataLength) < 0 || decoder.width() != width || decoder.height() != height) return -1;
    decoder.decode(pixels, entry->pitch);
    return 0;
  }
  const size_t bytes = std::min<size_t>({dataLength, count * 2, payloadSize});
  for (size_t k = 0; k < bytes / 2; ++k) pixels[k] = base::loadLE16(payload + 2 * k);
  return 0;
}

int16_t QZLoadPlaneFromPlnBytes(QZPlane* entry, const uint8_t* b, size_t size) {
  if (!b || size < kQZPlnHeaderSize) return -1;
  base::ByteReader header(b, kQZPlnHeaderSize);
  const size_t headerLength = header.readBE16();
  header.skip(4);
  const uint32_t dataLength = header.readBE32();
  const int width = static_cast<int16_t>(header.readBE16());
  const int height = static_cast<int16_t>(header.readBE16());
  const uint8_t flags = header.readU8();
  const uint8_t transparentIndex = header.readU8();
  const uint8_t paletteByte = header.readU8();
  const bool hasMask = flags & 1;
  const int encoding = flags & 0x0E;
  const int paletteCount = paletteByte ? paletteByte : 256;
  if (headerLength < kQZPlnHeaderSize || headerLength > size || width <= 0 || height <= 0) return -1;
  const uint8_t* payload = b + headerLength;
  size_t payloadSize = size - headerLength;
  const uint8_t* palette = nullptr;
  if (encoding == kQZPlnEncodingPalette) {
    if (payloadSize < static_cast<size_t>(paletteCount) * 2) return -1;
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
                   static_cast<uint8_t>(hasMask ? transparentIndex : 0), image, mask};
  if (QZGetScreenDepth() != 16) return -18;
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
  if (QZReadGraphicsResource(QZFourCC('a', 'P', 'L', 'N'), resourceId, &bytes) < 0) return -5;
  if (bytes.empty()) return -1;
  return QZLoadPlaneFromPlnBytes(entry, bytes.data(), bytes.size());
}
