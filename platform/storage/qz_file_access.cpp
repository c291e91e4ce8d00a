#include "qz_file_access.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "wince/file.h"

namespace {

namespace fs = std::filesystem;

fs::path hostPath(const std::u16string& path) { return wince::hostPath(path.c_str()); }

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const std::u16string& path, const char* mode) {
  return File(std::fopen(hostPath(path).c_str(), mode));
}

}  // namespace

bool QZFileReadAll(const std::u16string& path, std::vector<uint8_t>& out) {
  File f = openFile(path, "rb");
  if (!f || std::fseek(f.get(), 0, SEEK_END) != 0) return false;
  const long length = std::ftell(f.get());
  if (length < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0) return false;
  out.assign(static_cast<size_t>(length), 0);
  return length == 0 || std::fread(out.data(), 1, out.size(), f.get()) == out.size();
}

bool QZFileReadAt(const std::u16string& path, uint32_t offset, uint32_t size, uint8_t* out) {
  File f = openFile(path, "rb");
  if (!f || std::fseek(f.get(), static_cast<long>(offset), SEEK_SET) != 0) return false;
  return size == 0 || std::fread(out, 1, size, f.get()) == size;
}

bool QZFileReplace(const std::u16string& path, const std::vector<uint8_t>& bytes) {
  const fs::path target = hostPath(path);
  fs::path temp = target;
  temp += ".tmp";
  bool written = false;
  if (std::FILE* f = std::fopen(temp.c_str(), "wb")) {
    written = (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size()) &&
              std::fflush(f) == 0;
    written = (std::fclose(f) == 0) && written;
  }
  std::error_code ec;
  if (written) fs::rename(temp, target, ec);
  if (!written || ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

bool QZFileLength(const std::u16string& path, uint64_t& length) {
  File f = openFile(path, "rb");
  if (!f || std::fseek(f.get(), 0, SEEK_END) != 0) return false;
  const long end = std::ftell(f.get());
  if (end < 0) return false;
  length = static_cast<uint64_t>(end);
  return true;
}

bool QZFileDelete(const std::u16string& path) {
  std::error_code ec;
  return fs::remove(hostPath(path), ec) && !ec;
}

bool QZFileMoveAside(const std::u16string& path) {
  const fs::path from = hostPath(path);
  fs::path to = from;
  to += ".bad";
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}

bool QZFileCreateFolders(const std::u16string& folder) {
  const fs::path host = hostPath(folder);
  std::error_code ec;
  fs::create_directories(host, ec);
  return fs::is_directory(host, ec);
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
    open_ = (GetFileAttributes(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            GetFileAttributes(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
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
