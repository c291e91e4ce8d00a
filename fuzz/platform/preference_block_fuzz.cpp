// Opens arbitrary bytes as the settings database and reads the system
// preferences, a checksummed block and a high-score table from it; also
// decodes the bytes directly as a high-score block and a default table text.
#include <cstdint>
#include <vector>

#include "fuzz_folder.h"
#include "qz_highscore.h"
#include "qz_preferences.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  writeFuzzFile("Fuzz-Settings", data, size);
  std::filesystem::remove(fuzzFolder() / "Fuzz-Settings.pdb.damaged.1");
  QZSetPreferencesOwner(u"Fuzz", QZFourCC("QzSo"));
  if (QZOpenPreferences() == QZ_OK) {
    QZLoadSystemPreferences();
    uint8_t block[64];
    QZGetPreferences(0x7072, true, block, sizeof block, true);
    const uint16_t stored = QZGetPreferencesSize(0x4853, true);
    if (QZHighscoreTable* table = QZCreateHighscoreTable(static_cast<uint16_t>((stored - 64) / 32), 0)) {
      QZReadHighscoreTable(table, 0x4853);
      QZFreeHighscoreTable(table);
    }
    QZClosePreferences();
  }
  if (size >= 64) {
    QZHighscoreTable table;
    table.count = static_cast<uint16_t>((size - 64) / 32);
    if (QZDecodeHighscoreBlock(data, static_cast<uint32_t>(size), table) == QZ_OK) {
      QZGetHighscorePosition(&table, 100);
      QZInsertHighscore(&table, 100, u"Fuzz", 1);
    }
  }
  std::vector<char16_t> text(size / 2 + 1, 0);
  for (size_t i = 0; i + 1 < size; i += 2) text[i / 2] = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  QZFreeHighscoreTable(QZParseHighscoreText(text.data()));
  return 0;
}
