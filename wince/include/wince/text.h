// UTF-16 text: wide-string helpers, the printf-style formatter with the
// handheld's rules, and code-page conversion.
//
// Naming: the helpers keep the handheld's names. Those the C library also has
// for its own 32-bit wchar_t (wcslen, wcscpy, towupper, ...) are C++ overloads
// on WCHAR (char16_t) and are told apart by their argument types; call the
// character classifiers with a WCHAR, since an int argument is ambiguous.
// The handheld-only names (_wcsicmp, _wcsdup, _wtoi, wsprintf, ...) exist
// once, on WCHAR.
//
// Formatter rules (wsprintf, swprintf, _snwprintf, _vsnwprintf):
//   %s wide string, %S and %hs narrow string, %ls wide string; %c wide
//   character, %hc narrow character, %C narrow character; %d %i %u %x %X %o
//   with h (16-bit) and l (32-bit, the device's long) size prefixes; %p;
//   flags - 0 + space #; width and precision, also as *; %%. A null string
//   argument prints "(null)". Unknown conversions are copied as they stand.
// The counted forms write at most `count` units including the terminator.
// When the text does not fit they write count-1 units, terminate, and return
// -1; otherwise they return the number of units written, without the
// terminator. A null buffer with count 0 measures: it returns the length.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>  // before the wide-string overloads below, which it must not see

#include "wince/types.h"

// --- Wide-string helpers (UTF-16 units; no terminator checks beyond NUL) ---
size_t wcslen(const WCHAR* s);
size_t wcsnlen(const WCHAR* s, size_t max);
WCHAR* wcscpy(WCHAR* dst, const WCHAR* src);
// Copies at most n units and pads the rest of dst with NUL, as the C library
// does: the result is not terminated when src has n units or more.
WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t n);
WCHAR* wcscat(WCHAR* dst, const WCHAR* src);
WCHAR* wcsncat(WCHAR* dst, const WCHAR* src, size_t n);
int wcscmp(const WCHAR* a, const WCHAR* b);
int wcsncmp(const WCHAR* a, const WCHAR* b, size_t n);
// Case-insensitive compares fold through towlower (ASCII and Latin-1).
int _wcsicmp(const WCHAR* a, const WCHAR* b);
int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t n);
inline int wcsicmp(const WCHAR* a, const WCHAR* b) { return _wcsicmp(a, b); }
inline int wcsnicmp(const WCHAR* a, const WCHAR* b, size_t n) { return _wcsnicmp(a, b, n); }
// Duplicates with malloc; free() it. Null when out of memory.
WCHAR* _wcsdup(const WCHAR* s);
inline WCHAR* wcsdup(const WCHAR* s) { return _wcsdup(s); }
const WCHAR* wcschr(const WCHAR* s, WCHAR c);
WCHAR* wcschr(WCHAR* s, WCHAR c);
const WCHAR* wcsrchr(const WCHAR* s, WCHAR c);
WCHAR* wcsrchr(WCHAR* s, WCHAR c);
const WCHAR* wcsstr(const WCHAR* s, const WCHAR* needle);
WCHAR* wcsstr(WCHAR* s, const WCHAR* needle);
WCHAR* _wcsupr(WCHAR* s);
WCHAR* _wcslwr(WCHAR* s);
long wcstol(const WCHAR* s, WCHAR** end, int base);
unsigned long wcstoul(const WCHAR* s, WCHAR** end, int base);
int _wtoi(const WCHAR* s);
long _wtol(const WCHAR* s);

// Character classes and case of one UTF-16 unit (ASCII and Latin-1 rules).
WCHAR towupper(WCHAR c);
WCHAR towlower(WCHAR c);
int iswspace(WCHAR c);
int iswdigit(WCHAR c);
int iswalpha(WCHAR c);
int iswalnum(WCHAR c);
int iswupper(WCHAR c);
int iswlower(WCHAR c);
int iswxdigit(WCHAR c);
int iswpunct(WCHAR c);

// --- Formatter ---
int wsprintf(WCHAR* buffer, const WCHAR* format, ...);
inline constexpr auto& wsprintfW = wsprintf;
int wvsprintf(WCHAR* buffer, const WCHAR* format, va_list args);
int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...);
int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args);
// swprintf in both forms: without a count as wsprintf, with one as _snwprintf.
template <typename... Args>
int swprintf(WCHAR* buffer, const WCHAR* format, Args... args) {
  return wsprintf(buffer, format, args...);
}
template <typename... Args>
int swprintf(WCHAR* buffer, size_t count, const WCHAR* format, Args... args) {
  return _snwprintf(buffer, count, format, args...);
}
inline int vswprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args) {
  return _vsnwprintf(buffer, count, format, args);
}

// --- Code pages ---
#define CP_ACP 0
#define CP_OEMCP 1
#define CP_1252 1252
#define CP_UTF8 65001
#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_NO_BEST_FIT_CHARS 0x00000400

// CP_ACP and CP_OEMCP are code page 1252. A source length of -1 converts up
// to and including the terminator. A destination size of 0 measures. Errors
// (SetLastError): ERROR_INVALID_PARAMETER for a bad code page or pointer,
// ERROR_INSUFFICIENT_BUFFER when the result does not fit (returns 0),
// ERROR_NO_UNICODE_TRANSLATION for invalid UTF-8 with MB_ERR_INVALID_CHARS.
// Without that flag invalid UTF-8 becomes U+FFFD; unpaired surrogates become
// U+FFFD in UTF-8 output; characters 1252 lacks become the default char
// ("?" unless given) and set *usedDefaultChar.
int MultiByteToWideChar(UINT codePage, DWORD flags, const CHAR* src, int srcBytes, WCHAR* dst, int dstUnits);
int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* src, int srcUnits, CHAR* dst, int dstBytes,
                        const CHAR* defaultChar, BOOL* usedDefaultChar);

// --- Locale comparison ---
#define NORM_IGNORECASE 0x00000001
#define SORT_STRINGSORT 0x00001000
#define CSTR_LESS_THAN 1
#define CSTR_EQUAL 2
#define CSTR_GREATER_THAN 3
// Compares by the folded (case-insensitive) units first; texts equal but
// for case put a lower-case letter before its capital unless
// NORM_IGNORECASE. Lengths of -1 mean NUL-terminated. 0 with
// ERROR_INVALID_PARAMETER for a null text. The locale is not used.
int CompareString(LCID locale, DWORD flags, LPCWSTR a, int aLength, LPCWSTR b, int bLength);
inline int CompareStringW(LCID l, DWORD f, LPCWSTR a, int na, LPCWSTR b, int nb) {
  return CompareString(l, f, a, na, b, nb);
}

// --- Automation strings ---
// A BSTR points at the first unit; the byte count is the 32-bit word just
// before it and a NUL follows the text. Null is the empty string.
typedef WCHAR OLECHAR;
typedef OLECHAR* BSTR;
// Null for a null text or when memory runs out. With a null text,
// SysAllocStringLen gives `length` zero units.
BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
// Replaces *string with a new copy (the old one is freed); FALSE (and *string
// unchanged) when memory runs out or string is null.
INT SysReAllocString(BSTR* string, const OLECHAR* text);
INT SysReAllocStringLen(BSTR* string, const OLECHAR* text, UINT length);
void SysFreeString(BSTR string);
UINT SysStringLen(BSTR string);
UINT SysStringByteLen(BSTR string);
