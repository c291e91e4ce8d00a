#include "screen_preview.h"

#include <cairo.h>

#include <algorithm>
#include <set>

namespace {

// The tint of the first colour scheme (stored tint - 127), which the
// program adds to the sets it tints.
constexpr int kTint[3] = {86 - 127, 124 - 127, 94 - 127};
const std::set<int> kTintedSets = {1, 2, 4, 11, 12, 100};
constexpr int kLetterSpacing = 1, kSpaceWidth = 4;

uint32_t tint(uint32_t v) {
  if (v == 0) return 0;
  auto channel = [](uint32_t c, int d) { return static_cast<uint32_t>(std::clamp(static_cast<int>(c) + d, 0, 255)); };
  return 0xFF000000u | channel((v >> 16) & 0xFF, kTint[0]) << 16 | channel((v >> 8) & 0xFF, kTint[1]) << 8 |
         channel(v & 0xFF, kTint[2]);
}

uint32_t blend(uint32_t under, uint32_t over, int level) {
  auto mix = [level](uint32_t a, uint32_t b) { return (a * (255 - level) + b * level) / 255; };
  return 0xFF000000u | mix((under >> 16) & 0xFF, (over >> 16) & 0xFF) << 16 |
         mix((under >> 8) & 0xFF, (over >> 8) & 0xFF) << 8 | mix(under & 0xFF, over & 0xFF);
}

}  // namespace

bool PreviewArt::read(const std::vector<std::string>& databases, const std::u32string& table, std::string& error) {
  characters = table;
  for (const std::string& path : databases) {
    ArtDatabase art;
    if (!readArtDatabase(path, art, error)) return false;
    for (auto& [setId, set] : art.sets) {
      for (BlobPicture& b : set) {
        if (kTintedSets.count(setId)) std::transform(b.argb.begin(), b.argb.end(), b.argb.begin(), tint);
        blobs.emplace(b.id, b);
      }
    }
    planes.insert(art.planes.begin(), art.planes.end());
  }
  return true;
}

PreviewScreen::PreviewScreen(const PreviewArt& art, int width, int height)
    : art_(art), width_(width), height_(height), pixels_(static_cast<size_t>(width * height), 0xFF000000u) {}

void PreviewScreen::plane(int id) {
  const auto found = art_.planes.find(id);
  if (found == art_.planes.end()) return;
  const BlobPicture& p = found->second;
  for (int y = 0; y < std::min(height_, p.height); ++y) {
    for (int x = 0; x < std::min(width_, p.width); ++x) pixels_[y * width_ + x] = p.argb[y * p.width + x];
  }
}

void PreviewScreen::fill(int x, int y, int w, int h, uint32_t rgb) {
  for (int py = std::max(0, y); py < std::min(height_, y + h); ++py) {
    for (int px = std::max(0, x); px < std::min(width_, x + w); ++px) pixels_[py * width_ + px] = 0xFF000000u | rgb;
  }
}

void PreviewScreen::blob(int id, int x, int y, int level) {
  const auto found = art_.blobs.find(id);
  if (found == art_.blobs.end()) return;
  const BlobPicture& b = found->second;
  for (int by = 0; by < b.height; ++by) {
    for (int bx = 0; bx < b.width; ++bx) {
      const uint32_t v = b.argb[by * b.width + bx];
      const int px = x + bx, py = y + by;
      if (v == 0 || px < 0 || py < 0 || px >= width_ || py >= height_) continue;
      uint32_t& d = pixels_[py * width_ + px];
      d = level >= 255 ? v : blend(d, v, level);
    }
  }
}

int PreviewScreen::blobWidth(int id) const {
  const auto found = art_.blobs.find(id);
  return found == art_.blobs.end() ? 0 : found->second.width;
}

int PreviewScreen::blobHeight(int id) const {
  const auto found = art_.blobs.find(id);
  return found == art_.blobs.end() ? 0 : found->second.height;
}

void PreviewScreen::text(int fontId, const std::u32string& text, int x, int y) {
  for (char32_t c : text) {
    const size_t index = art_.characters.find(c);
    if (c == U' ' || index == std::u32string::npos) {
      x += kSpaceWidth + kLetterSpacing;
      continue;
    }
    const int id = fontId + static_cast<int>(index);
    blob(id, x, y);
    x += blobWidth(id) + kLetterSpacing;
  }
}

int PreviewScreen::textWidth(int fontId, const std::u32string& text) const {
  int w = 0;
  for (char32_t c : text) {
    const size_t index = art_.characters.find(c);
    w += (c == U' ' || index == std::u32string::npos ? kSpaceWidth : blobWidth(fontId + static_cast<int>(index))) +
         kLetterSpacing;
  }
  return std::max(0, w - kLetterSpacing);
}

void PreviewScreen::frame(int first, int x, int y, int w, int h) {
  const int tlW = blobWidth(first), tlH = blobHeight(first), tW = blobWidth(first + 1);
  const int rW = blobWidth(first + 3), rH = blobHeight(first + 3), brH = blobHeight(first + 4);
  const int bH = blobHeight(first + 5);
  for (int tx = x + tlW; tx < x + w - tW; tx += tW) {
    blob(first + 1, tx, y);
    blob(first + 5, tx, y + h - bH);
  }
  for (int ty = y + tlH; ty < y + h - bH; ty += rH) {
    blob(first + 7, x, ty);
    blob(first + 3, x + w - rW, ty);
  }
  blob(first, x, y);
  blob(first + 2, x + w - tW, y);
  blob(first + 4, x + w - tW, y + h - brH);
  blob(first + 6, x, y + h - brH);
}

void PreviewScreen::caps(int first, int x, int y, int w) {
  const int lw = blobWidth(first), mw = blobWidth(first + 1), rw = blobWidth(first + 2);
  blob(first, x, y);
  for (int mx = x + lw; mx < x + w - rw; mx += mw) blob(first + 1, mx, y);
  blob(first + 2, x + w - rw, y);
}

void PreviewScreen::button(int first, int fontId, const std::u32string& label, int x, int y, int w) {
  caps(first, x, y, w);
  const int lineHeight = blobHeight(fontId);
  text(fontId, label, x + (w - textWidth(fontId, label)) / 2, y + (blobHeight(first) - lineHeight) / 2);
}

bool PreviewScreen::write(const std::string& path, int scale) const {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_ * scale, height_ * scale);
  cairo_surface_flush(surface);
  auto* out = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
  const int stride = cairo_image_surface_get_stride(surface) / 4;
  for (int y = 0; y < height_ * scale; ++y) {
    for (int x = 0; x < width_ * scale; ++x) out[y * stride + x] = pixels_[(y / scale) * width_ + x / scale];
  }
  cairo_surface_mark_dirty(surface);
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}
