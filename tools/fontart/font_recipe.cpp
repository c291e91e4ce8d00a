#include "font_recipe.h"

#include <sstream>

#include "recipe_lines.h"

namespace {

bool parseHex(const std::string& text, unsigned& out) {
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  out = static_cast<unsigned>(std::stoul(text, nullptr, 16));
  return true;
}

bool parseFont(std::istringstream& words, FontRecipe& f) {
  std::string colour, keyword, outline, rest;
  if (!(words >> f.setId >> f.firstBlob >> f.file >> f.pixelSize >> f.lineHeight >> f.baseline >> colour)) return false;
  if (!parseHex(colour, f.colour)) return false;
  if (words >> keyword) {
    if (keyword != "outline" || !(words >> outline) || !parseHex(outline, f.outline)) return false;
    f.outlined = true;
  }
  return !(words >> rest) && f.pixelSize > 0 && f.lineHeight > 0 && f.baseline > 0 && f.baseline <= f.lineHeight &&
         f.firstBlob >= 0 && f.setId >= 0;
}

}  // namespace

bool decodeUtf8(const std::string& text, std::u32string& out) {
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || (extra > 0 && i + static_cast<size_t>(extra) >= text.size())) return false;
    char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) {
      const auto d = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      if ((d >> 6) != 2) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    out.push_back(cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return true;
}

bool parseFontRecipes(const std::string& text, FontRecipes& out, std::string& error) {
  return forEachRecipeLine(text, [&](const std::string& line, int number) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    bool ok = false;
    if (keyword == "table") {
      ok = decodeUtf8(line.substr(6), out.table) && !out.table.empty();
    } else if (keyword == "font") {
      FontRecipe f;
      ok = parseFont(words, f);
      if (ok) out.fonts.push_back(f);
    }
    if (!ok) {
      error = "line " + std::to_string(number) + ": expected table CHARACTERS or font SET FIRST FILE SIZE LINE BASE "
              "RRGGBB [outline RRGGBB]";
    }
    return ok;
  });
}
