// The device root and the mapping of device paths to host paths.
#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <vector>

#include "file_internal.h"
#include "wince/file.h"
#include "wince/host/file.h"
#include "wince/host/registry.h"
#include "wince/host/text.h"
#include "wince/registry.h"
#include "wince/system.h"
#include "wince/text.h"

namespace fs = std::filesystem;

namespace {

std::mutex g_rootMutex;
fs::path g_root;
std::u16string g_moduleFileName;

std::string programName() {
  const char* name = program_invocation_short_name;
  return name && *name ? name : "wince";
}

fs::path& root() {
  std::lock_guard lock(g_rootMutex);
  if (g_root.empty()) {
    const char* env = std::getenv("WINCE_ROOT");
    g_root = env && *env ? fs::path(env) : wince::defaultDeviceRoot(programName());
    std::error_code ignored;
    fs::create_directories(g_root, ignored);
  }
  return g_root;
}

// The entry of `folder` whose name equals `name` without regard to case;
// `name` itself when there is none.
std::string matchEntry(const fs::path& folder, const std::string& name) {
  std::error_code error;
  if (fs::exists(folder / name, error)) return name;
  std::u16string wanted = wince::detail::hostNameToWide(name);
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string candidate = it->path().filename().string();
    if (_wcsicmp(wince::detail::hostNameToWide(candidate).c_str(), wanted.c_str()) == 0) return candidate;
  }
  return name;
}

}  // namespace

namespace wince {

namespace detail {

std::u16string hostNameToWide(const std::string& name) { return utf8ToWide(name); }

BOOL failFromErrno(int error) {
  switch (error) {
    case ENOENT:
      SetLastError(ERROR_FILE_NOT_FOUND);
      break;
    case ENOTDIR:
      SetLastError(ERROR_PATH_NOT_FOUND);
      break;
    case EEXIST:
      SetLastError(ERROR_ALREADY_EXISTS);
      break;
    case ENOTEMPTY:
      SetLastError(ERROR_DIR_NOT_EMPTY);
      break;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
      SetLastError(ERROR_ACCESS_DENIED);
      break;
    case ENAMETOOLONG:
      SetLastError(ERROR_INVALID_NAME);
      break;
    case ENOSPC:
      SetLastError(ERROR_WRITE_FAULT);
      break;
    default:
      SetLastError(ERROR_INVALID_FUNCTION);
      break;
  }
  return FALSE;
}

bool isDeviceRoot(const fs::path& host) {
  std::error_code error;
  return fs::equivalent(host, root(), error);
}

FILETIME fileTimeOf(int64_t seconds, int64_t nanoseconds) {
  const uint64_t ticks =
      static_cast<uint64_t>(seconds + 11644473600ll) * 10000000ull + static_cast<uint64_t>(nanoseconds / 100);
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace detail

bool setDeviceRoot(const fs::path& hostFolder) {
  std::error_code error;
  fs::create_directories(hostFolder, error);
  if (!fs::is_directory(hostFolder, error)) return false;
  {
    std::lock_guard lock(g_rootMutex);
    g_root = fs::absolute(hostFolder, error);
  }
  reloadRegistry();
  return true;
}

const fs::path& deviceRoot() { return root(); }

fs::path defaultDeviceRoot(std::string_view program) {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  fs::path base;
  if (dataHome && *dataHome) {
    base = dataHome;
  } else {
    const char* home = std::getenv("HOME");
    base = fs::path(home && *home ? home : "/tmp") / ".local" / "share";
  }
  return base / "wince" / std::string(program);
}

fs::path hostPath(const WCHAR* devicePath) {
  if (!devicePath) return {};
  std::vector<std::string> parts;
  std::u16string part;
  auto flush = [&parts, &part] {
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(wideToUtf8(part));
    }
    part.clear();
  };
  for (const WCHAR* p = devicePath; *p; ++p) {
    if (*p == u'\\' || *p == u'/')
      flush();
    else
      part.push_back(*p);
  }
  flush();
  fs::path host = root();
  bool matching = true;
  for (const std::string& name : parts) {
    std::string actual = matching ? matchEntry(host, name) : name;
    std::error_code error;
    host /= actual;
    matching = matching && fs::exists(host, error);
  }
  return host;
}

std::u16string devicePath(const fs::path& hostPath) {
  std::error_code error;
  fs::path relative = fs::relative(hostPath, root(), error);
  if (error || relative.empty() || *relative.begin() == "..") return {};
  std::u16string out;
  for (const fs::path& part : relative) {
    if (part == ".") continue;
    out += u'\\';
    out += detail::hostNameToWide(part.string());
  }
  return out.empty() ? u"\\" : out;
}

void setModuleFileName(const WCHAR* path) { g_moduleFileName = path ? path : u""; }

}  // namespace wince

DWORD GetModuleFileName(HMODULE module, LPWSTR buffer, DWORD size) {
  std::u16string name = g_moduleFileName;
  if (name.empty()) {
    std::u16string program = wince::utf8ToWide(programName());
    name = u"\\Program Files\\" + program + u"\\" + program + u".exe";
  }
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  size_t n = std::min<size_t>(name.size(), size - 1);
  name.copy(buffer, n);
  buffer[n] = 0;
  if (n < name.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  return static_cast<DWORD>(n);
}
