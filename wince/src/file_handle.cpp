// Handle-based file access over host file descriptors.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file_internal.h"
#include "thread_internal.h"
#include "wince/file.h"
#include "wince/system.h"

using wince::detail::FileObject;
using wince::detail::KernelObject;

wince::detail::FileObject::~FileObject() { close(fd); }

namespace {

// The open file of a handle, kept alive for the call.
std::shared_ptr<FileObject> fileOf(HANDLE handle) {
  std::lock_guard lock(wince::detail::kernel().mutex);
  return std::static_pointer_cast<FileObject>(wince::detail::objectOf(handle, KernelObject::File));
}

BOOL denied() {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

}  // namespace

HANDLE CreateFile(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD creation,
                  DWORD flagsAndAttributes, HANDLE templateFile) {
  if (!path || creation < CREATE_NEW || creation > TRUNCATE_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::filesystem::path host = wince::hostPath(path);
  struct stat st;
  bool existed = stat(host.c_str(), &st) == 0;
  if (existed && S_ISDIR(st.st_mode)) {
    denied();
    return INVALID_HANDLE_VALUE;
  }
  int flags = O_CLOEXEC;
  bool read = access & GENERIC_READ;
  bool write = access & GENERIC_WRITE;
  flags |= read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
  switch (creation) {
    case CREATE_NEW:
      flags |= O_CREAT | O_EXCL;
      break;
    case CREATE_ALWAYS:
      flags |= O_CREAT | O_TRUNC;
      break;
    case OPEN_ALWAYS:
      flags |= O_CREAT;
      break;
    case TRUNCATE_EXISTING:
      flags |= O_TRUNC;
      break;
    default:
      break;
  }
  if ((flags & O_TRUNC) && !write) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  int fd = open(host.c_str(), flags, 0644);
  if (fd < 0) {
    if (errno == EEXIST)
      SetLastError(ERROR_FILE_EXISTS);
    else
      wince::detail::failFromErrno(errno);
    return INVALID_HANDLE_VALUE;
  }
  SetLastError(existed && (creation == CREATE_ALWAYS || creation == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS : 0);
  return wince::detail::addObject(std::make_shared<FileObject>(fd, access));
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytes, LPDWORD bytesRead, LPOVERLAPPED overlapped) {
  auto f = fileOf(file);
  if (!f) return FALSE;
  if (bytesRead) *bytesRead = 0;
  if (!(f->access & GENERIC_READ)) return denied();
  if (overlapped || (!buffer && bytes)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD done = 0;
  while (done < bytes) {
    ssize_t n = read(f->fd, static_cast<BYTE*>(buffer) + done, bytes - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return wince::detail::failFromErrno(errno);
    if (n == 0) break;
    done += static_cast<DWORD>(n);
  }
  if (bytesRead) *bytesRead = done;
  return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytes, LPDWORD bytesWritten, LPOVERLAPPED overlapped) {
  auto f = fileOf(file);
  if (!f) return FALSE;
  if (bytesWritten) *bytesWritten = 0;
  if (!(f->access & GENERIC_WRITE)) return denied();
  if (overlapped || (!buffer && bytes)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD done = 0;
  while (done < bytes) {
    ssize_t n = write(f->fd, static_cast<const BYTE*>(buffer) + done, bytes - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return wince::detail::failFromErrno(errno);
    done += static_cast<DWORD>(n);
  }
  if (bytesWritten) *bytesWritten = done;
  return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method) {
  auto f = fileOf(file);
  if (!f) return INVALID_SET_FILE_POINTER;
  int64_t offset = distanceHigh ? (static_cast<int64_t>(*distanceHigh) << 32) | static_cast<uint32_t>(distance)
                                : static_cast<int64_t>(distance);
  int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : -1;
  off_t position = whence < 0 ? -1 : lseek(f->fd, static_cast<off_t>(offset), whence);
  if (position < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);  // also a position before the start
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(position) >> 32);
  SetLastError(0);
  return static_cast<DWORD>(position);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
  auto f = fileOf(file);
  struct stat st;
  if (!f || fstat(f->fd, &st) != 0) return INVALID_FILE_SIZE;
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(static_cast<uint64_t>(st.st_size) >> 32);
  SetLastError(0);
  return static_cast<DWORD>(st.st_size);
}

BOOL SetEndOfFile(HANDLE file) {
  auto f = fileOf(file);
  if (!f) return FALSE;
  if (!(f->access & GENERIC_WRITE)) return denied();
  off_t position = lseek(f->fd, 0, SEEK_CUR);
  return position >= 0 && ftruncate(f->fd, position) == 0 ? TRUE : wince::detail::failFromErrno(errno);
}

BOOL FlushFileBuffers(HANDLE file) {
  auto f = fileOf(file);
  if (!f) return FALSE;
  return fsync(f->fd) == 0 || errno == EINVAL ? TRUE : wince::detail::failFromErrno(errno);
}

BOOL GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION info) {
  auto f = fileOf(file);
  struct stat st;
  if (!f || !info || fstat(f->fd, &st) != 0) return FALSE;
  *info = BY_HANDLE_FILE_INFORMATION{};
  info->dwFileAttributes = (st.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
  info->ftCreationTime = wince::detail::fileTimeOf(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
  info->ftLastAccessTime = wince::detail::fileTimeOf(st.st_atim.tv_sec, st.st_atim.tv_nsec);
  info->ftLastWriteTime = wince::detail::fileTimeOf(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  info->dwVolumeSerialNumber = static_cast<DWORD>(st.st_dev);
  info->nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(st.st_size) >> 32);
  info->nFileSizeLow = static_cast<DWORD>(st.st_size);
  info->nNumberOfLinks = static_cast<DWORD>(st.st_nlink);
  info->nFileIndexHigh = static_cast<DWORD>(static_cast<uint64_t>(st.st_ino) >> 32);
  info->nFileIndexLow = static_cast<DWORD>(st.st_ino);
  return TRUE;
}
