// Renders the glyphs of one font recipe with FreeType, monochrome and hinted
// (crisp pixels at small sizes), into line-high pictures: each picture is as
// wide as the glyph's advance less the one pixel of letter spacing that the
// font manager adds, and as high as the line.
#pragma once

#include <memory>
#include <string>

#include "canvas.h"
#include "font_recipe.h"

class GlyphRenderer {
 public:
  GlyphRenderer();
  ~GlyphRenderer();
  GlyphRenderer(const GlyphRenderer&) = delete;
  GlyphRenderer& operator=(const GlyphRenderer&) = delete;

  // False with a message when the font file cannot be opened or sized.
  bool open(const std::string& path, const FontRecipe& recipe, std::string& error);
  // The picture of one character; null when the font has no glyph for it.
  std::unique_ptr<Canvas> render(char32_t character);

 private:
  struct Face;
  std::unique_ptr<Face> face_;
  FontRecipe recipe_;
};
