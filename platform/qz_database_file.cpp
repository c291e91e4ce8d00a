#include "qz_database_file.h"

#include <cstring>
#include <new>

#include "qz_bytes.h"

namespace {

bool isReservedCharacter(char16_t c) {
  switch (c) {
    case u'\\': case u'/': case u':': case u'*': case u'?': case u'"': case u'<': case u'>': case u'|':
      return true;
    default:
      return false;
  }
}

void writeHeader(const QZDatabaseHeader& h, uint16_t count, uint8_t* p) {
  std::memcpy(p, h.name, QZ_DB_NAME_SIZE);
  QZPutBE16(p + 32, h.attributes);
  QZPutBE16(p + 34, h.version);
  QZPutBE32(p + 36, h.creationDate);
  QZPutBE32(p + 40, h.modificationDate);
  QZPutBE32(p + 44, h.backupDate);
  QZPutBE32(p + 48, h.modificationNumber);
  QZPutBE32(p + 52, 0);  // application info: not carried over
  QZPutBE32(p + 56, 0);  // sort info: not carried over
  QZPutBE32(p + 60, h.type);
  QZPutBE32(p + 64, h.creator);
  QZPutBE32(p + 68, h.uniqueIdSeed);
  QZPutBE32(p + 72, h.nextEntryList);
  QZPutBE16(p + 76, count);
}

}  // namespace

QZStatus QZParseDatabaseHeader(const uint8_t* p, size_t size, QZDatabaseHeader& h) {
  if (p == nullptr || size < QZ_DB_HEADER_SIZE) return QZ_ERR_GENERAL;
  std::memcpy(h.name, p, QZ_DB_NAME_SIZE);
  h.attributes = QZGetBE16(p + 32);
  h.version = QZGetBE16(p + 34);
  h.creationDate = QZGetBE32(p + 36);
  h.modificationDate = QZGetBE32(p + 40);
  h.backupDate = QZGetBE32(p + 44);
  h.modificationNumber = QZGetBE32(p + 48);
  h.appInfoOffset = QZGetBE32(p + 52);
  h.sortInfoOffset = QZGetBE32(p + 56);
  h.type = QZGetBE32(p + 60);
  h.creator = QZGetBE32(p + 64);
  h.uniqueIdSeed = QZGetBE32(p + 68);
  h.nextEntryList = QZGetBE32(p + 72);
  h.count = QZGetBE16(p + 76);
  return QZ_OK;
}

QZStatus QZParseDatabase(const uint8_t* bytes, size_t available, uint64_t fileLength, QZDatabaseKind kind,
                         QZDatabaseHeader& header, std::vector<QZDatabaseEntry>& entries) {
  entries.clear();
  if (available > fileLength || QZParseDatabaseHeader(bytes, available, header) != QZ_OK) return QZ_ERR_GENERAL;
  const uint32_t entrySize = QZEntrySize(kind);
  const uint64_t directoryEnd = QZ_DB_HEADER_SIZE + static_cast<uint64_t>(header.count) * entrySize;
  if (fileLength > 0xFFFFFFFFu || directoryEnd > available || directoryEnd + QZ_DB_GAP_SIZE > fileLength) {
    return QZ_ERR_GENERAL;
  }
  const auto size = static_cast<uint32_t>(fileLength);
  entries.resize(header.count);
  for (uint32_t i = 0; i < header.count; ++i) {
    const uint8_t* p = bytes + QZ_DB_HEADER_SIZE + i * entrySize;
    QZDatabaseEntry& e = entries[i];
    if (kind == QZDatabaseKind::Resource) {
      e.type = QZGetBE32(p);
      e.id = QZGetBE16(p + 4);
      e.offset = QZGetBE32(p + 6);
    } else {
      e.offset = QZGetBE32(p);
      std::memcpy(e.extra, p + 4, 4);
    }
    const uint32_t floor = i == 0 ? static_cast<uint32_t>(directoryEnd) : entries[i - 1].offset;
    if (e.offset < floor || e.offset > size) {
      entries.clear();
      return QZ_ERR_GENERAL;
    }
  }
  for (uint32_t i = 0; i < header.count; ++i) {
    const uint32_t end = i + 1 < header.count ? entries[i + 1].offset : size;
    entries[i].size = end - entries[i].offset;
  }
  return QZ_OK;
}

bool QZBuildDatabase(const QZDatabaseHeader& header, QZDatabaseKind kind, const std::vector<QZDatabaseItem>& items,
                     std::vector<uint8_t>& out) {
  if (items.size() > QZ_DB_MAX_ENTRIES) return false;
  const uint32_t entrySize = QZEntrySize(kind);
  uint64_t total = QZ_DB_HEADER_SIZE + items.size() * entrySize + QZ_DB_GAP_SIZE;
  for (const QZDatabaseItem& item : items) total += item.size;
  if (total > 0xFFFFFFFFu) return false;
  out.assign(static_cast<size_t>(total), 0);
  writeHeader(header, static_cast<uint16_t>(items.size()), out.data());
  uint32_t offset = QZ_DB_HEADER_SIZE + static_cast<uint32_t>(items.size()) * entrySize + QZ_DB_GAP_SIZE;
  uint8_t* entry = out.data() + QZ_DB_HEADER_SIZE;
  for (const QZDatabaseItem& item : items) {
    if (kind == QZDatabaseKind::Resource) {
      QZPutBE32(entry, item.type);
      QZPutBE16(entry + 4, item.id);
      QZPutBE32(entry + 6, offset);
    } else {
      QZPutBE32(entry, offset);
      std::memcpy(entry + 4, item.extra, 4);
    }
    if (item.size > 0) std::memcpy(out.data() + offset, item.data, item.size);
    offset += item.size;
    entry += entrySize;
  }
  return true;
}

bool QZIsValidDatabaseName(const char16_t* name) {
  if (name == nullptr || name[0] == 0) return false;
  size_t length = 0;
  bool onlyDots = true;
  for (; name[length] != 0; ++length) {
    const char16_t c = name[length];
    if (length >= QZ_DB_MAX_NAME || c < 0x20 || (c >= 0x7F && c < 0xA0) || c > 0xFF || isReservedCharacter(c)) {
      return false;
    }
    onlyDots = onlyDots && c == u'.';
  }
  return !onlyDots;
}

void QZStoreDatabaseName(const char16_t* name, uint8_t out[QZ_DB_NAME_SIZE]) {
  std::memset(out, 0, QZ_DB_NAME_SIZE);
  for (uint32_t i = 0; i < QZ_DB_MAX_NAME && name[i] != 0; ++i) out[i] = static_cast<uint8_t>(name[i]);
}

bool QZDatabaseNameMatches(const uint8_t stored[QZ_DB_NAME_SIZE], const char16_t* name) {
  uint8_t wanted[QZ_DB_NAME_SIZE];
  QZStoreDatabaseName(name, wanted);
  for (uint32_t i = 0; i < QZ_DB_NAME_SIZE; ++i) {
    if (stored[i] != wanted[i]) return false;
    if (stored[i] == 0) return true;
  }
  return true;
}

std::unique_ptr<uint8_t[]> QZAllocateData(uint32_t size) {
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[size == 0 ? 1 : size]());
}
