#include "contact_sheet.h"

#include <cairo.h>

#include <algorithm>

namespace {

constexpr int kGap = 3;

void paintGround(uint32_t* pixels, int stride, int width, int height) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels[y * stride + x] = ((x / 4 + y / 4) % 2) ? 0xFF9A9AA2u : 0xFF7C7C84u;
  }
}

void paintBlob(uint32_t* pixels, int stride, const BlobPicture& blob, int left, int top, int scale) {
  for (int y = 0; y < blob.height * scale; ++y) {
    for (int x = 0; x < blob.width * scale; ++x) {
      const uint32_t v = blob.argb[static_cast<size_t>((y / scale) * blob.width + x / scale)];
      if (v) pixels[(top + y) * stride + left + x] = v;
    }
  }
}

}  // namespace

bool writeContactSheet(const std::vector<BlobPicture>& blobs, const SheetLayout& layout, const std::string& path) {
  if (blobs.empty()) return true;
  int cellW = 1, cellH = 1;
  for (const BlobPicture& b : blobs) {
    cellW = std::max(cellW, b.width);
    cellH = std::max(cellH, b.height);
  }
  const int columns = std::min<int>(layout.columns, static_cast<int>(blobs.size()));
  const int rows = (static_cast<int>(blobs.size()) + columns - 1) / columns;
  const int s = layout.scale;
  const int width = columns * (cellW * s + kGap) + kGap, height = rows * (cellH * s + kGap) + kGap;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_surface_flush(surface);
  auto* pixels = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
  const int stride = cairo_image_surface_get_stride(surface) / 4;
  paintGround(pixels, stride, width, height);
  for (size_t i = 0; i < blobs.size(); ++i) {
    const int column = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
    paintBlob(pixels, stride, blobs[i], kGap + column * (cellW * s + kGap), kGap + row * (cellH * s + kGap), s);
  }
  cairo_surface_mark_dirty(surface);
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}
