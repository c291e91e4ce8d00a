// png_same ACTUAL EXPECTED [X,Y,W,H ...]: exit 0 when the two PNG files hold
// the same pixels (size and every RGB value), 1 with the first difference
// otherwise. Pixels inside the given rectangles (a clock, say) are not compared.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "wince/host/png_io.h"

namespace {

struct Area {
  int x, y, w, h;
  bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

bool ignored(const std::vector<Area>& areas, int x, int y) {
  for (const Area& a : areas) {
    if (a.contains(x, y)) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Area> areas;
  bool usable = argc >= 3;
  for (int i = 3; i < argc; ++i) {
    Area a{};
    usable = usable && std::sscanf(argv[i], "%d,%d,%d,%d", &a.x, &a.y, &a.w, &a.h) == 4;
    areas.push_back(a);
  }
  if (!usable) {
    std::fprintf(stderr, "usage: png_same ACTUAL EXPECTED [X,Y,W,H ...]\n");
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
      if (!ignored(areas, x, y) && std::memcmp(a.pixel(x, y), b.pixel(x, y), 3) != 0) {
        std::fprintf(stderr, "png_same: first difference at %d,%d\n", x, y);
        return 1;
      }
    }
  }
  return 0;
}
