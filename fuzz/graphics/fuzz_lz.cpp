// The LZ decompressor: any stream gives an output length or -1.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "qz_lz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int32_t length = QZLZ::outputLength(data, size);
  if (length < 0 || length > (1 << 22)) return 0;
  std::vector<uint8_t> out(static_cast<size_t>(length));
  const int32_t result = QZLZ::decompress(data, size, out.data(), out.size());
  if (result != -1 && result != length) __builtin_trap();
  return 0;
}
