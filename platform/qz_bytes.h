// Big-endian and little-endian byte access on raw buffers. Callers check that
// the bytes lie inside their buffer.
#pragma once

#include <cstdint>

inline uint16_t QZGetBE16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
inline uint32_t QZGetBE32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}
inline void QZPutBE16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}
inline void QZPutBE32(uint8_t* p, uint32_t v) {
  QZPutBE16(p, static_cast<uint16_t>(v >> 16));
  QZPutBE16(p + 2, static_cast<uint16_t>(v));
}

inline uint16_t QZGetLE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t QZGetLE32(const uint8_t* p) {
  return p[0] | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
inline void QZPutLE16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void QZPutLE32(uint8_t* p, uint32_t v) {
  QZPutLE16(p, static_cast<uint16_t>(v));
  QZPutLE16(p + 2, static_cast<uint16_t>(v >> 16));
}
