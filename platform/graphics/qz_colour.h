// RGB565 colour rules shared by every 16-bit drawing operation: the split
// form, the 32-step blend, the saturating add, and the colour table.
#pragma once

#include <cstdint>

// Levels: 256 and above copy; below, blend with E = level >> 3 or, with the
// additive flag, add F = level >> 4 sixteenths of the source.
constexpr int kQZOpaqueLevel = 256;
constexpr uint16_t kQZFlagAdditive = 0x4000;

constexpr uint32_t kQZSplitMask = 0x07E0F81Fu;

constexpr uint32_t QZSplit(uint16_t c) { return (static_cast<uint32_t>(c) * 0x10001u) & kQZSplitMask; }
constexpr uint16_t QZJoin(uint32_t t) { return static_cast<uint16_t>((t & 0xFFFFu) | (t >> 16)); }

// d + ((s - d) * E) >> 5 on split forms, E in 0..31 (32 copies).
constexpr uint16_t QZBlendPixel(uint16_t dest, uint32_t sourceSplit, uint32_t e) {
  const uint32_t d = QZSplit(dest);
  return QZJoin((d + (((sourceSplit - d) * e) >> 5)) & kQZSplitMask);
}

// d + F * s / 16 per channel, saturating; F in 0..16.
constexpr uint16_t QZAddPixel(uint16_t dest, uint32_t sourceSplit, uint32_t f) {
  uint32_t t = QZSplit(dest) + ((f * sourceSplit) >> 4);
  if (t & 0x20u) t |= 0x1Fu;
  if (t & 0x10000u) t |= 0xF800u;
  if (t & 0x8000000u) t |= 0x7E00000u;
  return QZJoin(t & kQZSplitMask);
}

// One entry of the 256-colour table: red, green, blue, unused.
struct QZColourEntry {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  uint8_t unused;
};

// The fixed colour table: a 6x6x6 colour cube (entries 0..215, index
// r * 36 + g * 6 + b with channel steps of 51), then 40 greys from black up.
const QZColourEntry* QZGetColourTable();
// Index of the nearest table entry by squared distance; the lowest index wins ties.
int QZRGBToIndex(int red, int green, int blue);
// Channels of an RGB565 colour widened to 8 bits (low bits zero).
void QZSplitRGB565(uint16_t colour, uint8_t* red, uint8_t* green, uint8_t* blue);
// The RGB565 colour of a colour-table entry.
uint16_t QZIndexToRGB565(int index);
// Signed offsets added to the channels widened to 8 bits, clamped to 0..255.
uint16_t QZTintRGB565(uint16_t colour, int red, int green, int blue);
// A GDI colour (0x00BBGGRR) of an RGB565 colour, each channel widened by shifting.
uint32_t QZRGB565ToColorRef(uint16_t colour);
