#include "qz_core_database.h"

#include <cstring>

#include "base/byte_order.h"

namespace {

bool readHeaderAt(const std::u16string& path, QZDatabaseHeader& header) {
  uint8_t bytes[QZ_DB_HEADER_SIZE];
  return QZFileReadAt(path, 0, QZ_DB_HEADER_SIZE, bytes) &&
         QZParseDatabaseHeader(bytes, sizeof bytes, header) == QZ_OK;
}

}  // namespace

bool CQZCoreDatabaseWin32::nextFile(bool first, std::u16string& file, std::u16string& path) {
  bool newListing = first;
  if (first || slot_ > QZ_FOLDER_SLOTS) {
    slot_ = 0;
    newListing = true;
  }
  while (slot_ < QZ_FOLDER_SLOTS) {
    if (listFiles(newListing, slot_, file) != QZ_OK) {
      ++slot_;
      newListing = true;
      continue;
    }
    newListing = false;
    if (buildPath(path, file.c_str(), false, slot_, false)) return true;
  }
  listing_.close();
  listingOpen_ = false;
  return false;
}

QZStatus CQZCoreDatabaseWin32::findNextDatabase(uint32_t creator, uint32_t type, bool first,
                                                std::u16string& nameOut) {
  std::u16string file, path;
  for (bool start = first; nextFile(start, file, path); start = false) {
    QZDatabaseHeader header;
    if (!readHeaderAt(path, header) || header.creator != creator || header.type != type) continue;
    nameOut = file.substr(0, file.size() - 4).substr(0, QZ_DB_MAX_NAME);
    return QZ_OK;
  }
  return QZ_ERR_GENERAL;
}

QZStatus CQZCoreDatabaseWin32::findNextFile(bool first, std::u16string& nameOut) {
  std::u16string file, path;
  if (!nextFile(first, file, path)) return QZ_ERR_GENERAL;
  nameOut = file.substr(0, file.size() - 4);
  return QZ_OK;
}

bool CQZCoreDatabaseWin32::findFileByName(const char16_t* name, std::u16string& pathOut) {
  if (!QZIsValidDatabaseName(name)) return false;
  for (int slot = 0; slot < QZ_FOLDER_SLOTS; ++slot) {
    std::u16string path;
    if (!buildPath(path, name, true, slot, false) || !QZFileExists(path)) continue;
    pathOut = std::move(path);
    return true;
  }
  return false;
}

QZStatus CQZCoreDatabaseWin32::putChars(uint8_t* buffer, const char* text, uint32_t offset, uint32_t n) {
  std::memcpy(buffer + offset, text, n);
  return QZ_OK;
}

QZStatus CQZCoreDatabaseWin32::putText(uint8_t* buffer, const char16_t* text, uint32_t offset, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i) buffer[offset + i] = static_cast<uint8_t>(text[i]);
  return QZ_OK;
}

void CQZCoreDatabaseWin32::getChars(char* text, const uint8_t* buffer, uint32_t offset, uint32_t n) {
  std::memcpy(text, buffer + offset, n);
}

void CQZCoreDatabaseWin32::getText(char16_t* text, const uint8_t* buffer, uint32_t offset, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i) text[i] = buffer[offset + i];
}

QZStatus CQZCoreDatabaseWin32::putBlock(uint8_t* buffer, uint32_t offset, const uint8_t* data, uint16_t n) {
  std::memcpy(buffer + offset, data, n);
  return QZ_OK;
}

void CQZCoreDatabaseWin32::getBlock(uint8_t* data, const uint8_t* buffer, uint32_t offset, uint16_t n) {
  std::memcpy(data, buffer + offset, n);
}

QZStatus CQZCoreDatabaseWin32::putU8(uint8_t* buffer, uint32_t offset, uint8_t value) {
  buffer[offset] = value;
  return QZ_OK;
}

uint8_t CQZCoreDatabaseWin32::getU8(const uint8_t* buffer, uint32_t offset) { return buffer[offset]; }

QZStatus CQZCoreDatabaseWin32::putU16(uint8_t* buffer, uint32_t offset, uint16_t value) {
  base::storeBE16(buffer + offset, value);
  return QZ_OK;
}

uint16_t CQZCoreDatabaseWin32::getU16(const uint8_t* buffer, uint32_t offset) { return base::loadBE16(buffer + offset); }

QZStatus CQZCoreDatabaseWin32::putU32(uint8_t* buffer, uint32_t offset, uint32_t value) {
  base::storeBE32(buffer + offset, value);
  return QZ_OK;
}

uint32_t CQZCoreDatabaseWin32::getU32(const uint8_t* buffer, uint32_t offset) { return base::loadBE32(buffer + offset); }

QZStatus CQZCoreDatabaseWin32::putU64(uint8_t* buffer, uint32_t offset, uint64_t value) {
  base::storeBE32(buffer + offset, static_cast<uint32_t>(value >> 32));
  base::storeBE32(buffer + offset + 4, static_cast<uint32_t>(value));
  return QZ_OK;
}

uint64_t CQZCoreDatabaseWin32::getU64(const uint8_t* buffer, uint32_t offset) {
  return (static_cast<uint64_t>(base::loadBE32(buffer + offset)) << 32) | base::loadBE32(buffer + offset + 4);
}

bool CQZCoreDatabaseWin32::buildPath(std::u16string& pathOut, const char16_t* name, bool addExtension, int slot,
                                     bool createFolders) {
  std::u16string folder;
  if (!QZGetDatabaseFolder(slot, folder)) return false;
  std::u16string path = folder + u"\\" + name;
  if (addExtension) path += u".pdb";
  if (path.size() > QZ_MAX_PATH_CHARS) return false;
  if (createFolders && !QZFileCreateFolders(folder)) return false;
  pathOut = std::move(path);
  return true;
}

QZStatus CQZCoreDatabaseWin32::listFiles(bool first, int slot, std::u16string& nameOut) {
  if (first || !listingOpen_) {
    listing_.close();
    std::u16string folder;
    listingOpen_ = QZGetDatabaseFolder(slot, folder) && listing_.start(folder);
    if (!listingOpen_) return QZ_ERR_GENERAL;
  }
  return listing_.next(nameOut) ? QZ_OK : QZ_ERR_GENERAL;
}

QZStatus CQZCoreDatabaseWin32::findDatabaseFile(const char16_t* name, uint32_t creator, uint32_t type, bool anyName,
                                                std::u16string& pathOut) {
  if (!QZIsValidDatabaseName(name)) return QZ_ERR_NO_DATABASE;
  for (int slot = 0; slot < QZ_FOLDER_SLOTS; ++slot) {
    std::u16string path;
    QZDatabaseHeader header;
    if (!buildPath(path, name, true, slot, false) || !readHeaderAt(path, header)) continue;
    if (header.creator != creator || header.type != type) continue;
    if (!anyName && !QZDatabaseNameMatches(header.name, name)) continue;
    pathOut = std::move(path);
    return QZ_OK;
  }
  return QZ_ERR_NO_DATABASE;
}

QZStatus CQZCoreDatabaseWin32::createDatabaseFile(const char16_t* name, uint32_t creator, uint32_t type,
                                                  QZDatabaseKind kind) {
  if (!QZIsValidDatabaseName(name)) return QZ_ERR_GENERAL;
  std::u16string path;
  if (!buildPath(path, name, true, 0, true) && !buildPath(path, name, true, QZ_FOLDER_SLOTS - 1, true)) {
    return QZ_ERR_GENERAL;
  }
  QZDatabaseHeader header;
  QZStoreDatabaseName(name, header.name);
  header.attributes = kind == QZDatabaseKind::Resource ? QZ_DB_ATTRIBUTES_RESOURCE : QZ_DB_ATTRIBUTES_RECORD;
  header.type = type;
  header.creator = creator;
  return writeDatabaseFile(path, header, kind, {});
}

QZStatus CQZCoreDatabaseWin32::writeDatabaseFile(const std::u16string& path, const QZDatabaseHeader& header,
                                                 QZDatabaseKind kind, const std::vector<QZDatabaseItem>& items) {
  std::vector<uint8_t> bytes;
  if (!QZBuildDatabase(header, kind, items, bytes)) return QZ_ERR_GENERAL;
  return QZFileReplace(path, bytes) ? QZ_OK : QZ_ERR_GENERAL;
}

QZStatus CQZCoreDatabaseWin32::readDatabaseFile(const std::u16string& path, QZDatabaseKind kind,
                                                QZDatabaseHeader& header, std::vector<QZDatabaseEntry>& entries,
                                                std::vector<uint8_t>* wholeFile) {
  if (wholeFile != nullptr) {
    if (!QZFileReadAll(path, *wholeFile) || wholeFile->size() < QZ_DB_HEADER_SIZE) return QZ_ERR_NO_DATABASE;
    return QZParseDatabase(wholeFile->data(), wholeFile->size(), wholeFile->size(), kind, header, entries);
  }
  uint64_t length = 0;
  if (!readHeaderAt(path, header) || !QZFileLength(path, length)) return QZ_ERR_NO_DATABASE;
  const uint64_t directoryEnd = QZ_DB_HEADER_SIZE + static_cast<uint64_t>(header.count) * QZEntrySize(kind);
  if (directoryEnd > length) return QZ_ERR_GENERAL;
  std::vector<uint8_t> directory(static_cast<size_t>(directoryEnd));
  if (!QZFileReadAt(path, 0, static_cast<uint32_t>(directoryEnd), directory.data())) return QZ_ERR_GENERAL;
  return QZParseDatabase(directory.data(), directory.size(), length, kind, header, entries);
}
