// PLN images: any bytes decode into an image or are refused, never reading
// or writing outside the bytes and the image's buffers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "qz_pln_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QZPlnImage image{};
  if (!QZReadPlnHeader(data, size, &image)) return 0;
  const size_t count = static_cast<size_t>(image.width) * image.height;
  if (count > (size_t{1} << 22)) return 0;  // larger than any plane
  std::vector<uint16_t> pixels(count), mask(count);
  QZDecodePlnPixels(image, pixels.data(), image.width, mask.data());
  return 0;
}
