// Builder of 'aBST' blob sets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace imgpack {

struct BlobImage {
  int16_t id = 0;
  int width = 0;
  int height = 0;
  std::vector<uint16_t> pixels;  // RGB565, row by row
  std::vector<uint8_t> opaque;   // one flag per pixel; empty = every pixel opaque
};

enum class BlobStorage {
  Palette,        // 8-bit indices through a palette, stored as they are
  PalettePacked,  // 8-bit indices, LZ-packed
  Direct,         // RGB565 pixels, always LZ-packed
};

// The run-length mask of a blob: alternating transparent and opaque runs,
// starting transparent, carried across rows; runs over 255 split as 255, 0, rest.
std::vector<uint8_t> maskRuns(const BlobImage& blob);

// Builds the set; false with a message when it cannot be expressed (more than
// 256 colours for a palette set, a blob's data over 65535 bytes).
bool buildBlobSet(const std::vector<BlobImage>& blobs, BlobStorage storage, std::vector<uint8_t>* out,
                  std::string* error);

}  // namespace imgpack
