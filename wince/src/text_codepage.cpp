// Code-page conversion: code page 1252 (the ANSI page) and UTF-8.
#include <cstring>

#include "base/code_page_1252.h"
#include "text_internal.h"
#include "wince/host/text.h"
#include "wince/system.h"
#include "wince/text.h"

namespace {

bool encode1252(WCHAR c, unsigned char* out) { return base::narrowCodePage1252(c, out); }

// Decodes one UTF-8 sequence at s (n bytes left); returns its length, or 0
// when it is not a valid, shortest-form scalar value.
int decodeUtf8(const unsigned char* s, size_t n, char32_t* out) {
  unsigned char b = s[0];
  if (b < 0x80) {
    *out = b;
    return 1;
  }
  int len;
  char32_t v;
  char32_t min;
  if ((b & 0xE0) == 0xC0) {
    len = 2, v = b & 0x1F, min = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    len = 3, v = b & 0x0F, min = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    len = 4, v = b & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (n < static_cast<size_t>(len)) return 0;
  for (int i = 1; i < len; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
    v = (v << 6) | (s[i] & 0x3F);
  }
  if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return 0;
  *out = v;
  return len;
}

void appendUtf8(std::string& out, char32_t v) {
  if (v < 0x80) {
    out.push_back(static_cast<char>(v));
  } else if (v < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (v >> 6)));
    out.push_back(static_cast<char>(0x80 | (v & 0x3F)));
  } else if (v < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (v >> 12)));
    out.push_back(static_cast<char>(0x80 | ((v >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (v & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (v >> 18)));
    out.push_back(static_cast<char>(0x80 | ((v >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((v >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (v & 0x3F)));
  }
}

bool toWide(UINT codePage, DWORD flags, const unsigned char* s, size_t n, std::u16string& out) {
  if (codePage != CP_UTF8) {
    for (size_t i = 0; i < n; ++i) out.push_back(wince::detail::widen1252(s[i]));
    return true;
  }
  for (size_t i = 0; i < n;) {
    char32_t v;
    int len = decodeUtf8(s + i, n - i, &v);
    if (len == 0) {
      if (flags & MB_ERR_INVALID_CHARS) return false;
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    i += static_cast<size_t>(len);
    if (v >= 0x10000) {
      out.push_back(static_cast<WCHAR>(0xD800 + ((v - 0x10000) >> 10)));
      out.push_back(static_cast<WCHAR>(0xDC00 + ((v - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<WCHAR>(v));
    }
  }
  return true;
}

void toNarrow(UINT codePage, const WCHAR* s, size_t n, char defaultChar, std::string& out, bool* usedDefault) {
  for (size_t i = 0; i < n; ++i) {
    WCHAR c = s[i];
    if (codePage != CP_UTF8) {
      unsigned char b;
      if (encode1252(c, &b)) {
        out.push_back(static_cast<char>(b));
      } else {
        out.push_back(defaultChar);
        *usedDefault = true;
      }
      continue;
    }
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      appendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (s[i + 1] - 0xDC00));
      ++i;
    } else {
      appendUtf8(out, (c >= 0xD800 && c <= 0xDFFF) ? 0xFFFD : c);
    }
  }
}

bool knownCodePage(UINT codePage) {
  return codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_1252 || codePage == CP_UTF8;
}

template <typename Unit, typename Out>
int deliver(const Out& result, Unit* dst, int dstSize) {
  if (dstSize == 0) return static_cast<int>(result.size());
  if (result.size() > static_cast<size_t>(dstSize)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(dst, result.data(), result.size() * sizeof(Unit));
  return static_cast<int>(result.size());
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, const CHAR* src, int srcBytes, WCHAR* dst, int dstUnits) {
  if (!knownCodePage(codePage) || !src || srcBytes == 0 || srcBytes < -1 || dstUnits < 0 || (!dst && dstUnits)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t n = srcBytes == -1 ? std::strlen(src) + 1 : static_cast<size_t>(srcBytes);
  std::u16string result;
  if (!toWide(codePage, flags, reinterpret_cast<const unsigned char*>(src), n, result)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  return deliver(result, dst, dstUnits);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* src, int srcUnits, CHAR* dst, int dstBytes,
                        const CHAR* defaultChar, BOOL* usedDefaultChar) {
  if (!knownCodePage(codePage) || !src || srcUnits == 0 || srcUnits < -1 || dstBytes < 0 || (!dst && dstBytes)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t n = srcUnits == -1 ? wcslen(src) + 1 : static_cast<size_t>(srcUnits);
  std::string result;
  bool usedDefault = false;
  toNarrow(codePage, src, n, defaultChar ? *defaultChar : '?', result, &usedDefault);
  if (usedDefaultChar) *usedDefaultChar = usedDefault ? TRUE : FALSE;
  return deliver(result, dst, dstBytes);
}

namespace wince {

namespace detail {

WCHAR widen1252(unsigned char byte) { return base::widenCodePage1252(byte); }

}  // namespace detail

std::u16string utf8ToWide(std::string_view utf8) {
  std::u16string out;
  toWide(CP_UTF8, 0, reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size(), out);
  return out;
}

std::string wideToUtf8(std::u16string_view wide) {
  std::string out;
  bool unused = false;
  toNarrow(CP_UTF8, wide.data(), wide.size(), '?', out, &unused);
  return out;
}

}  // namespace wince
