#include "qz_file_access.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

void appendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Device path to host path: backslashes become slashes, UTF-16 becomes UTF-8.
fs::path hostPath(const std::u16string& path) {
  std::string out;
  for (size_t i = 0; i < path.size(); ++i) {
    uint32_t c = path[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < path.size() && path[i + 1] >= 0xDC00 && path[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (path[i + 1] - 0xDC00);
      ++i;
    }
    appendUtf8(out, c == u'\\' ? u'/' : c);
  }
  return fs::path(out);
}

std::u16string fromUtf8(const std::string& text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<uint8_t>(text[i]);
    uint32_t c = b;
    size_t len = 1;
    if (b >= 0xF0 && i + 3 < text.size()) {
      c = ((b & 0x07u) << 18) | ((text[i + 1] & 0x3Fu) << 12) | ((text[i + 2] & 0x3Fu) << 6) | (text[i + 3] & 0x3Fu);
      len = 4;
    } else if (b >= 0xE0 && i + 2 < text.size()) {
      c = ((b & 0x0Fu) << 12) | ((text[i + 1] & 0x3Fu) << 6) | (text[i + 2] & 0x3Fu);
      len = 3;
    } else if (b >= 0xC0 && i + 1 < text.size()) {
      c = ((b & 0x1Fu) << 6) | (text[i + 1] & 0x3Fu);
      len = 2;
    }
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += len;
  }
  return out;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const std::u16string& path, const char* mode) {
  return File(std::fopen(hostPath(path).c_str(), mode));
}

bool isPdbName(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".pdb";
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
  std::error_code ec;
  fs::directory_iterator it(hostPath(folder), ec);
  if (ec) return false;
  for (const auto& entry : it) {
    const std::string name = entry.path().filename().string();
    if (isPdbName(name) && entry.is_regular_file(ec)) names_.push_back(fromUtf8(name));
  }
  std::sort(names_.begin(), names_.end());
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
