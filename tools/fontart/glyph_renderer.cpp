#include "glyph_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <vector>

#include "accent_marks.h"

struct GlyphRenderer::Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Face() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

namespace {

Rgb rgbOf(unsigned v) { return {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)}; }

// Ink of the rendered bitmap placed in a cell: 1 where the glyph has ink.
std::vector<uint8_t> placeInk(const FT_GlyphSlot slot, int width, int height, int left, int top) {
  std::vector<uint8_t> ink(static_cast<size_t>(width * height), 0);
  const FT_Bitmap& bm = slot->bitmap;
  for (unsigned y = 0; y < bm.rows; ++y) {
    for (unsigned x = 0; x < bm.width; ++x) {
      const unsigned char byte = bm.buffer[static_cast<int>(y) * bm.pitch + static_cast<int>(x / 8)];
      if (!(byte & (0x80 >> (x % 8)))) continue;
      const int cx = left + static_cast<int>(x), cy = top + static_cast<int>(y);
      if (cx >= 0 && cy >= 0 && cx < width && cy < height) ink[static_cast<size_t>(cy * width + cx)] = 1;
    }
  }
  return ink;
}

}  // namespace

GlyphRenderer::GlyphRenderer() : face_(std::make_unique<Face>()) {}
GlyphRenderer::~GlyphRenderer() = default;

bool GlyphRenderer::open(const std::string& path, const FontRecipe& recipe, std::string& error) {
  recipe_ = recipe;
  if (FT_Init_FreeType(&face_->library) != 0 || FT_New_Face(face_->library, path.c_str(), 0, &face_->face) != 0 ||
      FT_Set_Pixel_Sizes(face_->face, 0, static_cast<FT_UInt>(recipe.pixelSize)) != 0) {
    error = "cannot open the font " + path;
    return false;
  }
  return true;
}

std::unique_ptr<Canvas> GlyphRenderer::render(char32_t character) {
  FT_Face face = face_->face;
  // A letter with a mark above is its base letter with a fitted mark, when
  // the font has the base.
  const AccentedLetter* accented = accentedLetter(character);
  if (accented && FT_Get_Char_Index(face, accented->base) == 0) accented = nullptr;
  const FT_UInt index = FT_Get_Char_Index(face, accented ? accented->base : character);
  if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0 ||
      FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0) {
    return nullptr;
  }
  const FT_GlyphSlot slot = face->glyph;
  const int pad = recipe_.outlined ? 1 : 0;
  const int left = std::min(0, static_cast<int>(slot->bitmap_left));
  const int inkRight = slot->bitmap_left + static_cast<int>(slot->bitmap.width);
  const int advance = static_cast<int>((slot->advance.x + 32) >> 6);
  int width = std::max({1, advance - 1, inkRight - left}) + 2 * pad;
  const int height = recipe_.lineHeight + 2 * pad;
  std::vector<uint8_t> ink =
      placeInk(slot, width, height, slot->bitmap_left - left + pad, recipe_.baseline - slot->bitmap_top + pad);
  if (accented) {
    const bool bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    addMark(ink, width, height, bold ? accented->mark->bold : accented->mark->regular, pad);
  }
  auto canvas = std::make_unique<Canvas>(width, height);
  for (int y = 0; y < height && recipe_.outlined; ++y) {
    for (int x = 0; x < width; ++x) {
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy) {
        for (int dx = -1; dx <= 1 && !near; ++dx) {
          const int nx = x + dx, ny = y + dy;
          near = nx >= 0 && ny >= 0 && nx < width && ny < height && ink[static_cast<size_t>(ny * width + nx)];
        }
      }
      if (near) canvas->setPixel(x, y, rgbOf(recipe_.outline));
    }
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (ink[static_cast<size_t>(y * width + x)]) canvas->setPixel(x, y, rgbOf(recipe_.colour));
    }
  }
  return canvas;
}
