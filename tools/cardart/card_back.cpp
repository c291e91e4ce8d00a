#include "card_back.h"

#include <cmath>
#include <sstream>

#include "card_face.h"
#include "recipe_lines.h"

namespace {

const char* const kPatterns[] = {"lattice", "checks", "dots", "stripes", "waves",
                                 "diamonds", "scales", "rosette", "tartan", "rays"};

bool parseColour(const std::string& text, Rgb& out) {
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  const unsigned long v = std::stoul(text, nullptr, 16);
  out = {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
  return true;
}

void lattice(cairo_t* cr, double w, double h) {
  for (double d = -h; d < w + h; d += 4) {
    cairo_move_to(cr, d, 0);
    cairo_line_to(cr, d + h, h);
    cairo_move_to(cr, d + h, 0);
    cairo_line_to(cr, d, h);
  }
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void checks(cairo_t* cr, double w, double h) {
  for (int y = 0; y * 3 < h; ++y) {
    for (int x = 0; x * 3 < w; ++x) {
      if ((x + y) % 2) cairo_rectangle(cr, x * 3, y * 3, 3, 3);
    }
  }
  cairo_fill(cr);
}

void dots(cairo_t* cr, double w, double h) {
  for (int row = 0; row * 4 < h + 4; ++row) {
    for (double x = (row % 2) * 2.5; x < w + 5; x += 5) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, x + 0.5, row * 4 + 1.5, 1.3, 0, 2 * M_PI);
    }
  }
  cairo_fill(cr);
}

void stripes(cairo_t* cr, double w, double h) {
  for (double d = -h; d < w; d += 5) {
    cairo_move_to(cr, d, h);
    cairo_line_to(cr, d + h, 0);
  }
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

void waves(cairo_t* cr, double w, double h) {
  for (double y = 2; y < h + 4; y += 4) {
    cairo_move_to(cr, 0, y);
    for (double x = 0; x <= w; x += 0.5) cairo_line_to(cr, x, y + 1.2 * std::sin(x * M_PI / 3));
  }
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
}

void diamonds(cairo_t* cr, double w, double h) {
  for (int row = 0; row * 4 < h + 8; ++row) {
    for (double x = (row % 2) * 3.0; x < w + 6; x += 6) {
      const double y = row * 4.0;
      cairo_move_to(cr, x, y - 4);
      cairo_line_to(cr, x + 3, y);
      cairo_line_to(cr, x, y + 4);
      cairo_line_to(cr, x - 3, y);
      cairo_close_path(cr);
    }
  }
  cairo_fill(cr);
}

void scales(cairo_t* cr, double w, double h) {
  for (int row = 0; row * 4 < h + 8; ++row) {
    for (double x = (row % 2) * 4.0; x < w + 8; x += 8) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, x, row * 4.0, 4, 0.15 * M_PI, 0.85 * M_PI);
    }
  }
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void rosette(cairo_t* cr, double w, double h) {
  lattice(cr, w, h);
  const double cx = w / 2, cy = h / 2, r = std::min(w, h) * 0.42;
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx + std::cos(a) * r * 0.5, cy + std::sin(a) * r * 0.5, r * 0.42, 0, 2 * M_PI);
  }
  cairo_fill(cr);
}

void tartan(cairo_t* cr, double w, double h) {
  for (double x = 1; x < w; x += 7) cairo_rectangle(cr, x, 0, 2.5, h);
  for (double y = 1; y < h; y += 7) cairo_rectangle(cr, 0, y, w, 2.5);
  cairo_fill(cr);
  for (double x = 5; x < w; x += 7) cairo_rectangle(cr, x, 0, 1, h);
  cairo_fill(cr);
}

void rays(cairo_t* cr, double w, double h) {
  const double cx = w / 2, cy = h / 2, r = w + h;
  for (int i = 0; i < 24; i += 2) {
    const double a0 = i * M_PI / 12, a1 = (i + 1) * M_PI / 12;
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + r * std::cos(a0), cy + r * std::sin(a0));
    cairo_line_to(cr, cx + r * std::cos(a1), cy + r * std::sin(a1));
    cairo_close_path(cr);
  }
  cairo_fill(cr);
}

void drawPattern(cairo_t* cr, const std::string& name, double w, double h) {
  static void (*const draw[])(cairo_t*, double, double) = {lattice, checks,   dots,   stripes, waves,
                                                          diamonds, scales, rosette, tartan, rays};
  for (size_t i = 0; i < std::size(kPatterns); ++i) {
    if (name == kPatterns[i]) draw[i](cr, w, h);
  }
}

// The pattern inside the light margin, over the whole back.
void drawBackInside(Canvas& canvas, const BackRecipe& recipe) {
  drawCardShape(canvas, {248, 248, 244}, {56, 56, 64});
  cairo_t* cr = canvas.cr();
  const double inset = 2;
  const double w = canvas.width() - 2 * inset, h = canvas.height() - 2 * inset;
  cairo_save(cr);
  cairo_rectangle(cr, inset, inset, w, h);
  cairo_clip(cr);
  canvas.setColour(recipe.ground);
  cairo_paint(cr);
  cairo_translate(cr, inset, inset);
  canvas.setColour(recipe.motif);
  drawPattern(cr, recipe.pattern, w, h);
  cairo_restore(cr);
  cairo_rectangle(cr, inset + 0.5, inset + 0.5, w - 1, h - 1);
  canvas.setColour(mixRgb(recipe.ground, {0, 0, 0}, 0.35));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

}  // namespace

bool knownPattern(const std::string& pattern) {
  for (const char* p : kPatterns) {
    if (pattern == p) return true;
  }
  return false;
}

bool parseBackRecipes(const std::string& text, std::vector<BackRecipe>& out, std::string& error) {
  return forEachRecipeLine(text, [&](const std::string& line, int number) {
    std::istringstream words(line);
    std::string keyword, ground, motif, rest;
    BackRecipe recipe;
    words >> keyword >> recipe.pattern >> ground >> motif;
    if (keyword != "back" || !knownPattern(recipe.pattern) || !parseColour(ground, recipe.ground) ||
        !parseColour(motif, recipe.motif) || (words >> rest)) {
      error = "line " + std::to_string(number) + ": expected back PATTERN RRGGBB RRGGBB";
      return false;
    }
    out.push_back(recipe);
    return true;
  });
}

void drawBack(Canvas& canvas, const BackRecipe& recipe) { drawBackInside(canvas, recipe); }

void drawHalfTurnedBack(Canvas& canvas, const BackRecipe& recipe) {
  Canvas full(canvas.width(), canvas.height());
  BackRecipe shaded = recipe;
  shaded.ground = mixRgb(recipe.ground, {0, 0, 0}, 0.18);
  shaded.motif = mixRgb(recipe.motif, {0, 0, 0}, 0.18);
  drawBackInside(full, shaded);
  full.harden();
  canvas.drawSqueezed(full, (canvas.width() / 2) | 1);
}

void drawRandomBack(Canvas& canvas, const std::vector<BackRecipe>& recipes) {
  drawCardShape(canvas, {248, 248, 244}, {56, 56, 64});
  cairo_t* cr = canvas.cr();
  const double w = (canvas.width() - 4) / 2.0, h = (canvas.height() - 4) / 2.0;
  for (int q = 0; q < 4; ++q) {
    cairo_rectangle(cr, 2 + (q % 2) * w, 2 + (q / 2) * h, w, h);
    canvas.setColour(recipes[static_cast<size_t>(q * 5) % recipes.size()].ground);
    cairo_fill(cr);
  }
  const double cx = canvas.width() / 2.0, cy = canvas.height() / 2.0, s = canvas.width() * 0.22;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, s * 0.5);
  cairo_arc(cr, cx, cy - s * 0.6, s * 0.8, M_PI * 1.05, M_PI * 2.45);
  cairo_line_to(cr, cx, cy + s * 0.6);
  canvas.setColour({255, 255, 255});
  cairo_stroke_preserve(cr);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy + s * 1.45, s * 0.32, 0, 2 * M_PI);
  cairo_fill(cr);
}
