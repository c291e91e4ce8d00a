// Record databases: numbered records in file order, held in memory while open
// and written back whole.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qz_core_database.h"
#include "qz_database_file.h"
#include "qz_types.h"

class CQZRecordDatabase {
 public:
  virtual ~CQZRecordDatabase() = default;

  // Writes a new empty database file; does not open it. 0 or -1.
  virtual QZStatus create(const char16_t* name, uint32_t creator, uint32_t type) = 0;
  // 0; -12 when already open, not found or unreadable; -1 on a bad layout.
  virtual QZStatus open(const char16_t* name, uint32_t creator, uint32_t type, bool anyName) = 0;
  virtual QZStatus save() = 0;
  // Saves, then frees everything; -1 when not open.
  virtual QZStatus close() = 0;
  // Frees the records and deletes the file; -1 when not open or the file
  // could not be deleted.
  virtual QZStatus deleteDatabase() = 0;
  virtual uint16_t getRecordCount() = 0;
  // Null when index is not below the count.
  virtual uint8_t* getRecord(uint16_t index) = 0;
  // The size clamped to 16 bits; 0 when out of range.
  virtual uint16_t getRecordSize(uint16_t index) = 0;
  // Appends a zero-filled record and returns its data for the caller to fill;
  // null when the database is full or memory runs out (nothing added).
  virtual uint8_t* appendRecord(uint32_t size, uint16_t& indexOut) = 0;
  virtual QZStatus releaseRecord(uint16_t index) = 0;

  virtual CQZCoreDatabase& core() = 0;
};

class CQZRecordDatabaseWin32 final : public CQZRecordDatabase {
 public:
  CQZRecordDatabaseWin32() = default;
  ~CQZRecordDatabaseWin32() override;
  CQZRecordDatabaseWin32(const CQZRecordDatabaseWin32&) = delete;
  CQZRecordDatabaseWin32& operator=(const CQZRecordDatabaseWin32&) = delete;

  QZStatus create(const char16_t* name, uint32_t creator, uint32_t type) override;
  QZStatus open(const char16_t* name, uint32_t creator, uint32_t type, bool anyName) override;
  QZStatus save() override;
  QZStatus close() override;
  QZStatus deleteDatabase() override;
  uint16_t getRecordCount() override;
  uint8_t* getRecord(uint16_t index) override;
  uint16_t getRecordSize(uint16_t index) override;
  uint8_t* appendRecord(uint32_t size, uint16_t& indexOut) override;
  QZStatus releaseRecord(uint16_t index) override;
  CQZCoreDatabase& core() override { return core_; }

 private:
  struct Record {
    uint8_t extra[4] = {};
    uint32_t size = 0;
    std::unique_ptr<uint8_t[]> data;
  };

  void freeAll();

  CQZCoreDatabaseWin32 core_;
  bool open_ = false;
  std::u16string path_;
  QZDatabaseHeader header_;
  std::vector<Record> records_;
};

// The platform's record database object; null when memory runs out.
CQZRecordDatabase* QZNewRecordDatabase();
