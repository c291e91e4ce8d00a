// Encoder of the three-stream LZ format (operations, offsets, literals).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imgpack {

// Packs bytes into one LZ stream with its 28-byte header.
std::vector<uint8_t> encodeLZ(const uint8_t* data, size_t size);

}  // namespace imgpack
