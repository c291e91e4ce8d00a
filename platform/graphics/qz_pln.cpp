#include "qz_pln.h"

#include <vector>

#include "qz_bitmap.h"

int16_t QZLoadPlaneFromPLNMemPtr(QZPlane* entry, bool hasMask, int transparentIndex, int encoding, int width,
                                 int height, uint32_t dataLength, const uint8_t* payload, size_t payloadSize,
                                 int paletteCount, const uint8_t* palette) {
  uint16_t* pixels = QZPlaneImageBits(entry);
  if (!pixels || entry->width != width || entry->height != height) return -1;
  QZPlnImage image{width, height, hasMask, static_cast<uint8_t>(transparentIndex), encoding, dataLength,
                   paletteCount, palette, payload, payloadSize};
  return QZDecodePlnPixels(image, pixels, entry->pitch, hasMask ? QZPlaneMaskBits(entry) : nullptr);
}

int16_t QZLoadPlaneFromPlnBytes(QZPlane* entry, const uint8_t* b, size_t size) {
  QZPlnImage pln{};
  if (!QZReadPlnHeader(b, size, &pln)) return -1;
  const int width = pln.width, height = pln.height;
  const bool hasMask = pln.hasMask;

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
                   static_cast<uint8_t>(hasMask ? pln.transparentIndex : 0), image, mask};
  if (QZGetScreenDepth() != 16) return -18;
  const int16_t r = QZLoadPlaneFromPLNMemPtr(entry, hasMask, entry->transparentIndex, pln.encoding, width, height,
                                             pln.dataLength, pln.payload, pln.payloadSize, pln.paletteCount,
                                             pln.palette);
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
