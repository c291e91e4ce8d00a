// The description of the bitmap fonts: the shared character table and, per
// font, its blob set, first blob id, outline font file, pixel size, line
// height, baseline and colours.
//
//   table ABC...                      the characters in glyph order (UTF-8)
//   font SET FIRST FILE SIZE LINE BASE RRGGBB [outline RRGGBB]
//
// FILE is looked for as given, then in the font folder passed to fontart.
#pragma once

#include <string>
#include <vector>

struct FontRecipe {
  int setId = 0;
  int firstBlob = 0;
  std::string file;
  int pixelSize = 0;
  int lineHeight = 0;
  int baseline = 0;  // rows from the top of the line to the baseline
  unsigned colour = 0;
  bool outlined = false;
  unsigned outline = 0;
};

struct FontRecipes {
  std::u32string table;
  std::vector<FontRecipe> fonts;
};

// False with "line N: reason".
bool parseFontRecipes(const std::string& text, FontRecipes& out, std::string& error);
// The code points of UTF-8 text; false for a malformed sequence.
bool decodeUtf8(const std::string& text, std::u32string& out);
