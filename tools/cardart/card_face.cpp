#include "card_face.h"

#include <algorithm>
#include <string>
#include <vector>

#include "suit_shapes.h"

namespace {

constexpr Rgb kRed{206, 22, 32};
constexpr Rgb kBlack{20, 20, 24};

const FrontStyle kStyles[3] = {
    {{252, 252, 248}, {64, 64, 72}, {kBlack, kRed, kBlack, kRed}, {250, 238, 200}, {232, 178, 40}, {70, 44, 16},
     true, false},
    {{255, 255, 255}, {64, 64, 72}, {kBlack, kRed, {18, 128, 44}, {26, 86, 206}}, {236, 240, 248}, {232, 178, 40},
     {40, 40, 48}, false, false},
    {{255, 246, 220}, {120, 88, 16}, {{22, 26, 48}, {176, 18, 30}, {22, 26, 48}, {176, 18, 30}}, {120, 20, 30},
     {240, 196, 72}, {60, 30, 8}, true, true},
};

const char* const kSuitNames[4] = {"spade", "heart", "club", "diamond"};

std::string rankName(int rank) {
  static const char* const names[14] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
  return names[rank];
}

bool cornerCut(const Canvas& c, int x, int y) {
  const int dx = x < 2 ? x : c.width() - 1 - x;
  const int dy = y < 2 ? y : c.height() - 1 - y;
  return (x < 2 || x >= c.width() - 2) && (y < 2 || y >= c.height() - 2) && dx + dy < 2;
}

bool onBorder(const Canvas& c, int x, int y) {
  if (x == 0 || y == 0 || x == c.width() - 1 || y == c.height() - 1) return true;
  const int dx = x < 2 ? x : c.width() - 1 - x;
  const int dy = y < 2 ? y : c.height() - 1 - y;
  return dx == 1 && dy == 1;
}

// The rank at the top left, two glyphs for the ten.
void drawRank(Canvas& canvas, const PixelGlyphs& glyphs, const std::string& prefix, int rank, Rgb colour) {
  if (rank == 10) {
    const PixelGlyph& one = glyphs.at(prefix + "1");
    canvas.stamp(one, 2, 2, colour);
    canvas.stamp(glyphs.at(prefix + "0"), 2 + one.width + 1, 2, colour);
    return;
  }
  canvas.stamp(glyphs.at(prefix + rankName(rank)), 2, 2, colour);
}

void drawIndex(Canvas& canvas, const CardSize& size, const PixelGlyphs& glyphs, int suit, int rank, Rgb colour) {
  drawRank(canvas, glyphs, size.large ? "L-" : "S-", rank, colour);
  const PixelGlyph& pip = glyphs.at(std::string(size.large ? "pip9-" : "pip7-") + kSuitNames[suit]);
  canvas.stamp(pip, canvas.width() - 2 - pip.width, 2, colour);
}

void fillSuit(Canvas& canvas, int suit, double cx, double cy, double sz, Rgb colour, bool turned = false) {
  suitPath(canvas.cr(), suit, cx, cy, sz, turned);
  canvas.setColour(colour);
  cairo_fill(canvas.cr());
}

// Pip positions of the number cards: column -1..1, row 0 (top) .. 1 (bottom).
struct Pip {
  double column, row;
};

std::vector<Pip> pipLayout(int rank) {
  const std::vector<Pip> corners{{-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
  std::vector<Pip> pips;
  switch (rank) {
    case 2: return {{0, 0}, {0, 1}};
    case 3: return {{0, 0}, {0, 0.5}, {0, 1}};
    case 4: return corners;
    case 5: pips = corners; pips.push_back({0, 0.5}); return pips;
    case 6: pips = corners; pips.insert(pips.end(), {{-1, 0.5}, {1, 0.5}}); return pips;
    case 7: pips = pipLayout(6); pips.push_back({0, 0.25}); return pips;
    case 8: pips = pipLayout(7); pips.push_back({0, 0.75}); return pips;
    case 9: pips = corners; pips.insert(pips.end(), {{-1, 1.0 / 3}, {1, 1.0 / 3}, {-1, 2.0 / 3}, {1, 2.0 / 3}, {0, 0.5}}); return pips;
    default: pips = pipLayout(9); pips.pop_back(); pips.insert(pips.end(), {{0, 1.0 / 6}, {0, 5.0 / 6}}); return pips;
  }
}

void drawPips(Canvas& canvas, int suit, int rank, Rgb colour) {
  const double left = 8.5, right = canvas.width() - 8.5, top = 17.5, bottom = canvas.height() - 6.5;
  const double size = rank >= 9 ? 6.2 : 7.0;
  for (const Pip& p : pipLayout(rank)) {
    const double x = (left + right) / 2 + p.column * (right - left) / 2;
    const double y = top + p.row * (bottom - top);
    fillSuit(canvas, suit, x, y, size, colour, p.row > 0.5);
  }
}

// The body below the index: its centre and the size of a large sign in it.
void bodyCentre(const Canvas& canvas, const CardSize& size, double& cx, double& cy, double& room) {
  const double top = size.large ? 13 : 10;
  cx = canvas.width() / 2.0;
  cy = (top + canvas.height() - 2) / 2.0;
  room = std::min(canvas.width() - 6.0, canvas.height() - 2 - top);
}

void drawCourt(Canvas& canvas, const CardSize& size, const FrontStyle& style, int suit, int rank) {
  double cx, cy, room;
  bodyCentre(canvas, size, cx, cy, room);
  cairo_t* cr = canvas.cr();
  const double half = room / 2;
  cairo_rectangle(cr, cx - half + 0.5, cy - half + 0.5, room - 1, room - 1);
  canvas.setColour(mixRgb(style.courtPanel, style.suitColour[suit], 0.12));
  cairo_fill_preserve(cr);
  canvas.setColour(style.suitColour[suit]);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  const double emblem = room * (size.large ? 0.62 : 0.72);
  const double ey = size.large ? cy - room * 0.12 : cy;
  emblemPath(cr, rank, cx, ey, emblem);
  canvas.setColour(style.gold);
  cairo_fill_preserve(cr);
  canvas.setColour(style.ink);
  cairo_set_line_width(cr, size.large ? 0.9 : 0.7);
  cairo_stroke(cr);
  emblemJewels(cr, rank, cx, ey, emblem);
  canvas.setColour(style.suitColour[suit]);
  cairo_fill(cr);
  if (rank == 11) fillSuit(canvas, suit, cx, ey - emblem * 0.05, emblem * 0.5, style.suitColour[suit]);
  if (size.large) fillSuit(canvas, suit, cx, cy + room * 0.33, room * 0.26, style.suitColour[suit]);
}

void drawInnerFrame(Canvas& canvas, Rgb gold) {
  for (int x = 2; x < canvas.width() - 2; ++x) {
    canvas.setPixel(x, canvas.height() - 3, gold);
  }
  for (int y = 2; y < canvas.height() - 2; ++y) {
    canvas.setPixel(1, y, gold);
    canvas.setPixel(canvas.width() - 2, y, gold);
  }
}

}  // namespace

const FrontStyle& frontStyle(int style) { return kStyles[style]; }

void drawCardShape(Canvas& canvas, Rgb face, Rgb border) {
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (cornerCut(canvas, x, y)) continue;
      canvas.setPixel(x, y, onBorder(canvas, x, y) ? border : face);
    }
  }
}

void drawFaceCorner(Canvas& canvas, const CardSize& size, const FrontStyle& style, const PixelGlyphs& glyphs, int suit,
                    int rank) {
  drawCardShape(canvas, style.face, style.border);
  if (style.innerFrame) drawInnerFrame(canvas, style.gold);
  drawIndex(canvas, size, glyphs, suit, rank, style.suitColour[suit]);
}

void drawFace(Canvas& canvas, const CardSize& size, const FrontStyle& style, const PixelGlyphs& glyphs, int suit,
              int rank) {
  drawCardShape(canvas, style.face, style.border);
  if (style.innerFrame) drawInnerFrame(canvas, style.gold);
  const Rgb colour = style.suitColour[suit];
  if (rank >= 11) {
    drawCourt(canvas, size, style, suit, rank);
  } else if (rank > 1 && size.large && style.pipLayout) {
    drawPips(canvas, suit, rank, colour);
  } else {
    double cx, cy, room;
    bodyCentre(canvas, size, cx, cy, room);
    const double scale = rank == 1 ? 0.9 : (size.large ? 0.7 : 0.8);
    fillSuit(canvas, suit, cx, cy, room * scale, colour);
  }
  drawIndex(canvas, size, glyphs, suit, rank, colour);
}
