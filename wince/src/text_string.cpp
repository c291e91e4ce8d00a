// Wide-string helpers on UTF-16 units.
#include <climits>
#include <cstdlib>
#include <cstring>

#include "wince/text.h"

size_t wcslen(const WCHAR* s) {
  const WCHAR* p = s;
  while (*p) ++p;
  return static_cast<size_t>(p - s);
}

size_t wcsnlen(const WCHAR* s, size_t max) {
  size_t n = 0;
  while (n < max && s[n]) ++n;
  return n;
}

WCHAR* wcscpy(WCHAR* dst, const WCHAR* src) {
  WCHAR* d = dst;
  while ((*d++ = *src++) != 0) {
  }
  return dst;
}

WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t n) {
  size_t i = 0;
  for (; i < n && src[i]; ++i) dst[i] = src[i];
  for (; i < n; ++i) dst[i] = 0;
  return dst;
}

WCHAR* wcscat(WCHAR* dst, const WCHAR* src) {
  wcscpy(dst + wcslen(dst), src);
  return dst;
}

WCHAR* wcsncat(WCHAR* dst, const WCHAR* src, size_t n) {
  WCHAR* d = dst + wcslen(dst);
  size_t i = 0;
  for (; i < n && src[i]; ++i) d[i] = src[i];
  d[i] = 0;
  return dst;
}

int wcscmp(const WCHAR* a, const WCHAR* b) { return wcsncmp(a, b, static_cast<size_t>(-1)); }

int wcsncmp(const WCHAR* a, const WCHAR* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    if (!a[i]) return 0;
  }
  return 0;
}

int _wcsicmp(const WCHAR* a, const WCHAR* b) { return _wcsnicmp(a, b, static_cast<size_t>(-1)); }

int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    WCHAR x = towlower(a[i]);
    WCHAR y = towlower(b[i]);
    if (x != y) return x < y ? -1 : 1;
    if (!x) return 0;
  }
  return 0;
}

WCHAR* _wcsdup(const WCHAR* s) {
  size_t bytes = (wcslen(s) + 1) * sizeof(WCHAR);
  auto* copy = static_cast<WCHAR*>(std::malloc(bytes));
  if (copy) std::memcpy(copy, s, bytes);
  return copy;
}

const WCHAR* wcschr(const WCHAR* s, WCHAR c) {
  for (;; ++s) {
    if (*s == c) return s;
    if (!*s) return nullptr;
  }
}

WCHAR* wcschr(WCHAR* s, WCHAR c) { return const_cast<WCHAR*>(wcschr(static_cast<const WCHAR*>(s), c)); }

const WCHAR* wcsrchr(const WCHAR* s, WCHAR c) {
  const WCHAR* found = nullptr;
  for (;; ++s) {
    if (*s == c) found = s;
    if (!*s) return found;
  }
}

WCHAR* wcsrchr(WCHAR* s, WCHAR c) { return const_cast<WCHAR*>(wcsrchr(static_cast<const WCHAR*>(s), c)); }

const WCHAR* wcsstr(const WCHAR* s, const WCHAR* needle) {
  size_t n = wcslen(needle);
  if (n == 0) return s;
  for (; *s; ++s) {
    if (wcsncmp(s, needle, n) == 0) return s;
  }
  return nullptr;
}

WCHAR* wcsstr(WCHAR* s, const WCHAR* needle) {
  return const_cast<WCHAR*>(wcsstr(static_cast<const WCHAR*>(s), needle));
}

WCHAR* _wcsupr(WCHAR* s) {
  for (WCHAR* p = s; *p; ++p) *p = towupper(*p);
  return s;
}

WCHAR* _wcslwr(WCHAR* s) {
  for (WCHAR* p = s; *p; ++p) *p = towlower(*p);
  return s;
}

namespace {

int digitValue(WCHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

// Parses like strtoul: spaces, sign, optional 0x prefix for base 16 or 0;
// saturates at the unsigned long range. *negative receives the sign.
unsigned long parseUnsigned(const WCHAR* s, WCHAR** end, int base, bool* negative, bool* overflow) {
  const WCHAR* p = s;
  while (iswspace(*p)) ++p;
  *negative = false;
  *overflow = false;
  if (*p == u'+' || *p == u'-') *negative = (*p++ == u'-');
  if ((base == 0 || base == 16) && p[0] == u'0' && (p[1] == u'x' || p[1] == u'X') && digitValue(p[2]) < 16) {
    p += 2;
    base = 16;
  } else if (base == 0) {
    base = (p[0] == u'0') ? 8 : 10;
  }
  if (base < 2 || base > 36) {
    if (end) *end = const_cast<WCHAR*>(s);
    return 0;
  }
  const WCHAR* digits = p;
  unsigned long value = 0;
  const unsigned long limit = static_cast<unsigned long>(-1);
  for (; digitValue(*p) < base; ++p) {
    unsigned long d = static_cast<unsigned long>(digitValue(*p));
    if (value > (limit - d) / static_cast<unsigned long>(base)) {
      *overflow = true;
      value = limit;
    } else if (!*overflow) {
      value = value * static_cast<unsigned long>(base) + d;
    }
  }
  if (end) *end = const_cast<WCHAR*>(p == digits ? s : p);
  return value;
}

}  // namespace

long wcstol(const WCHAR* s, WCHAR** end, int base) {
  bool negative = false;
  bool overflow = false;
  unsigned long v = parseUnsigned(s, end, base, &negative, &overflow);
  const unsigned long maxPositive = static_cast<unsigned long>(LONG_MAX);
  if (negative) return (overflow || v > maxPositive) ? LONG_MIN : -static_cast<long>(v);
  return (overflow || v > maxPositive) ? LONG_MAX : static_cast<long>(v);
}

unsigned long wcstoul(const WCHAR* s, WCHAR** end, int base) {
  bool negative = false;
  bool overflow = false;
  unsigned long v = parseUnsigned(s, end, base, &negative, &overflow);
  return negative ? 0 - v : v;
}

int _wtoi(const WCHAR* s) { return static_cast<int>(wcstol(s, nullptr, 10)); }
long _wtol(const WCHAR* s) { return wcstol(s, nullptr, 10); }

// Latin-1 case rules: ASCII letters, and U+00C0-U+00DE / U+00E0-U+00FE
// without the multiplication and division signs; U+00FF and U+0178 pair up.
WCHAR towupper(WCHAR c) {
  if (c >= u'a' && c <= u'z') return static_cast<WCHAR>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<WCHAR>(c - 32);
  if (c == 0xFF) return 0x178;
  return c;
}

WCHAR towlower(WCHAR c) {
  if (c >= u'A' && c <= u'Z') return static_cast<WCHAR>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<WCHAR>(c + 32);
  if (c == 0x178) return 0xFF;
  return c;
}

int iswspace(WCHAR c) { return (c >= 9 && c <= 13) || c == u' ' || c == 0xA0 || c == 0x3000 || c == 0xFEFF; }
int iswdigit(WCHAR c) { return c >= u'0' && c <= u'9'; }
int iswupper(WCHAR c) { return towlower(c) != c; }
int iswlower(WCHAR c) { return towupper(c) != c || c == 0xDF; }
int iswalpha(WCHAR c) { return iswupper(c) || iswlower(c) || c == 0xAA || c == 0xBA; }
int iswalnum(WCHAR c) { return iswalpha(c) || iswdigit(c); }
int iswxdigit(WCHAR c) { return iswdigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }
int iswpunct(WCHAR c) {
  if (c < 0x7F) return c > u' ' && !iswalnum(c);
  return c >= 0xA1 && c <= 0xBF && c != 0xAA && c != 0xBA;
}
