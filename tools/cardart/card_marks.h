// The pictures that go with the cards: the edge-on back of the turn-over,
// the shadow, the selection and highlight frames, the marks of playable
// cards, and the padlock laid over locked choices.
#pragma once

#include "canvas.h"
#include "card_face.h"

// The outward offset of the selection frames (the frame is this much larger
// than the card on every side).
constexpr int kFrameOffset = 2;

void drawEdgeOn(Canvas& canvas);     // card size: a thin upright sliver
void drawShadow(Canvas& canvas);     // card size: the card's outline in black
void drawSelection(Canvas& canvas);  // frame size: a gold ring, drawn additively
void drawHighlight(Canvas& canvas);  // frame size: a blue ring and glow, drawn additively
void drawMark(Canvas& canvas);       // card size: a green rim
void drawMarkDot(Canvas& canvas);    // card size: a green dot in the lower right corner
// Any size: a dark veil with a padlock in the middle.
void drawLock(Canvas& canvas);
