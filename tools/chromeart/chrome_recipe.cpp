#include "chrome_recipe.h"

#include <set>
#include <sstream>

#include "recipe_lines.h"

namespace {

constexpr int kBlobMapSize = 1400;
constexpr int kLargestPiece = 320;

bool parseColour(std::istringstream& words, ChromeRecipe& out) {
  std::string name, hex, rest;
  if (!(words >> name >> hex) || (words >> rest)) return false;
  if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  const unsigned v = static_cast<unsigned>(std::stoul(hex, nullptr, 16));
  return out.colours
      .emplace(name, Rgb{static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)})
      .second;
}

bool parsePiece(std::istringstream& words, ChromePiece& p) {
  std::string rest;
  if (!(words >> p.name >> p.setId >> p.blobId >> p.width >> p.height) || (words >> rest)) return false;
  return p.setId >= 0 && p.setId < 130 && p.blobId >= 0 && p.blobId < kBlobMapSize && p.width > 0 && p.height > 0 &&
         p.width <= kLargestPiece && p.height <= kLargestPiece && p.name.find('.') != std::string::npos;
}

}  // namespace

const ChromePiece* ChromeRecipe::find(const std::string& name) const {
  for (const ChromePiece& p : pieces) {
    if (p.name == name) return &p;
  }
  return nullptr;
}

bool parseChromeRecipe(const std::string& text, ChromeRecipe& out, std::string& error) {
  std::set<int> ids;
  std::set<std::string> names;
  const bool read = forEachRecipeLine(text, [&](const std::string& line, int number) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    std::string why;
    std::string rest;
    if (keyword == "database") {
      if (!out.database.empty() || !(words >> out.database) || (words >> rest)) why = "expected database NAME, once";
    } else if (keyword == "colour") {
      if (!parseColour(words, out)) why = "expected colour NAME RRGGBB (each name once)";
    } else if (keyword == "piece") {
      ChromePiece p;
      p.line = number;
      if (!parsePiece(words, p)) {
        why = "expected piece GROUP.PART SET ID WIDTH HEIGHT (set below 130, id below 1400)";
      } else if (!ids.insert(p.blobId).second) {
        why = "blob " + std::to_string(p.blobId) + " given twice";
      } else if (!names.insert(p.name).second) {
        why = "piece " + p.name + " given twice";
      } else {
        out.pieces.push_back(p);
      }
    } else {
      why = "expected a colour or piece line";
    }
    if (why.empty()) return true;
    error = "line " + std::to_string(number) + ": " + why;
    return false;
  });
  if (read && out.database.empty()) {
    error = "no database line";
    return false;
  }
  return read;
}
