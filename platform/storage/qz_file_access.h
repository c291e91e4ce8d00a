// The one place where the database code touches the file system. Paths are
// device paths: UTF-16 with backslashes between folders.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Reads a whole file; false when it cannot be opened or read.
bool QZFileReadAll(const std::u16string& path, std::vector<uint8_t>& out);

// Reads exactly size bytes at offset; false on any shortfall.
bool QZFileReadAt(const std::u16string& path, uint32_t offset, uint32_t size, uint8_t* out);

// Writes bytes to a temporary file beside path, then renames it over path, so
// that a failed or interrupted write leaves the previous file intact.
bool QZFileReplace(const std::u16string& path, const std::vector<uint8_t>& bytes);

// The length of a file in bytes; false when it cannot be opened.
bool QZFileLength(const std::u16string& path, uint64_t& length);

bool QZFileDelete(const std::u16string& path);

bool QZFileExists(const std::u16string& path);

// Keeps a copy of a damaged file as "<path>.damaged.N", the first N whose
// name is free, so that an older copy is never overwritten. False when no
// copy could be made.
bool QZFileKeepCopy(const std::u16string& path, std::u16string& copyOut);

// Creates a folder and every missing folder above it; true when it exists.
bool QZFileCreateFolders(const std::u16string& folder);

// Lists the ".pdb" files of one folder in name order.
class QZFileListing {
 public:
  QZFileListing();
  ~QZFileListing();
  QZFileListing(const QZFileListing&) = delete;
  QZFileListing& operator=(const QZFileListing&) = delete;

  // False when the folder cannot be listed.
  bool start(const std::u16string& folder);
  // The next file name (with its extension); false at the end.
  bool next(std::u16string& name);
  void close();

 private:
  std::vector<std::u16string> names_;
  size_t next_ = 0;
  bool open_ = false;
};
