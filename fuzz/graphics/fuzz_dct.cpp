// The DCT decoder: any payload decodes inside its image.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "qz_dct.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QZDctDecoder decoder;
  if (decoder.readHeader(data, size) < 0) return 0;
  const size_t pixels = static_cast<size_t>(decoder.width()) * decoder.height();
  if (pixels > (1u << 20)) return 0;
  std::vector<uint16_t> image(pixels);
  decoder.decode(image.data(), decoder.width());
  return 0;
}
