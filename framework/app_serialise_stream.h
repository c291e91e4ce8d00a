// The serialisation stream: every persistent object walks its fields through
// these primitives, which count, read or write them (big-endian) in a
// database record or a memory block. No primitive touches a byte at or past
// the stream's limit; position advances by the full width of every value,
// and stops growing at 65,535 so that a walk that is too long can never wrap
// back into the block.
#pragma once

#include <cstdint>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "qz_core_database.h"
#include "qz_types.h"

enum : int32_t {
  SERIALISE_COUNT = 0,
  SERIALISE_READ_RECORD = 1,
  SERIALISE_WRITE_RECORD = 2,
  SERIALISE_READ_MEMORY = 3,
  SERIALISE_WRITE_MEMORY = 4,
};

struct SerialiseStream {
  int32_t mode = SERIALISE_COUNT;
  uint8_t* data = nullptr;
  uint16_t limit = 0;
  uint16_t position = 0;
  CQZCoreDatabase* database = nullptr;  // modes 1 and 2
};

namespace serialise_detail {

inline bool reading(const SerialiseStream* s) {
  return s->mode == SERIALISE_READ_RECORD || s->mode == SERIALISE_READ_MEMORY;
}

inline bool fits(const SerialiseStream* s, uint32_t offset, uint32_t width) {
  const bool record = s->mode == SERIALISE_READ_RECORD || s->mode == SERIALISE_WRITE_RECORD;
  const bool memory = s->mode == SERIALISE_READ_MEMORY || s->mode == SERIALISE_WRITE_MEMORY;
  return s->data != nullptr && offset + width <= s->limit && (memory || (record && s->database != nullptr));
}

inline void advance(SerialiseStream* s, uint32_t bytes) {
  const uint32_t next = s->position + bytes;
  s->position = static_cast<uint16_t>(next > 0xFFFF ? 0xFFFF : next);
}

// Moves one value of width 1, 2 or 4 at offset of a memory block.
inline QZStatus transferMemory(SerialiseStream* s, uint32_t offset, uint32_t width, uint32_t& value) {
  if (reading(s)) {
    base::ByteReader r(s->data, s->limit);
    r.seek(offset);
    if (width == 1) value = r.readU8();
    if (width == 2) value = r.readBE16();
    if (width == 4) value = r.readBE32();
    return r.ok() ? QZ_OK : QZ_ERR_OVERRUN;
  }
  base::ByteWriter w(s->data, s->limit);
  w.seek(offset);
  if (width == 1) w.writeU8(static_cast<uint8_t>(value));
  if (width == 2) w.writeBE16(static_cast<uint16_t>(value));
  if (width == 4) w.writeBE32(value);
  return w.ok() ? QZ_OK : QZ_ERR_OVERRUN;
}

// Moves one value of width 1, 2 or 4 at offset in the stream's direction.
inline QZStatus transfer(SerialiseStream* s, uint32_t offset, uint32_t width, uint32_t& value) {
  if (s->mode > SERIALISE_WRITE_RECORD) return transferMemory(s, offset, width, value);
  uint8_t* p = s->data;
  CQZCoreDatabase* db = s->database;
  if (reading(s)) {
    if (width == 1) value = db->getU8(p, offset);
    if (width == 2) value = db->getU16(p, offset);
    if (width == 4) value = db->getU32(p, offset);
    return QZ_OK;
  }
  if (width == 1) return db->putU8(p, offset, static_cast<uint8_t>(value));
  if (width == 2) return db->putU16(p, offset, static_cast<uint16_t>(value));
  return db->putU32(p, offset, value);
}

// Transfers count values of type T, each checked; stopAtOverrun ends the
// transfer at the first value that does not fit.
template <typename T>
QZStatus walk(SerialiseStream* s, T* values, uint16_t count, bool stopAtOverrun) {
  constexpr uint32_t width = sizeof(T);
  QZStatus status = QZ_OK;
  const uint32_t start = s->position;
  if (s->mode != SERIALISE_COUNT) {
    for (uint32_t i = 0; i < count; ++i) {
      const uint32_t offset = start + i * width;
      if (!fits(s, offset, width)) {
        status = QZ_ERR_OVERRUN;
        if (stopAtOverrun) break;
        continue;
      }
      uint32_t value = values[i];
      const QZStatus moved = transfer(s, offset, width, value);
      if (reading(s)) values[i] = static_cast<T>(value);
      if (status != QZ_ERR_OVERRUN) status = moved;
    }
  }
  advance(s, width * count);
  return status;
}

}  // namespace serialise_detail

// Raw bytes; stops at the first byte that does not fit.
inline QZStatus serialiseBytes(SerialiseStream& stream, uint16_t count, uint8_t* bytes) {
  return serialise_detail::walk(&stream, bytes, count, true);
}

// Single bytes; every value is checked on its own.
inline QZStatus serialiseU8(SerialiseStream& stream, uint8_t* values, uint16_t count) {
  return serialise_detail::walk(&stream, values, count, false);
}

inline QZStatus serialiseU16(SerialiseStream& stream, uint16_t* values, uint16_t count) {
  return serialise_detail::walk(&stream, values, count, false);
}

inline QZStatus serialiseU32(SerialiseStream& stream, uint32_t* values, uint16_t count) {
  return serialise_detail::walk(&stream, values, count, false);
}

// 16-bit array elements (a wide string with its terminator); stops at the
// first element that does not fit.
inline QZStatus serialiseU16Array(SerialiseStream& stream, uint16_t count, uint16_t* values) {
  return serialise_detail::walk(&stream, values, count, true);
}
