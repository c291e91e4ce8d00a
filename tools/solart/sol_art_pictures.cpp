#include "sol_art_pictures.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "suit_shapes.h"

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{20, 20, 20};
constexpr Rgb kRed{200, 16, 32};
constexpr Rgb kMark{176, 214, 176};  // pale green-grey, readable on the field's colours

const char* const kRankText[13] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
const char* const kSuitName[4] = {"spade", "heart", "club", "diamond"};

void FillWhite(Canvas& c) {
  c.setColour(kWhite);
  cairo_paint(c.cr());
}

void HardEdges(cairo_t* cr) {
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

// The rank in bold type, stretched to fill the box less a one-pixel margin;
// two-digit ranks are narrowed to fit.
void VectorRank(Canvas& c, int rank, Rgb ink) {
  cairo_t* cr = c.cr();
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 100);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, kRankText[rank], &ext);
  const double boxW = c.width() - 2.0;
  const double boxH = c.height() - 2.0;
  const double sy = boxH / ext.height;
  const double sx = std::min(sy, boxW / ext.width);
  cairo_save(cr);
  cairo_translate(cr, (c.width() - ext.width * sx) / 2 - ext.x_bearing * sx, 1 - ext.y_bearing * sy);
  cairo_scale(cr, sx, sy);
  c.setColour(ink);
  cairo_move_to(cr, 0, 0);
  cairo_show_text(cr, kRankText[rank]);
  cairo_restore(cr);
}

// The hand-fitted pixel rank of the small sizes, centred.
void PixelRank(Canvas& c, int rank, Rgb ink, const PixelGlyphs& glyphs, bool large) {
  const std::string prefix = large ? "L-" : "S-";
  std::string parts = rank == 9 ? "10" : std::string(kRankText[rank]);
  int width = -1;
  for (char ch : parts) width += glyphs.at(prefix + ch).width + 1;
  int x = (c.width() - width) / 2;
  for (char ch : parts) {
    const PixelGlyph& g = glyphs.at(prefix + ch);
    c.stamp(g, x, (c.height() - g.height) / 2, ink);
    x += g.width + 1;
  }
}

void DrawRank(Canvas& c, int rank, Rgb ink, const SolArtStyle& style) {
  if (c.height() < 12 && style.pixelGlyphs) {
    PixelRank(c, rank, ink, *style.pixelGlyphs, c.height() >= 10);
  } else {
    VectorRank(c, rank, ink);
  }
}

void DrawSuit(Canvas& c, int suit, Rgb ink, const SolArtStyle& style) {
  if (c.height() < 12 && style.pixelGlyphs) {
    const std::string name = std::string(c.height() >= 10 ? "pip9-" : "pip7-") + kSuitName[suit];
    const PixelGlyph& g = style.pixelGlyphs->at(name);
    c.stamp(g, (c.width() - g.width) / 2, (c.height() - g.height) / 2, ink);
    return;
  }
  const double size = c.height() * 0.86;
  suitPath(c.cr(), suit, c.width() / 2.0, c.height() / 2.0, size);
  c.setColour(ink);
  cairo_fill(c.cr());
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

struct BackLook {
  Rgb base;
  Rgb line;
};

const BackLook kBacks[4] = {
    {{24, 64, 150}, {120, 160, 230}},   // blue lattice
    {{150, 20, 30}, {235, 140, 120}},   // red diamonds
    {{20, 105, 60}, {150, 215, 160}},   // green rings
    {{90, 40, 120}, {215, 180, 235}},   // purple suits
};

void BackPattern(Canvas& c, int back, double x, double y, double w, double h) {
  cairo_t* cr = c.cr();
  const double step = std::max(3.0, w / 6);
  c.setColour(kBacks[back].line);
  cairo_set_line_width(cr, std::max(1.0, w / 40));
  switch (back) {
    case 0:
      for (double d = -h; d < w + h; d += step) {
        cairo_move_to(cr, x + d, y);
        cairo_line_to(cr, x + d + h, y + h);
        cairo_move_to(cr, x + d + h, y);
        cairo_line_to(cr, x + d, y + h);
      }
      cairo_stroke(cr);
      break;
    case 1:
      for (double py = y; py < y + h + step; py += step) {
        for (double px = x; px < x + w + step; px += step) {
          cairo_move_to(cr, px, py - step * 0.4);
          cairo_line_to(cr, px + step * 0.3, py);
          cairo_line_to(cr, px, py + step * 0.4);
          cairo_line_to(cr, px - step * 0.3, py);
          cairo_close_path(cr);
        }
      }
      cairo_fill(cr);
      break;
    case 2:
      for (double r = step / 2; r < h; r += step * 0.7) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + w / 2, y + h / 2, r, 0, 2 * M_PI);
      }
      cairo_stroke(cr);
      break;
    default: {
      int i = 0;
      for (double py = y + step / 2; py < y + h; py += step, ++i) {
        for (double px = x + step / 2 + (i % 2) * step / 2; px < x + w; px += step) {
          suitPath(cr, (i + static_cast<int>(px)) % 4, px, py, step * 0.6);
        }
      }
      cairo_fill(cr);
      break;
    }
  }
}

}  // namespace

Rgb SolArtSuitColour(int suit) { return suit % 2 ? kRed : kBlack; }

void SolArtRank(Canvas& c, int rank, bool red, const SolArtStyle& style) {
  FillWhite(c);
  DrawRank(c, rank, red ? kRed : kBlack, style);
}

void SolArtSuit(Canvas& c, int suit, const SolArtStyle& style) {
  FillWhite(c);
  DrawSuit(c, suit, SolArtSuitColour(suit), style);
}

void SolArtMarkRank(Canvas& c, int rank, const SolArtStyle& style) {
  FillWhite(c);
  HardEdges(c.cr());
  DrawRank(c, rank, kMark, style);
}

void SolArtMarkSuit(Canvas& c, int suit, const SolArtStyle& style) {
  FillWhite(c);
  HardEdges(c.cr());
  DrawSuit(c, suit, kMark, style);
}

void SolArtArrow(Canvas& c, int arrow) {
  FillWhite(c);
  cairo_t* cr = c.cr();
  HardEdges(cr);
  const double w = c.width(), h = c.height();
  const double r = w * 0.36;
  cairo_set_line_width(cr, std::max(1.0, w / 7));
  c.setColour(kMark);
  if (arrow == 0) {
    // A turning arrow: three quarters of a ring with a head.
    cairo_arc(cr, w / 2, h / 2, r, -M_PI * 0.35, M_PI * 1.35);
    cairo_stroke(cr);
    const double hx = w / 2 + r * std::cos(-M_PI * 0.35), hy = h / 2 + r * std::sin(-M_PI * 0.35);
    cairo_move_to(cr, hx - w * 0.28, hy - h * 0.02);
    cairo_line_to(cr, hx + w * 0.12, hy - h * 0.14);
    cairo_line_to(cr, hx + w * 0.06, hy + h * 0.16);
    cairo_close_path(cr);
    cairo_fill(cr);
  } else {
    cairo_move_to(cr, w * 0.2, h / 2 - r);
    cairo_line_to(cr, w * 0.8, h / 2 + r);
    cairo_move_to(cr, w * 0.8, h / 2 - r);
    cairo_line_to(cr, w * 0.2, h / 2 + r);
    cairo_stroke(cr);
  }
}

void SolArtBack(Canvas& c, int back) {
  FillWhite(c);
  cairo_t* cr = c.cr();
  const double m = std::max(2.0, c.width() / 14.0);
  const double x = m, y = m, w = c.width() - 2 * m, h = c.height() - 2 * m;
  cairo_save(cr);
  RoundedRect(cr, x, y, w, h, m);
  c.setColour(kBacks[back & 3].base);
  cairo_fill_preserve(cr);
  cairo_clip(cr);
  BackPattern(c, back & 3, x, y, w, h);
  cairo_restore(cr);
}

void SolArtToolbar(Canvas& c, int imageSize) {
  FillWhite(c);
  cairo_t* cr = c.cr();
  const double s = imageSize;
  cairo_set_line_width(cr, s / 9);
  c.setColour({30, 60, 120});
  // Undo: a hooked arrow pointing left.
  cairo_arc(cr, s * 0.55, s * 0.55, s * 0.25, -M_PI / 2, M_PI / 2);
  cairo_move_to(cr, s * 0.55, s * 0.8);
  cairo_line_to(cr, s * 0.3, s * 0.8);
  cairo_stroke(cr);
  cairo_move_to(cr, s * 0.12, s * 0.3);
  cairo_line_to(cr, s * 0.45, s * 0.08);
  cairo_line_to(cr, s * 0.45, s * 0.52);
  cairo_close_path(cr);
  cairo_fill(cr);
  // Next move: a card with an arrow.
  RoundedRect(cr, s + s * 0.15, s * 0.15, s * 0.45, s * 0.65, s * 0.06);
  cairo_stroke(cr);
  cairo_move_to(cr, s + s * 0.5, s * 0.55);
  cairo_line_to(cr, s + s * 0.9, s * 0.55);
  cairo_stroke(cr);
  cairo_move_to(cr, s + s * 0.92, s * 0.55);
  cairo_line_to(cr, s + s * 0.72, s * 0.38);
  cairo_line_to(cr, s + s * 0.72, s * 0.72);
  cairo_close_path(cr);
  cairo_fill(cr);
  // Help and menu: a question mark and three bars.
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, s * 0.9);
  cairo_move_to(cr, 2 * s + s * 0.22, s * 0.86);
  cairo_show_text(cr, "?");
  for (int i = 0; i < 3; ++i) cairo_rectangle(cr, 3 * s + s * 0.18, s * (0.22 + 0.24 * i), s * 0.64, s * 0.1);
  cairo_fill(cr);
}

void SolArtLogo(Canvas& c) {
  FillWhite(c);
  cairo_t* cr = c.cr();
  const double h = c.height(), w = c.width();
  for (int s = 0; s < 4; ++s) {
    suitPath(cr, s, h * 0.28 + (s % 2) * h * 0.5, h * 0.28 + (s / 2) * h * 0.46, h * 0.42);
    c.setColour(SolArtSuitColour(s));
    cairo_fill(cr);
  }
  cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_ITALIC, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, h * 0.42);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, "Carrowin", &ext);
  const double room = w - h * 1.1;
  const double sx = std::min(1.0, room / ext.x_advance);
  cairo_save(cr);
  cairo_translate(cr, h * 1.05, h * 0.66);
  cairo_scale(cr, sx, 1.0);
  c.setColour({20, 90, 40});
  cairo_move_to(cr, 0, 0);
  cairo_show_text(cr, "Carrowin");
  cairo_restore(cr);
}

void SolArtIcon(Canvas& c) {
  cairo_t* cr = c.cr();
  const double s = c.width();
  c.setColour({0, 128, 0});
  cairo_paint(cr);
  RoundedRect(cr, s * 0.18, s * 0.08, s * 0.64, s * 0.84, s * 0.08);
  c.setColour(kWhite);
  cairo_fill(cr);
  suitPath(cr, 0, s / 2, s / 2, s * 0.45);
  c.setColour(kBlack);
  cairo_fill(cr);
}
