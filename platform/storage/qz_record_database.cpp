#include "qz_record_database.h"

#include <cstring>
#include <new>

#include "qz_file_access.h"

CQZRecordDatabaseWin32::~CQZRecordDatabaseWin32() {
  if (open_) close();
}

QZStatus CQZRecordDatabaseWin32::create(const char16_t* name, uint32_t creator, uint32_t type) {
  return core_.createDatabaseFile(name, creator, type, QZDatabaseKind::Record);
}

QZStatus CQZRecordDatabaseWin32::open(const char16_t* name, uint32_t creator, uint32_t type, bool anyName) {
  if (open_) return QZ_ERR_NO_DATABASE;
  std::u16string path;
  if (core_.findDatabaseFile(name, creator, type, anyName, path) != QZ_OK) return QZ_ERR_NO_DATABASE;
  std::vector<QZDatabaseEntry> entries;
  std::vector<uint8_t> bytes;
  const QZStatus read = CQZCoreDatabaseWin32::readDatabaseFile(path, QZDatabaseKind::Record, header_, entries, &bytes);
  if (read != QZ_OK) {
    freeAll();
    return read;
  }
  records_.reserve(entries.size());
  for (const QZDatabaseEntry& e : entries) {
    Record record;
    std::memcpy(record.extra, e.extra, sizeof record.extra);
    record.size = e.size;
    record.data = QZAllocateData(e.size);
    if (!record.data) {
      freeAll();
      return QZ_ERR_GENERAL;
    }
    std::memcpy(record.data.get(), bytes.data() + e.offset, e.size);
    records_.push_back(std::move(record));
  }
  path_ = std::move(path);
  open_ = true;
  return QZ_OK;
}

QZStatus CQZRecordDatabaseWin32::save() {
  if (!open_) return QZ_ERR_GENERAL;
  std::vector<QZDatabaseItem> items(records_.size());
  for (size_t i = 0; i < records_.size(); ++i) {
    std::memcpy(items[i].extra, records_[i].extra, sizeof items[i].extra);
    items[i].data = records_[i].data.get();
    items[i].size = records_[i].size;
  }
  return CQZCoreDatabaseWin32::writeDatabaseFile(path_, header_, QZDatabaseKind::Record, items);
}

QZStatus CQZRecordDatabaseWin32::close() {
  if (!open_) {
    freeAll();
    return QZ_ERR_GENERAL;
  }
  const QZStatus status = save();
  freeAll();
  return status;
}

QZStatus CQZRecordDatabaseWin32::deleteDatabase() {
  if (!open_) {
    freeAll();
    return QZ_ERR_GENERAL;
  }
  const bool deleted = QZFileDelete(path_);
  freeAll();
  return deleted ? QZ_OK : QZ_ERR_GENERAL;
}

void CQZRecordDatabaseWin32::freeAll() {
  records_.clear();
  path_.clear();
  header_ = QZDatabaseHeader{};
  open_ = false;
}

uint16_t CQZRecordDatabaseWin32::getRecordCount() { return static_cast<uint16_t>(records_.size()); }

uint8_t* CQZRecordDatabaseWin32::getRecord(uint16_t index) {
  return index < records_.size() ? records_[index].data.get() : nullptr;
}

uint16_t CQZRecordDatabaseWin32::getRecordSize(uint16_t index) {
  if (index >= records_.size()) return 0;
  return static_cast<uint16_t>(std::min<uint32_t>(records_[index].size, 0xFFFF));
}

uint8_t* CQZRecordDatabaseWin32::appendRecord(uint32_t size, uint16_t& indexOut) {
  if (!open_ || records_.size() >= QZ_DB_MAX_ENTRIES) return nullptr;
  Record record;
  record.size = size;
  record.data = QZAllocateData(size);
  if (!record.data) return nullptr;
  records_.push_back(std::move(record));
  indexOut = static_cast<uint16_t>(records_.size() - 1);
  return records_.back().data.get();
}

QZStatus CQZRecordDatabaseWin32::releaseRecord(uint16_t) { return QZ_OK; }

CQZRecordDatabase* QZNewRecordDatabase() { return new (std::nothrow) CQZRecordDatabaseWin32(); }
