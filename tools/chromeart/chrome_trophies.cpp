// The trophies: a cup for each game's three trophies (bronze for the first
// win, silver and gold for more deals won), with the game's gem on the bowl
// and a star for the trophies of all twelve games; a medal on a ribbon for
// the trophies of play across all games.
#include <cmath>
#include <string>

#include "chrome_groups.h"

namespace {

constexpr int kGames = 12;
constexpr int kPerSeries = 13;
constexpr int kSeries = 3;

void starPath(cairo_t* cr, double cx, double cy, double r) {
  for (int i = 0; i < 10; ++i) {
    const double angle = -M_PI / 2 + i * M_PI / 5;
    const double radius = i % 2 ? r * 0.45 : r;
    const double x = cx + radius * std::cos(angle), y = cy + radius * std::sin(angle);
    if (i == 0) cairo_move_to(cr, x, y);
    else cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
}

void fillStar(Canvas& c, double cx, double cy, double r, Rgb fill, Rgb edge) {
  starPath(c.cr(), cx, cy, r);
  c.setColour(fill);
  cairo_fill_preserve(c.cr());
  cairo_set_line_width(c.cr(), 0.8);
  c.setColour(edge);
  cairo_stroke(c.cr());
}

// A metal shine across the current path: dark at the sides, light left of the middle.
void setMetal(Canvas& c, double x0, double x1, Rgb light, Rgb dark) {
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
  const auto stop = [p](double at, Rgb v) {
    cairo_pattern_add_color_stop_rgb(p, at, v.r / 255.0, v.g / 255.0, v.b / 255.0);
  };
  stop(0, dark);
  stop(0.35, light);
  stop(0.55, mixRgb(light, dark, 0.3));
  stop(1, dark);
  cairo_set_source(c.cr(), p);
  cairo_pattern_destroy(p);
}

void outline(Canvas& c, Rgb edge, double width) {
  cairo_set_line_width(c.cr(), width);
  cairo_set_line_join(c.cr(), CAIRO_LINE_JOIN_ROUND);
  c.setColour(edge);
  cairo_stroke(c.cr());
}

// A gem: a disc of the colour with a highlight.
void gem(Canvas& c, double cx, double cy, double r, Rgb colour, Rgb edge) {
  cairo_t* cr = c.cr();
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  setShade(c, cy - r, cy + r, mixRgb(colour, {255, 255, 255}, 0.45), colour);
  cairo_fill_preserve(cr);
  outline(c, edge, 0.8);
  cairo_arc(cr, cx - r * 0.35, cy - r * 0.35, r * 0.3, 0, 2 * M_PI);
  c.setColour({255, 255, 255}, 0.8);
  cairo_fill(cr);
}

// Designed on a 40 x 48 grid, scaled to the canvas.
void drawCup(Canvas& c, Palette& palette, int series, int game) {
  cairo_t* cr = c.cr();
  const std::string metal = series == 0 ? "bronze" : series == 1 ? "silver" : "gold";
  const Rgb light = palette["trophy." + metal + "Light"], dark = palette["trophy." + metal + "Dark"];
  const Rgb edge = palette["trophy.edge"];
  cairo_save(cr);
  cairo_scale(cr, c.width() / 40.0, c.height() / 48.0);
  // Handles behind the bowl.
  for (int side : {-1, 1}) {
    cairo_new_path(cr);
    cairo_arc(cr, 20 + side * 13, 13, 5, side < 0 ? M_PI * 0.5 : -M_PI * 0.5, side < 0 ? M_PI * 1.5 : M_PI * 0.5);
    cairo_set_line_width(cr, 4.2);
    c.setColour(edge);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2.4);
    c.setColour(dark);
    cairo_stroke(cr);
  }
  // Plinth, foot and stem.
  roundedPath(cr, Box{8, 39, 24, 8}, 1.5);
  setShade(c, 39, 47, palette["trophy.woodLight"], palette["trophy.wood"]);
  cairo_fill_preserve(cr);
  outline(c, edge, 1);
  fillRounded(c, Box{14, 41.5, 12, 3}, 0.8, mixRgb(light, dark, 0.25));
  roundedPath(cr, Box{12, 35, 16, 4}, 1.2);
  setMetal(c, 12, 28, light, dark);
  cairo_fill_preserve(cr);
  outline(c, edge, 1);
  cairo_rectangle(cr, 17.5, 28, 5, 7);
  setMetal(c, 17.5, 22.5, light, dark);
  cairo_fill_preserve(cr);
  outline(c, edge, 1);
  // The bowl.
  cairo_move_to(cr, 6, 3);
  cairo_line_to(cr, 34, 3);
  cairo_curve_to(cr, 34, 19, 28, 28, 20, 29);
  cairo_curve_to(cr, 12, 28, 6, 19, 6, 3);
  cairo_close_path(cr);
  setMetal(c, 6, 34, light, dark);
  cairo_fill_preserve(cr);
  outline(c, edge, 1.2);
  fillRounded(c, Box{6, 2.5, 28, 2.5}, 1, mixRgb(light, {255, 255, 255}, 0.4));
  if (game < kGames) gem(c, 20, 14, 4.6, palette["trophy.game" + std::to_string(game)], edge);
  else fillStar(c, 20, 14.5, 7.5, palette["trophy.star"], edge);
  cairo_restore(cr);
}

// A medal on a ribbon: the ribbon's two colours name the trophy.
void drawMedal(Canvas& c, Palette& palette, int index) {
  cairo_t* cr = c.cr();
  const Rgb edge = palette["trophy.edge"];
  const Rgb ribbon = palette["trophy.game" + std::to_string(index % kGames)];
  const Rgb stripe = palette["trophy.game" + std::to_string((index * 5 + 3) % kGames)];
  cairo_save(cr);
  cairo_scale(cr, c.width() / 40.0, c.height() / 48.0);
  for (int side : {-1, 1}) {
    const double x0 = 20 + side * 2;
    const double band[8] = {x0 - side * 12, 1, x0 - side * 3, 1, x0 + side * 6, 24, x0 - side * 3, 24};
    cairo_move_to(cr, band[0], band[1]);
    for (int i = 1; i < 4; ++i) cairo_line_to(cr, band[2 * i], band[2 * i + 1]);
    cairo_close_path(cr);
    c.setColour(side < 0 ? ribbon : mixRgb(ribbon, {0, 0, 0}, 0.25));
    cairo_fill_preserve(cr);
    outline(c, edge, 1);
    cairo_move_to(cr, x0 - side * 7.5, 1);
    cairo_line_to(cr, x0 + side * 1.5, 24);
    cairo_set_line_width(cr, 2);
    c.setColour(stripe);
    cairo_stroke(cr);
  }
  const Rgb light = palette["trophy.goldLight"], dark = palette["trophy.goldDark"];
  cairo_arc(cr, 20, 32, 14, 0, 2 * M_PI);
  setMetal(c, 6, 34, light, dark);
  cairo_fill_preserve(cr);
  outline(c, edge, 1.2);
  cairo_arc(cr, 20, 32, 10.5, 0, 2 * M_PI);
  outline(c, mixRgb(dark, edge, 0.3), 1);
  fillStar(c, 20, 32.5, 8, palette["trophy.star"], edge);
  cairo_restore(cr);
}

}  // namespace

bool drawTrophyPiece(const PieceJob& job, Canvas& canvas, std::string& error) {
  const std::string part = job.part();
  int index = -1;
  if (!part.empty() && part.find_first_not_of("0123456789") == std::string::npos && part.size() <= 2) {
    index = std::stoi(part);
  }
  if (index < 0 || index >= kPerSeries * 4) return unknownPart(job, error);
  if (index < kPerSeries * kSeries) drawCup(canvas, job.palette, index / kPerSeries, index % kPerSeries);
  else drawMedal(canvas, job.palette, index - kPerSeries * kSeries);
  return true;
}
