// A walk over a record's fields through the serialisation stream: each call
// hands one field to the stream's primitive until one fails; the first
// failure is kept and the rest of the walk does nothing.
#pragma once

#include <cstdint>

#include "app_serialise_stream.h"

class CAppFieldWalk {
 public:
  explicit CAppFieldWalk(SerialiseStream& stream) : stream_(stream) {}

  CAppFieldWalk& u8(uint8_t& value) {
    if (ok()) status_ = serialiseU8(stream_, &value, 1);
    return *this;
  }
  CAppFieldWalk& u8s(uint8_t* values, uint16_t count) {
    if (ok()) status_ = serialiseU8(stream_, values, count);
    return *this;
  }
  CAppFieldWalk& u16(uint16_t& value) {
    if (ok()) status_ = serialiseU16(stream_, &value, 1);
    return *this;
  }
  CAppFieldWalk& s16(int16_t& value) {
    auto bits = static_cast<uint16_t>(value);
    u16(bits);
    value = static_cast<int16_t>(bits);
    return *this;
  }
  CAppFieldWalk& u32(uint32_t& value) {
    if (ok()) status_ = serialiseU32(stream_, &value, 1);
    return *this;
  }
  // A 16-bit field that travels as 32 bits; a stored value above 0xFFFF fails the walk.
  CAppFieldWalk& u16as32(uint16_t& value) {
    uint32_t wide = value;
    u32(wide);
    if (ok() && wide > 0xFFFF) status_ = QZ_ERR_GENERAL;
    value = static_cast<uint16_t>(wide);
    return *this;
  }
  CAppFieldWalk& text(char16_t* units, uint16_t count) {
    if (ok()) status_ = serialiseU16Array(stream_, count, reinterpret_cast<uint16_t*>(units));
    return *this;
  }

  bool ok() const { return status_ >= 0; }
  QZStatus status() const { return status_; }
  bool reading() const { return stream_.mode == SERIALISE_READ_RECORD || stream_.mode == SERIALISE_READ_MEMORY; }

 private:
  SerialiseStream& stream_;
  QZStatus status_ = QZ_OK;
};
