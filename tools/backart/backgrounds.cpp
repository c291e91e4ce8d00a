#include "backgrounds.h"

#include <algorithm>
#include <cmath>

#include "suit_shapes.h"
#include "texture_noise.h"

namespace {

uint8_t clampByte(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

Rgb shade(Rgb base, double delta) {
  return {clampByte(base.r + delta), clampByte(base.g + delta), clampByte(base.b + delta)};
}

// Felt: a fine grain over a slow cloud.
void felt(Canvas& c, Rgb base, uint32_t seed) {
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      const double cloud = fractalNoise(x / 60.0, y / 60.0, 3, seed) - 0.5;
      const double grain = latticeValue(x, y, seed + 7) - 0.5;
      c.setPixel(x, y, shade(base, cloud * 22 + grain * 12));
    }
  }
}

// Wood: planks across the screen with their own tone, grain lines bent by
// noise, and dark seams.
void wood(Canvas& c) {
  const Rgb base{150, 98, 56};
  const int plank = 40;
  for (int y = 0; y < c.height(); ++y) {
    const int row = y / plank;
    const double tone = (latticeValue(row, 0, 31) - 0.5) * 30;
    for (int x = 0; x < c.width(); ++x) {
      const int shifted = x + row * 97;
      const double bend = fractalNoise(shifted / 90.0, y / 12.0, 3, 32 + static_cast<uint32_t>(row)) * 7;
      const double grain = std::sin(y * 0.9 + bend) * 0.5 + 0.5;
      const double fine = latticeValue(x, y, 33) - 0.5;
      double delta = tone - grain * 26 + fine * 8;
      if (y % plank == 0) delta -= 60;
      if (y % plank == 1) delta += 14;
      if ((shifted % 211) == 0) delta -= 45;  // a butt joint now and then
      c.setPixel(x, y, shade(base, delta));
    }
  }
}

// Linen: light cloth with uneven threads both ways.
void linen(Canvas& c) {
  const Rgb base{214, 204, 184};
  for (int y = 0; y < c.height(); ++y) {
    const double weft = (latticeValue(0, y, 41) - 0.5) * 16;
    for (int x = 0; x < c.width(); ++x) {
      const double warp = (latticeValue(x, 0, 42) - 0.5) * 16;
      const double weave = ((x + y) % 2) ? 4 : -4;
      const double slub = (fractalNoise(x / 30.0, y / 3.0, 2, 43) - 0.5) * 14;
      c.setPixel(x, y, shade(base, weft + warp + weave + slub));
    }
  }
}

// Stone: pale marble with soft dark veins.
void stone(Canvas& c) {
  const Rgb base{196, 198, 204};
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      const double turbulence = fractalNoise(x / 70.0, y / 70.0, 5, 51) * 9;
      const double vein = std::pow(std::fabs(std::sin(x * 0.02 + y * 0.035 + turbulence)), 0.35);
      const double cloud = (fractalNoise(x / 40.0, y / 40.0, 3, 52) - 0.5) * 20;
      c.setPixel(x, y, shade(base, (vein - 1) * 60 + cloud));
    }
  }
}

// Leather: a warm red with a fine crackle.
void leather(Canvas& c) {
  const Rgb base{128, 34, 38};
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      const double cell = smoothNoise(x / 4.0, y / 4.0, 61);
      const double crackle = cell < 0.18 ? -22 : 0;
      const double cloud = (fractalNoise(x / 50.0, y / 50.0, 3, 62) - 0.5) * 26;
      c.setPixel(x, y, shade(base, crackle + cloud + (latticeValue(x, y, 63) - 0.5) * 8));
    }
  }
}

// The trophy cabinet: dark velvet with soft vertical folds.
void velvet(Canvas& c) {
  const Rgb base{52, 30, 70};
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      const double fold = std::sin(x * 0.12 + fractalNoise(x / 30.0, y / 90.0, 2, 71) * 3) * 12;
      const double light = (1 - std::fabs(y - c.height() * 0.4) / c.height()) * 24;
      c.setPixel(x, y, shade(base, fold + light + (latticeValue(x, y, 72) - 0.5) * 6));
    }
  }
}

// The trophy cabinet: velvet behind four wooden shelves, each bent into the
// arc its thirteen trophies stand on (a shelf's top 34 + 58 k, trophies 18
// apart from x 3, 29 high, the ends 20 lower than the middle), in a frame.
void cabinet(Canvas& c) {
  velvet(c);
  static constexpr double kArc[13] = {20, 15, 10, 6, 3, 1, 0, 1, 3, 6, 10, 15, 20};
  const Rgb wood{128, 78, 40};
  for (int shelf = 0; shelf < 4; ++shelf) {
    const int top = 34 + 58 * shelf + 29;
    for (int x = 0; x < c.width(); ++x) {
      const double p = std::clamp((x - 13.5) / 18.0, 0.0, 12.0);
      const int i = std::min(static_cast<int>(p), 11);
      const int y0 = top + static_cast<int>(std::lround(kArc[i] + (kArc[i + 1] - kArc[i]) * (p - i)));
      const double grain = (fractalNoise(x / 25.0, shelf * 3.0, 2, 91) - 0.5) * 18;
      for (int d = -4; d < 0; ++d) c.setPixel(x, y0 + d, shade(c.pixel(x, y0 + d), d * 3));
      c.setPixel(x, y0, shade(wood, 50 + grain));
      for (int d = 1; d < 5; ++d) c.setPixel(x, y0 + d, shade(wood, grain - d * 6));
      for (int d = 5; d < 9; ++d) c.setPixel(x, y0 + d, shade(c.pixel(x, y0 + d), (d - 10) * 5));
    }
  }
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      const int edge = std::min({x, y, c.width() - 1 - x, c.height() - 1 - y});
      if (edge < 2) c.setPixel(x, y, shade(wood, edge == 0 ? -40 : 30));
    }
  }
}

// The title table: felt with large faint suit signs scattered over it.
void title(Canvas& c) {
  felt(c, {60, 120, 80}, 81);
  cairo_t* cr = c.cr();
  for (int i = 0; i < 14; ++i) {
    const double x = latticeValue(i, 1, 82) * c.width();
    const double y = latticeValue(i, 2, 82) * c.height();
    const double size = 30 + latticeValue(i, 3, 82) * 50;
    suitPath(cr, i % 4, x, y, size, latticeValue(i, 4, 82) > 0.5);
    c.setColour({255, 255, 255}, 0.07);
    cairo_fill(cr);
  }
}

}  // namespace

bool knownBackground(const std::string& recipe) {
  for (const char* name : {"felt", "bluefelt", "wood", "linen", "stone", "leather", "velvet", "cabinet", "title"}) {
    if (recipe == name) return true;
  }
  return false;
}

void drawBackground(Canvas& canvas, const std::string& recipe) {
  if (recipe == "felt") felt(canvas, {44, 112, 62}, 11);
  else if (recipe == "bluefelt") felt(canvas, {40, 70, 128}, 21);
  else if (recipe == "wood") wood(canvas);
  else if (recipe == "linen") linen(canvas);
  else if (recipe == "stone") stone(canvas);
  else if (recipe == "leather") leather(canvas);
  else if (recipe == "velvet") velvet(canvas);
  else if (recipe == "cabinet") cabinet(canvas);
  else if (recipe == "title") title(canvas);
}

void drawThumbnail(Canvas& thumbnail, const Canvas& picture) {
  const int bw = picture.width() / thumbnail.width(), bh = picture.height() / thumbnail.height();
  for (int y = 0; y < thumbnail.height(); ++y) {
    for (int x = 0; x < thumbnail.width(); ++x) {
      int r = 0, g = 0, b = 0;
      for (int dy = 0; dy < bh; ++dy) {
        for (int dx = 0; dx < bw; ++dx) {
          const Rgb p = picture.pixel(x * bw + dx, y * bh + dy);
          r += p.r;
          g += p.g;
          b += p.b;
        }
      }
      const int n = bw * bh;
      thumbnail.setPixel(x, y, {static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n), static_cast<uint8_t>(b / n)});
    }
  }
}
