#include "card_marks.h"

#include <algorithm>
#include <cmath>

namespace {

// Distance in pixels from (x, y) to the edge of a card of the canvas size
// shrunk by inset on each side (0 on its outline), negative outside.
int insideDepth(const Canvas& c, int x, int y, int inset) {
  return std::min({x - inset, y - inset, c.width() - 1 - inset - x, c.height() - 1 - inset - y});
}

void ring(Canvas& canvas, int inset, int thickness, Rgb colour) {
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const int d = insideDepth(canvas, x, y, inset);
      const bool corner = std::min(x, canvas.width() - 1 - x) - inset + std::min(y, canvas.height() - 1 - y) - inset <
                          thickness - 1 + 1;
      if (d >= 0 && d < thickness && !(corner && d == 0)) canvas.setPixel(x, y, colour);
    }
  }
}

}  // namespace

void drawEdgeOn(Canvas& canvas) {
  const int left = canvas.width() / 2 - 1;
  for (int y = 0; y < canvas.height(); ++y) {
    canvas.setPixel(left, y, {96, 96, 104});
    canvas.setPixel(left + 1, y, {236, 236, 240});
    canvas.setPixel(left + 2, y, {96, 96, 104});
  }
}

void drawShadow(Canvas& canvas) { drawCardShape(canvas, {0, 0, 0}, {0, 0, 0}); }

// The frames are added to what lies under them: the outer ring lights the
// table around the card, the inner one turns the card's dark border to the
// frame's colour, which still reads where a pale table swallows the glow.
void drawSelection(Canvas& canvas) {
  ring(canvas, 0, 2, {255, 196, 32});
  ring(canvas, 2, 1, {255, 160, 0});
}

void drawHighlight(Canvas& canvas) {
  ring(canvas, 0, 2, {64, 176, 255});
  for (int y = kFrameOffset + 1; y < canvas.height() - kFrameOffset - 1; ++y) {
    for (int x = kFrameOffset + 1; x < canvas.width() - kFrameOffset - 1; ++x) canvas.setPixel(x, y, {24, 40, 72});
  }
  ring(canvas, 2, 1, {32, 144, 255});
}

void drawMark(Canvas& canvas) { ring(canvas, 0, 2, {40, 210, 60}); }

void drawMarkDot(Canvas& canvas) {
  const double r = std::max(2.5, canvas.width() / 8.0);
  const double cx = canvas.width() - 3 - r, cy = canvas.height() - 3 - r;
  cairo_t* cr = canvas.cr();
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  canvas.setColour({255, 255, 255});
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r - 1, 0, 2 * M_PI);
  canvas.setColour({30, 170, 50});
  cairo_fill(cr);
}

void drawLock(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, 0, 0, canvas.width(), canvas.height());
  canvas.setColour({16, 16, 24});
  cairo_fill(cr);
  const double s = std::min(canvas.width(), canvas.height()) * 0.5;
  const double cx = canvas.width() / 2.0, cy = canvas.height() / 2.0 + s * 0.15;
  cairo_set_line_width(cr, std::max(1.5, s * 0.14));
  cairo_arc(cr, cx, cy - s * 0.3, s * 0.26, M_PI, 2 * M_PI);
  cairo_line_to(cr, cx + s * 0.26, cy - s * 0.1);
  cairo_move_to(cr, cx - s * 0.26, cy - s * 0.1);
  cairo_line_to(cr, cx - s * 0.26, cy - s * 0.3);
  canvas.setColour({250, 250, 250});
  cairo_stroke(cr);
  cairo_rectangle(cr, cx - s * 0.42, cy - s * 0.12, s * 0.84, s * 0.62);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy + s * 0.14, s * 0.08, 0, 2 * M_PI);
  canvas.setColour({16, 16, 24});
  cairo_fill(cr);
}
