// Resource databases: entries addressed by a four-character type and a 16-bit
// id, held in memory while open and written back whole.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

#include "qz_core_database.h"
#include "qz_database_file.h"
#include "qz_types.h"

class CQZResourceDatabase {
 public:
  virtual ~CQZResourceDatabase() = default;

  // Writes a new empty database file; does not open it. 0 or -1.
  virtual QZStatus create(const char16_t* name, uint32_t creator, uint32_t type) = 0;
  // 0; -12 when already open, not found or unreadable; -1 on a bad layout.
  virtual QZStatus open(const char16_t* name, uint32_t creator, uint32_t type, bool onDemand, bool anyName) = 0;
  // Rewrites the file; -1 when not open, partial, or the write fails.
  virtual QZStatus save() = 0;
  // Saves a complete database, then frees everything.
  virtual QZStatus close() = 0;
  // Frees everything and deletes the file; -1 when not open or the file
  // could not be deleted.
  virtual QZStatus deleteDatabase() = 0;
  // Frees everything and leaves the file as it was; -1 when not open.
  virtual QZStatus discard() = 0;
  // New entry at the front; -1 when it exists, the database is full or
  // memory runs out.
  virtual QZStatus addResource(uint32_t type, uint16_t id, uint32_t size, const void* data) = 0;
  // Keeps as many old bytes as fit; new bytes are zero.
  virtual QZStatus resizeResource(uint32_t type, uint16_t id, uint32_t size) = 0;
  virtual QZStatus removeResource(uint32_t type, uint16_t id) = 0;
  // Every entry goes (in memory; the file changes at the next save). -1 when not open.
  virtual QZStatus removeAllResources() = 0;
  // The entry's data, loaded when needed; null for id 0xFFFF, an absent entry
  // or a failed load.
  virtual uint8_t* getResource(uint32_t type, uint16_t id) = 0;
  // Copies up to maxBytes; the count, 0 when absent, 0xFFFF when loading fails.
  virtual uint16_t readResource(uint32_t type, uint16_t id, uint16_t maxBytes, void* dest) = 0;
  // The size clamped to 16 bits; 0 when absent.
  virtual uint16_t getResourceSize(uint32_t type, uint16_t id) = 0;
  virtual QZStatus releaseResource(uint32_t type, uint16_t id) = 0;
  virtual QZStatus loadResource(uint32_t type, uint16_t id) = 0;
  virtual QZStatus unloadResource(uint32_t type, uint16_t id) = 0;
  virtual QZStatus loadAllResources() = 0;
  virtual QZStatus unloadAllResources() = 0;

  // The full size; 0 when absent.
  virtual uint32_t getResourceLength(uint32_t type, uint16_t id) = 0;
  // Whether the file, read whole at open, held nothing besides its header,
  // directory, gap and one entry of each type and id: bytes no entry covers
  // tell of a damaged directory.
  virtual bool isWhole() = 0;
  // The entries found at open that nobody has read since (getResource or
  // readResource); an entry nobody asks for tells of a damaged type or id.
  virtual uint16_t countUnreadResources() = 0;
  // The database's core (folder search and byte accessors).
  virtual CQZCoreDatabase& core() = 0;
};

class CQZResourceDatabaseWin32 final : public CQZResourceDatabase {
 public:
  CQZResourceDatabaseWin32() = default;
  ~CQZResourceDatabaseWin32() override;
  CQZResourceDatabaseWin32(const CQZResourceDatabaseWin32&) = delete;
  CQZResourceDatabaseWin32& operator=(const CQZResourceDatabaseWin32&) = delete;

  QZStatus create(const char16_t* name, uint32_t creator, uint32_t type) override;
  QZStatus open(const char16_t* name, uint32_t creator, uint32_t type, bool onDemand, bool anyName) override;
  QZStatus save() override;
  QZStatus close() override;
  QZStatus deleteDatabase() override;
  QZStatus discard() override;
  QZStatus addResource(uint32_t type, uint16_t id, uint32_t size, const void* data) override;
  QZStatus resizeResource(uint32_t type, uint16_t id, uint32_t size) override;
  QZStatus removeResource(uint32_t type, uint16_t id) override;
  QZStatus removeAllResources() override;
  uint8_t* getResource(uint32_t type, uint16_t id) override;
  uint16_t readResource(uint32_t type, uint16_t id, uint16_t maxBytes, void* dest) override;
  uint16_t getResourceSize(uint32_t type, uint16_t id) override;
  QZStatus releaseResource(uint32_t type, uint16_t id) override;
  QZStatus loadResource(uint32_t type, uint16_t id) override;
  QZStatus unloadResource(uint32_t type, uint16_t id) override;
  QZStatus loadAllResources() override;
  QZStatus unloadAllResources() override;
  uint32_t getResourceLength(uint32_t type, uint16_t id) override;
  bool isWhole() override { return whole_; }
  uint16_t countUnreadResources() override;
  CQZCoreDatabase& core() override { return core_; }

  bool isOpen() const { return open_; }
  bool isPartial() const { return partial_; }
  uint16_t count() const { return static_cast<uint16_t>(entries_.size()); }

 private:
  struct Entry {
    uint32_t type = 0;
    uint16_t id = 0;
    uint32_t size = 0;
    uint32_t offset = 0;
    std::unique_ptr<uint8_t[]> data;
    bool read = false;
  };
  using EntryList = std::list<Entry>;

  static uint64_t key(uint32_t type, uint16_t id) { return (static_cast<uint64_t>(type) << 16) | id; }
  Entry* find(uint32_t type, uint16_t id);
  QZStatus load(Entry& entry);
  QZStatus readEntries(const std::vector<QZDatabaseEntry>& entries, const std::vector<uint8_t>* wholeFile);
  void freeAll();

  CQZCoreDatabaseWin32 core_;
  bool open_ = false;
  bool partial_ = false;
  bool whole_ = true;
  std::u16string path_;
  QZDatabaseHeader header_;
  EntryList entries_;
  std::unordered_map<uint64_t, EntryList::iterator> index_;
};

// The platform's resource database object; null when memory runs out.
CQZResourceDatabase* QZNewResourceDatabase();
