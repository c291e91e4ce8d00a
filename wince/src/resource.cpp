// The executable's resource tables and the calls that read them.
#include "wince/resource.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "wince/host/resource.h"
#include "wince/menu.h"
#include "wince/system.h"
#include "wince/text.h"
#include "wince/host/menu.h"

namespace {

std::mutex& tablesMutex() {
  static std::mutex m;
  return m;
}

std::vector<const wince::ResourceTable*>& tables() {
  static std::vector<const wince::ResourceTable*> list;
  return list;
}

// A type or name as the caller gave it: an integer or a string ("#123" is
// the integer 123).
struct Key {
  bool isInt;
  WORD id;
  const WCHAR* text;
};

Key keyOf(LPCWSTR value) {
  if (IS_INTRESOURCE(value)) return {true, static_cast<WORD>(reinterpret_cast<ULONG_PTR>(value)), nullptr};
  if (value[0] == u'#' && value[1]) {
    WCHAR* end = nullptr;
    unsigned long n = wcstoul(value + 1, &end, 10);
    if (*end == 0 && n <= 0xFFFF) return {true, static_cast<WORD>(n), nullptr};
  }
  return {false, 0, value};
}

bool matches(const Key& key, const WCHAR* text, WORD id) {
  if (key.isInt) return !text && id == key.id;
  return text && _wcsicmp(text, key.text) == 0;
}

const wince::ResourceEntry* find(LPCWSTR name, LPCWSTR type) {
  if (!name || !type) return nullptr;
  Key n = keyOf(name);
  Key t = keyOf(type);
  std::lock_guard lock(tablesMutex());
  for (const wince::ResourceTable* table : tables()) {
    for (size_t i = 0; i < table->count; ++i) {
      const wince::ResourceEntry& e = table->entries[i];
      if (matches(t, e.typeName, e.typeId) && matches(n, e.name, e.id)) return &e;
    }
  }
  return nullptr;
}

bool typeExists(LPCWSTR type) {
  Key t = keyOf(type);
  std::lock_guard lock(tablesMutex());
  for (const wince::ResourceTable* table : tables()) {
    for (size_t i = 0; i < table->count; ++i) {
      if (matches(t, table->entries[i].typeName, table->entries[i].typeId)) return true;
    }
  }
  return false;
}

// Handles made from entries are checked against the live tables and the
// type they were made for, so a foreign or stale value reads as absent.
const wince::ResourceEntry* entryOfHandle(const void* handle, LPCWSTR type) {
  if (!handle) return nullptr;
  Key t = keyOf(type);
  std::lock_guard lock(tablesMutex());
  for (const wince::ResourceTable* table : tables()) {
    const wince::ResourceEntry* first = table->entries;
    const wince::ResourceEntry* last = first + table->count;
    auto* e = static_cast<const wince::ResourceEntry*>(handle);
    if (std::less_equal<>()(first, e) && std::less<>()(e, last) && matches(t, e->typeName, e->typeId)) return e;
  }
  return nullptr;
}

// The string `id` inside its RT_STRING block: its count and text.
bool findString(UINT id, WORD* count, const WCHAR** text) {
  const wince::ResourceEntry* block = find(MAKEINTRESOURCE((id >> 4) + 1), RT_STRING);
  if (!block || id > 0xFFFF) return false;
  const BYTE* p = block->data;
  const BYTE* end = p + block->size;
  for (UINT i = 0;; ++i) {
    if (end - p < 2) return false;
    WORD n;
    std::memcpy(&n, p, 2);
    if (static_cast<size_t>(end - p - 2) < n * 2u) return false;
    if (i == (id & 15)) {
      *count = n;
      *text = reinterpret_cast<const WCHAR*>(p + 2);
      return n > 0;
    }
    p += 2 + n * 2u;
  }
}

}  // namespace

namespace wince {

void registerResourceTable(const ResourceTable* table) {
  std::lock_guard lock(tablesMutex());
  tables().push_back(table);
}

void unregisterResourceTable(const ResourceTable* table) {
  std::lock_guard lock(tablesMutex());
  auto& list = tables();
  list.erase(std::remove(list.begin(), list.end(), table), list.end());
}

const ACCELTABLEENTRY* acceleratorEntries(HACCEL table, size_t* count) {
  const ResourceEntry* e = entryOfHandle(table, RT_ACCELERATOR);
  *count = e ? e->size / sizeof(ACCELTABLEENTRY) : 0;
  return *count ? reinterpret_cast<const ACCELTABLEENTRY*>(e->data) : nullptr;
}

}  // namespace wince

HRSRC FindResource(HMODULE module, LPCWSTR name, LPCWSTR type) {
  const wince::ResourceEntry* e = find(name, type);
  if (!e) SetLastError(type && typeExists(type) ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return reinterpret_cast<HRSRC>(const_cast<wince::ResourceEntry*>(e));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  if (!resource) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return const_cast<BYTE*>(reinterpret_cast<const wince::ResourceEntry*>(resource)->data);
}

LPVOID LockResource(HGLOBAL data) { return data; }

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  return resource ? reinterpret_cast<const wince::ResourceEntry*>(resource)->size : 0;
}

int LoadString(HINSTANCE instance, UINT id, LPWSTR buffer, int size) {
  WORD count = 0;
  const WCHAR* text = nullptr;
  bool found = findString(id, &count, &text);
  if (!buffer) return (size == 0 && found) ? count : 0;
  if (size < 1) return 0;
  if (!found) {
    buffer[0] = 0;
    return 0;
  }
  int n = std::min<int>(count, size - 1);
  std::memcpy(buffer, text, static_cast<size_t>(n) * sizeof(WCHAR));
  buffer[n] = 0;
  return n;
}

LPCWSTR LoadStringPointer(HINSTANCE instance, UINT id) {
  WORD count = 0;
  const WCHAR* text = nullptr;
  return findString(id, &count, &text) ? text : nullptr;
}

HACCEL LoadAccelerators(HINSTANCE instance, LPCWSTR name) {
  return reinterpret_cast<HACCEL>(const_cast<wince::ResourceEntry*>(find(name, RT_ACCELERATOR)));
}

HMENU LoadMenu(HINSTANCE instance, LPCWSTR name) {
  const wince::ResourceEntry* e = find(name, RT_MENU);
  return e != nullptr ? wince::menuFromTemplate(e->data, e->size) : nullptr;
}

HICON LoadIcon(HINSTANCE instance, LPCWSTR name) {
  return reinterpret_cast<HICON>(const_cast<wince::ResourceEntry*>(find(name, RT_ICON)));
}

