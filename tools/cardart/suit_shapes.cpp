#include "suit_shapes.h"

#include <cmath>

namespace {

void heart(cairo_t* cr) {
  cairo_move_to(cr, 0, 1);
  cairo_curve_to(cr, -0.55, 0.55, -1, 0.15, -1, -0.38);
  cairo_curve_to(cr, -1, -0.8, -0.7, -1, -0.48, -1);
  cairo_curve_to(cr, -0.22, -1, -0.05, -0.85, 0, -0.55);
  cairo_curve_to(cr, 0.05, -0.85, 0.22, -1, 0.48, -1);
  cairo_curve_to(cr, 0.7, -1, 1, -0.8, 1, -0.38);
  cairo_curve_to(cr, 1, 0.15, 0.55, 0.55, 0, 1);
  cairo_close_path(cr);
}

void diamond(cairo_t* cr) {
  cairo_move_to(cr, 0, -1);
  cairo_curve_to(cr, 0.25, -0.62, 0.5, -0.32, 0.78, 0);
  cairo_curve_to(cr, 0.5, 0.32, 0.25, 0.62, 0, 1);
  cairo_curve_to(cr, -0.25, 0.62, -0.5, 0.32, -0.78, 0);
  cairo_curve_to(cr, -0.5, -0.32, -0.25, -0.62, 0, -1);
  cairo_close_path(cr);
}

void spade(cairo_t* cr) {
  cairo_move_to(cr, 0, -1);
  cairo_curve_to(cr, 0.55, -0.5, 1, -0.2, 1, 0.22);
  cairo_curve_to(cr, 1, 0.58, 0.72, 0.74, 0.48, 0.74);
  cairo_curve_to(cr, 0.28, 0.74, 0.12, 0.64, 0.06, 0.5);
  cairo_curve_to(cr, 0.1, 0.78, 0.25, 0.94, 0.45, 1);
  cairo_line_to(cr, -0.45, 1);
  cairo_curve_to(cr, -0.25, 0.94, -0.1, 0.78, -0.06, 0.5);
  cairo_curve_to(cr, -0.12, 0.64, -0.28, 0.74, -0.48, 0.74);
  cairo_curve_to(cr, -0.72, 0.74, -1, 0.58, -1, 0.22);
  cairo_curve_to(cr, -1, -0.2, -0.55, -0.5, 0, -1);
  cairo_close_path(cr);
}

void circle(cairo_t* cr, double x, double y, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_close_path(cr);
}

void club(cairo_t* cr) {
  circle(cr, 0, -0.5, 0.43);
  circle(cr, -0.5, 0.12, 0.43);
  circle(cr, 0.5, 0.12, 0.43);
  circle(cr, 0, 0.02, 0.25);
  cairo_new_sub_path(cr);
  cairo_move_to(cr, -0.08, 0.1);
  cairo_curve_to(cr, -0.1, 0.7, -0.25, 0.92, -0.45, 1);
  cairo_line_to(cr, 0.45, 1);
  cairo_curve_to(cr, 0.25, 0.92, 0.1, 0.7, 0.08, 0.1);
  cairo_close_path(cr);
}

// A king's crown: three points, the middle one tallest, on a band.
void crown(cairo_t* cr) {
  cairo_move_to(cr, -0.8, 0.7);
  cairo_line_to(cr, -0.8, 0.4);
  cairo_line_to(cr, -0.95, -0.45);
  cairo_line_to(cr, -0.45, 0.0);
  cairo_line_to(cr, 0, -0.75);
  cairo_line_to(cr, 0.45, 0.0);
  cairo_line_to(cr, 0.95, -0.45);
  cairo_line_to(cr, 0.8, 0.4);
  cairo_line_to(cr, 0.8, 0.7);
  cairo_close_path(cr);
}

// A queen's coronet: a low band with five rounded arches.
void coronet(cairo_t* cr) {
  cairo_move_to(cr, -0.85, 0.7);
  cairo_line_to(cr, -0.85, -0.1);
  for (int i = 0; i < 4; ++i) {
    const double x0 = -0.85 + 0.425 * i;
    cairo_curve_to(cr, x0 + 0.05, 0.25, x0 + 0.37, 0.25, x0 + 0.425, -0.1 - (i == 1 || i == 2 ? 0.25 : 0.1));
  }
  cairo_line_to(cr, 0.85, 0.7);
  cairo_close_path(cr);
}

// A jack's shield: flat top, pointed bottom.
void shield(cairo_t* cr) {
  cairo_move_to(cr, -0.75, -0.8);
  cairo_line_to(cr, 0.75, -0.8);
  cairo_line_to(cr, 0.75, 0.05);
  cairo_curve_to(cr, 0.75, 0.55, 0.35, 0.8, 0, 1);
  cairo_curve_to(cr, -0.35, 0.8, -0.75, 0.55, -0.75, 0.05);
  cairo_close_path(cr);
}

template <typename Shape>
void placed(cairo_t* cr, double cx, double cy, double size, bool turned, Shape shape) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, size / 2, size / 2);
  if (turned) cairo_rotate(cr, M_PI);
  shape(cr);
  cairo_restore(cr);
}

}  // namespace

void suitPath(cairo_t* cr, int suit, double cx, double cy, double size, bool turned) {
  static void (*const shapes[4])(cairo_t*) = {spade, heart, club, diamond};
  placed(cr, cx, cy, size, turned, shapes[suit & 3]);
}

void emblemPath(cairo_t* cr, int rank, double cx, double cy, double size) {
  if (rank == 13) placed(cr, cx, cy, size, false, crown);
  else if (rank == 12) placed(cr, cx, cy, size, false, coronet);
  else placed(cr, cx, cy, size, false, shield);
}

void emblemJewels(cairo_t* cr, int rank, double cx, double cy, double size) {
  placed(cr, cx, cy, size, false, [rank](cairo_t* c) {
    if (rank == 13) {
      circle(c, -0.95, -0.5, 0.14);
      circle(c, 0, -0.82, 0.16);
      circle(c, 0.95, -0.5, 0.14);
    } else if (rank == 12) {
      static const double pearls[5][2] = {{-0.85, -0.2}, {-0.425, -0.45}, {0, -0.45}, {0.425, -0.45}, {0.85, -0.2}};
      for (const auto& p : pearls) circle(c, p[0], p[1], 0.12);
    }
  });
}
