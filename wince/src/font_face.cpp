#include "font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstring>
#include <map>
#include <tuple>

#ifndef WINCE_FONT_DIR
#define WINCE_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace wince::gdi {
namespace {

FT_Library library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) l = nullptr;
    return l;
  }();
  return lib;
}

std::string lowerAscii(const WCHAR* s, size_t max) {
  std::string out;
  for (size_t i = 0; i < max && s[i] != 0; ++i) {
    char16_t c = s[i];
    out.push_back(c < 128 ? static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c) : '?');
  }
  return out;
}

bool has(const std::string& s, const char* word) { return s.find(word) != std::string::npos; }

}  // namespace

std::string fontFileFor(const LOGFONTW& log) {
  std::string face = lowerAscii(log.lfFaceName, LF_FACESIZE);
  int family = log.lfPitchAndFamily & 0xF0;
  bool mono = has(face, "mono") || has(face, "courier") || (face.empty() && (family == FF_MODERN ||
                                                                              (log.lfPitchAndFamily & 3) == FIXED_PITCH));
  bool serif = !has(face, "sans") && (has(face, "serif") || has(face, "times") || has(face, "roman") ||
                                      (face.empty() && family == FF_ROMAN));
  bool bold = log.lfWeight >= FW_SEMIBOLD;
  std::string name = mono ? "DejaVuSansMono" : serif ? "DejaVuSerif" : "DejaVuSans";
  if (bold) name += "-Bold";
  return std::string(WINCE_FONT_DIR) + "/" + name + ".ttf";
}

struct FontInstance::Key {
  std::string path;
  LONG height;
  bool oblique;
  bool mono;
  int dpi;
  bool operator<(const Key& o) const {
    return std::tie(path, height, oblique, mono, dpi) < std::tie(o.path, o.height, o.oblique, o.mono, o.dpi);
  }
};

std::shared_ptr<FontInstance> FontInstance::get(const LOGFONTW& log, int dpi) {
  static std::map<Key, std::shared_ptr<FontInstance>> cache;
  Key key{fontFileFor(log), log.lfHeight, log.lfItalic != 0, log.lfQuality == NONANTIALIASED_QUALITY, dpi};
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  std::shared_ptr<FontInstance> inst(new FontInstance);
  inst->oblique_ = key.oblique;
  inst->mono_ = key.mono;
  inst->bold_ = log.lfWeight >= FW_SEMIBOLD;
  inst->load(key.path, log, dpi);
  cache.emplace(key, inst);
  return inst;
}

FontInstance::~FontInstance() {
  if (face_ != nullptr) FT_Done_Face(static_cast<FT_Face>(face_));
}

// Sizes the face so that its cell (the ascent and descent the face declares
// for line spacing) matches a positive height, or its em matches a negative
// one.
bool FontInstance::load(const std::string& path, const LOGFONTW& log, int dpi) {
  double ascentUnits = 0.8, descentUnits = 0.2, upem = 1.0;
  FT_Face face = nullptr;
  if (library() != nullptr && FT_New_Face(library(), path.c_str(), 0, &face) == 0) {
    face_ = face;
    upem = face->units_per_EM;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
      ascentUnits = os2->usWinAscent;
      descentUnits = os2->usWinDescent;
    } else {
      ascentUnits = face->ascender;
      descentUnits = -face->descender;
    }
  }
  double cellUnits = ascentUnits + descentUnits;
  double em;
  if (log.lfHeight > 0) {
    height_ = log.lfHeight;
    em = height_ * upem / cellUnits;
  } else {
    em = log.lfHeight < 0 ? -static_cast<double>(log.lfHeight) : 12.0 * dpi / 96.0;
    height_ = static_cast<int>(std::lround(em * cellUnits / upem));
  }
  ascent_ = static_cast<int>(std::lround(height_ * ascentUnits / cellUnits));
  emPixels_ = static_cast<int>(std::lround(em));
  internalLeading_ = height_ - emPixels_;
  if (face == nullptr) return false;
  FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(em * 64.0)), 72, 72);
  maxWidth_ = static_cast<int>(std::lround(static_cast<double>(face->max_advance_width) * em / upem));
  return true;
}

const Glyph& FontInstance::glyph(char32_t cp) {
  auto it = glyphs_.find(cp);
  if (it != glyphs_.end()) return it->second;
  Glyph& g = glyphs_[cp];
  auto* face = static_cast<FT_Face>(face_);
  if (face == nullptr || cp < 0x20) return g;  // control characters take no room
  FT_UInt index = FT_Get_Char_Index(face, cp);
  FT_Int32 flags = FT_LOAD_DEFAULT | (mono_ ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  if (FT_Load_Glyph(face, index, flags) != 0) return g;
  if (oblique_) FT_GlyphSlot_Oblique(face->glyph);
  if (FT_Render_Glyph(face->glyph, mono_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return g;
  FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = static_cast<int>(bm.width);
  g.rows = static_cast<int>(bm.rows);
  g.coverage.assign(static_cast<size_t>(g.width) * g.rows, 0);
  for (int y = 0; y < g.rows; ++y) {
    const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
    for (int x = 0; x < g.width; ++x) {
      uint8_t a = bm.pixel_mode == FT_PIXEL_MODE_MONO ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0) : row[x];
      g.coverage[static_cast<size_t>(y) * g.width + x] = a;
    }
  }
  return g;
}

}  // namespace wince::gdi
