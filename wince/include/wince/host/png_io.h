// PNG files of RGB565 or RGB888 pixels: screenshots of the device screen and
// the golden images of tests. Reading checks every size and reports a damaged
// or unsupported file through the error text, never by crashing; a picture
// larger than a bitmap may be (base/image_limits.h) is refused before it is
// decoded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wince {

// An image of 8-bit red, green, blue triples, row after row, no padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;    // width * height * 3
  std::vector<uint8_t> alpha;  // width * height when the picture has transparency, else empty

  const uint8_t* pixel(int x, int y) const { return rgb.data() + (static_cast<size_t>(y) * width + x) * 3; }
};


// Writes RGB565 pixels (strideBytes per row) as an 8-bit RGB PNG, widening
// each channel by shifting (r << 3, g << 2, b << 3). The file is written to a
// temporary name and renamed over the target. False with *error set on failure.
bool writePng565(const std::string& path, const uint16_t* pixels, int width, int height,
                 size_t strideBytes, std::string* error = nullptr);
// Writes 8-bit RGB triples (strideBytes per row).
bool writePngRgb(const std::string& path, const uint8_t* rgb, int width, int height,
                 size_t strideBytes, std::string* error = nullptr);

// Reads any PNG (grey, palette, RGB, with or without alpha, 8 or 16 bits per
// channel; alpha is dropped, 16-bit channels keep their high byte).
bool readPng(const std::string& path, RgbImage* out, std::string* error = nullptr);
bool readPngMemory(const uint8_t* data, size_t size, RgbImage* out, std::string* error = nullptr);

// Converts to RGB565 by truncating each channel, and back by widening.
std::vector<uint16_t> toRgb565(const RgbImage& image);
RgbImage fromRgb565(const uint16_t* pixels, int width, int height, size_t strideBytes);

// For golden-image tests: empty when both images have one size and every
// channel differs by at most tolerance; else the first difference and the
// number of pixels that differ.
std::string describeDifference(const RgbImage& expected, const RgbImage& actual, int tolerance = 0);

}  // namespace wince
