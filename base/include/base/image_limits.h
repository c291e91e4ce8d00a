// The largest picture the runtime makes a bitmap of, and so the largest one
// worth decoding anywhere: a side of at most 16384 pixels and at most 64 Mi
// pixels in all. Readers check a picture's size against it before they
// decode, so a huge header never costs minutes or gigabytes.
#pragma once

#include <cstdint>
#include <string>

namespace base {

constexpr int64_t kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = 64ll * 1024 * 1024;

constexpr bool imageSizeFits(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

// Empty when a picture of that size fits; else what is wrong with it, for a
// reader's error message.
inline std::string imageSizeProblem(int64_t width, int64_t height) {
  if (imageSizeFits(width, height)) return "";
  return std::to_string(width) + "x" + std::to_string(height) + " pixels is larger than the runtime takes (sides up to " +
         std::to_string(kMaxImageSide) + ", " + std::to_string(kMaxImagePixels) + " pixels in all)";
}

}  // namespace base
