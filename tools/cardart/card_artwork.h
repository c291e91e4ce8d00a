// Which card picture goes to which blob id and blob set: the faces of the
// three front styles, the backs, the play screen's card extras and the
// chooser pictures.
#pragma once

#include <string>
#include <vector>

#include "art_plan.h"
#include "card_back.h"
#include "pixel_glyphs.h"

struct CardArtwork {
  PixelGlyphs glyphs;
  std::vector<BackRecipe> backs;
};

// One place of a card back: the large and the small blob set and first blob
// (the second frame follows the first).
struct BackPlace {
  int largeSet, largeBlob, smallSet, smallBlob;
};
// The 29 backs of the three chooser pages, in page order.
std::vector<BackPlace> backPlaces();

// The blob id of a face within a front set whose first blob is base: by suit
// 1, 3, 2, 0, and within a suit the king first.
int faceBlob(int base, int suit, int rank);

bool drawCardArtwork(const CardArtwork& artwork, ArtPlan& plan, std::string& error);
