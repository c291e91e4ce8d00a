// ByteWriter: writes values into a block of bytes, either a fixed buffer the
// caller owns (a write past its end fails) or a growing buffer of its own
// (take() hands it over). A failed write marks the writer failed; from then on
// nothing is written, so a writer may put a whole record and check ok() once.
// Seeking back and writing again overwrites, as for a count known only later.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/byte_order.h"

namespace base {

class ByteWriter {
 public:
  // A growing buffer of the writer's own.
  ByteWriter() = default;
  // The caller's fixed buffer.
  ByteWriter(uint8_t* data, size_t capacity)
      : m_fixed(data), m_capacity(data != nullptr ? capacity : 0), m_growing(false) {}
  explicit ByteWriter(std::span<uint8_t> buffer) : ByteWriter(buffer.data(), buffer.size()) {}

  bool ok() const { return !m_failed; }
  bool failed() const { return m_failed; }
  void fail() { m_failed = true; }

  size_t position() const { return m_pos; }
  // The bytes written so far: up to the furthest position reached.
  size_t size() const { return m_size; }
  // Room left after the position (a growing buffer has no set end).
  size_t remaining() const { return m_growing ? SIZE_MAX - m_pos : m_capacity - m_pos; }

  // Moves to an absolute position within what has been written, or within a
  // fixed buffer.
  bool seek(size_t position) {
    if (!ok() || position > (m_growing ? m_size : m_capacity)) return failAccess();
    m_pos = position;
    return true;
  }
  // Moves n bytes on; bytes never written before become 0 in a growing buffer
  // and stay as they are in a fixed one.
  bool skip(size_t n) { return reserve(n) != nullptr; }

  bool writeU8(uint8_t v) {
    uint8_t* p = reserve(1);
    if (p != nullptr) *p = v;
    return p != nullptr;
  }
  bool writeBE16(uint16_t v) { return put(v, storeBE16); }
  bool writeBE32(uint32_t v) { return put(v, storeBE32); }
  bool writeLE16(uint16_t v) { return put(v, storeLE16); }
  bool writeLE32(uint32_t v) { return put(v, storeLE32); }

  // Writes a field of 1, 2 or 4 bytes (an integer or enumeration of that width).
  template <class T>
  bool writeBE(T value) {
    return writeField(value, true);
  }
  template <class T>
  bool writeLE(T value) {
    return writeField(value, false);
  }

  bool writeBytes(const uint8_t* bytes, size_t n) {
    uint8_t* p = reserve(n);
    if (p == nullptr) return false;
    if (n != 0) std::memcpy(p, bytes, n);
    return true;
  }
  bool writeBytes(std::span<const uint8_t> bytes) { return writeBytes(bytes.data(), bytes.size()); }

  // What has been written so far.
  std::span<const uint8_t> written() const { return {m_growing ? m_buffer.data() : m_fixed, m_size}; }
  // Hands over a growing buffer's bytes and starts again empty.
  std::vector<uint8_t> take() {
    std::vector<uint8_t> out = std::move(m_buffer);
    m_buffer.clear();
    m_pos = 0;
    m_size = 0;
    return out;
  }

 private:
  bool failAccess() {
    m_failed = true;
    return false;
  }

  // Room for n bytes at the position, moving past them; null on failure.
  uint8_t* reserve(size_t n) {
    if (!ok() || n > remaining()) {
      failAccess();
      return nullptr;
    }
    const size_t at = m_pos;
    m_pos += n;
    if (m_pos > m_size) m_size = m_pos;
    if (!m_growing) return m_fixed + at;
    if (m_buffer.size() < m_size) m_buffer.resize(m_size);
    return m_buffer.data() + at;
  }

  template <class V>
  bool put(V v, void (*store)(uint8_t*, V)) {
    uint8_t* p = reserve(sizeof(V));
    if (p != nullptr) store(p, v);
    return p != nullptr;
  }

  template <class T>
  bool writeField(T value, bool bigEndian) {
    static_assert(std::is_integral_v<T> || std::is_enum_v<T>, "fields are integers");
    static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4, "fields are 1, 2 or 4 bytes wide");
    if constexpr (sizeof(T) == 1) return writeU8(static_cast<uint8_t>(value));
    if constexpr (sizeof(T) == 2) {
      const auto v = static_cast<uint16_t>(value);
      return bigEndian ? writeBE16(v) : writeLE16(v);
    }
    if constexpr (sizeof(T) == 4) {
      const auto v = static_cast<uint32_t>(value);
      return bigEndian ? writeBE32(v) : writeLE32(v);
    }
  }

  std::vector<uint8_t> m_buffer;
  uint8_t* m_fixed = nullptr;
  size_t m_capacity = 0;
  size_t m_pos = 0;
  size_t m_size = 0;
  bool m_growing = true;
  bool m_failed = false;
};

}  // namespace base
