// The framework's face of the platform's databases: a resource database and a
// record database wrapper, each owning one platform database object and
// forwarding to it, with the big-endian byte accessors both share.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "qz_core_database.h"
#include "qz_record_database.h"
#include "qz_resource_database.h"
#include "qz_types.h"

// The byte accessors used to pack and unpack record buffers; they forward to
// the core of the database that stores the buffer. Without a platform
// database object (memory ran out) puts return -9 and gets read 0.
class CQZFDatabase {
 public:
  virtual ~CQZFDatabase() = default;

  [[nodiscard]] virtual QZStatus putChars(uint8_t* buffer, const char* text, uint32_t offset, uint32_t n);
  [[nodiscard]] virtual QZStatus putText(uint8_t* buffer, const char16_t* text, uint32_t offset, uint32_t n);
  virtual void getChars(char* text, const uint8_t* buffer, uint32_t offset, uint32_t n);
  virtual void getText(char16_t* text, const uint8_t* buffer, uint32_t offset, uint32_t n);
  [[nodiscard]] virtual QZStatus putBlock(uint8_t* buffer, uint32_t offset, const uint8_t* data, uint16_t n);
  virtual void getBlock(uint8_t* data, const uint8_t* buffer, uint32_t offset, uint16_t n);
  [[nodiscard]] virtual QZStatus putU8(uint8_t* buffer, uint32_t offset, uint8_t value);
  virtual uint8_t getU8(const uint8_t* buffer, uint32_t offset);
  [[nodiscard]] virtual QZStatus putU16(uint8_t* buffer, uint32_t offset, uint16_t value);
  virtual uint16_t getU16(const uint8_t* buffer, uint32_t offset);
  [[nodiscard]] virtual QZStatus putU32(uint8_t* buffer, uint32_t offset, uint32_t value);
  virtual uint32_t getU32(const uint8_t* buffer, uint32_t offset);
  [[nodiscard]] virtual QZStatus putU64(uint8_t* buffer, uint32_t offset, uint64_t value);
  virtual uint64_t getU64(const uint8_t* buffer, uint32_t offset);
  // The platform database the accessors forward to (what record streams use); null without one.
  CQZCoreDatabase* getCore() const { return core_; }

 protected:
  explicit CQZFDatabase(CQZCoreDatabase* core) : core_(core) {}

 private:
  CQZCoreDatabase* core_;
};

// What both wrappers do alike: own the platform database object (made by the
// platform's factory; null when memory ran out, and every operation then
// fails with -9) and forward the management operations to it.
template <class Platform>
class CQZFOwnedDatabase : public CQZFDatabase {
 public:
  bool isValid() const { return database_ != nullptr; }

  // The next stored database of this creator and type; -1 after the last.
  [[nodiscard]] QZStatus findDatabase(uint32_t creator, uint32_t type, bool first, std::u16string& nameOut) {
    return database_ ? database_->core().findNextDatabase(creator, type, first, nameOut) : QZ_ERR_NO_MEMORY;
  }
  [[nodiscard]] QZStatus create(const char16_t* name, uint32_t creator, uint32_t type) {
    return database_ ? database_->create(name, creator, type) : QZ_ERR_NO_MEMORY;
  }
  [[nodiscard]] QZStatus close() { return database_ ? database_->close() : QZ_ERR_NO_MEMORY; }
  [[nodiscard]] QZStatus save() { return database_ ? database_->save() : QZ_ERR_NO_MEMORY; }
  [[nodiscard]] QZStatus deleteDatabase() { return database_ ? database_->deleteDatabase() : QZ_ERR_NO_MEMORY; }
  // Closes without saving: the file stays as it was.
  [[nodiscard]] QZStatus discard() { return database_ ? database_->discard() : QZ_ERR_NO_MEMORY; }

 protected:
  explicit CQZFOwnedDatabase(Platform* database)
      : CQZFDatabase(database ? &database->core() : nullptr), database_(database) {}

  // Deleting the wrapper deletes the platform object, which closes an open
  // database first.
  std::unique_ptr<Platform> database_;
};

// A resource database: entries by type and id, read whole on open and written
// back on close.
class CQZFRsrcDatabase final : public CQZFOwnedDatabase<CQZResourceDatabase> {
 public:
  CQZFRsrcDatabase();

  [[nodiscard]] QZStatus open(const char16_t* name, uint32_t creator, uint32_t type, bool anyName);
  [[nodiscard]] QZStatus addResource(uint32_t type, uint16_t id, uint32_t size, const void* data);
  [[nodiscard]] QZStatus resizeResource(uint32_t type, uint16_t id, uint32_t size);
  [[nodiscard]] QZStatus removeResource(uint32_t type, uint16_t id);
  [[nodiscard]] QZStatus removeAllResources();
  uint8_t* getResource(uint32_t type, uint16_t id);
  uint16_t getResourceSize(uint32_t type, uint16_t id);
  [[nodiscard]] QZStatus releaseResource(uint32_t type, uint16_t id);
  // The file held nothing but what its directory names (see CQZResourceDatabase).
  bool isWhole();
  // Entries found at open that nobody has read since.
  uint16_t countUnreadResources();
};

// A record database: numbered records in file order.
class CQZFRecDatabase final : public CQZFOwnedDatabase<CQZRecordDatabase> {
 public:
  CQZFRecDatabase();

  [[nodiscard]] QZStatus open(const char16_t* name, uint32_t creator, uint32_t type, bool anyName);
  uint16_t getRecordCount();
  uint8_t* getRecord(uint16_t index);
  uint16_t getRecordSize(uint16_t index);
  // The new zero-filled record to fill; null when nothing was added.
  uint8_t* appendRecord(uint32_t size, uint16_t& indexOut);
  [[nodiscard]] QZStatus releaseRecord(uint16_t index);
};
