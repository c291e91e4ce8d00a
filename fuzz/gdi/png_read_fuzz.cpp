#include <cstddef>
#include <cstdint>

#include "wince/host/png_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wince::RgbImage image;
  std::string error;
  if (wince::readPngMemory(data, size, &image, &error)) (void)wince::toRgb565(image);
  return 0;
}
