// Letters with a mark above them (grave, acute, circumflex, tilde, diaeresis,
// ring) are built from their base letter and a hand-fitted pixel mark: at the
// small sizes of the bitmap fonts the outline fonts' own marks blur into a
// pixel or two, so that è, é and ê look alike.
#pragma once

#include <cstdint>
#include <vector>

struct PixelMark {
  int width;
  int height;
  const char* rows;  // row by row, 'X' for ink
};

struct MarkDesign {
  PixelMark regular;
  PixelMark bold;
};

struct AccentedLetter {
  char32_t letter;
  char32_t base;  // lower-case i loses its dot: the dotless form
  const MarkDesign* mark;
};

// The recipe for a letter, or null for one drawn as the font draws it.
const AccentedLetter* accentedLetter(char32_t letter);

// Inks mark over the letter in ink (width x height, 1 = ink): centred on the
// letter's inked columns, one clear row above its top, moved down no further
// than row `top` allows. A mark wider than a narrow letter (i) widens the
// picture on the right by what it needs.
void addMark(std::vector<uint8_t>& ink, int& width, int height, const PixelMark& mark, int top);
