#include "qz_resource_database.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "qz_file_access.h"

CQZResourceDatabaseWin32::~CQZResourceDatabaseWin32() {
  if (open_) close();
}

QZStatus CQZResourceDatabaseWin32::create(const char16_t* name, uint32_t creator, uint32_t type) {
  return core_.createDatabaseFile(name, creator, type, QZDatabaseKind::Resource);
}

QZStatus CQZResourceDatabaseWin32::open(const char16_t* name, uint32_t creator, uint32_t type, bool onDemand,
                                        bool anyName) {
  if (open_) return QZ_ERR_NO_DATABASE;
  std::u16string path;
  if (core_.findDatabaseFile(name, creator, type, anyName, path) != QZ_OK) return QZ_ERR_NO_DATABASE;
  std::vector<QZDatabaseEntry> entries;
  std::vector<uint8_t> bytes;
  const QZStatus read = CQZCoreDatabaseWin32::readDatabaseFile(path, QZDatabaseKind::Resource, header_, entries,
                                                               onDemand ? nullptr : &bytes);
  if (read != QZ_OK) {
    freeAll();
    return read;
  }
  if (readEntries(entries, onDemand ? nullptr : &bytes) != QZ_OK) {
    freeAll();
    return QZ_ERR_GENERAL;
  }
  if (!onDemand) {
    const uint64_t dataStart =
        QZ_DB_HEADER_SIZE + entries.size() * uint64_t{QZEntrySize(QZDatabaseKind::Resource)} + QZ_DB_GAP_SIZE;
    const uint64_t firstData = entries.empty() ? bytes.size() : entries.front().offset;
    whole_ = whole_ && firstData == dataStart;
  }
  path_ = std::move(path);
  partial_ = onDemand;
  open_ = true;
  return QZ_OK;
}

QZStatus CQZResourceDatabaseWin32::readEntries(const std::vector<QZDatabaseEntry>& entries,
                                               const std::vector<uint8_t>* wholeFile) {
  for (const QZDatabaseEntry& e : entries) {
    // Entries are unique by type and id: a later twin (written by some other
    // tool) was never reachable, and keeping it would let a remove and an add
    // save two of them.
    if (find(e.type, e.id) != nullptr) {
      whole_ = false;
      continue;
    }
    Entry entry{e.type, e.id, e.size, e.offset, nullptr, false};
    if (wholeFile != nullptr) {
      entry.data = QZAllocateData(e.size);
      if (!entry.data) return QZ_ERR_GENERAL;
      std::memcpy(entry.data.get(), wholeFile->data() + e.offset, e.size);
    }
    entries_.push_back(std::move(entry));
    index_.emplace(key(e.type, e.id), std::prev(entries_.end()));
  }
  return QZ_OK;
}

QZStatus CQZResourceDatabaseWin32::save() {
  if (!open_ || partial_) return QZ_ERR_GENERAL;
  std::vector<QZDatabaseItem> items;
  items.reserve(entries_.size());
  for (const Entry& e : entries_) {
    QZDatabaseItem item;
    item.type = e.type;
    item.id = e.id;
    item.data = e.data.get();
    item.size = e.size;
    items.push_back(item);
  }
  return CQZCoreDatabaseWin32::writeDatabaseFile(path_, header_, QZDatabaseKind::Resource, items);
}

QZStatus CQZResourceDatabaseWin32::close() {
  if (!open_) return QZ_ERR_GENERAL;
  const QZStatus status = partial_ ? QZ_OK : save();
  freeAll();
  return status;
}

QZStatus CQZResourceDatabaseWin32::deleteDatabase() {
  if (!open_) return QZ_ERR_GENERAL;
  const bool deleted = QZFileDelete(path_);
  freeAll();
  return deleted ? QZ_OK : QZ_ERR_GENERAL;
}

QZStatus CQZResourceDatabaseWin32::discard() {
  if (!open_) return QZ_ERR_GENERAL;
  freeAll();
  return QZ_OK;
}

QZStatus CQZResourceDatabaseWin32::removeAllResources() {
  if (!open_ || partial_) return QZ_ERR_GENERAL;
  entries_.clear();
  index_.clear();
  return QZ_OK;
}

void CQZResourceDatabaseWin32::freeAll() {
  entries_.clear();
  index_.clear();
  path_.clear();
  header_ = QZDatabaseHeader{};
  open_ = false;
  partial_ = false;
  whole_ = true;
}

CQZResourceDatabaseWin32::Entry* CQZResourceDatabaseWin32::find(uint32_t type, uint16_t id) {
  const auto it = index_.find(key(type, id));
  return it == index_.end() ? nullptr : &*it->second;
}

QZStatus CQZResourceDatabaseWin32::load(Entry& entry) {
  if (entry.data) return QZ_OK;
  std::unique_ptr<uint8_t[]> data = QZAllocateData(entry.size);
  if (!data || !QZFileReadAt(path_, entry.offset, entry.size, data.get())) return QZ_ERR_GENERAL;
  entry.data = std::move(data);
  return QZ_OK;
}

QZStatus CQZResourceDatabaseWin32::addResource(uint32_t type, uint16_t id, uint32_t size, const void* data) {
  if (!open_ || find(type, id) != nullptr || entries_.size() >= QZ_DB_MAX_ENTRIES) return QZ_ERR_GENERAL;
  Entry entry{type, id, size, 0, QZAllocateData(size), true};
  if (!entry.data) return QZ_ERR_GENERAL;
  if (size > 0 && data != nullptr) std::memcpy(entry.data.get(), data, size);
  entries_.push_front(std::move(entry));
  index_.emplace(key(type, id), entries_.begin());
  return QZ_OK;
}

QZStatus CQZResourceDatabaseWin32::resizeResource(uint32_t type, uint16_t id, uint32_t size) {
  Entry* entry = find(type, id);
  if (entry == nullptr || load(*entry) != QZ_OK) return QZ_ERR_GENERAL;
  std::unique_ptr<uint8_t[]> data = QZAllocateData(size);
  if (!data) return QZ_ERR_GENERAL;
  std::memcpy(data.get(), entry->data.get(), std::min(size, entry->size));
  entry->data = std::move(data);
  entry->size = size;
  return QZ_OK;
}

QZStatus CQZResourceDatabaseWin32::removeResource(uint32_t type, uint16_t id) {
  const auto it = index_.find(key(type, id));
  if (it == index_.end()) return QZ_ERR_GENERAL;
  entries_.erase(it->second);
  index_.erase(it);
  return QZ_OK;
}

uint8_t* CQZResourceDatabaseWin32::getResource(uint32_t type, uint16_t id) {
  if (id == QZ_NO_ID) return nullptr;
  Entry* entry = find(type, id);
  if (entry == nullptr || load(*entry) != QZ_OK) return nullptr;
  entry->read = true;
  return entry->data.get();
}

uint16_t CQZResourceDatabaseWin32::readResource(uint32_t type, uint16_t id, uint16_t maxBytes, void* dest) {
  Entry* entry = find(type, id);
  if (entry == nullptr) return 0;
  if (load(*entry) != QZ_OK) return 0xFFFF;
  entry->read = true;
  const auto count = static_cast<uint16_t>(std::min<uint32_t>(entry->size, maxBytes));
  if (count > 0) std::memcpy(dest, entry->data.get(), count);
  return count;
}

uint16_t CQZResourceDatabaseWin32::getResourceSize(uint32_t type, uint16_t id) {
  return static_cast<uint16_t>(std::min<uint32_t>(getResourceLength(type, id), 0xFFFF));
}

uint32_t CQZResourceDatabaseWin32::getResourceLength(uint32_t type, uint16_t id) {
  const Entry* entry = find(type, id);
  return entry == nullptr ? 0 : entry->size;
}

uint16_t CQZResourceDatabaseWin32::countUnreadResources() {
  return static_cast<uint16_t>(std::count_if(entries_.begin(), entries_.end(), [](const Entry& e) { return !e.read; }));
}

QZStatus CQZResourceDatabaseWin32::releaseResource(uint32_t, uint16_t) { return QZ_ERR_GENERAL; }

QZStatus CQZResourceDatabaseWin32::loadResource(uint32_t type, uint16_t id) {
  Entry* entry = find(type, id);
  if (entry == nullptr) return QZ_ERR_NO_RESOURCE;
  return load(*entry);
}

QZStatus CQZResourceDatabaseWin32::unloadResource(uint32_t type, uint16_t id) {
  Entry* entry = find(type, id);
  if (entry == nullptr) return QZ_ERR_NO_RESOURCE;
  partial_ = true;
  entry->data.reset();
  return QZ_OK;
}

QZStatus CQZResourceDatabaseWin32::loadAllResources() {
  const bool anyAbsent = std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) { return !e.data; });
  std::vector<uint8_t> bytes;
  if (!anyAbsent || !QZFileReadAll(path_, bytes)) return QZ_OK;
  for (Entry& e : entries_) {
    if (e.data) continue;
    if (static_cast<uint64_t>(e.offset) + e.size > bytes.size()) return QZ_ERR_GENERAL;
    e.data = QZAllocateData(e.size);
    if (!e.data) return QZ_ERR_GENERAL;
    std::memcpy(e.data.get(), bytes.data() + e.offset, e.size);
  }
  return QZ_OK;
}

QZStatus CQZResourceDatabaseWin32::unloadAllResources() {
  partial_ = true;
  for (Entry& e : entries_) e.data.reset();
  return QZ_OK;
}

CQZResourceDatabase* QZNewResourceDatabase() { return new (std::nothrow) CQZResourceDatabaseWin32(); }
