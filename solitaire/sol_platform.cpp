#include "sol_platform.h"

#include <cstdlib>

#include "wince/clock.h"
#include "wince/registry.h"
#include "wince/resource.h"
#include "wince/system.h"

namespace {

uint32_t g_writeFailures = 0;
void (*g_onWriteFailure)() = nullptr;

// True when a registry write succeeded; a failure is counted and reported.
bool Written(LONG status) {
  if (status == ERROR_SUCCESS) return true;
  ++g_writeFailures;
  if (g_onWriteFailure) g_onWriteFailure();
  return false;
}

}  // namespace

uint32_t SolTickCount() { return GetTickCount(); }

void SolSeedRandom(uint32_t seed) { std::srand(seed); }

int SolRandom() { return std::rand(); }

const uint8_t* SolFindResource(uint16_t id, const WCHAR* type, size_t& size) {
  size = 0;
  HRSRC found = FindResource(nullptr, MAKEINTRESOURCE(id), type);
  if (!found) return nullptr;
  const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
  if (data) size = SizeofResource(nullptr, found);
  return data;
}

uint32_t SolWriteFailures() { return g_writeFailures; }

void SolSetWriteFailureHandler(void (*handler)()) { g_onWriteFailure = handler; }

bool SolTakeRegistryDamage(uint32_t& droppedLines, std::u16string& copy) {
  wince::RegistryDamage damage;
  if (!wince::takeRegistryDamage(&damage)) return false;
  droppedLines = damage.droppedLines;
  copy = damage.copy;
  return true;
}

bool SolRegKey::Create(const WCHAR* path, bool* created) {
  Close();
  WCHAR keyClass[] = u"appData";
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (!Written(RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, keyClass, 0, 0, nullptr, &key, &disposition))) {
    return false;
  }
  m_key = key;
  if (created) *created = disposition == REG_CREATED_NEW_KEY;
  return true;
}

bool SolRegKey::Open(const WCHAR* path) {
  Close();
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, 0, &key) != ERROR_SUCCESS) return false;
  m_key = key;
  return true;
}

void SolRegKey::Close() {
  if (m_key) RegCloseKey(static_cast<HKEY>(m_key));
  m_key = nullptr;
}

bool SolRegKey::Query(const WCHAR* name, DWORD* type, void* data, DWORD* size) const {
  return m_key && RegQueryValueEx(static_cast<HKEY>(m_key), name, nullptr, type, static_cast<LPBYTE>(data), size) == ERROR_SUCCESS;
}

bool SolRegKey::Set(const WCHAR* name, DWORD type, const void* data, DWORD size) {
  return m_key && Written(RegSetValueEx(static_cast<HKEY>(m_key), name, 0, type, static_cast<const BYTE*>(data), size));
}

bool SolRegKey::Delete(const WCHAR* path) { return RegDeleteKey(HKEY_CURRENT_USER, path) == ERROR_SUCCESS; }
