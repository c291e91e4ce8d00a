#include "ce_string.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <new>

#include "wince/resource.h"
#include "wince/text.h"

void CeRaiseException(DWORD code) { RaiseException(code, 0, 0, nullptr); }

void CeThrowMemoryException() { CeRaiseException(14); }

void* CeMalloc(size_t bytes) {
  void* block = std::malloc(bytes == 0 ? 1 : bytes);
  if (!block) CeThrowMemoryException();
  return block;
}

void CeRealloc(void*& block, size_t bytes) {
  void* grown = std::realloc(block, bytes == 0 ? 1 : bytes);
  if (!grown) CeThrowMemoryException();
  block = grown;
}

void CeFree(void* block) { std::free(block); }

int SanitizeFileName(WCHAR* text, bool testOnly) {
  static constexpr char16_t kForbidden[] = u"\t\n\r\"*/:<>?\\|";
  int length = 0;
  for (; text[length] != 0; ++length) {
    bool bad = false;
    for (const char16_t* f = kForbidden; *f; ++f) bad = bad || text[length] == *f;
    if (!bad) continue;
    if (testOnly) return 1;
    text[length] = u'_';
  }
  if (testOnly) return 0;
  return length > 225 ? 225 : length;
}

namespace {

[[noreturn]] void OutOfMemory() { CeRaiseException(static_cast<DWORD>(E_OUTOFMEMORY)); }

}  // namespace

template <class Char>
CeStringData<Char>* CeStringT<Char>::NewBody(const Char* chars, uint32_t length) {
  auto* body = new (std::nothrow) CeStringData<Char>{nullptr, length, length, 1};
  if (!body) OutOfMemory();
  body->chars = static_cast<Char*>(std::malloc((length + 1) * sizeof(Char)));
  if (!body->chars) {
    delete body;
    OutOfMemory();
  }
  if (length) std::memcpy(body->chars, chars, length * sizeof(Char));
  body->chars[length] = 0;
  return body;
}

template <class Char>
void CeStringT<Char>::Release() {
  if (m_data && --m_data->refcount == 0) {
    std::free(m_data->chars);
    delete m_data;
  }
  m_data = nullptr;
}

template <class Char>
void CeStringT<Char>::Empty() {
  Release();
}

template <class Char>
const Char* CeStringT<Char>::GetString() const {
  static const Char kEmpty[1] = {0};
  return m_data && m_data->chars ? m_data->chars : kEmpty;
}

template <class Char>
CeStringT<Char>& CeStringT<Char>::operator=(const CeStringT& other) {
  if (m_data == other.m_data) return *this;
  Release();
  if (other.GetLength() > 0) {
    m_data = other.m_data;
    ++m_data->refcount;
  }
  return *this;
}

template <class Char>
int CeStringT<Char>::SafeLength(const Char* text) {
  if (!text) return -1;
  int n = 0;
  while (text[n]) ++n;
  return n;
}

template <class Char>
void CeStringT<Char>::Assign(const Char* text) {
  Assign(text, SafeLength(text));
}

template <class Char>
void CeStringT<Char>::Assign(const Char* text, int length) {
  // Copy first: the text may live in this string's own body.
  CeStringData<Char>* body = length > 0 ? NewBody(text, static_cast<uint32_t>(length)) : nullptr;
  Release();
  m_data = body;
}

template <class Char>
bool CeStringT<Char>::CopyBeforeWrite() {
  if (!m_data || m_data->refcount <= 1) return true;
  CeStringData<Char>* copy;
  try {
    copy = NewBody(m_data->chars, m_data->length);
  } catch (const CeStructuredException&) {
    return false;
  }
  --m_data->refcount;
  m_data = copy;
  return true;
}

template <class Char>
void CeStringT<Char>::SetLength(int n, bool realloc) {
  if (n < 0) n = 0;
  if (!CopyBeforeWrite()) return;
  if (n == GetLength()) return;
  if (!m_data) {
    m_data = new (std::nothrow) CeStringData<Char>{nullptr, 0, 0, 1};
    if (!m_data) OutOfMemory();
  }
  const uint32_t size = static_cast<uint32_t>(n);
  if (!realloc && m_data->length >= size && m_data->chars) {
    m_data->capacity = m_data->length = size;
    m_data->chars[size] = 0;
    return;
  }
  void* block = m_data->chars;
  void* grown = std::realloc(block, (size + 1) * sizeof(Char));
  if (!grown) OutOfMemory();
  m_data->chars = static_cast<Char*>(grown);
  m_data->capacity = m_data->length = size;
  m_data->chars[size] = 0;
}

template <class Char>
bool CeStringT<Char>::SetAt(int index, Char c) {
  if (index < 0 || index >= GetLength() || !CopyBeforeWrite()) return false;
  m_data->chars[index] = c;
  return true;
}

template <class Char>
void CeStringT<Char>::Append(const Char* chars, int count) {
  if (count <= 0) return;
  if (!CopyBeforeWrite()) OutOfMemory();
  if (!m_data) {
    m_data = new (std::nothrow) CeStringData<Char>{nullptr, 0, 0, 1};
    if (!m_data) OutOfMemory();
  }
  const uint32_t need = m_data->length + static_cast<uint32_t>(count);
  if (m_data->capacity < need || !m_data->chars) {
    // The appended text may lie inside the old buffer: grow a copy first.
    Char* grown = static_cast<Char*>(std::malloc((need + 5) * sizeof(Char)));
    if (!grown) OutOfMemory();
    if (m_data->length) std::memcpy(grown, m_data->chars, m_data->length * sizeof(Char));
    std::memcpy(grown + m_data->length, chars, static_cast<size_t>(count) * sizeof(Char));
    std::free(m_data->chars);
    m_data->chars = grown;
    m_data->capacity = need + 4;
  } else {
    std::memmove(m_data->chars + m_data->length, chars, static_cast<size_t>(count) * sizeof(Char));
  }
  m_data->length = need;
  m_data->chars[need] = 0;
}

template <class Char>
bool CeStringT<Char>::operator==(const CeStringT& other) const {
  return GetLength() == other.GetLength() &&
         std::memcmp(GetString(), other.GetString(), static_cast<size_t>(GetLength()) * sizeof(Char)) == 0;
}

// Doubles the buffer from 1024 characters until the text fits, then keeps
// the buffer as the new body.
template <>
int CeStringT<WCHAR>::Format(const WCHAR* format, ...) {
  Empty();
  size_t size = 512;
  WCHAR* buffer = nullptr;
  int length = -1;
  while (length < 0) {
    std::free(buffer);
    size *= 2;
    buffer = static_cast<WCHAR*>(std::malloc(size * sizeof(WCHAR)));
    if (!buffer) OutOfMemory();
    va_list args;
    va_start(args, format);
    length = _vsnwprintf(buffer, size - 1, format, args);
    va_end(args);
  }
  // A shrink that fails keeps the larger buffer rather than losing it.
  void* block = std::realloc(buffer, (static_cast<size_t>(length) + 1) * sizeof(WCHAR));
  if (!block) block = buffer;
  auto* body = new (std::nothrow) CeStringData<WCHAR>{static_cast<WCHAR*>(block), static_cast<uint32_t>(length),
                                                      static_cast<uint32_t>(length), 1};
  if (!body) {
    std::free(block);
    OutOfMemory();
  }
  body->chars[length] = 0;
  m_data = body;
  return length;
}

template <>
int CeStringT<WCHAR>::LoadString(HINSTANCE instance, UINT id) {
  const WCHAR* text = LoadStringPointer(instance, id);
  if (!text) {
    Empty();
    return 0;
  }
  const int count = text[-1];
  Empty();
  SetLength(count, true);
  if (count > 0) std::memcpy(m_data->chars, text, static_cast<size_t>(count) * sizeof(WCHAR));
  return count;
}

void GetErrorText(CeString& text, DWORD code) {
  WCHAR* system = nullptr;
  if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0x0800,
                     reinterpret_cast<LPWSTR>(&system), 0, nullptr) &&
      system) {
    text = system;
    LocalFree(system);
    return;
  }
  text.Format(u"Error %d occured", static_cast<int>(code));
}

template class CeStringT<WCHAR>;
template class CeStringT<char>;
