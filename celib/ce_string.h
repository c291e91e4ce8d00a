// The library's reference-counted string: one pointer to a shared body,
// copied cheaply by sharing and copied for real only before a write.
// CeString holds UTF-16 text; CeStringA the same body for 8-bit text.
// Running out of memory raises a structured exception (CeRaiseException).
#pragma once

#include <cstddef>
#include <cstdint>

#include "wince/system.h"
#include "wince/types.h"

// What CeRaiseException throws (the platform's structured exception); the
// crash handler of the window procedures catches it.
using CeStructuredException = StructuredException;

// RaiseException(code) with no flags and no arguments.
[[noreturn]] void CeRaiseException(DWORD code);
[[noreturn]] void CeThrowMemoryException();
void* CeMalloc(size_t bytes);
// Resizes `block`; leaves it unchanged when the allocation fails (and raises).
void CeRealloc(void*& block, size_t bytes);
void CeFree(void* block);

// Replaces the characters a file name must not hold with '_' and returns the
// length (at most 225); with testOnly returns 1 at the first such character.
int SanitizeFileName(WCHAR* text, bool testOnly);

template <class Char>
struct CeStringData {
  Char* chars;
  uint32_t capacity;
  uint32_t length;
  uint32_t refcount;
};

template <class Char>
class CeStringT {
 public:
  CeStringT() = default;
  CeStringT(const Char* text) { Assign(text); }
  CeStringT(const CeStringT& other) { *this = other; }
  ~CeStringT() { Empty(); }

  CeStringT& operator=(const CeStringT& other);
  CeStringT& operator=(const Char* text) {
    Assign(text);
    return *this;
  }

  void Assign(const Char* text);
  void Assign(const Char* text, int length);
  void Empty();
  const Char* GetString() const;
  int GetLength() const { return m_data ? static_cast<int>(m_data->length) : 0; }
  int GetCapacity() const { return m_data ? static_cast<int>(m_data->capacity) : 0; }
  bool IsEmpty() const { return GetLength() == 0; }
  // Number of handles sharing the body; 0 for the null string.
  int RefCount() const { return m_data ? static_cast<int>(m_data->refcount) : 0; }
  bool SharesBodyWith(const CeStringT& other) const { return m_data == other.m_data; }

  bool CopyBeforeWrite();
  void SetLength(int n, bool realloc);
  // Stores one character, making the body private first; false when the
  // index is outside the text or the copy fails.
  bool SetAt(int index, Char c);
  // Appends `count` characters; grows to length + count + 4.
  void Append(const Char* chars, int count);
  CeStringT& operator+=(const CeStringT& other) {
    Append(other.GetString(), other.GetLength());
    return *this;
  }
  CeStringT& operator+=(const Char* text) {
    Append(text, SafeLength(text));
    return *this;
  }
  bool operator==(const CeStringT& other) const;

  // UTF-16 strings only (CeString):
  // printf-style formatting (the handheld's rules); returns the length.
  int Format(const Char* format, ...);
  // String `id` of the program's string table; 0 (and null) when absent.
  int LoadString(HINSTANCE instance, UINT id);

  // Length of a NUL-terminated text, -1 for a null pointer.
  static int SafeLength(const Char* text);

 private:
  static CeStringData<Char>* NewBody(const Char* chars, uint32_t length);
  void Release();

  CeStringData<Char>* m_data = nullptr;
};

using CeString = CeStringT<WCHAR>;
using CeStringA = CeStringT<char>;

// The system's text for an error code, or "Error <code> occured".
void GetErrorText(CeString& text, DWORD code);

template <>
int CeStringT<WCHAR>::Format(const WCHAR* format, ...);
template <>
int CeStringT<WCHAR>::LoadString(HINSTANCE instance, UINT id);

extern template class CeStringT<WCHAR>;
extern template class CeStringT<char>;
