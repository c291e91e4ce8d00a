// The sample compression of Impulse Tracker format files (versions 2.14 and
// 2.15): blocks of a 16-bit byte count and a bit stream of deltas whose bit
// width changes along the way; the 2.15 variant stores deltas of deltas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct AuCompressedSample {
  const uint8_t* data = nullptr;  // the blocks, up to the end of the file
  size_t size = 0;
  uint32_t count = 0;  // samples to decode
  bool is16 = false;
  bool doubleDelta = false;  // the 2.15 variant
};

// Decodes `in.count` samples into `out` (signed bytes, or signed 16-bit
// little-endian pairs). False, with `out` empty, when a block is cut short by
// the end of the data or its bit stream is malformed; never reads past
// `in.data + in.size`.
bool auDecompressITSample(const AuCompressedSample& in, std::vector<uint8_t>& out);
