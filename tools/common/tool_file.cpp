#include "tool_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/fd_io.h"

namespace tools {

namespace {

std::string failure(const char* what, const std::filesystem::path& path, int error) {
  return std::string("cannot ") + what + " " + path.string() + ": " + std::strerror(error);
}

template <class Bytes>
bool readInto(const std::filesystem::path& path, Bytes& out, std::string& error) {
  out.clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = failure("read", path, errno);
    return false;
  }
  struct stat info {};
  const bool folder = fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
  const bool ok = !folder && base::readAll(fd, [&out](const char* bytes, size_t count) {
    out.insert(out.end(), bytes, bytes + count);
    return true;
  });
  const int why = errno;
  close(fd);
  if (folder) error = path.string() + " is a folder, not a file";
  if (!ok && !folder) error = failure("read", path, why);
  return ok;
}

}  // namespace

bool readWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& out, std::string& error) {
  return readInto(path, out, error);
}

bool readWholeFile(const std::filesystem::path& path, std::string& out, std::string& error) {
  return readInto(path, out, error);
}

bool writeWholeFile(const std::filesystem::path& path, const void* data, size_t size, std::string& error) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = failure("write", path, errno);
    return false;
  }
  bool ok = base::writeAll(fd, data, size) && fsync(fd) == 0;
  int why = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    why = errno;
  }
  if (ok && rename(temporary.c_str(), path.c_str()) == 0) return true;
  if (ok) why = errno;
  unlink(temporary.c_str());
  error = failure("write", path, why);
  return false;
}

}  // namespace tools
