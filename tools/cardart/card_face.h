// Card faces: the look of each front style and the drawing of one face at
// one of the two card sizes.
#pragma once

#include "canvas.h"
#include "pixel_glyphs.h"

// The two card sizes the play screen uses.
struct CardSize {
  int width;
  int height;
  bool large;
};
constexpr CardSize kLargeCard{31, 43, true};
constexpr CardSize kSmallCard{21, 29, false};

struct FrontStyle {
  Rgb face;
  Rgb border;
  Rgb suitColour[4];  // by suit
  Rgb courtPanel;     // court background, mixed with the suit colour
  Rgb gold;           // emblems and ornaments
  Rgb ink;            // emblem outlines
  bool pipLayout;     // number cards show their pips (else one large sign)
  bool innerFrame;    // a thin frame of gold inside the border
};

// Front styles 0 (classic), 1 (four colours, large signs) and 2 (gilded).
const FrontStyle& frontStyle(int style);

// The rounded card outline filled with the face colour.
void drawCardShape(Canvas& canvas, Rgb face, Rgb border);
// The shape, the style's frame and the corner index, without the body.
void drawFaceCorner(Canvas& canvas, const CardSize& size, const FrontStyle& style, const PixelGlyphs& glyphs, int suit,
                    int rank);
// A whole face; rank 1 (ace) .. 13 (king), suit 0..3.
void drawFace(Canvas& canvas, const CardSize& size, const FrontStyle& style, const PixelGlyphs& glyphs, int suit,
              int rank);
