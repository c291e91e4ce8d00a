// Whole-file replacement in one step: the new bytes go to a temporary file
// beside the target, are flushed to disk and then renamed over the old file,
// so a reader (or the next start after a crash) sees the old file or the new
// one, never a part.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <utility>

#include "base/fd_io.h"
#include "file_internal.h"
#include "wince/host/file.h"
#include "wince/system.h"

namespace fs = std::filesystem;

namespace {

std::mutex g_hookMutex;
std::function<bool(const fs::path&)> g_beforeRename;
wince::AtomicWriteStep g_faultStep = wince::AtomicWriteStep::Write;
int g_faultError = 0;

// True, with errno set, when a test made writes fail at `step`.
bool faultAt(wince::AtomicWriteStep step) {
  std::lock_guard lock(g_hookMutex);
  if (g_faultError == 0 || g_faultStep != step) return false;
  errno = g_faultError;
  return true;
}

// Copies everything readable from `in` to `out`.
bool copyAll(int in, int out) {
  return base::readAll(in, [out](const char* bytes, size_t count) { return base::writeAll(out, bytes, count); });
}

bool beforeRename(const fs::path& temporary) {
  if (faultAt(wince::AtomicWriteStep::Rename)) return false;
  std::lock_guard lock(g_hookMutex);
  if (!g_beforeRename || g_beforeRename(temporary)) return true;
  errno = EIO;
  return false;
}

// The folder's entry for the renamed file reaches the disk too.
void syncFolder(const fs::path& file) {
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)!fsync(fd);
  close(fd);
}

}  // namespace

namespace wince {

fs::path temporaryFileFor(const fs::path& target) {
  fs::path temporary = target;
  temporary += ".tmp";
  return temporary;
}

bool writeFileAtomically(const fs::path& target, const std::function<bool(int fd)>& fill) {
  const fs::path temporary = temporaryFileFor(target);
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = !faultAt(AtomicWriteStep::Write) && fill(fd) && !faultAt(AtomicWriteStep::Flush) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  ok = ok && beforeRename(temporary);
  if (ok && rename(temporary.c_str(), target.c_str()) == 0) {
    syncFolder(target);
    return true;
  }
  if (ok) error = errno;
  unlink(temporary.c_str());
  errno = error;
  return false;
}

bool writeFileAtomically(const fs::path& target, const void* data, size_t size) {
  return writeFileAtomically(target,
                             [&](int fd) { return base::writeAll(fd, data, size); });
}

bool copyFileAtomically(const fs::path& from, const fs::path& to) {
  const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  const bool ok = writeFileAtomically(to, [in](int out) { return copyAll(in, out); });
  const int error = errno;
  close(in);
  errno = error;
  return ok;
}

void setBeforeRenameHookForTest(std::function<bool(const fs::path& temporary)> hook) {
  std::lock_guard lock(g_hookMutex);
  g_beforeRename = std::move(hook);
}

void setAtomicWriteFaultForTest(AtomicWriteStep step, int error) {
  std::lock_guard lock(g_hookMutex);
  g_faultStep = step;
  g_faultError = error;
}

bool writeDeviceFileAtomically(const WCHAR* devicePath, const void* data, size_t size) {
  if (devicePath == nullptr || *devicePath == 0 || (data == nullptr && size != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return writeFileAtomically(hostPath(devicePath), data, size) || detail::failFromErrno(errno);
}

}  // namespace wince
