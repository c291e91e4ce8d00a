// A UTF-16 text stored with its length in front: the pointer addresses the
// first character of a heap block [32-bit count][characters][NUL], so it can
// be passed wherever NUL-terminated text is expected. A null pointer is the
// empty value. The static operations work on such pointers directly; CeStrBuf
// owns one. Also the wrappers around the runtime's automation strings.
#pragma once

#include "wince/text.h"
#include "wince/types.h"

class CeStrBuf {
 public:
  // A new block holding `text` (up to its NUL) or its first `count` units;
  // null text gives an empty block. Null when memory runs out.
  static WCHAR* Alloc(const WCHAR* text);
  static WCHAR* Alloc(const WCHAR* text, UINT count);
  // Allocates the new block first, then frees the old one; false (old value
  // kept) for a null variable or when memory runs out.
  static bool Assign(WCHAR** variable, const WCHAR* text);
  static bool Assign(WCHAR** variable, const WCHAR* text, UINT count);
  // Grows the block in place; false (unchanged) for a null variable, a null
  // (empty) value, nothing to append, or when memory runs out.
  static bool Append(WCHAR** variable, const WCHAR* text);
  static bool Append(WCHAR** variable, const WCHAR* text, UINT count);
  static void Free(WCHAR* chars);
  static UINT Length(const WCHAR* chars);

  CeStrBuf() = default;
  CeStrBuf(const CeStrBuf& other);
  CeStrBuf(const WCHAR* text);
  ~CeStrBuf();

  CeStrBuf& operator=(const CeStrBuf& other);
  CeStrBuf& operator=(const WCHAR* text);
  // Appending to the empty value takes a copy of the text.
  CeStrBuf& operator+=(const CeStrBuf& other);
  CeStrBuf& operator+=(const WCHAR* text);

  operator const WCHAR*() const { return m_chars; }
  WCHAR* Copy() const;
  UINT Length() const { return Length(m_chars); }
  void Empty();

  // Locale order of the stored texts (user-default locale, string sort).
  bool operator<(const CeStrBuf& other) const { return Compare(other) == CSTR_LESS_THAN; }
  bool operator<=(const CeStrBuf& other) const { return Compare(other) != CSTR_GREATER_THAN; }
  bool operator>(const CeStrBuf& other) const { return Compare(other) == CSTR_GREATER_THAN; }
  bool operator>=(const CeStrBuf& other) const { return Compare(other) != CSTR_LESS_THAN; }
  bool operator==(const CeStrBuf& other) const { return Compare(other) == CSTR_EQUAL; }
  bool operator!=(const CeStrBuf& other) const { return Compare(other) != CSTR_EQUAL; }
  bool operator==(const WCHAR* text) const;

 private:
  int Compare(const CeStrBuf& other) const;
  void Append(const WCHAR* text, UINT count);

  WCHAR* m_chars = nullptr;
};

// SysAllocString of a non-empty text; an empty automation string otherwise.
BSTR AllocBstr(const WCHAR* text);
// False for a null text. Replaces the string held in the variable, or stores
// a new one when it holds none.
bool ReAllocBstr(BSTR* variable, const WCHAR* text);
// Frees the string (empty ones too); a null one is left alone.
void FreeBstr(BSTR string);
UINT BstrLength(BSTR string);
