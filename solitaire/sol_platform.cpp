// Until the runtime's registry is merged, the registry is a process-local
// store with the same semantics.
#include "sol_platform.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "wince/clock.h"
#include "wince/resource.h"

namespace {

struct Value {
  DWORD type;
  std::vector<uint8_t> bytes;
};
using Key = std::map<std::u16string, Value>;

std::map<std::u16string, Key>& Store() {
  static std::map<std::u16string, Key> store;
  return store;
}

}  // namespace

uint32_t SolTickCount() { return GetTickCount(); }

const uint8_t* SolFindResource(uint16_t id, const WCHAR* type, size_t& size) {
  size = 0;
  HRSRC found = FindResource(nullptr, MAKEINTRESOURCE(id), type);
  if (!found) return nullptr;
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
  if (data) size = SizeofResource(nullptr, found);
  return data;
}

bool SolRegKey::Create(const WCHAR* path, bool* created) {
  Close();
  auto [it, inserted] = Store().try_emplace(std::u16string(path));
  if (created) *created = inserted;
  m_key = &it->second;
  return true;
}

bool SolRegKey::Open(const WCHAR* path) {
  Close();
  auto it = Store().find(std::u16string(path));
  if (it == Store().end()) return false;
  m_key = &it->second;
  return true;
}

void SolRegKey::Close() { m_key = nullptr; }

bool SolRegKey::Query(const WCHAR* name, DWORD* type, void* data, DWORD* size) const {
  if (!m_key) return false;
  const Key& key = *static_cast<Key*>(m_key);
  auto it = key.find(std::u16string(name));
  if (it == key.end()) return false;
  const DWORD have = static_cast<DWORD>(it->second.bytes.size());
  if (type) *type = it->second.type;
  if (have > *size) return false;
  if (have) std::memcpy(data, it->second.bytes.data(), have);
  *size = have;
  return true;
}

bool SolRegKey::Set(const WCHAR* name, DWORD type, const void* data, DWORD size) {
  if (!m_key) return false;
  const auto* bytes = static_cast<const uint8_t*>(data);
  (*static_cast<Key*>(m_key))[std::u16string(name)] = {type, std::vector<uint8_t>(bytes, bytes + size)};
  return true;
}

bool SolRegKey::Delete(const WCHAR* path) { return Store().erase(std::u16string(path)) > 0; }
