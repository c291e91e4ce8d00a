#include "chrome_paint.h"

#include <algorithm>
#include <cmath>

Rgb Palette::operator[](const std::string& name) {
  const auto found = colours_.find(name);
  if (found != colours_.end()) return found->second;
  if (missing_.empty()) missing_ = name;
  return {};
}

void roundedPath(cairo_t* cr, const Box& b, double r) {
  r = std::min({r, b.w / 2, b.h / 2});
  if (r <= 0) {
    cairo_rectangle(cr, b.x, b.y, b.w, b.h);
    return;
  }
  cairo_new_sub_path(cr);
  cairo_arc(cr, b.x + b.w - r, b.y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, b.x + b.w - r, b.y + b.h - r, r, 0, M_PI / 2);
  cairo_arc(cr, b.x + r, b.y + b.h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, b.x + r, b.y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void fillRounded(Canvas& c, const Box& box, double radius, Rgb colour) {
  roundedPath(c.cr(), box, radius);
  c.setColour(colour);
  cairo_fill(c.cr());
}

void shadeRounded(Canvas& c, const Box& box, double radius, Rgb top, Rgb bottom) {
  roundedPath(c.cr(), box, radius);
  setShade(c, box.y, box.y + box.h, top, bottom);
  cairo_fill(c.cr());
}

void clearBox(Canvas& c, const Box& box) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_rectangle(cr, box.x, box.y, box.w, box.h);
  cairo_fill(cr);
  cairo_restore(cr);
}

void slice(const Canvas& source, int x, int y, Canvas& piece) {
  for (int py = 0; py < piece.height(); ++py) {
    for (int px = 0; px < piece.width(); ++px) {
      const int sx = x + px, sy = y + py;
      if (sx < source.width() && sy < source.height() && source.opaque(sx, sy)) {
        piece.setPixel(px, py, source.pixel(sx, sy));
      }
    }
  }
}

void fillPolygon(Canvas& c, const double* points, int n, Rgb colour) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, points[0], points[1]);
  for (int i = 1; i < n; ++i) cairo_line_to(cr, points[2 * i], points[2 * i + 1]);
  cairo_close_path(cr);
  c.setColour(colour);
  cairo_fill(cr);
}

void paste(const Canvas& source, Canvas& target, int x, int y) {
  for (int sy = 0; sy < source.height(); ++sy) {
    for (int sx = 0; sx < source.width(); ++sx) {
      if (source.opaque(sx, sy)) target.setPixel(x + sx, y + sy, source.pixel(sx, sy));
    }
  }
}

void setShade(Canvas& c, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(shade, 0, top.r / 255.0, top.g / 255.0, top.b / 255.0);
  cairo_pattern_add_color_stop_rgb(shade, 1, bottom.r / 255.0, bottom.g / 255.0, bottom.b / 255.0);
  cairo_set_source(c.cr(), shade);
  cairo_pattern_destroy(shade);
}
