// JPEG files through libjpeg: any file it reads (baseline, progressive,
// optimised tables, grey or colour) becomes RGB pixels, and RGB pixels become
// a baseline file in the DCT format's fixed form (4:2:0, the standard Huffman
// tables, the standard quantisation tables scaled by a quality, no restarts).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace imgpack {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // 3 bytes a pixel, row by row
};

// False with libjpeg's reason when the file cannot be read or is damaged
// (a file libjpeg only warns about is refused too).
bool decodeJpeg(const std::vector<uint8_t>& jpeg, RgbImage* out, std::string* error);
// False with libjpeg's reason when it cannot encode.
bool encodeStandardJpeg(const RgbImage& image, int quality, std::vector<uint8_t>* out, std::string* error);

}  // namespace imgpack
