// The trophy deck: the third front style, whose 52 faces are also the
// pictures of the 52 trophies (the trophy cabinet shows the small faces on
// its shelves and the large ones in its panel). Each face keeps its corner
// index, so the deck plays like any other, and carries a trophy in its
// body: one shape per game on the first three groups, in bronze, silver and
// gold, and a shape and colour of its own for each of the last thirteen.
#pragma once

#include "canvas.h"
#include "card_face.h"
#include "pixel_glyphs.h"

// Trophy a (0-51) as the face of card (suit, rank).
void drawTrophyFace(Canvas& canvas, const CardSize& size, const PixelGlyphs& glyphs, int suit, int rank, int trophy);
