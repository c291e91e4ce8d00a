// Reads any bytes as a saved game clock; what reads without error must write
// back as the same time with a clean running flag.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app_object_timer.h"
#include "app_serialise_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> input(data, data + std::min<size_t>(size, 0xFFFF));
  CObjectTimer clock(nullptr, nullptr);
  SerialiseStream in;
  in.mode = SERIALISE_READ_MEMORY;
  in.data = input.data();
  in.limit = static_cast<uint16_t>(input.size());
  const int16_t status = clock.serialise(in);
  if (status != 0) {
    if (input.size() >= 5) __builtin_trap();
    return 0;
  }
  uint8_t out[5] = {};
  SerialiseStream back;
  back.mode = SERIALISE_WRITE_MEMORY;
  back.data = out;
  back.limit = sizeof out;
  if (clock.serialise(back) != 0) __builtin_trap();
  if (out[0] != (input[0] ? 1 : 0) || std::memcmp(out + 1, input.data() + 1, 4) != 0) __builtin_trap();
  return 0;
}
