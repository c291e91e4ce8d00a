#include "qz_database_folders.h"

#include "wince/registry.h"

namespace {

constexpr const char16_t* kInstallKey = u"SOFTWARE\\Apps\\Pellwyn";
constexpr DWORD kValueBytes = 256;

std::u16string valueName(int slot) {
  if (slot == 0) return u"SaveDir";
  if (slot == 1) return u"InstallDir";
  return u"SaveDir" + std::u16string(1, static_cast<char16_t>(u'0' + slot - 2));
}

}  // namespace

bool QZGetDatabaseFolder(int slot, std::u16string& folder) {
  folder.clear();
  if (slot < 0 || slot >= QZ_FOLDER_SLOTS) return false;
  if (slot == QZ_FOLDER_SLOTS - 1) {
    folder = u".";
    return true;
  }
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kInstallKey, 0, KEY_ALL_ACCESS, &key) != 0) return false;
  char16_t value[kValueBytes / 2 + 1] = {};
  DWORD type = 0;
  DWORD size = kValueBytes;
  const LONG status = RegQueryValueEx(key, valueName(slot).c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (status != 0 || type != REG_SZ) return false;
  value[size / 2 < kValueBytes / 2 ? size / 2 : kValueBytes / 2] = 0;  // a stored value need not be terminated
  folder = value;
  return !folder.empty();
}
