// The title dial's pictures (blob set 13): for each of the twelve games a
// miniature of its opening layout on a felt tile, large (front, 66 x 66) and
// small (side, 34 x 34), each followed by its pressed look; the side tile's
// shadow (1230) and the dial's back and forward arrows (708, 710, each
// followed by its pressed look); the panel under the new-game grid (761,
// 208 x 136: the grid's width in layout value 38, and its three rows).
#pragma once

#include "art_plan.h"

bool drawDialPictures(ArtPlan& plan);
