// png_same ACTUAL EXPECTED: exit 0 when the two PNG files hold the same
// pixels (size and every RGB value), 1 with the first difference otherwise.
#include <cstdio>
#include <cstring>
#include <string>

#include "wince/host/png_io.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: png_same ACTUAL EXPECTED\n");
    return 2;
  }
  wince::RgbImage a;
  wince::RgbImage b;
  std::string error;
  if (!wince::readPng(argv[1], &a, &error) || !wince::readPng(argv[2], &b, &error)) {
    std::fprintf(stderr, "png_same: %s\n", error.c_str());
    return 1;
  }
  if (a.width != b.width || a.height != b.height) {
    std::fprintf(stderr, "png_same: %dx%d against %dx%d\n", a.width, a.height, b.width, b.height);
    return 1;
  }
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (std::memcmp(a.pixel(x, y), b.pixel(x, y), 3) != 0) {
        std::fprintf(stderr, "png_same: first difference at %d,%d\n", x, y);
        return 1;
      }
    }
  }
  return 0;
}
