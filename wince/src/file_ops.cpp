// C streams on device paths, and folder and file operations.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

#include "file_internal.h"
#include "wince/host/file.h"
#include "wince/host/text.h"
#include "wince/system.h"
#include "wince/text.h"

namespace fs = std::filesystem;
using wince::detail::failFromErrno;

namespace {

// The C library's mode from a wide mode ("rb", "w+t", "r, ccs=UNICODE");
// empty when it holds anything else.
std::string narrowMode(const WCHAR* mode) {
  std::string out;
  for (const WCHAR* p = mode; *p && *p != u','; ++p) {
    if (*p == u't' || *p == u' ') continue;
    if (std::u16string_view(u"rwab+x").find(*p) == std::u16string_view::npos) return {};
    out.push_back(static_cast<char>(*p));
  }
  return out;
}

bool entryExists(const fs::path& host) {
  struct stat st;
  return lstat(host.c_str(), &st) == 0;
}

bool isDirectory(const fs::path& host) {
  struct stat st;
  return stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

BOOL accessDenied() {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

BOOL invalidPath() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

}  // namespace

FILE* _wfopen(const WCHAR* path, const WCHAR* mode) {
  std::string m = mode ? narrowMode(mode) : std::string();
  if (!path || !*path || m.empty()) {
    errno = EINVAL;
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  fs::path host = wince::hostPath(path);
  if (isDirectory(host)) {  // the device opens no folder as a stream
    errno = EISDIR;
    accessDenied();
    return nullptr;
  }
  FILE* f = std::fopen(host.c_str(), m.c_str());
  if (!f) failFromErrno(errno);
  return f;
}

namespace wince {

FILE* fopenDevicePath(const char* path, const char* mode) {
  if (!path || !mode) {
    errno = EINVAL;
    return nullptr;
  }
  std::u16string widePath(std::strlen(path), u'\0');
  std::u16string wideMode(mode, mode + std::strlen(mode));
  if (!widePath.empty()) {
    MultiByteToWideChar(CP_ACP, 0, path, static_cast<int>(widePath.size()), widePath.data(),
                        static_cast<int>(widePath.size()));
  }
  return _wfopen(widePath.c_str(), wideMode.c_str());
}

}  // namespace wince

int _wremove(const WCHAR* path) { return DeleteFile(path) ? 0 : -1; }
int _wrename(const WCHAR* from, const WCHAR* to) { return MoveFile(from, to) ? 0 : -1; }

BOOL CreateDirectory(LPCWSTR path, LPSECURITY_ATTRIBUTES security) {
  if (!path) return invalidPath();
  fs::path host = wince::hostPath(path);
  if (entryExists(host)) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (mkdir(host.c_str(), 0755) != 0) {
    if (errno == ENOENT)
      SetLastError(ERROR_PATH_NOT_FOUND);
    else
      failFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}

BOOL RemoveDirectory(LPCWSTR path) {
  if (!path) return invalidPath();
  fs::path host = wince::hostPath(path);
  if (wince::detail::isDeviceRoot(host)) return accessDenied();
  if (entryExists(host) && !isDirectory(host)) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }
  return rmdir(host.c_str()) == 0 ? TRUE : failFromErrno(errno);
}

BOOL DeleteFile(LPCWSTR path) {
  if (!path) return invalidPath();
  fs::path host = wince::hostPath(path);
  if (isDirectory(host)) return accessDenied();
  return unlink(host.c_str()) == 0 ? TRUE : failFromErrno(errno);
}

BOOL MoveFile(LPCWSTR from, LPCWSTR to) {
  if (!from || !to) return invalidPath();
  fs::path source = wince::hostPath(from);
  fs::path target = wince::hostPath(to);
  if (wince::detail::isDeviceRoot(source)) return accessDenied();
  if (!entryExists(source)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  std::error_code error;
  if (fs::equivalent(source, target, error)) {
    // A change of case only: give the entry the new spelling.
    std::u16string wanted(to);
    size_t slash = wanted.find_last_of(u"\\/");
    target = source.parent_path() / wince::wideToUtf8(wanted.substr(slash == std::u16string::npos ? 0 : slash + 1));
  } else if (entryExists(target)) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  return rename(source.c_str(), target.c_str()) == 0 ? TRUE : failFromErrno(errno);
}

BOOL CopyFile(LPCWSTR from, LPCWSTR to, BOOL failIfExists) {
  if (!from || !to) return invalidPath();
  fs::path source = wince::hostPath(from);
  fs::path target = wince::hostPath(to);
  if (!entryExists(source)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  if (isDirectory(source) || isDirectory(target)) return accessDenied();
  if (entryExists(target)) {
    std::error_code error;
    if (failIfExists || fs::equivalent(source, target, error)) {
      SetLastError(ERROR_FILE_EXISTS);
      return FALSE;
    }
  }
  return wince::copyFileAtomically(source, target) ? TRUE : failFromErrno(errno);
}

DWORD GetFileAttributes(LPCWSTR path) {
  if (!path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_FILE_ATTRIBUTES;
  }
  fs::path host = wince::hostPath(path);
  struct stat st;
  if (stat(host.c_str(), &st) != 0) {
    failFromErrno(errno);
    return INVALID_FILE_ATTRIBUTES;
  }
  if (S_ISDIR(st.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
  return access(host.c_str(), W_OK) == 0 ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}
