// PNG files to and from RGB565 images (channels truncated to 5, 6, 5 bits;
// alpha of 128 or more is opaque).
#pragma once

#include <string>

#include "imgpack_pln.h"

namespace imgpack {

bool readPng(const std::string& path, Image* out, std::string* error);
// Writes RGB565 pixels widened to 8 bits (r << 3, g << 2, b << 3).
bool writePng(const std::string& path, const Image& image, std::string* error);

}  // namespace imgpack
