// Card backs from recipes: a pattern drawn in two colours inside a light
// margin, and the half-turned frame of the turn-over animation.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

struct BackRecipe {
  std::string pattern;  // lattice, checks, dots, stripes, waves, diamonds, scales, rosette, tartan, rays
  Rgb ground;
  Rgb motif;
};

// "back PATTERN RRGGBB RRGGBB" lines, '#' comments; false with "line N: reason".
bool parseBackRecipes(const std::string& text, std::vector<BackRecipe>& out, std::string& error);
bool knownPattern(const std::string& pattern);

void drawBack(Canvas& canvas, const BackRecipe& recipe);
// The back turned half way: squeezed to about half its width.
void drawHalfTurnedBack(Canvas& canvas, const BackRecipe& recipe);
// The picture of the random choice: four grounds and a question mark.
void drawRandomBack(Canvas& canvas, const std::vector<BackRecipe>& recipes);
