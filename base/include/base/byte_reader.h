// ByteReader: reads values from a block of bytes it does not own, checking
// every access against the block's end. The first access that does not fit
// marks the reader failed; from then on every read gives 0 (or nothing) and
// the position stays where the failure happened, so a parser may read a whole
// record and check ok() once at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

#include "base/byte_order.h"

namespace base {

class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(data != nullptr ? size : 0) {}
  explicit ByteReader(std::span<const uint8_t> bytes) : ByteReader(bytes.data(), bytes.size()) {}

  bool ok() const { return !m_failed; }
  bool failed() const { return m_failed; }
  // Marks the input bad, for a check the caller makes on what it read.
  void fail() { m_failed = true; }

  const uint8_t* data() const { return m_data; }
  size_t size() const { return m_size; }
  size_t position() const { return m_pos; }
  size_t remaining() const { return m_size - m_pos; }
  // True while the reader is good and n more bytes lie ahead.
  bool has(size_t n) const { return ok() && n <= remaining(); }

  // Moves to an absolute position (at most the size).
  bool seek(size_t position) {
    if (!ok() || position > m_size) return failAccess();
    m_pos = position;
    return true;
  }
  bool skip(size_t n) {
    if (!has(n)) return failAccess();
    m_pos += n;
    return true;
  }

  uint8_t readU8() {
    const uint8_t* p = take(1);
    return p != nullptr ? *p : 0;
  }
  uint16_t readBE16() {
    const uint8_t* p = take(2);
    return p != nullptr ? loadBE16(p) : 0;
  }
  uint32_t readBE32() {
    const uint8_t* p = take(4);
    return p != nullptr ? loadBE32(p) : 0;
  }
  uint16_t readLE16() {
    const uint8_t* p = take(2);
    return p != nullptr ? loadLE16(p) : 0;
  }
  uint32_t readLE32() {
    const uint8_t* p = take(4);
    return p != nullptr ? loadLE32(p) : 0;
  }

  // Reads a field of 1, 2 or 4 bytes (an integer or enumeration of that
  // width) into value, which is left alone on failure; gives ok().
  template <class T>
  bool readBE(T& value) {
    return readField(value, true);
  }
  template <class T>
  bool readLE(T& value) {
    return readField(value, false);
  }

  // Copies n bytes to out.
  bool readBytes(uint8_t* out, size_t n) {
    const uint8_t* p = take(n);
    if (p == nullptr) return false;
    if (n != 0) std::memcpy(out, p, n);
    return true;
  }
  // The next n bytes in place (empty on failure), moving past them.
  std::span<const uint8_t> viewBytes(size_t n) {
    const uint8_t* p = take(n);
    return p != nullptr ? std::span<const uint8_t>(p, n) : std::span<const uint8_t>();
  }
  // Everything from the position to the end, without moving.
  std::span<const uint8_t> rest() const {
    return ok() ? std::span<const uint8_t>(m_data + m_pos, remaining()) : std::span<const uint8_t>();
  }
  // A reader of the next n bytes alone, moving this one past them.
  ByteReader subReader(size_t n) {
    const std::span<const uint8_t> bytes = viewBytes(n);
    ByteReader sub(bytes);
    if (failed()) sub.fail();
    return sub;
  }

 private:
  bool failAccess() {
    m_failed = true;
    return false;
  }

  const uint8_t* take(size_t n) {
    if (!has(n)) {
      failAccess();
      return nullptr;
    }
    const uint8_t* p = m_data + m_pos;
    m_pos += n;
    return p;
  }

  template <class T>
  bool readField(T& value, bool bigEndian) {
    static_assert(std::is_integral_v<T> || std::is_enum_v<T>, "fields are integers");
    static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4, "fields are 1, 2 or 4 bytes wide");
    const uint8_t* p = take(sizeof(T));
    if (p == nullptr) return false;
    uint32_t raw = *p;
    if constexpr (sizeof(T) == 2) raw = bigEndian ? loadBE16(p) : loadLE16(p);
    if constexpr (sizeof(T) == 4) raw = bigEndian ? loadBE32(p) : loadLE32(p);
    value = static_cast<T>(raw);
    return true;
  }

  const uint8_t* m_data = nullptr;
  size_t m_size = 0;
  size_t m_pos = 0;
  bool m_failed = false;
};

}  // namespace base
