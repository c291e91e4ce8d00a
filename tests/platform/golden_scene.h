// The pictures the golden tests draw: card and disc blobs, and a program's
// first screen made of a PLN background, a row of cards and system-font text.
#pragma once

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "imgpack_blob.h"
#include "imgpack_pln.h"
#include "qz_blob.h"
#include "qz_colour.h"
#include "qz_font.h"
#include "qz_plane.h"
#include "qz_screen.h"

namespace golden {

constexpr uint16_t rgb(int r, int g, int b) { return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)); }

// A 14 x 18 card: rounded transparent corners, a red top-left mark and a
// blue diagonal, so that flips and clipping show.
inline imgpack::BlobImage card(int16_t id) {
  imgpack::BlobImage b;
  b.id = id;
  b.width = 14;
  b.height = 18;
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 14; ++x) {
      const bool corner = (x == 0 || x == 13) && (y == 0 || y == 17);
      uint16_t c = rgb(240, 240, 230);
      if (x == 0 || x == 13 || y == 0 || y == 17) c = rgb(40, 40, 40);
      if (x >= 2 && x <= 4 && y >= 2 && y <= 5) c = rgb(220, 20, 20);
      if (x > 1 && x < 12 && y > 6 && std::abs((y - 7) - (x - 2)) < 1) c = rgb(20, 40, 220);
      b.pixels.push_back(c);
      b.opaque.push_back(corner ? 0 : 1);
    }
  }
  return b;
}

// A round blob with a soft colour ramp, for levels and additive drawing.
inline imgpack::BlobImage disc(int16_t id) {
  imgpack::BlobImage b;
  b.id = id;
  b.width = b.height = 16;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const double d = std::hypot(x - 7.5, y - 7.5);
      b.pixels.push_back(rgb(255 - x * 12, 80 + y * 10, 120));
      b.opaque.push_back(d < 7.6 ? 1 : 0);
    }
  }
  return b;
}

using Resources = std::map<std::pair<uint32_t, int>, std::vector<uint8_t>>;

// The resources of the program screen: PLN 1 (the felt) and blob set 1.
inline Resources programResources() {
  Resources r;
  imgpack::Image felt;
  felt.width = 240;
  felt.height = 320;
  for (int y = 0; y < 320; ++y) {
    for (int x = 0; x < 240; ++x) felt.pixels.push_back(((x / 4 + y / 4) % 2) ? rgb(20, 100, 50) : rgb(24, 110, 56));
  }
  std::string error;
  imgpack::buildPlnPalette(felt, &r[{QZFourCC('a', 'P', 'L', 'N'), 1}], &error);
  imgpack::buildBlobSet({card(100), disc(101)}, imgpack::BlobStorage::PalettePacked,
                        &r[{QZFourCC('a', 'B', 'S', 'T'), 1}], &error);
  return r;
}

// Draws the program screen into the back buffer (graphics started, screen
// mode 240 x 320 set, resources readable).
inline bool drawProgramScreen() {
  if (QZCreateScreenPlane(240, 320) != 0 || QZLoadPlane(1) != 0 || QZLoadBlobSet(1, 0) != 0 || QZStartFont() != 0)
    return false;
  QZDrawPlane(1);
  for (int i = 0; i < 7; ++i) QZDrawBlob(100, 12 + i * 31, 40 + i * 6, i % 2 ? kQZBlobFlipVertical : 0, 256);
  QZDrawBlob(101, 112, 200, kQZBlobAdditive, 256);
  QZSetFont(1);
  QZDrawText(u"Solitaire", 120, 10, 1, QZRGBToIndex(255, 255, 255));
  QZRestoreFont();
  QZSetFont(0);
  QZDrawText(u"Deal 42", 8, 290, 0, QZRGBToIndex(255, 255, 0));
  QZDrawText(u"0:00", 232, 290, 2, QZRGBToIndex(255, 255, 255));
  QZRestoreFont();
  QZDrawLine(8, 286, 232, 286, rgb(255, 255, 255));
  return true;
}

}  // namespace golden
