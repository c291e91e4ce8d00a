// PLN images: a big-endian header, then RGB565 pixels stored raw, as
// LZ-packed palette indices, or as DCT data. Decoding needs nothing but the
// bytes and the caller's pixel buffers.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kQZPlnEncodingPalette = 2;
constexpr int kQZPlnEncodingDct = 4;
constexpr size_t kQZPlnHeaderSize = 17;

// An image as its header describes it, with its payload in the bytes read.
struct QZPlnImage {
  int width;
  int height;
  bool hasMask;
  uint8_t transparentIndex;
  int encoding;
  uint32_t dataLength;
  int paletteCount;
  const uint8_t* palette;  // paletteCount little-endian RGB565 values, palette encoding only
  const uint8_t* payload;
  size_t payloadSize;
};

// Reads the header of a PLN image of size bytes; false when it is malformed
// (short, a header length outside the bytes, no size, a palette that does not
// fit, palette or DCT data that cannot describe an image of that size).
bool QZReadPlnHeader(const uint8_t* bytes, size_t size, QZPlnImage* image);
// Decodes the image's pixels into width x height RGB565 values (DCT rows
// pitch values apart, other encodings packed) and, for a palette image with
// a mask, the mask words (0xFFFF where transparent). The pixel buffer holds at
// least width x height values. -1 when the payload does not hold the image.
int16_t QZDecodePlnPixels(const QZPlnImage& image, uint16_t* pixels, int pitch, uint16_t* mask);
