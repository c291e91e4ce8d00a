#include "recipe_lines.h"

#include <sstream>

bool forEachRecipeLine(const std::string& text, const std::function<bool(const std::string& line, int number)>& take) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    if (!take(line, number)) return false;
  }
  return true;
}
