#include "qz_lz.h"

#include <cstring>

#include "base/byte_reader.h"

namespace {

// The three streams that follow the header: operations, offsets, literals.
struct Streams {
  base::ByteReader ops;
  base::ByteReader offsets;
  base::ByteReader literals;
  uint32_t outputLength = 0;
};

bool parseHeader(const uint8_t* stream, size_t size, Streams* s) {
  if (stream == nullptr || size < 24) return false;
  base::ByteReader header(stream, size);
  header.skip(1);
  const size_t start = header.readU8();
  header.seek(8);
  const uint32_t out = header.readBE32();
  const uint32_t opLen = header.readBE32();
  const uint32_t offLen = header.readBE32();
  const uint32_t litLen = header.readBE32();
  // No operation writes more than 65535 bytes, so a longer announcement is
  // refused before anyone sizes a buffer by it.
  if (start < 24 || out > 0x7FFFFFFFu || out > 0xFFFFull * opLen) return false;
  header.seek(start);
  s->ops = header.subReader(opLen);
  s->offsets = header.subReader(offLen);
  s->literals = header.subReader(litLen);
  s->outputLength = out;
  return header.ok();
}

// One decompression's read and write positions; every step checks its bounds.
class Decoder {
 public:
  Decoder(const Streams& s, uint8_t* out, size_t limit) : s_(s), out_(out), limit_(limit) {}

  bool run() {
    while (s_.ops.remaining() > 0) {
      uint8_t f = 0;
      if (!nextOp(&f) || !step(f)) return false;
    }
    return written_ == limit_;
  }

 private:
  bool step(uint8_t f) {
    if (f == 0) return literals(1);
    if (f == 1) return literalForm();
    if (f == 2) return absoluteForm();
    uint8_t d = 0;
    if (!nextOffset(&d)) return false;
    if (d >= f) return copyBack(d, f);
    return copyBack(511u - f, d);
  }

  bool literalForm() {
    uint8_t n = 0;
    if (!nextOp(&n)) return false;
    if (n == 0) {
      uint8_t c = 0;
      if (!nextOp(&c)) return false;
      if (c < 4) return true;
      const uint8_t value = s_.literals.readU8();
      if (s_.literals.failed() || !room(c)) return false;
      std::memset(out_ + written_, value, c);
      written_ += c;
      return true;
    }
    return n < 3 || literals(n);
  }

  bool absoluteForm() {
    uint8_t n = 0;
    if (!nextOp(&n)) return false;
    size_t length = n;
    if (n < 3) {
      uint8_t hi = 0, lo = 0;
      if (!nextOp(&hi) || !nextOp(&lo)) return false;
      length = (static_cast<size_t>(hi) << 8) | lo;
    }
    uint8_t hi = 0, lo = 0;
    if (!nextOffset(&hi) || !nextOffset(&lo)) return false;
    return copyFrom((static_cast<size_t>(hi) << 8) | lo, length);
  }

  bool literals(size_t n) {
    if (!s_.literals.has(n) || !room(n)) return false;
    std::memcpy(out_ + written_, s_.literals.viewBytes(n).data(), n);
    written_ += n;
    return true;
  }

  bool copyBack(size_t distance, size_t length) {
    if (distance == 0 || distance > written_) return false;
    return copyFrom(written_ - distance, length);
  }

  // Byte by byte forwards: a source that runs into the bytes being written repeats them.
  bool copyFrom(size_t position, size_t length) {
    if (position >= written_ || !room(length)) return false;
    uint8_t* dst = out_ + written_;
    const uint8_t* src = out_ + position;
    if (position + length <= written_) {
      std::memcpy(dst, src, length);
    } else {
      for (size_t i = 0; i < length; ++i) dst[i] = src[i];
    }
    written_ += length;
    return true;
  }

  bool room(size_t n) const { return limit_ - written_ >= n; }
  bool nextOp(uint8_t* v) { return s_.ops.readLE(*v); }
  bool nextOffset(uint8_t* v) { return s_.offsets.readLE(*v); }

  Streams s_;
  uint8_t* out_;
  size_t limit_;
  size_t written_ = 0;
};

}  // namespace

int32_t QZLZ::outputLength(const uint8_t* stream, size_t size) {
  Streams s{};
  if (!parseHeader(stream, size, &s)) return -1;
  return static_cast<int32_t>(s.outputLength);
}

int32_t QZLZ::decompress(const uint8_t* stream, size_t size, uint8_t* output, size_t capacity) {
  Streams s{};
  if (!parseHeader(stream, size, &s) || s.outputLength > capacity) return -1;
  if (s.outputLength > 0 && output == nullptr) return -1;
  Decoder decoder(s, output, s.outputLength);
  if (!decoder.run()) return -1;
  return static_cast<int32_t>(s.outputLength);
}
