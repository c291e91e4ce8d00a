// Whole reads and writes on a host file descriptor, going on after an
// interrupted call. For the runtime's file layer and the build-time tools;
// program code reaches files only through the runtime (wince/file.h).
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace base {

// False with errno set when a write fails.
inline bool writeAll(int fd, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  for (size_t done = 0; done < size;) {
    const ssize_t n = write(fd, bytes + done, size - done);
    if (n < 0 && errno != EINTR) return false;
    if (n > 0) done += static_cast<size_t>(n);
  }
  return true;
}

// Hands everything readable from `fd` to take(const char* bytes, size_t
// count), block by block; false with errno set when a read fails, or when
// take returns false.
template <class Take>
bool readAll(int fd, Take take) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0 && errno != EINTR) return false;
    if (n > 0 && !take(buffer, static_cast<size_t>(n))) return false;
  }
}

}  // namespace base
