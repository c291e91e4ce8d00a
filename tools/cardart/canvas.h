// A picture being drawn: a cairo surface for anti-aliased vector shapes and
// direct pixel access for the hand-fitted parts. What is written out has hard
// edges only (every pixel fully opaque or fully transparent), as the game's
// blob masks are.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "pixel_glyphs.h"

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

Rgb mixRgb(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b

class Canvas {
 public:
  Canvas(int width, int height);  // fully transparent
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  // The vector drawing context; its source colour is set by setColour.
  cairo_t* cr() { return cr_; }
  void setColour(Rgb colour, double alpha = 1.0);

  void setPixel(int x, int y, Rgb colour);  // opaque; outside the canvas: nothing
  void clearPixel(int x, int y);
  bool opaque(int x, int y) const;
  Rgb pixel(int x, int y) const;  // black for a transparent pixel
  // Inks a pixel design at (x, y); turned draws it rotated by half a turn.
  void stamp(const PixelGlyph& glyph, int x, int y, Rgb colour, bool turned = false);
  // Copies another canvas' opaque pixels, squeezed horizontally to the given
  // width and centred (nearest column).
  void drawSqueezed(const Canvas& source, int squeezedWidth);

  // Alpha of at least one half becomes opaque, the rest transparent.
  void harden();
  bool writePng(const std::string& path);

 private:
  uint32_t* row(int y) const;

  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};
