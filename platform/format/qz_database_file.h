// The byte layout of database files: a 78-byte big-endian header, one entry
// per resource (10 bytes) or record (8 bytes), a 2-byte gap, then the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "qz_types.h"

constexpr uint32_t QZ_DB_HEADER_SIZE = 78;
constexpr uint32_t QZ_DB_GAP_SIZE = 2;
constexpr uint32_t QZ_DB_NAME_SIZE = 32;
constexpr uint32_t QZ_DB_MAX_NAME = 31;
constexpr uint32_t QZ_DB_MAX_ENTRIES = 0xFFFF;
constexpr uint16_t QZ_DB_ATTRIBUTES_RESOURCE = 9;
constexpr uint16_t QZ_DB_ATTRIBUTES_RECORD = 8;

enum class QZDatabaseKind { Resource, Record };

constexpr uint32_t QZEntrySize(QZDatabaseKind kind) { return kind == QZDatabaseKind::Resource ? 10 : 8; }

struct QZDatabaseHeader {
  uint8_t name[QZ_DB_NAME_SIZE] = {};
  uint16_t attributes = 0;
  uint16_t version = 1;
  uint32_t creationDate = 0;
  uint32_t modificationDate = 0;
  uint32_t backupDate = 0;
  uint32_t modificationNumber = 0;
  uint32_t appInfoOffset = 0;
  uint32_t sortInfoOffset = 0;
  uint32_t type = 0;
  uint32_t creator = 0;
  uint32_t uniqueIdSeed = 0;
  uint32_t nextEntryList = 0;
  uint16_t count = 0;
};

// One directory entry as found in a file. Resource entries use type and id;
// record entries keep their 4 attribute and unique-id bytes in extra.
struct QZDatabaseEntry {
  uint32_t type = 0;
  uint16_t id = 0;
  uint8_t extra[4] = {};
  uint32_t offset = 0;
  uint32_t size = 0;
};

// An entry to be written, with its data.
struct QZDatabaseItem {
  uint32_t type = 0;
  uint16_t id = 0;
  uint8_t extra[4] = {};
  const uint8_t* data = nullptr;
  uint32_t size = 0;
};

// Reads the header; -1 when fewer than 78 bytes are given.
QZStatus QZParseDatabaseHeader(const uint8_t* bytes, size_t size, QZDatabaseHeader& header);

// Reads header and directory and checks them against the file length: the
// gap must be present, and every offset must lie between the end of the
// directory and the end of the file, never going down. Sizes come from the
// offsets, the last entry running to the end of the file. -1 on bad input.
// bytes holds the start of the file (available bytes of it, at least header
// and directory); fileLength is the length of the whole file.
QZStatus QZParseDatabase(const uint8_t* bytes, size_t available, uint64_t fileLength, QZDatabaseKind kind,
                         QZDatabaseHeader& header, std::vector<QZDatabaseEntry>& entries);

// Writes a whole file image: the header with the item count, the directory
// with offsets from the end of the gap, the gap, then every item's data. The
// offsets of blocks we do not carry (application and sort info) are written as
// 0. False when the items do not fit the format.
bool QZBuildDatabase(const QZDatabaseHeader& header, QZDatabaseKind kind, const std::vector<QZDatabaseItem>& items,
                     std::vector<uint8_t>& out);

// A database name becomes a file name: it must hold 1 to 31 characters, each
// a printable character of U+0020..U+00FF that no file system reserves, and
// must not be made of dots only.
bool QZIsValidDatabaseName(const char16_t* name);

// The stored name field: the low byte of each character, at most 31 of them,
// zero-filled.
void QZStoreDatabaseName(const char16_t* name, uint8_t out[QZ_DB_NAME_SIZE]);

// Compares a stored name field with a name, both narrowed the same way.
bool QZDatabaseNameMatches(const uint8_t stored[QZ_DB_NAME_SIZE], const char16_t* name);

// Allocates a zero-filled data buffer of size bytes (at least one, so that
// empty data still has an address); null when memory runs out.
std::unique_ptr<uint8_t[]> QZAllocateData(uint32_t size);
