#include "qz_colour.h"

#include <algorithm>
#include <array>

namespace {

std::array<QZColourEntry, 256> makeTable() {
  std::array<QZColourEntry, 256> table{};
  int i = 0;
  for (int r = 0; r < 6; ++r) {
    for (int g = 0; g < 6; ++g) {
      for (int b = 0; b < 6; ++b) {
        table[i++] = {static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 51), static_cast<uint8_t>(b * 51), 0};
      }
    }
  }
  for (int k = 0; i < 256; ++i, ++k) {
    const auto v = static_cast<uint8_t>((k + 1) * 255 / 41);
    table[i] = {v, v, v, 0};
  }
  return table;
}

const std::array<QZColourEntry, 256> kTable = makeTable();

}  // namespace

const QZColourEntry* QZGetColourTable() { return kTable.data(); }

int QZRGBToIndex(int red, int green, int blue) {
  int best = 0;
  int bestDistance = 0x7FFFFFFF;
  for (int i = 0; i < 256; ++i) {
    const int dr = red - kTable[i].red;
    const int dg = green - kTable[i].green;
    const int db = blue - kTable[i].blue;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

void QZSplitRGB565(uint16_t colour, uint8_t* red, uint8_t* green, uint8_t* blue) {
  *red = static_cast<uint8_t>((colour >> 8) & 0xF8);
  *green = static_cast<uint8_t>((colour >> 3) & 0xFC);
  *blue = static_cast<uint8_t>((colour << 3) & 0xFF);
}

uint16_t QZIndexToRGB565(int index) {
  const QZColourEntry& e = kTable[static_cast<uint8_t>(index)];
  return static_cast<uint16_t>(((e.red & 0xF8) << 8) | ((e.green & 0xFC) << 3) | (e.blue >> 3));
}

uint16_t QZTintRGB565(uint16_t colour, int red, int green, int blue) {
  uint8_t r = 0, g = 0, b = 0;
  QZSplitRGB565(colour, &r, &g, &b);
  const int nr = std::clamp(r + red, 0, 255), ng = std::clamp(g + green, 0, 255), nb = std::clamp(b + blue, 0, 255);
  return static_cast<uint16_t>(((nr >> 3) << 11) | ((ng >> 2) << 5) | (nb >> 3));
}

uint32_t QZRGB565ToColorRef(uint16_t colour) {
  uint8_t r = 0, g = 0, b = 0;
  QZSplitRGB565(colour, &r, &g, &b);
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}
