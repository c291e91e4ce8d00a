// The full-screen background pictures from procedural recipes: felt, wood,
// linen, stone, leather, the trophy cabinet's velvet and the title table;
// each drawn into a canvas of the screen's size.
#pragma once

#include <string>

#include "canvas.h"

// Recipes by name: felt, bluefelt, wood, linen, stone, leather, velvet, title.
bool knownBackground(const std::string& recipe);
void drawBackground(Canvas& canvas, const std::string& recipe);
// A reduced copy (box filter) of a picture into a smaller canvas.
void drawThumbnail(Canvas& thumbnail, const Canvas& picture);
