#include "qz_pln_decode.h"

#include <algorithm>

#include "base/byte_order.h"
#include "base/byte_reader.h"
#include "qz_dct.h"
#include "qz_lz.h"

namespace {

bool expandPalette(const QZPlnImage& image, uint16_t* pixels, uint16_t* mask) {
  const size_t count = static_cast<size_t>(image.width) * image.height;
  if (image.hasMask && !mask) return false;
  if (!image.hasMask) mask = nullptr;
  auto* indices = reinterpret_cast<uint8_t*>(pixels);
  if (QZLZ::decompress(image.payload, image.payloadSize, indices, count * 2) != static_cast<int32_t>(count)) {
    return false;
  }
  uint16_t palette[256] = {};
  for (int i = 0; i < image.paletteCount; ++i) palette[i] = base::loadLE16(image.palette + 2 * i);
  // Backwards, so that each index byte is read before its pixel overwrites it.
  for (size_t k = count; k-- > 0;) {
    const uint8_t index = indices[k];
    const bool clear = mask && index == image.transparentIndex;
    pixels[k] = clear ? 0 : palette[index];
    if (mask) mask[k] = clear ? 0xFFFF : 0;
  }
  return true;
}

// Whether the payload can describe the image, so that a few bytes never make
// a caller allocate megabytes. Palette indices: the LZ stream announces one
// per pixel. DCT data: a header the decoder takes (it wants data for every
// MCU) with the image's own size. Raw pixels copy what is there.
bool payloadDescribes(const QZPlnImage& image) {
  const size_t count = static_cast<size_t>(image.width) * image.height;
  if (image.encoding == kQZPlnEncodingPalette) {
    return QZLZ::outputLength(image.payload, image.payloadSize) == static_cast<int32_t>(count);
  }
  if (image.encoding != kQZPlnEncodingDct) return true;
  QZDctDecoder decoder;
  return image.dataLength <= image.payloadSize && decoder.readHeader(image.payload, image.dataLength) >= 0 &&
         decoder.width() == image.width && decoder.height() == image.height;
}

}  // namespace

bool QZReadPlnHeader(const uint8_t* b, size_t size, QZPlnImage* image) {
  if (!b || size < kQZPlnHeaderSize) return false;
  base::ByteReader header(b, kQZPlnHeaderSize);
  const size_t headerLength = header.readBE16();
  header.skip(4);
  QZPlnImage& i = *image;
  i.dataLength = header.readBE32();
  i.width = static_cast<int16_t>(header.readBE16());
  i.height = static_cast<int16_t>(header.readBE16());
  const uint8_t flags = header.readU8();
  i.transparentIndex = header.readU8();
  const uint8_t paletteByte = header.readU8();
  i.hasMask = flags & 1;
  i.encoding = flags & 0x0E;
  i.paletteCount = paletteByte ? paletteByte : 256;
  if (headerLength < kQZPlnHeaderSize || headerLength > size || i.width <= 0 || i.height <= 0) return false;
  base::ByteReader body(b + headerLength, size - headerLength);
  i.palette = nullptr;
  if (i.encoding == kQZPlnEncodingPalette) {
    i.palette = body.viewBytes(static_cast<size_t>(i.paletteCount) * 2).data();
    if (body.failed()) return false;
  }
  i.payload = body.rest().data();
  i.payloadSize = body.remaining();
  return payloadDescribes(i);
}

int16_t QZDecodePlnPixels(const QZPlnImage& image, uint16_t* pixels, int pitch, uint16_t* mask) {
  if (!pixels) return -1;
  if (image.encoding == kQZPlnEncodingPalette) return expandPalette(image, pixels, mask) ? 0 : -1;
  if (image.encoding == kQZPlnEncodingDct) {
    if (image.dataLength > image.payloadSize) return -1;
    QZDctDecoder decoder;
    if (decoder.readHeader(image.payload, image.dataLength) < 0 || decoder.width() != image.width ||
        decoder.height() != image.height) {
      return -1;
    }
    decoder.decode(pixels, pitch);
    return 0;
  }
  const size_t count = static_cast<size_t>(image.width) * image.height;
  const size_t bytes = std::min<size_t>({image.dataLength, count * 2, image.payloadSize});
  for (size_t k = 0; k < bytes / 2; ++k) pixels[k] = base::loadLE16(image.payload + 2 * k);
  return 0;
}
