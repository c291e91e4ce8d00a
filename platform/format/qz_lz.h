// The three-stream LZ decompressor shared by PLN images and packed blob sets.
#pragma once

#include <cstddef>
#include <cstdint>

class QZLZ {
 public:
  // Size of the fixed stream header; the operation stream starts at byte 1's value.
  static constexpr size_t kHeaderSize = 28;

  // The output length the stream's header announces, or -1 when the header is
  // short or its streams do not fit the given bytes.
  static int32_t outputLength(const uint8_t* stream, size_t size);

  // Expands the stream into output (capacity bytes). Returns the output length
  // from the header, or -1 when the stream is malformed: a read past one of the
  // three streams, a write past the capacity or the announced length, a copy
  // from bytes not yet written, or fewer bytes written than announced.
  static int32_t decompress(const uint8_t* stream, size_t size, uint8_t* output, size_t capacity);
};
