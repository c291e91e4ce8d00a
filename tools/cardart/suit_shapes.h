// Vector shapes of the cards: the four suit signs and the court emblems,
// designed in a unit box (-1..1 across and down) and placed by centre and size.
#pragma once

#include <cairo.h>

// Suits as the game numbers them: 0 and 2 black, 1 and 3 red.
enum Suit { kSpade = 0, kHeart = 1, kClub = 2, kDiamond = 3 };

// Adds the suit's outline to the current path, centred at (cx, cy), size
// pixels high; turned rotates it by half a turn.
void suitPath(cairo_t* cr, int suit, double cx, double cy, double size, bool turned = false);

// Adds the outline of a court emblem (11 jack's shield, 12 queen's coronet,
// 13 king's crown) without its jewels.
void emblemPath(cairo_t* cr, int rank, double cx, double cy, double size);
// Adds the jewels of an emblem (circles), drawn over the emblem.
void emblemJewels(cairo_t* cr, int rank, double cx, double cy, double size);
