// The registry calls over the tree of registry_store.h, saved to the device
// root after every change.
#include "wince/registry.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "registry_store.h"
#include "system_handles.h"
#include "wince/host/file.h"
#include "wince/host/registry.h"
#include "wince/system.h"
#include "wince/text.h"

namespace fs = std::filesystem;
using wince::detail::foldName;
using wince::detail::RegistryKey;
using wince::detail::RegistryValue;

namespace {

constexpr uintmax_t kMaxFileSize = 64u << 20;

// An open key: its root and the folded names below it.
struct OpenKey {
  size_t root;
  std::vector<std::u16string> path;
};

struct Registry {
  std::recursive_mutex mutex;
  bool loaded = false;
  wince::detail::RegistryTree tree;
  std::map<HKEY, OpenKey> handles;
  // A damaged file stays where it is until a copy of it is kept aside: till
  // then nothing is written over it.
  bool copyPending = false;
  bool damageToTell = false;
  wince::RegistryDamage damage;
};

Registry& registry() {
  static Registry r;
  return r;
}

// The first free name for a copy of the damaged file: "<file>.damaged.N",
// never one that is there already; empty when all are taken.
fs::path freeCopyName(const fs::path& file) {
  constexpr int kMostCopies = 999;
  for (int n = 1; n <= kMostCopies; ++n) {
    fs::path name = file;
    name += ".damaged." + std::to_string(n);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(name, error))) return name;
  }
  return {};
}

// Keeps a copy of the damaged file aside; false while it cannot be made.
bool keepDamagedCopy(Registry& r) {
  if (!r.copyPending) return true;
  const fs::path file = wince::registryFilePath();
  const fs::path copy = freeCopyName(file);
  if (copy.empty() || !wince::copyFileAtomically(file, copy)) return false;
  r.copyPending = false;
  r.damage.copy = wince::devicePath(copy);
  std::fprintf(stderr, "registry: a copy of the damaged %s is kept as %s\n", file.c_str(), copy.c_str());
  return true;
}

// The whole text of the file, or false when it is too large or unreadable.
bool readWhole(const fs::path& path, std::string* text) {
  std::error_code error;
  if (fs::file_size(path, error) > kMaxFileSize || error) return false;
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  *text = content.str();
  return static_cast<bool>(in);
}

// Reads the file, keeping every sound key and value. When anything was left
// out, a copy of the file is kept aside, the file is written again with what
// was kept, and the program may ask what was lost (takeRegistryDamage).
void load(Registry& r) {
  r.loaded = true;
  r.tree = {};
  const fs::path path = wince::registryFilePath();
  std::error_code error;
  if (!fs::exists(path, error)) return;
  std::string text;
  const std::vector<wince::detail::RegistryDrop> dropped =
      readWhole(path, &text) ? wince::detail::readRegistryText(text, r.tree)
                             : std::vector<wince::detail::RegistryDrop>{{0, "cannot be read"}};
  if (dropped.empty()) return;
  std::fprintf(stderr, "registry: %s is damaged: %zu line(s) left out (first: line %zu, %s); the rest is kept\n",
               path.c_str(), dropped.size(), dropped.front().line, dropped.front().why.c_str());
  r.damage = {static_cast<DWORD>(dropped.size()), u""};
  r.damageToTell = true;
  r.copyPending = true;
  if (!keepDamagedCopy(r)) return;
  const std::string kept = wince::detail::writeRegistryText(r.tree);
  wince::writeFileAtomically(path, kept.data(), kept.size());
}

// Called with the registry's lock held.
void ensureLoaded(Registry& r) {
  if (!r.loaded) load(r);
}

// The root index of a predefined key, or -1.
int rootOf(HKEY key) {
  auto v = reinterpret_cast<uintptr_t>(key);
  return v >= 0x80000000u && v <= 0x80000003u ? static_cast<int>(v - 0x80000000u) : -1;
}

// Resolves a handle to its key; error receives why when it fails.
RegistryKey* keyOf(Registry& r, HKEY key, OpenKey* where, LONG* error) {
  int root = rootOf(key);
  if (root >= 0) {
    *where = OpenKey{static_cast<size_t>(root), {}};
    return &r.tree.roots[root];
  }
  auto it = r.handles.find(key);
  if (it == r.handles.end()) {
    *error = ERROR_INVALID_HANDLE;
    return nullptr;
  }
  *where = it->second;
  RegistryKey* k = &r.tree.roots[where->root];
  for (const std::u16string& part : where->path) {
    auto child = k->children.find(part);
    if (child == k->children.end()) {
      *error = ERROR_KEY_DELETED;  // the key behind the handle was deleted
      return nullptr;
    }
    k = &child->second;
  }
  return k;
}

bool splitSubKey(LPCWSTR subKey, std::vector<std::u16string>* parts) {
  parts->clear();
  if (!subKey) return true;
  std::u16string part;
  for (const WCHAR* p = subKey;; ++p) {
    if (*p == u'\\' || *p == 0) {
      if (part.size() > 255) return false;
      if (!part.empty()) parts->push_back(part);
      part.clear();
      if (*p == 0) return true;
    } else {
      part.push_back(*p);
    }
  }
}

HKEY newHandle(Registry& r, const OpenKey& where) {
  HKEY handle = reinterpret_cast<HKEY>(wince::detail::newHandleValue());
  r.handles.emplace(handle, where);
  return handle;
}

// Saves after a change; on failure the change is undone from `before`.
LONG commit(Registry& r, wince::detail::RegistryTree&& before) {
  const std::string text = wince::detail::writeRegistryText(r.tree);
  if (keepDamagedCopy(r) && wince::writeFileAtomically(wince::registryFilePath(), text.data(), text.size())) {
    return ERROR_SUCCESS;
  }
  r.tree = std::move(before);
  return ERROR_WRITE_FAULT;
}

// Copies a name into a caller's buffer of *size units (with terminator).
LONG copyName(const std::u16string& name, LPWSTR out, LPDWORD size) {
  if (!out || !size) return ERROR_INVALID_PARAMETER;
  if (*size < name.size() + 1) {
    *size = static_cast<DWORD>(name.size() + 1);
    return ERROR_MORE_DATA;
  }
  name.copy(out, name.size());
  out[name.size()] = 0;
  *size = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

LONG copyData(const RegistryValue& v, LPDWORD type, LPBYTE data, LPDWORD size) {
  if (type) *type = v.type;
  if (data && !size) return ERROR_INVALID_PARAMETER;
  if (!size) return ERROR_SUCCESS;
  DWORD room = *size;
  *size = static_cast<DWORD>(v.data.size());
  if (!data) return ERROR_SUCCESS;
  if (room < v.data.size()) return ERROR_MORE_DATA;
  if (!v.data.empty()) std::memcpy(data, v.data.data(), v.data.size());
  return ERROR_SUCCESS;
}

// Runs body(registry, key, where) on the key behind a handle, under the
// registry's lock.
template <typename Body>
LONG withKey(HKEY key, Body body) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  ensureLoaded(r);
  OpenKey where;
  LONG error = ERROR_SUCCESS;
  RegistryKey* k = keyOf(r, key, &where, &error);
  return k ? body(r, *k, where) : error;
}

// As withKey for a change: body(key, where, changed) sets `changed` when it
// changed the tree, which is then saved (or, when saving fails, undone).
template <typename Body>
LONG changeKey(HKEY key, Body body) {
  return withKey(key, [&body](Registry& r, RegistryKey& k, OpenKey& where) {
    wince::detail::RegistryTree before = r.tree;
    bool changed = false;
    LONG status = body(k, where, changed);
    return status != ERROR_SUCCESS || !changed ? status : commit(r, std::move(before));
  });
}

}  // namespace

namespace wince {

fs::path registryFilePath() { return deviceRoot() / "registry.txt"; }

void reloadRegistry() {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  r.loaded = false;
  r.tree = {};
  r.handles.clear();
  r.copyPending = false;
  r.damageToTell = false;
  r.damage = {};
}

bool takeRegistryDamage(RegistryDamage* damage) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  ensureLoaded(r);
  if (!r.damageToTell) return false;
  r.damageToTell = false;
  if (damage) *damage = r.damage;
  return true;
}

}  // namespace wince

LONG RegCreateKeyEx(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM sam,
                    LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
  std::vector<std::u16string> parts;
  if (!result || !splitSubKey(subKey, &parts)) return ERROR_INVALID_PARAMETER;
  OpenKey opened;
  bool created = false;
  LONG status = changeKey(key, [&](RegistryKey& k, OpenKey& where, bool& changed) {
    RegistryKey* current = &k;
    for (const std::u16string& part : parts) {
      auto [it, isNew] = current->children.try_emplace(foldName(part));
      if (isNew) {
        it->second.name = part;
        if (keyClass) it->second.keyClass = keyClass;
        changed = true;
      }
      where.path.push_back(it->first);
      current = &it->second;
    }
    opened = where;
    created = changed;
    return static_cast<LONG>(ERROR_SUCCESS);
  });
  if (status != ERROR_SUCCESS) return status;
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  *result = newHandle(r, opened);
  return ERROR_SUCCESS;
}

LONG RegOpenKeyEx(HKEY key, LPCWSTR subKey, DWORD options, REGSAM sam, PHKEY result) {
  std::vector<std::u16string> parts;
  if (!result || !splitSubKey(subKey, &parts)) return ERROR_INVALID_PARAMETER;
  return withKey(key, [&](Registry& r, RegistryKey& k, OpenKey& where) {
    RegistryKey* current = &k;
    for (const std::u16string& part : parts) {
      auto it = current->children.find(foldName(part));
      if (it == current->children.end()) return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
      where.path.push_back(it->first);
      current = &it->second;
    }
    *result = newHandle(r, where);
    return static_cast<LONG>(ERROR_SUCCESS);
  });
}

LONG RegCloseKey(HKEY key) {
  if (rootOf(key) >= 0) return ERROR_SUCCESS;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  return r.handles.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueEx(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
  return withKey(key, [&](Registry&, RegistryKey& k, OpenKey&) {
    auto it = k.values.find(foldName(name ? name : u""));
    return it == k.values.end() ? ERROR_FILE_NOT_FOUND : copyData(it->second, type, data, size);
  });
}

LONG RegSetValueEx(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  std::u16string valueName = name ? name : u"";
  if ((!data && size) || valueName.size() > 16383) return ERROR_INVALID_PARAMETER;
  return changeKey(key, [&](RegistryKey& k, OpenKey&, bool& changed) {
    RegistryValue& v = k.values[foldName(valueName)];
    v.name = valueName;
    v.type = type;
    v.data.assign(data, data + size);
    changed = true;
    return static_cast<LONG>(ERROR_SUCCESS);
  });
}

LONG RegDeleteValue(HKEY key, LPCWSTR name) {
  return changeKey(key, [&](RegistryKey& k, OpenKey&, bool& changed) {
    changed = k.values.erase(foldName(name ? name : u"")) > 0;
    return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG RegDeleteKey(HKEY key, LPCWSTR subKey) {
  std::vector<std::u16string> parts;
  if (!splitSubKey(subKey, &parts) || parts.empty()) return ERROR_INVALID_PARAMETER;
  return changeKey(key, [&](RegistryKey& k, OpenKey&, bool& changed) {
    RegistryKey* parent = &k;
    for (size_t i = 0; parent && i + 1 < parts.size(); ++i) {
      auto it = parent->children.find(foldName(parts[i]));
      parent = it == parent->children.end() ? nullptr : &it->second;
    }
    changed = parent && parent->children.erase(foldName(parts.back())) > 0;
    return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG RegEnumKeyEx(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved, LPWSTR keyClass,
                  LPDWORD classSize, LPFILETIME lastWrite) {
  return withKey(key, [&](Registry&, RegistryKey& k, OpenKey&) {
    if (index >= k.children.size()) return static_cast<LONG>(ERROR_NO_MORE_ITEMS);
    const RegistryKey& child = std::next(k.children.begin(), index)->second;
    LONG error = copyName(child.name, name, nameSize);
    if (error == ERROR_SUCCESS && keyClass && classSize) error = copyName(child.keyClass, keyClass, classSize);
    if (lastWrite) *lastWrite = FILETIME{0, 0};
    return error;
  });
}

LONG RegEnumValue(HKEY key, DWORD index, LPWSTR name, LPDWORD nameSize, LPDWORD reserved, LPDWORD type, LPBYTE data,
                  LPDWORD dataSize) {
  return withKey(key, [&](Registry&, RegistryKey& k, OpenKey&) {
    if (index >= k.values.size()) return static_cast<LONG>(ERROR_NO_MORE_ITEMS);
    const RegistryValue& v = std::next(k.values.begin(), index)->second;
    LONG error = copyName(v.name, name, nameSize);
    return error == ERROR_SUCCESS ? copyData(v, type, data, dataSize) : error;
  });
}
