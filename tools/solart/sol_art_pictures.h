// Carrowin's pictures, each drawn to fill a canvas of its final size.
#pragma once

#include "canvas.h"
#include "pixel_glyphs.h"

struct SolArtStyle {
  const PixelGlyphs* pixelGlyphs = nullptr;  // used below 12 pixels of glyph height
};

// Suits as the rule sets number them (0-based): 0 and 2 black, 1 and 3 red.
Rgb SolArtSuitColour(int suit);

// Rank glyph of a card face (rank 0-12) on white, ink of the suit colour's
// kind: black for `red` false.
void SolArtRank(Canvas& c, int rank, bool red, const SolArtStyle& style);
// A suit sign centred on white.
void SolArtSuit(Canvas& c, int suit, const SolArtStyle& style);
// Empty-pile marks: the same shapes in one pale colour, hard-edged, on white
// (white is the transparent colour when they are copied).
void SolArtMarkRank(Canvas& c, int rank, const SolArtStyle& style);
void SolArtMarkSuit(Canvas& c, int suit, const SolArtStyle& style);
// Arrow 0 (the stock turns over again) and 1 (no more turns) on white.
void SolArtArrow(Canvas& c, int arrow);
// Card back design 0-3, the whole card area.
void SolArtBack(Canvas& c, int back);
// The command bar's four images side by side: undo, next move, help, menu.
void SolArtToolbar(Canvas& c, int imageSize);
void SolArtLogo(Canvas& c);
void SolArtIcon(Canvas& c);
