#include "qz_database_file.h"

#include <cstring>
#include <new>

#include "base/byte_reader.h"
#include "base/byte_writer.h"

namespace {

bool isReservedCharacter(char16_t c) {
  switch (c) {
    case u'\\': case u'/': case u':': case u'*': case u'?': case u'"': case u'<': case u'>': case u'|':
      return true;
    default:
      return false;
  }
}

void writeHeader(const QZDatabaseHeader& h, uint16_t count, base::ByteWriter& w) {
  w.writeBytes(h.name, QZ_DB_NAME_SIZE);
  w.writeBE16(h.attributes);
  w.writeBE16(h.version);
  w.writeBE32(h.creationDate);
  w.writeBE32(h.modificationDate);
  w.writeBE32(h.backupDate);
  w.writeBE32(h.modificationNumber);
  w.writeBE32(0);  // application info: not carried over
  w.writeBE32(0);  // sort info: not carried over
  w.writeBE32(h.type);
  w.writeBE32(h.creator);
  w.writeBE32(h.uniqueIdSeed);
  w.writeBE32(h.nextEntryList);
  w.writeBE16(count);
}

}  // namespace

QZStatus QZParseDatabaseHeader(const uint8_t* p, size_t size, QZDatabaseHeader& h) {
  if (p == nullptr || size < QZ_DB_HEADER_SIZE) return QZ_ERR_GENERAL;
  base::ByteReader r(p, QZ_DB_HEADER_SIZE);
  r.readBytes(h.name, QZ_DB_NAME_SIZE);
  h.attributes = r.readBE16();
  h.version = r.readBE16();
  h.creationDate = r.readBE32();
  h.modificationDate = r.readBE32();
  h.backupDate = r.readBE32();
  h.modificationNumber = r.readBE32();
  h.appInfoOffset = r.readBE32();
  h.sortInfoOffset = r.readBE32();
  h.type = r.readBE32();
  h.creator = r.readBE32();
  h.uniqueIdSeed = r.readBE32();
  h.nextEntryList = r.readBE32();
  h.count = r.readBE16();
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
  base::ByteReader directory(bytes + QZ_DB_HEADER_SIZE, static_cast<size_t>(directoryEnd) - QZ_DB_HEADER_SIZE);
  for (uint32_t i = 0; i < header.count; ++i) {
    QZDatabaseEntry& e = entries[i];
    if (kind == QZDatabaseKind::Resource) {
      e.type = directory.readBE32();
      e.id = directory.readBE16();
      e.offset = directory.readBE32();
    } else {
      e.offset = directory.readBE32();
      directory.readBytes(e.extra, 4);
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
  base::ByteWriter w(out);
  writeHeader(header, static_cast<uint16_t>(items.size()), w);
  uint32_t offset = QZ_DB_HEADER_SIZE + static_cast<uint32_t>(items.size()) * entrySize + QZ_DB_GAP_SIZE;
  for (const QZDatabaseItem& item : items) {
    if (kind == QZDatabaseKind::Resource) {
      w.writeBE32(item.type);
      w.writeBE16(item.id);
      w.writeBE32(offset);
    } else {
      w.writeBE32(offset);
      w.writeBytes(item.extra, 4);
    }
    offset += item.size;
  }
  w.skip(QZ_DB_GAP_SIZE);
  for (const QZDatabaseItem& item : items) w.writeBytes(item.data, item.size);
  return w.ok();
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
