// Code page 1252 (the ANSI page) for single UTF-16 units. The five bytes the
// page leaves unassigned map to the C1 control of the same value, so every
// byte survives a round trip.
#pragma once

#include <cstdint>

namespace base {

// 0x80-0x9F of the page.
inline constexpr char16_t kCodePage1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char16_t widenCodePage1252(uint8_t byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCodePage1252High[byte - 0x80] : byte;
}

// The byte of a unit; false when the page has no byte for it.
constexpr bool narrowCodePage1252(char16_t unit, uint8_t* out) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
    *out = static_cast<uint8_t>(unit);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kCodePage1252High[i] == unit) {
      *out = static_cast<uint8_t>(0x80 + i);
      return true;
    }
  }
  return false;
}

}  // namespace base
