#include <cstddef>
#include <cstdint>

#include "qz_sample.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QZPlayableRecord r;
  if (r.initRecord(data, static_cast<uint32_t>(size), kQZSamplePCM) == 0) {
    // Every PCM byte lies inside the image.
    unsigned sum = 0;
    for (uint32_t i = 0; i < r.sampleLength; ++i) sum += r.samples[i];
    (void)sum;
  }
  return 0;
}
