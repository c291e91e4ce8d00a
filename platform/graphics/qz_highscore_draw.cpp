#include "qz_highscore_draw.h"

#include <string>

#include "qz_font.h"

namespace {

std::u16string decimal(uint32_t value) {
  std::u16string text;
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return text;
}

}  // namespace

QZStatus QZDrawHighscoreTable(const QZHighscoreTable* table, int rankX, int nameX, int scoreX, int top,
                              int lineHeight, int colourIndex) {
  for (uint16_t i = 0; i < table->count && i < table->entries.size() && table->entries[i].score != 0; ++i) {
    const QZHighscoreEntry& entry = table->entries[i];
    const int y = top + i * lineHeight;
    if (rankX >= 0) QZDrawText(decimal(i + 1u).c_str(), rankX, y, 1, colourIndex);
    QZDrawText(entry.name, nameX, y, 0, colourIndex);
    QZDrawText(decimal(entry.score).c_str(), scoreX, y, 2, colourIndex);
  }
  return QZ_OK;
}
