// The pictures of the load screen and the title: the progress bar (236) and
// its frame (239), the name plate shown while loading (238) and the title
// header (1229): a fan of four aces under the program's name.
#pragma once

#include "art_plan.h"
#include "pixel_glyphs.h"

// Adds blob sets 5 (236), 7 (238), 6 (239) and 98 (1229) to the plan.
bool drawScreenPictures(const PixelGlyphs& glyphs, ArtPlan& plan);
