#include "trophy_face.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

// A metal: light, middle and dark tone.
struct Metal {
  Rgb light, middle, dark;
};
constexpr Metal kBronze{{240, 178, 112}, {196, 118, 52}, {104, 56, 20}};
constexpr Metal kSilver{{250, 252, 255}, {186, 192, 206}, {88, 94, 112}};
constexpr Metal kGold{{255, 240, 150}, {236, 184, 48}, {132, 84, 10}};

// The shapes, drawn in a unit box (-1..1 across, -1..1 down).
enum Shape {
  kCup,
  kGoblet,
  kMedal,
  kStar,
  kShield,
  kRosette,
  kUrn,
  kClockFace,
  kLozenge,
  kPlaque,
  kObelisk,
  kPyramid,
  kCrown,
  kBigCup,
  kHourglass,
  kHeart,
  kHouse,
  kBolt,
  kArrow,
  kGlobe,
  kBulb,
  kSun
};

// One trophy of the last group: its shape and its own metal.
struct Special {
  Shape shape;
  Metal metal;
};
const Special kSpecials[13] = {
    {kBigCup, {{255, 160, 170}, {214, 30, 52}, {100, 8, 20}}},   // 39: a hundred wins
    {kBigCup, {{170, 200, 255}, {40, 90, 210}, {14, 30, 100}}},  // 40: twenty-five wins
    {kBigCup, {{170, 245, 190}, {30, 160, 80}, {8, 70, 30}}},    // 41: ten wins
    {kClockFace, kSilver},                                       // 42: ten hours
    {kHeart, {{255, 190, 200}, {226, 70, 100}, {110, 20, 40}}},  // 43: good sport
    {kHouse, {{255, 220, 170}, {214, 120, 60}, {100, 50, 20}}},  // 44: house rules
    {kBolt, {{255, 250, 170}, {250, 210, 30}, {140, 90, 0}}},    // 45: winning streak
    {kArrow, {{200, 240, 255}, {40, 160, 220}, {10, 60, 110}}},  // 46: no going back
    {kHourglass, kBronze},                                       // 47: true patience
    {kGlobe, {{190, 240, 255}, {50, 150, 200}, {10, 60, 100}}},  // 48: all-rounder
    {kBulb, {{255, 255, 210}, {250, 220, 90}, {130, 100, 20}}},  // 49: on your own
    {kSun, {{255, 230, 160}, {250, 150, 30}, {150, 60, 0}}},     // 50: lunch break
    {kCrown, {{255, 244, 170}, {240, 190, 40}, {120, 70, 0}}},   // 51: grand champion
};
// The first three groups: one shape per game type, then the crown of the group.
constexpr Shape kGameShapes[13] = {kCup,       kGoblet,  kMedal,  kStar,    kShield,  kRosette, kUrn,
                                   kClockFace, kLozenge, kPlaque, kObelisk, kPyramid, kCrown};

// The body's panel colours, by group: deep velvet behind the metal.
constexpr Rgb kPanels[4] = {{70, 24, 20}, {24, 30, 64}, {60, 14, 30}, {20, 44, 40}};

void polygon(cairo_t* cr, std::initializer_list<double> xy) {
  bool first = true;
  for (auto it = xy.begin(); it != xy.end(); it += 2) {
    if (first) cairo_move_to(cr, it[0], it[1]);
    else cairo_line_to(cr, it[0], it[1]);
    first = false;
  }
  cairo_close_path(cr);
}

void circle(cairo_t* cr, double x, double y, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
}

void cupPath(cairo_t* cr, double width) {
  // Bowl, stem and foot; handles as rings at the sides.
  cairo_move_to(cr, -width, -0.85);
  cairo_line_to(cr, width, -0.85);
  cairo_curve_to(cr, width, -0.1, 0.45, 0.2, 0.15, 0.25);
  cairo_line_to(cr, 0.15, 0.55);
  cairo_line_to(cr, 0.55, 0.65);
  cairo_line_to(cr, 0.55, 0.9);
  cairo_line_to(cr, -0.55, 0.9);
  cairo_line_to(cr, -0.55, 0.65);
  cairo_line_to(cr, -0.15, 0.55);
  cairo_line_to(cr, -0.15, 0.25);
  cairo_curve_to(cr, -0.45, 0.2, -width, -0.1, -width, -0.85);
  cairo_close_path(cr);
  for (int side : {-1, 1}) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, side * (width + 0.05), -0.45, 0.3, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, side * (width + 0.05), -0.45, 0.14, 2 * M_PI, 0);
  }
}

void starPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points) {
  for (int i = 0; i < 2 * points; ++i) {
    const double r = i % 2 ? inner : outer, t = -M_PI / 2 + i * M_PI / points;
    if (i == 0) cairo_move_to(cr, cx + r * std::cos(t), cy + r * std::sin(t));
    else cairo_line_to(cr, cx + r * std::cos(t), cy + r * std::sin(t));
  }
  cairo_close_path(cr);
}

void shapePath(cairo_t* cr, Shape shape) {
  switch (shape) {
    case kCup: cupPath(cr, 0.6); break;
    case kBigCup: cupPath(cr, 0.72); break;
    case kGoblet:
      cairo_move_to(cr, -0.7, -0.9);
      cairo_line_to(cr, 0.7, -0.9);
      cairo_curve_to(cr, 0.7, 0.0, 0.2, 0.15, 0.12, 0.2);
      cairo_line_to(cr, 0.12, 0.6);
      cairo_line_to(cr, 0.6, 0.9);
      cairo_line_to(cr, -0.6, 0.9);
      cairo_line_to(cr, -0.12, 0.6);
      cairo_line_to(cr, -0.12, 0.2);
      cairo_curve_to(cr, -0.2, 0.15, -0.7, 0.0, -0.7, -0.9);
      cairo_close_path(cr);
      break;
    case kMedal:
      polygon(cr, {-0.55, -1.0, -0.15, -1.0, 0.1, -0.2, -0.3, -0.2});
      polygon(cr, {0.55, -1.0, 0.15, -1.0, -0.1, -0.2, 0.3, -0.2});
      circle(cr, 0, 0.35, 0.6);
      break;
    case kStar: starPath(cr, 0, 0.05, 1.0, 0.45, 5); break;
    case kShield:
      cairo_move_to(cr, -0.8, -0.85);
      cairo_line_to(cr, 0.8, -0.85);
      cairo_curve_to(cr, 0.8, 0.3, 0.3, 0.7, 0, 0.95);
      cairo_curve_to(cr, -0.3, 0.7, -0.8, 0.3, -0.8, -0.85);
      cairo_close_path(cr);
      break;
    case kRosette:
      starPath(cr, 0, -0.2, 0.85, 0.6, 10);
      polygon(cr, {-0.45, 0.3, -0.1, 0.3, -0.3, 1.0, -0.6, 0.8});
      polygon(cr, {0.45, 0.3, 0.1, 0.3, 0.3, 1.0, 0.6, 0.8});
      break;
    case kUrn:
      cairo_move_to(cr, -0.4, -0.95);
      cairo_line_to(cr, 0.4, -0.95);
      cairo_line_to(cr, 0.3, -0.7);
      cairo_curve_to(cr, 0.9, -0.4, 0.8, 0.35, 0.25, 0.55);
      cairo_line_to(cr, 0.5, 0.95);
      cairo_line_to(cr, -0.5, 0.95);
      cairo_line_to(cr, -0.25, 0.55);
      cairo_curve_to(cr, -0.8, 0.35, -0.9, -0.4, -0.3, -0.7);
      cairo_close_path(cr);
      break;
    case kClockFace:
      circle(cr, 0, 0.05, 0.92);
      cairo_new_sub_path(cr);
      cairo_arc_negative(cr, 0, 0.05, 0.62, 2 * M_PI, 0);
      polygon(cr, {-0.09, 0.05, -0.09, -0.5, 0.09, -0.5, 0.09, 0.05});
      polygon(cr, {-0.09, -0.04, 0.4, -0.04, 0.4, 0.14, -0.09, 0.14});
      break;
    case kLozenge: polygon(cr, {0, -1.0, 0.75, 0, 0, 1.0, -0.75, 0}); break;
    case kPlaque:
      polygon(cr, {-0.8, -0.8, 0.8, -0.8, 0.8, 0.45, -0.8, 0.45});
      polygon(cr, {-0.5, 0.45, 0.5, 0.45, 0.7, 0.95, -0.7, 0.95});
      break;
    case kObelisk: polygon(cr, {0, -1.0, 0.22, -0.7, 0.3, 0.65, 0.6, 0.95, -0.6, 0.95, -0.3, 0.65, -0.22, -0.7}); break;
    case kPyramid: polygon(cr, {0, -0.9, 0.95, 0.85, -0.95, 0.85}); break;
    case kCrown: polygon(cr, {-0.9, 0.7, -0.95, -0.6, -0.45, -0.05, 0, -0.9, 0.45, -0.05, 0.95, -0.6, 0.9, 0.7}); break;
    case kHourglass:
      polygon(cr, {-0.65, -0.95, 0.65,  -0.95, 0.65,  -0.8, 0.12,  0, 0.65,  0.8,
                   0.65,  0.95,  -0.65, 0.95,  -0.65, 0.8,  -0.12, 0, -0.65, -0.8});
      break;
    case kHeart:
      cairo_move_to(cr, 0, 0.9);
      cairo_curve_to(cr, -1.1, 0.1, -0.9, -0.95, 0, -0.45);
      cairo_curve_to(cr, 0.9, -0.95, 1.1, 0.1, 0, 0.9);
      cairo_close_path(cr);
      break;
    case kHouse:
      polygon(cr, {0,    -0.95, 0.9,  -0.1,  0.62, -0.1,  0.62, 0.9,   0.18, 0.9,  0.18,
                   0.35, -0.18, 0.35, -0.18, 0.9,  -0.62, 0.9,  -0.62, -0.1, -0.9, -0.1});
      break;
    case kBolt: polygon(cr, {0.25, -1.0, -0.6, 0.15, -0.05, 0.15, -0.3, 1.0, 0.6, -0.2, 0.05, -0.2}); break;
    case kArrow:
      polygon(cr, {0, -0.95, 0.85, -0.05, 0.35, -0.05, 0.35, 0.95, -0.35, 0.95, -0.35, -0.05, -0.85, -0.05});
      break;
    case kGlobe:
      circle(cr, 0, 0, 0.9);
      cairo_new_sub_path(cr);
      cairo_arc_negative(cr, 0, 0, 0.6, 2 * M_PI, 0);
      circle(cr, 0, 0, 0.38);
      break;
    case kBulb:
      circle(cr, 0, -0.3, 0.65);
      polygon(cr, {-0.32, 0.2, 0.32, 0.2, 0.3, 0.95, -0.3, 0.95});
      break;
    case kSun: starPath(cr, 0, 0, 1.0, 0.62, 12); break;
  }
}

// The shape filled with its metal (light at the top left), outlined in the dark tone.
void drawEmblem(Canvas& canvas, Shape shape, const Metal& metal, double cx, double cy, double size, double line) {
  cairo_t* cr = canvas.cr();
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, size / 2, size / 2);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  shapePath(cr, shape);
  cairo_restore(cr);
  cairo_pattern_t* shine = cairo_pattern_create_linear(cx - size / 2, cy - size / 2, cx + size / 3, cy + size / 2);
  cairo_pattern_add_color_stop_rgb(shine, 0, metal.light.r / 255.0, metal.light.g / 255.0, metal.light.b / 255.0);
  cairo_pattern_add_color_stop_rgb(shine, 0.45, metal.middle.r / 255.0, metal.middle.g / 255.0, metal.middle.b / 255.0);
  cairo_pattern_add_color_stop_rgb(shine, 1, metal.dark.r / 255.0, metal.dark.g / 255.0, metal.dark.b / 255.0);
  cairo_set_source(cr, shine);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(shine);
  canvas.setColour(metal.dark);
  cairo_set_line_width(cr, line);
  cairo_stroke(cr);
}

}  // namespace

void drawTrophyFace(Canvas& canvas, const CardSize& size, const PixelGlyphs& glyphs, int suit, int rank, int trophy) {
  const FrontStyle& style = frontStyle(2);
  drawFaceCorner(canvas, size, style, glyphs, suit, rank);
  const int group = trophy / 13, place = trophy % 13;
  // The panel under the trophy: the body of the card, in the group's velvet.
  const double top = size.large ? 12 : 9, left = size.large ? 3 : 2;
  const double right = canvas.width() - left, bottom = canvas.height() - (size.large ? 4 : 3);
  cairo_t* cr = canvas.cr();
  cairo_rectangle(cr, left, top, right - left, bottom - top);
  canvas.setColour(kPanels[group]);
  cairo_fill(cr);
  const Shape shape = group == 3 ? kSpecials[place].shape : kGameShapes[place];
  const Metal metal = group == 0 ? kBronze : group == 1 ? kSilver : group == 2 ? kGold : kSpecials[place].metal;
  const double room = std::min(right - left, bottom - top) - (size.large ? 3 : 1);
  drawEmblem(canvas, shape, metal, (left + right) / 2, (top + bottom) / 2, room, size.large ? 0.9 : 0.6);
}
