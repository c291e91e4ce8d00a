#include "ce_strbuf.h"

#include <cstdlib>
#include <cstring>

#include "wince/system.h"

namespace {

constexpr size_t kHeader = sizeof(uint32_t);
// Largest count whose block size (count * 2 + 6) still fits the 32-bit count.
constexpr UINT kMaxCount = (0xFFFFFFFFu - kHeader - sizeof(WCHAR)) / sizeof(WCHAR);

void* BlockOf(WCHAR* chars) { return reinterpret_cast<char*>(chars) - kHeader; }

size_t BlockBytes(UINT count) { return kHeader + (static_cast<size_t>(count) + 1) * sizeof(WCHAR); }

void StoreCount(void* block, UINT count) { std::memcpy(block, &count, kHeader); }

WCHAR* CharsOf(void* block) { return reinterpret_cast<WCHAR*>(static_cast<char*>(block) + kHeader); }

UINT TextLength(const WCHAR* text) { return text ? static_cast<UINT>(wcslen(text)) : 0; }

}  // namespace

WCHAR* CeStrBuf::Alloc(const WCHAR* text) { return Alloc(text, TextLength(text)); }

WCHAR* CeStrBuf::Alloc(const WCHAR* text, UINT count) {
  if (!text) count = 0;
  if (count > kMaxCount) return nullptr;
  void* block = std::malloc(BlockBytes(count));
  if (!block) return nullptr;
  StoreCount(block, count);
  WCHAR* chars = CharsOf(block);
  if (count) std::memcpy(chars, text, count * sizeof(WCHAR));
  chars[count] = 0;
  return chars;
}

bool CeStrBuf::Assign(WCHAR** variable, const WCHAR* text) { return Assign(variable, text, TextLength(text)); }

bool CeStrBuf::Assign(WCHAR** variable, const WCHAR* text, UINT count) {
  if (!variable) return false;
  WCHAR* fresh = Alloc(text, count);
  if (!fresh) return false;
  Free(*variable);
  *variable = fresh;
  return true;
}

bool CeStrBuf::Append(WCHAR** variable, const WCHAR* text) { return Append(variable, text, TextLength(text)); }

bool CeStrBuf::Append(WCHAR** variable, const WCHAR* text, UINT count) {
  if (!variable || !*variable || !text || count == 0) return false;
  UINT old = Length(*variable);
  if (count > kMaxCount - old) return false;
  void* grown = std::realloc(BlockOf(*variable), BlockBytes(old + count));
  if (!grown) return false;
  WCHAR* chars = CharsOf(grown);
  // The text may lie inside the old block, which realloc may have moved.
  if (text >= *variable && text <= *variable + old) text = chars + (text - *variable);
  std::memmove(chars + old, text, count * sizeof(WCHAR));
  chars[old + count] = 0;
  StoreCount(grown, old + count);
  *variable = chars;
  return true;
}

void CeStrBuf::Free(WCHAR* chars) {
  if (chars) std::free(BlockOf(chars));
}

UINT CeStrBuf::Length(const WCHAR* chars) {
  if (!chars) return 0;
  UINT count;
  std::memcpy(&count, reinterpret_cast<const char*>(chars) - kHeader, kHeader);
  return count;
}

CeStrBuf::CeStrBuf(const CeStrBuf& other) : m_chars(other.Copy()) {}

CeStrBuf::CeStrBuf(const WCHAR* text) : m_chars(Alloc(text)) {}

CeStrBuf::~CeStrBuf() { Free(m_chars); }

CeStrBuf& CeStrBuf::operator=(const CeStrBuf& other) {
  if (this != &other) Assign(&m_chars, other.m_chars, other.Length());
  return *this;
}

CeStrBuf& CeStrBuf::operator=(const WCHAR* text) {
  Assign(&m_chars, text);
  return *this;
}

CeStrBuf& CeStrBuf::operator+=(const CeStrBuf& other) {
  Append(other.m_chars, other.Length());
  return *this;
}

CeStrBuf& CeStrBuf::operator+=(const WCHAR* text) {
  Append(text, TextLength(text));
  return *this;
}

void CeStrBuf::Append(const WCHAR* text, UINT count) {
  if (m_chars)
    Append(&m_chars, text, count);
  else
    Assign(&m_chars, text, count);
}

WCHAR* CeStrBuf::Copy() const { return Alloc(m_chars, Length()); }

void CeStrBuf::Empty() { Assign(&m_chars, u"", 0); }

int CeStrBuf::Compare(const CeStrBuf& other) const {
  return CompareStringW(LOCALE_USER_DEFAULT, SORT_STRINGSORT, m_chars ? m_chars : u"", static_cast<int>(Length()),
                        other.m_chars ? other.m_chars : u"", static_cast<int>(other.Length()));
}

bool CeStrBuf::operator==(const WCHAR* text) const {
  return CompareStringW(LOCALE_USER_DEFAULT, SORT_STRINGSORT, m_chars ? m_chars : u"", static_cast<int>(Length()),
                        text ? text : u"", -1) == CSTR_EQUAL;
}

BSTR AllocBstr(const WCHAR* text) {
  if (text && *text) return SysAllocString(text);
  return SysAllocStringLen(nullptr, 0);
}

bool ReAllocBstr(BSTR* variable, const WCHAR* text) {
  if (!text || !variable) return false;
  if (!*variable) {
    *variable = AllocBstr(text);
    return *variable != nullptr;
  }
  if (*text) return SysReAllocString(variable, text) != 0;
  return SysReAllocStringLen(variable, nullptr, 0) != 0;
}

// An empty string is an allocation too: freeing only non-empty ones would
// leak every empty string AllocBstr made.
void FreeBstr(BSTR string) { SysFreeString(string); }

UINT BstrLength(BSTR string) { return SysStringLen(string); }
