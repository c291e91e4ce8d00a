// Hand-fitted pixel designs (card indices and pips) read from their text
// source: "glyph NAME", then rows of '#' (ink) and '.' (paper), then a blank
// line. Lines starting with "# " are comments.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct PixelGlyph {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> ink;  // row by row, 1 = ink

  bool at(int x, int y) const { return ink[static_cast<size_t>(y * width + x)] != 0; }
};

using PixelGlyphs = std::map<std::string, PixelGlyph>;

// False with "line N: reason" for ragged rows, unknown characters or a design
// without rows.
bool parsePixelGlyphs(const std::string& text, PixelGlyphs& out, std::string& error);
