// Builders of PLN images: raw pixels, LZ-packed palette indices, DCT data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace imgpack {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint16_t> pixels;  // RGB565
  std::vector<uint8_t> opaque;   // one flag per pixel; empty = every pixel opaque
};

std::vector<uint8_t> buildPlnRaw(const Image& image);
// Palette indices, LZ-packed; transparent pixels get their own index. False
// with a message when the image has more colours than fit.
bool buildPlnPalette(const Image& image, std::vector<uint8_t>* out, std::string* error);
// Wraps a DCT payload ({width, height, quality} and entropy-coded data).
std::vector<uint8_t> buildPlnDct(int width, int height, const std::vector<uint8_t>& payload);

}  // namespace imgpack
