#include "qz_highscore.h"

#include <new>
#include <string>

#include "base/byte_order.h"
#include "qz_preferences.h"
#include "qz_resource_manager.h"

namespace {

constexpr uint32_t kExponent = 0x1b6e4f27;
constexpr uint32_t kModulus = 0x3a59c2e5;

struct VersionBytes {
  uint8_t version = 0;
  uint8_t minimumEncoding = 0;
};

VersionBytes& versionBytes() {
  static VersionBytes value;
  return value;
}

uint32_t powerMod(uint32_t base, uint32_t exponent, uint32_t modulus) {
  uint64_t result = 1;
  uint64_t b = base % modulus;
  for (; exponent != 0; exponent >>= 1) {
    if (exponent & 1) result = result * b % modulus;
    b = b * b % modulus;
  }
  return static_cast<uint32_t>(result);
}

void copyName(char16_t (&out)[QZ_HIGHSCORE_NAME_CHARS + 1], const char16_t* name, size_t length) {
  size_t i = 0;
  for (; name != nullptr && i < length && i < QZ_HIGHSCORE_NAME_CHARS && name[i] != 0; ++i) out[i] = name[i];
  for (; i <= QZ_HIGHSCORE_NAME_CHARS; ++i) out[i] = 0;
}

// Obscures or restores the entry bytes; the same operation does both.
void scramble(uint8_t* entries, uint32_t length, uint32_t checksum) {
  uint8_t key[4];
  base::storeLE32(key, checksum);
  auto b = static_cast<uint8_t>(checksum >> 24);
  for (uint32_t i = 0; i < length; ++i) {
    entries[i] ^= b;
    b = static_cast<uint8_t>(b + key[i % 4]);
  }
}

uint32_t blockSize(uint16_t count) { return QZ_HIGHSCORE_HEADER_SIZE + count * QZ_HIGHSCORE_ENTRY_SIZE; }

// Reads an unsigned decimal number at text[pos], moving pos past it.
uint32_t parseNumber(const std::u16string& text, size_t& pos) {
  uint32_t value = 0;
  for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) value = value * 10 + (text[pos] - u'0');
  return value;
}

void parseEntryLine(const std::u16string& line, QZHighscoreEntry& entry) {
  const size_t comma = line.find(u',');
  copyName(entry.name, line.c_str(), comma == std::u16string::npos ? line.size() : comma);
  if (comma == std::u16string::npos) return;
  size_t pos = comma + 1;
  entry.score = parseNumber(line, pos);
  if (pos < line.size() && line[pos] == u',') entry.extra = parseNumber(line, ++pos);
}

}  // namespace

void QZSetHighscoreVersion(uint8_t version, uint8_t minimumEncoding) {
  versionBytes() = VersionBytes{version, minimumEncoding};
}

QZHighscoreTable* QZCreateHighscoreTable(uint16_t count, uint32_t orderWord) {
  if (count == 0 || count > QZ_HIGHSCORE_MAX_ENTRIES) return nullptr;
  auto* table = new (std::nothrow) QZHighscoreTable();
  if (table == nullptr) return nullptr;
  table->count = count;
  table->orderWord = orderWord;
  table->version = versionBytes().version;
  table->entries.resize(count);
  return table;
}

void QZFreeHighscoreTable(QZHighscoreTable* table) { delete table; }

QZHighscoreTable* QZParseHighscoreText(const char16_t* text) {
  if (text == nullptr) return nullptr;
  std::u16string all(text);
  all.resize(std::min<size_t>(all.size(), QZ_HIGHSCORE_TEXT_CHARS));
  size_t pos = 0;
  const uint32_t count = parseNumber(all, pos);
  if (pos == 0 || count > QZ_HIGHSCORE_MAX_ENTRIES) return nullptr;
  QZHighscoreTable* table = QZCreateHighscoreTable(static_cast<uint16_t>(count), 0);
  if (table == nullptr) return nullptr;
  size_t lineStart = all.find(u'\n', pos);
  for (uint16_t i = 0; i < table->count && lineStart != std::u16string::npos; ++i) {
    const size_t next = all.find(u'\n', lineStart + 1);
    const size_t end = next == std::u16string::npos ? all.size() : next;
    parseEntryLine(all.substr(lineStart + 1, end - lineStart - 1), table->entries[i]);
    lineStart = next;
  }
  return table;
}

QZHighscoreTable* QZGetDefaultHighscoreTable(uint16_t stringId) {
  QZResourceHandle* handle = CQZResourceManager::instance().getString(stringId);
  if (handle == nullptr) return nullptr;
  QZHighscoreTable* table = QZParseHighscoreText(handle->getText());
  handle->release();
  delete handle;
  return table;
}

QZStatus QZResetHighscoreTable(QZHighscoreTable* table, uint16_t stringId) {
  QZHighscoreTable* defaults = QZGetDefaultHighscoreTable(stringId);
  if (defaults == nullptr) return QZ_ERR_NO_RESOURCE;
  const bool fits = defaults->count == table->count;
  if (fits) {
    table->entries = defaults->entries;
    table->version = defaults->version;
    table->encoding = 1;
    table->checksum = QZComputeHighscoreChecksum(table);
  }
  QZFreeHighscoreTable(defaults);
  return fits ? QZ_OK : QZ_ERR_GENERAL;
}

std::vector<uint8_t> QZEncodeHighscoreBlock(const QZHighscoreTable& table) {
  std::vector<uint8_t> block(blockSize(table.count), 0);
  uint8_t* p = block.data();
  base::storeLE16(p, table.count);
  base::storeLE16(p + 2, static_cast<uint16_t>(table.marker));
  base::storeLE32(p + 48, table.orderWord);
  base::storeLE32(p + 52, table.checksum);
  p[56] = table.version;
  p[57] = table.encoding;
  for (uint16_t i = 0; i < table.count; ++i) {
    uint8_t* e = p + QZ_HIGHSCORE_HEADER_SIZE + i * QZ_HIGHSCORE_ENTRY_SIZE;
    const QZHighscoreEntry& entry = table.entries[i];
    base::storeLE32(e, entry.score);
    for (uint32_t c = 0; c <= QZ_HIGHSCORE_NAME_CHARS; ++c) base::storeLE16(e + 4 + 2 * c, entry.name[c]);
    base::storeLE32(e + 28, entry.extra);
  }
  if (table.encoding == 1) {
    scramble(p + QZ_HIGHSCORE_HEADER_SIZE, table.count * QZ_HIGHSCORE_ENTRY_SIZE, table.checksum);
  }
  return block;
}

QZStatus QZDecodeHighscoreBlock(const uint8_t* block, uint32_t size, QZHighscoreTable& table) {
  if (size != blockSize(table.count) || base::loadLE16(block) != table.count) return QZ_ERR_GENERAL;
  std::vector<uint8_t> entries(block + QZ_HIGHSCORE_HEADER_SIZE, block + size);
  QZHighscoreTable read;
  read.count = table.count;
  read.marker = static_cast<int16_t>(base::loadLE16(block + 2));
  read.orderWord = base::loadLE32(block + 48);
  read.checksum = base::loadLE32(block + 52);
  read.version = block[56];
  read.encoding = block[57];
  if (read.encoding == 1) scramble(entries.data(), static_cast<uint32_t>(entries.size()), read.checksum);
  read.entries.resize(table.count);
  for (uint16_t i = 0; i < table.count; ++i) {
    const uint8_t* e = entries.data() + i * QZ_HIGHSCORE_ENTRY_SIZE;
    QZHighscoreEntry& entry = read.entries[i];
    entry.score = base::loadLE32(e);
    for (uint32_t c = 0; c < QZ_HIGHSCORE_NAME_CHARS; ++c) entry.name[c] = base::loadLE16(e + 4 + 2 * c);
    entry.extra = base::loadLE32(e + 28);
  }
  table = std::move(read);
  return QZ_OK;
}

QZStatus QZReadHighscoreTable(QZHighscoreTable* table, uint16_t preferencesId) {
  if (table->count == 0 || table->count > QZ_HIGHSCORE_MAX_ENTRIES) return QZ_ERR_GENERAL;
  std::vector<uint8_t> block(blockSize(table->count));
  const QZStatus status =
      QZGetPreferences(preferencesId, true, block.data(), static_cast<uint16_t>(block.size()), false);
  if (status != QZ_OK) return status;
  QZHighscoreTable read;
  read.count = table->count;
  if (QZDecodeHighscoreBlock(block.data(), static_cast<uint32_t>(block.size()), read) != QZ_OK) {
    return QZ_ERR_GENERAL;
  }
  if (read.version != versionBytes().version || read.encoding < versionBytes().minimumEncoding) {
    return QZ_ERR_VERSION;
  }
  if (read.checksum != QZComputeHighscoreChecksum(&read)) return QZ_ERR_CHECKSUM;
  *table = std::move(read);
  return QZ_OK;
}

QZStatus QZWriteHighscoreTable(const QZHighscoreTable* table, uint16_t preferencesId) {
  std::vector<uint8_t> block = QZEncodeHighscoreBlock(*table);
  return QZSetPreferences(preferencesId, true, block.data(), static_cast<uint16_t>(block.size()), false);
}

int16_t QZGetHighscorePosition(const QZHighscoreTable* table, uint32_t score) {
  if (table->count == 0 || table->entries.size() < table->count) return -1;
  const bool lowerFirst = table->order() != 0;
  auto ranksAbove = [lowerFirst, score](uint32_t existing) { return lowerFirst ? score >= existing : existing >= score; };
  if (ranksAbove(table->entries[table->count - 1].score)) return -1;
  for (int i = table->count - 2; i >= 0; --i) {
    if (ranksAbove(table->entries[i].score)) return static_cast<int16_t>(i + 1);
  }
  return 0;
}

int16_t QZInsertHighscore(QZHighscoreTable* table, uint32_t score, const char16_t* name, uint32_t extra) {
  const int16_t index = QZGetHighscorePosition(table, score);
  if (index < 0) return -1;
  for (int i = table->count - 1; i > index; --i) table->entries[i] = table->entries[i - 1];
  QZHighscoreEntry& entry = table->entries[index];
  entry.score = score;
  entry.extra = extra;
  table->checksum = QZComputeHighscoreChecksum(table);
  copyName(entry.name, name, QZ_HIGHSCORE_NAME_CHARS);
  return index;
}

uint32_t QZComputeHighscoreChecksum(const QZHighscoreTable* table) {
  uint32_t a = 0;
  for (uint16_t i = 0; i < table->count && i < table->entries.size(); ++i) {
    const uint32_t s = table->entries[i].score;
    a = a != 0 ? a + 2703 : 2704;
    if (table->encoding != 0) {
      a ^= s != 0 ? s + 1973 : 1974;
      a = (a & 0xFFFF) ^ (a >> 16);
    } else {
      a *= s != 0 ? s : 1;
    }
  }
  return powerMod(a & 0x3FFFFFFF, kExponent, kModulus);
}
