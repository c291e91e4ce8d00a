#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

Rgb mixRgb(Rgb a, Rgb b, double t) {
  auto mix = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
  return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::setColour(Rgb colour, double alpha) {
  cairo_set_source_rgba(cr_, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0, alpha);
}

uint32_t* Canvas::row(int y) const {
  unsigned char* data = cairo_image_surface_get_data(surface_);
  return reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * cairo_image_surface_get_stride(surface_));
}

void Canvas::setPixel(int x, int y, Rgb colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  cairo_surface_flush(surface_);
  row(y)[x] = 0xFF000000u | (uint32_t{colour.r} << 16) | (uint32_t{colour.g} << 8) | colour.b;
  cairo_surface_mark_dirty(surface_);
}

void Canvas::clearPixel(int x, int y) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  cairo_surface_flush(surface_);
  row(y)[x] = 0;
  cairo_surface_mark_dirty(surface_);
}

bool Canvas::opaque(int x, int y) const {
  cairo_surface_flush(surface_);
  return (row(y)[x] >> 24) >= 128;
}

Rgb Canvas::pixel(int x, int y) const {
  cairo_surface_flush(surface_);
  const uint32_t v = row(y)[x];
  const uint32_t a = v >> 24;
  if (a == 0) return {};
  auto channel = [a](uint32_t c) { return static_cast<uint8_t>(std::min<uint32_t>(255, (c * 255 + a / 2) / a)); };
  return {channel((v >> 16) & 0xFF), channel((v >> 8) & 0xFF), channel(v & 0xFF)};
}

void Canvas::stamp(const PixelGlyph& glyph, int x, int y, Rgb colour, bool turned) {
  for (int gy = 0; gy < glyph.height; ++gy) {
    for (int gx = 0; gx < glyph.width; ++gx) {
      const bool ink = turned ? glyph.at(glyph.width - 1 - gx, glyph.height - 1 - gy) : glyph.at(gx, gy);
      if (ink) setPixel(x + gx, y + gy, colour);
    }
  }
}

void Canvas::drawSqueezed(const Canvas& source, int squeezedWidth) {
  const int left = (width_ - squeezedWidth) / 2;
  for (int x = 0; x < squeezedWidth; ++x) {
    const int sx = (2 * x + 1) * source.width() / (2 * squeezedWidth);
    for (int y = 0; y < height_ && y < source.height(); ++y) {
      if (source.opaque(sx, y)) setPixel(left + x, y, source.pixel(sx, y));
    }
  }
}

void Canvas::harden() {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (opaque(x, y)) setPixel(x, y, pixel(x, y));
      else clearPixel(x, y);
    }
  }
}

bool Canvas::writePng(const std::string& path) {
  harden();
  return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
