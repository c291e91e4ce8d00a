#include "qz_file_access.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "wince/file.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const std::u16string& path, const char16_t* mode) { return File(_wfopen(path.c_str(), mode)); }

bool isFolder(const std::u16string& path) {
  const DWORD attributes = GetFileAttributes(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool QZFileReadAll(const std::u16string& path, std::vector<uint8_t>& out) {
  File f = openFile(path, u"rb");
  if (!f || std::fseek(f.get(), 0, SEEK_END) != 0) return false;
  const long length = std::ftell(f.get());
  if (length < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0) return false;
  out.assign(static_cast<size_t>(length), 0);
  return length == 0 || std::fread(out.data(), 1, out.size(), f.get()) == out.size();
}

bool QZFileReadAt(const std::u16string& path, uint32_t offset, uint32_t size, uint8_t* out) {
  File f = openFile(path, u"rb");
  if (!f || std::fseek(f.get(), static_cast<long>(offset), SEEK_SET) != 0) return false;
  return size == 0 || std::fread(out, 1, size, f.get()) == size;
}

bool QZFileReplace(const std::u16string& path, const std::vector<uint8_t>& bytes) {
  return wince::writeDeviceFileAtomically(path.c_str(), bytes.data(), bytes.size());
}

bool QZFileLength(const std::u16string& path, uint64_t& length) {
  File f = openFile(path, u"rb");
  if (!f || std::fseek(f.get(), 0, SEEK_END) != 0) return false;
  const long end = std::ftell(f.get());
  if (end < 0) return false;
  length = static_cast<uint64_t>(end);
  return true;
}

bool QZFileDelete(const std::u16string& path) { return DeleteFile(path.c_str()) != FALSE; }

bool QZFileExists(const std::u16string& path) { return GetFileAttributes(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool QZFileKeepCopy(const std::u16string& path, std::u16string& copyOut) {
  constexpr int kMostCopies = 999;
  for (int n = 1; n <= kMostCopies; ++n) {
    std::u16string copy = path + u".damaged.";
    for (char c : std::to_string(n)) copy += static_cast<char16_t>(c);
    if (QZFileExists(copy)) continue;
    if (CopyFile(path.c_str(), copy.c_str(), TRUE) == FALSE) return false;
    copyOut = std::move(copy);
    return true;
  }
  return false;
}

bool QZFileCreateFolders(const std::u16string& folder) {
  // Each folder from the top down; one that exists already is passed over.
  for (size_t at = folder.find(u'\\', 1); at != std::u16string::npos; at = folder.find(u'\\', at + 1)) {
    const std::u16string above = folder.substr(0, at);
    if (!isFolder(above)) CreateDirectory(above.c_str(), nullptr);
  }
  if (!isFolder(folder)) CreateDirectory(folder.c_str(), nullptr);
  return isFolder(folder);
}

QZFileListing::QZFileListing() = default;
QZFileListing::~QZFileListing() = default;

bool QZFileListing::start(const std::u16string& folder) {
  close();
  WIN32_FIND_DATA data;
  const std::u16string pattern = folder + u"\\*.pdb";
  HANDLE find = FindFirstFile(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    // An existing folder without databases lists nothing; a missing one fails.
    open_ = isFolder(folder);
    return open_;
  }
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names_.emplace_back(data.cFileName);
  } while (FindNextFile(find, &data));
  FindClose(find);
  open_ = true;
  return true;
}

bool QZFileListing::next(std::u16string& name) {
  if (!open_ || next_ >= names_.size()) return false;
  name = names_[next_++];
  return true;
}

void QZFileListing::close() {
  names_.clear();
  next_ = 0;
  open_ = false;
}
