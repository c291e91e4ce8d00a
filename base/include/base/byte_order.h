// Byte order: values of 16 and 32 bits loaded from and stored to raw bytes,
// big-endian (most significant byte first) or little-endian. Callers make sure
// the bytes lie inside their buffer; ByteReader and ByteWriter do that for them.
#pragma once

#include <cstdint>

namespace base {

constexpr uint16_t loadBE16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

constexpr uint32_t loadBE32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

constexpr uint16_t loadLE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

constexpr uint32_t loadLE32(const uint8_t* p) {
  return p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

constexpr void storeBE16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}

constexpr void storeBE32(uint8_t* p, uint32_t v) {
  storeBE16(p, static_cast<uint16_t>(v >> 16));
  storeBE16(p + 2, static_cast<uint16_t>(v));
}

constexpr void storeLE16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

constexpr void storeLE32(uint8_t* p, uint32_t v) {
  storeLE16(p, static_cast<uint16_t>(v));
  storeLE16(p + 2, static_cast<uint16_t>(v >> 16));
}

}  // namespace base
