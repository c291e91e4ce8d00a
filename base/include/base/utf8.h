// UTF-8 <-> UTF-16 for the build tools and the runtime's host side. A
// malformed sequence (or a lone surrogate) becomes U+FFFD, so every input
// converts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace base {

// One UTF-8 sequence at text[i]; advances i. False (and i unchanged) on a
// malformed, overlong or cut-short sequence.
inline bool readUtf8(std::string_view text, size_t& i, char32_t& c) {
  const auto b = static_cast<uint8_t>(text[i]);
  const size_t length = b < 0x80 ? 1 : b >= 0xF8 ? 0 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
  if (length == 0 || i + length > text.size()) return false;
  char32_t value = length == 1 ? b : b & (0xFF >> (length + 1));
  for (size_t k = 1; k < length; ++k) {
    const auto n = static_cast<uint8_t>(text[i + k]);
    if ((n & 0xC0) != 0x80) return false;
    value = (value << 6) | (n & 0x3F);
  }
  static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kLeast[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  c = value;
  i += length;
  return true;
}

inline std::u16string utf8ToUtf16(std::string_view text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    char32_t c = 0;
    if (!readUtf8(text, i, c)) {
      out += u'\uFFFD';
      ++i;
    } else if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

inline void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

inline std::string utf16ToUtf8(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    appendUtf8(out, c);
  }
  return out;
}

}  // namespace base
