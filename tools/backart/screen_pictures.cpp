#include "screen_pictures.h"

#include <cmath>

#include "card_face.h"

namespace {

void progressBar(Canvas& c) {
  for (int y = 0; y < c.height(); ++y) {
    const double t = static_cast<double>(y) / (c.height() - 1);
    const double light = 1 - std::fabs(t - 0.3) * 1.3;
    for (int x = 0; x < c.width(); ++x) {
      const bool stripe = ((x + y) / 6) % 2 == 0;
      const Rgb base = stripe ? Rgb{236, 186, 52} : Rgb{214, 160, 36};
      c.setPixel(x, y, mixRgb(base, {255, 248, 210}, std::max(0.0, light) * 0.6));
    }
  }
}

void barFrame(Canvas& c) {
  for (int x = 0; x < c.width(); ++x) {
    c.setPixel(x, 0, {20, 40, 20});
    c.setPixel(x, c.height() - 1, {200, 230, 200});
  }
  for (int y = 0; y < c.height(); ++y) {
    c.setPixel(0, y, {20, 40, 20});
    c.setPixel(c.width() - 1, y, {200, 230, 200});
  }
}

// Four aces fanned around a point below the picture, under the name.
void fanAndName(Canvas& c, const PixelGlyphs& glyphs, double nameSize) {
  const int suits[4] = {0, 1, 2, 3};
  cairo_t* cr = c.cr();
  for (int i = 0; i < 4; ++i) {
    Canvas card(kLargeCard.width, kLargeCard.height);
    drawFace(card, kLargeCard, frontStyle(0), glyphs, suits[i], 1);
    card.harden();
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, card.width(), card.height());
    cairo_t* sc = cairo_create(s);
    for (int y = 0; y < card.height(); ++y) {
      for (int x = 0; x < card.width(); ++x) {
        if (!card.opaque(x, y)) continue;
        const Rgb p = card.pixel(x, y);
        cairo_set_source_rgb(sc, p.r / 255.0, p.g / 255.0, p.b / 255.0);
        cairo_rectangle(sc, x, y, 1, 1);
        cairo_fill(sc);
      }
    }
    cairo_destroy(sc);
    cairo_save(cr);
    cairo_translate(cr, c.width() / 2.0, c.height() + 40.0);
    cairo_rotate(cr, (i - 1.5) * 0.2);
    cairo_translate(cr, -card.width() / 2.0, -card.height() - 46.0);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(s);
  }
  cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, nameSize);
  cairo_text_extents_t e;
  cairo_text_extents(cr, "Pellwyn", &e);
  cairo_move_to(cr, (c.width() - e.width) / 2 - e.x_bearing, nameSize);
  cairo_text_path(cr, "Pellwyn");
  c.setColour({60, 36, 8});
  cairo_set_line_width(cr, 3);
  cairo_stroke_preserve(cr);
  c.setColour({248, 210, 90});
  cairo_fill(cr);
}

template <typename Draw>
bool add(ArtPlan& plan, int setId, int blobId, int width, int height, Draw draw) {
  Canvas canvas(width, height);
  draw(canvas);
  return plan.add(setId, blobId, canvas);
}

}  // namespace

bool drawScreenPictures(const PixelGlyphs& glyphs, ArtPlan& plan) {
  return add(plan, 5, 236, 127, 24, progressBar) && add(plan, 6, 239, 129, 26, barFrame) &&
         add(plan, 7, 238, 218, 110, [&](Canvas& c) { fanAndName(c, glyphs, 34); }) &&
         add(plan, 98, 1229, 214, 96, [&](Canvas& c) { fanAndName(c, glyphs, 30); });
}
