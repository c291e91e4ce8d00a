#include "font_recipe.h"

#include <sstream>

#include "base/utf8.h"
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
    char32_t c = 0;
    if (!base::readUtf8(text, i, c)) return false;
    out.push_back(c);
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
