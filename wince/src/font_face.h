// Outline fonts through FreeType: one instance per face file and pixel size,
// shared by every font object that asks for it, with its rendered glyphs.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "wince/gdi.h"

namespace wince::gdi {

struct Glyph {
  int left = 0;     // from the pen position to the first column
  int top = 0;      // from the baseline up to the first row
  int width = 0;
  int rows = 0;
  int advance = 0;  // whole pixels
  std::vector<uint8_t> coverage;  // width * rows, 0..255
};

class FontInstance {
 public:
  // The instance for a font description; dpi sizes the default height.
  // Never null: a face that cannot be loaded gives an instance without
  // glyphs (zero advances) but with the asked-for metrics.
  static std::shared_ptr<FontInstance> get(const LOGFONTW& log, int dpi);

  ~FontInstance();
  FontInstance(const FontInstance&) = delete;
  FontInstance& operator=(const FontInstance&) = delete;

  int height() const { return height_; }  // the cell: ascent + descent
  int ascent() const { return ascent_; }
  int descent() const { return height_ - ascent_; }
  int internalLeading() const { return internalLeading_; }
  int emPixels() const { return emPixels_; }
  int averageWidth() { return glyph(U'x').advance; }
  int maxWidth() { return maxWidth_; }
  bool bold() const { return bold_; }

  const Glyph& glyph(char32_t cp);
  int advance(char32_t cp) { return glyph(cp).advance; }

 private:
  struct Key;
  FontInstance() = default;
  bool load(const std::string& path, const LOGFONTW& log, int dpi);

  void* face_ = nullptr;  // FT_Face
  bool oblique_ = false;
  bool mono_ = false;
  bool bold_ = false;
  int height_ = 0;
  int ascent_ = 0;
  int internalLeading_ = 0;
  int emPixels_ = 0;
  int maxWidth_ = 0;
  std::unordered_map<char32_t, Glyph> glyphs_;
};

// Face file standing in for a face name, weight and pitch.
std::string fontFileFor(const LOGFONTW& log);

}  // namespace wince::gdi
