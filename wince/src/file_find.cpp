// FindFirstFile / FindNextFile / FindClose: folder listings sorted by name.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "file_internal.h"
#include "system_handles.h"
#include "wince/file.h"
#include "wince/system.h"
#include "wince/text.h"

namespace fs = std::filesystem;

namespace {

struct Search {
  std::vector<WIN32_FIND_DATA> entries;
  size_t next = 0;
};

std::mutex g_searchMutex;
std::map<HANDLE, Search> g_searches;

// * matches any run, ? any one unit; case is ignored.
bool matchPattern(const WCHAR* pattern, const WCHAR* name) {
  const WCHAR* star = nullptr;
  const WCHAR* resume = nullptr;
  while (*name) {
    if (*pattern == u'*') {
      star = pattern++;
      resume = name;
    } else if (*pattern == u'?' || (*pattern && towlower(*pattern) == towlower(*name))) {
      ++pattern;
      ++name;
    } else if (star) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == u'*') ++pattern;
  return *pattern == 0;
}

bool findDataOf(const fs::path& folder, const std::string& name, WIN32_FIND_DATA* out) {
  std::u16string wide = wince::detail::hostNameToWide(name);
  struct stat st;
  if (wide.size() >= MAX_PATH || stat((folder / name).c_str(), &st) != 0) return false;
  *out = WIN32_FIND_DATA{};
  out->dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  out->ftCreationTime = wince::detail::fileTimeOf(st.st_ctim.tv_sec, st.st_ctim.tv_nsec);
  out->ftLastAccessTime = wince::detail::fileTimeOf(st.st_atim.tv_sec, st.st_atim.tv_nsec);
  out->ftLastWriteTime = wince::detail::fileTimeOf(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
  out->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  out->nFileSizeLow = static_cast<DWORD>(size);
  wide.copy(out->cFileName, wide.size());
  out->cFileName[wide.size()] = 0;
  return true;
}

// Case-insensitive name order, then exact units, so the order never
// depends on the host's directory order.
bool byName(const WIN32_FIND_DATA& a, const WIN32_FIND_DATA& b) {
  int folded = _wcsicmp(a.cFileName, b.cFileName);
  return folded != 0 ? folded < 0 : wcscmp(a.cFileName, b.cFileName) < 0;
}

}  // namespace

HANDLE FindFirstFile(LPCWSTR pattern, LPWIN32_FIND_DATA data) {
  if (!pattern || !data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::u16string full(pattern);
  size_t slash = full.find_last_of(u"\\/");
  std::u16string folderPart = slash == std::u16string::npos ? u"" : full.substr(0, slash);
  std::u16string namePattern = full.substr(slash == std::u16string::npos ? 0 : slash + 1);
  // "*.*" matches names without a dot too.
  const WCHAR* match = namePattern == u"*.*" ? u"*" : namePattern.c_str();
  fs::path folder = wince::hostPath(folderPart.c_str());
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  Search search;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    WIN32_FIND_DATA found;
    if (!matchPattern(match, wince::detail::hostNameToWide(name).c_str())) continue;
    if (findDataOf(folder, name, &found)) search.entries.push_back(found);
  }
  closedir(dir);
  if (search.entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::sort(search.entries.begin(), search.entries.end(), byName);
  *data = search.entries[0];
  search.next = 1;
  HANDLE handle = wince::detail::newHandleValue();
  std::lock_guard lock(g_searchMutex);
  g_searches.emplace(handle, std::move(search));
  return handle;
}

BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data) {
  std::lock_guard lock(g_searchMutex);
  auto it = g_searches.find(find);
  if (it == g_searches.end() || !data) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  Search& search = it->second;
  if (search.next >= search.entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  *data = search.entries[search.next++];
  return TRUE;
}

BOOL FindClose(HANDLE find) {
  std::lock_guard lock(g_searchMutex);
  if (g_searches.erase(find) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
