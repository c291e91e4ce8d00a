// The blob-set format: a big-endian header, a palette, a directory of
// 12-byte records and a data area (optionally LZ-packed) of run-length masks
// and pixels (palette indices, or RGB565 stored directly). Decoding needs
// nothing but the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct QZBlobEntry {
  uint8_t active;
  int16_t width;
  int16_t height;
  uint8_t hasMask;
  uint16_t* pixels;
  uint8_t* mask;
  uint32_t pixelBytes;
  uint32_t pixelBytesEven;
  int16_t id;
};

// A decoded set: its entries, and the one block that holds their pixels and
// masks (dataSize bytes).
struct QZBlobSetData {
  std::unique_ptr<QZBlobEntry[]> entries;
  std::unique_ptr<uint16_t[]> block;
  uint32_t dataSize = 0;
  int16_t count = 0;
};

// Decodes the bytes of a set; every size, run and count is checked against
// the bytes: -1 for bad data, -9 out of memory (out is then left alone).
int16_t QZDecodeBlobSet(const uint8_t* bytes, size_t size, QZBlobSetData* out);
