// Drawing helpers shared by the interface pictures: the palette of the
// recipe, rounded plates with a vertical shade, and cutting a piece out of a
// whole picture (frames and caps are drawn whole, then sliced, so that the
// pieces join without a seam).
#pragma once

#include <map>
#include <string>

#include "canvas.h"

class Palette {
 public:
  explicit Palette(const std::map<std::string, Rgb>& colours) : colours_(colours) {}
  // The named colour; a missing name is remembered (see missing()) and gives
  // black.
  Rgb operator[](const std::string& name);
  const std::string& missing() const { return missing_; }

 private:
  const std::map<std::string, Rgb>& colours_;
  std::string missing_;
};

struct Box {
  double x, y, w, h;
  Box inset(double d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
};

// Adds a rounded rectangle to the path (radius 0: square corners).
void roundedPath(cairo_t* cr, const Box& box, double radius);
// Fills a rounded rectangle with one colour.
void fillRounded(Canvas& c, const Box& box, double radius, Rgb colour);
// Fills a rounded rectangle shaded from top to bottom.
void shadeRounded(Canvas& c, const Box& box, double radius, Rgb top, Rgb bottom);
// Makes a rectangle of the canvas transparent again.
void clearBox(Canvas& c, const Box& box);
// Copies the (x, y) corner of source, the size of piece, into piece.
void slice(const Canvas& source, int x, int y, Canvas& piece);
// A filled polygon of n points (x0, y0, x1, y1, ...).
void fillPolygon(Canvas& c, const double* points, int n, Rgb colour);
// Copies the opaque pixels of source onto target with source's corner at (x, y).
void paste(const Canvas& source, Canvas& target, int x, int y);
// A shading from top to bottom as cairo's source, for the current path.
void setShade(Canvas& c, double y0, double y1, Rgb top, Rgb bottom);
