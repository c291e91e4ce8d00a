#include "pixel_glyphs.h"

#include <sstream>

namespace {

bool finishGlyph(const std::string& name, PixelGlyph& glyph, PixelGlyphs& out, int line, std::string& error) {
  if (name.empty()) return true;
  if (glyph.height == 0) {
    error = "line " + std::to_string(line) + ": glyph " + name + " has no rows";
    return false;
  }
  out[name] = glyph;
  glyph = PixelGlyph{};
  return true;
}

bool addRow(const std::string& row, PixelGlyph& glyph, int line, std::string& error) {
  if (glyph.height > 0 && static_cast<int>(row.size()) != glyph.width) {
    error = "line " + std::to_string(line) + ": row width differs";
    return false;
  }
  for (char c : row) {
    if (c != '#' && c != '.') {
      error = "line " + std::to_string(line) + ": unknown character in a row";
      return false;
    }
    glyph.ink.push_back(c == '#' ? 1 : 0);
  }
  glyph.width = static_cast<int>(row.size());
  ++glyph.height;
  return true;
}

}  // namespace

bool parsePixelGlyphs(const std::string& text, PixelGlyphs& out, std::string& error) {
  std::istringstream in(text);
  std::string line;
  std::string name;
  PixelGlyph glyph;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (line.rfind("# ", 0) == 0) continue;  // a comment, not a row
    if (line.rfind("glyph ", 0) == 0) {
      if (!finishGlyph(name, glyph, out, number, error)) return false;
      name = line.substr(6);
      continue;
    }
    if (line.empty()) {
      if (!finishGlyph(name, glyph, out, number, error)) return false;
      name.clear();
      continue;
    }
    if (name.empty()) {
      error = "line " + std::to_string(number) + ": row outside a glyph";
      return false;
    }
    if (!addRow(line, glyph, number, error)) return false;
  }
  return finishGlyph(name, glyph, out, number, error);
}
