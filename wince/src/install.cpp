// First-start install: the program's folder and registry values, as an
// installer would have set them.
#include <sys/stat.h>

#include <system_error>

#include "wince/host/file.h"
#include "wince/host/text.h"
#include "wince/registry.h"
#include "wince/system.h"
#include "wince/text.h"

namespace fs = std::filesystem;

namespace {

// Creates the device folder and every missing folder above it.
bool createFolders(const std::u16string& devicePath) {
  std::u16string sofar;
  for (size_t i = 0; i <= devicePath.size(); ++i) {
    if (i < devicePath.size() && devicePath[i] != u'\\' && devicePath[i] != u'/') continue;
    sofar = devicePath.substr(0, i);
    if (sofar.empty() || sofar.back() == u'\\' || sofar.back() == u'/') continue;
    DWORD attributes = GetFileAttributes(sofar.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES && !CreateDirectory(sofar.c_str(), nullptr)) return false;
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  }
  return true;
}

bool newerThan(const fs::path& a, const fs::path& b) {
  struct stat sa, sb;
  if (stat(a.c_str(), &sa) != 0) return false;
  if (stat(b.c_str(), &sb) != 0) return true;
  return sa.st_mtim.tv_sec > sb.st_mtim.tv_sec ||
         (sa.st_mtim.tv_sec == sb.st_mtim.tv_sec && sa.st_mtim.tv_nsec > sb.st_mtim.tv_nsec);
}

// Copies the build's data into the install folder, file by file.
bool copyData(const fs::path& from, const std::u16string& to) {
  std::error_code error;
  for (fs::directory_iterator it(from, error), end; it != end; it.increment(error)) {
    if (error) return false;
    std::u16string target = to + u"\\" + wince::utf8ToWide(it->path().filename().string());
    if (it->is_directory(error)) {
      if (!createFolders(target) || !copyData(it->path(), target)) return false;
    } else if (newerThan(it->path(), wince::hostPath(target.c_str())) &&
               !wince::copyFileAtomically(it->path(), wince::hostPath(target.c_str()))) {
      return false;
    }
  }
  return !error;
}

}  // namespace

namespace wince {

bool installProgram(const fs::path& hostDataFolder, const WCHAR* installDir, const WCHAR* registryKey,
                    const InstallValue* values, size_t valueCount) {
  std::u16string folder = installDir ? installDir : u"";
  if (!createFolders(folder)) return false;
  std::error_code error;
  if (!hostDataFolder.empty() && fs::is_directory(hostDataFolder, error) && !copyData(hostDataFolder, folder)) {
    return false;
  }
  if (valueCount == 0) return true;
  HKEY key = nullptr;
  if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, registryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  bool ok = true;
  for (size_t i = 0; ok && i < valueCount; ++i) {
    if (RegQueryValueEx(key, values[i].name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) continue;
    std::u16string data = values[i].data;
    ok = RegSetValueEx(key, values[i].name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(WCHAR))) == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return ok;
}

}  // namespace wince
