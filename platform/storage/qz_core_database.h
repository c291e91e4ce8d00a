// The core database: the folder search shared by every database object and
// the big-endian put and get primitives used by every reader and writer of
// database files and serialised records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "qz_database_file.h"
#include "qz_database_folders.h"
#include "qz_file_access.h"
#include "qz_types.h"

class CQZCoreDatabase {
 public:
  virtual ~CQZCoreDatabase() = default;

  // The next stored database of this creator and type over all folder slots,
  // slot 0 first; -1 after the last one.
  virtual QZStatus findNextDatabase(uint32_t creator, uint32_t type, bool first, std::u16string& nameOut) = 0;
  virtual QZStatus putChars(uint8_t* buffer, const char* text, uint32_t offset, uint32_t n) = 0;
  virtual QZStatus putText(uint8_t* buffer, const char16_t* text, uint32_t offset, uint32_t n) = 0;
  virtual void getChars(char* text, const uint8_t* buffer, uint32_t offset, uint32_t n) = 0;
  virtual void getText(char16_t* text, const uint8_t* buffer, uint32_t offset, uint32_t n) = 0;
  virtual QZStatus putBlock(uint8_t* buffer, uint32_t offset, const uint8_t* data, uint16_t n) = 0;
  virtual void getBlock(uint8_t* data, const uint8_t* buffer, uint32_t offset, uint16_t n) = 0;
  virtual QZStatus putU8(uint8_t* buffer, uint32_t offset, uint8_t value) = 0;
  virtual uint8_t getU8(const uint8_t* buffer, uint32_t offset) = 0;
  virtual QZStatus putU16(uint8_t* buffer, uint32_t offset, uint16_t value) = 0;
  virtual uint16_t getU16(const uint8_t* buffer, uint32_t offset) = 0;
  virtual QZStatus putU32(uint8_t* buffer, uint32_t offset, uint32_t value) = 0;
  virtual uint32_t getU32(const uint8_t* buffer, uint32_t offset) = 0;
  virtual QZStatus putU64(uint8_t* buffer, uint32_t offset, uint64_t value) = 0;
  virtual uint64_t getU64(const uint8_t* buffer, uint32_t offset) = 0;
};

class CQZCoreDatabaseWin32 final : public CQZCoreDatabase {
 public:
  QZStatus findNextDatabase(uint32_t creator, uint32_t type, bool first, std::u16string& nameOut) override;
  QZStatus putChars(uint8_t* buffer, const char* text, uint32_t offset, uint32_t n) override;
  QZStatus putText(uint8_t* buffer, const char16_t* text, uint32_t offset, uint32_t n) override;
  void getChars(char* text, const uint8_t* buffer, uint32_t offset, uint32_t n) override;
  void getText(char16_t* text, const uint8_t* buffer, uint32_t offset, uint32_t n) override;
  QZStatus putBlock(uint8_t* buffer, uint32_t offset, const uint8_t* data, uint16_t n) override;
  void getBlock(uint8_t* data, const uint8_t* buffer, uint32_t offset, uint16_t n) override;
  QZStatus putU8(uint8_t* buffer, uint32_t offset, uint8_t value) override;
  uint8_t getU8(const uint8_t* buffer, uint32_t offset) override;
  QZStatus putU16(uint8_t* buffer, uint32_t offset, uint16_t value) override;
  uint16_t getU16(const uint8_t* buffer, uint32_t offset) override;
  QZStatus putU32(uint8_t* buffer, uint32_t offset, uint32_t value) override;
  uint32_t getU32(const uint8_t* buffer, uint32_t offset) override;
  QZStatus putU64(uint8_t* buffer, uint32_t offset, uint64_t value) override;
  uint64_t getU64(const uint8_t* buffer, uint32_t offset) override;

  // The full path of name in a folder slot ("<folder>\<name>", with ".pdb"
  // when addExtension is set); false when the slot gives no folder, the path
  // would pass 255 characters or the folders cannot be created.
  bool buildPath(std::u16string& pathOut, const char16_t* name, bool addExtension, int slot, bool createFolders);

  // The next ".pdb" file of a slot; -1 when the slot gives no folder or has no
  // further file.
  QZStatus listFiles(bool first, int slot, std::u16string& nameOut);

  // The next ".pdb" file over all folder slots, whatever its header holds;
  // nameOut without the extension. -1 after the last one.
  QZStatus findNextFile(bool first, std::u16string& nameOut);

  // The first slot's "<name>.pdb" that exists, whatever its header holds.
  bool findFileByName(const char16_t* name, std::u16string& pathOut);

  // The open search: the first slot whose file has this creator and type and,
  // unless anyName, this stored name. -12 when none has.
  QZStatus findDatabaseFile(const char16_t* name, uint32_t creator, uint32_t type, bool anyName,
                            std::u16string& pathOut);

  // Writes a new empty database in slot 0, or slot 12 when slot 0 gives no
  // folder, replacing any file of that name. 0 or -1.
  QZStatus createDatabaseFile(const char16_t* name, uint32_t creator, uint32_t type, QZDatabaseKind kind);

  // Writes a whole database file through a temporary file. 0 or -1.
  static QZStatus writeDatabaseFile(const std::u16string& path, const QZDatabaseHeader& header, QZDatabaseKind kind,
                                    const std::vector<QZDatabaseItem>& items);

  // Reads a database file's header and directory, and with wholeFile the
  // whole file into it: -12 when the header cannot be read, -1 when the rest
  // cannot be read or its layout is bad.
  static QZStatus readDatabaseFile(const std::u16string& path, QZDatabaseKind kind, QZDatabaseHeader& header,
                                   std::vector<QZDatabaseEntry>& entries, std::vector<uint8_t>* wholeFile);

 private:
  // The next ".pdb" file of the folder slots and its path; false after the last.
  bool nextFile(bool first, std::u16string& file, std::u16string& path);

  QZFileListing listing_;
  bool listingOpen_ = false;
  int slot_ = 0;
};
