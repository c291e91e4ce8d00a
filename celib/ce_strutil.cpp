#include "ce_strutil.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "wince/text.h"

namespace {

template <class Char>
size_t Length(const Char* s) {
  size_t n = 0;
  while (s[n]) ++n;
  return n;
}

template <class Char>
Char* NewString(const Char* chars, size_t count) {
  auto* copy = static_cast<Char*>(std::malloc((count + 1) * sizeof(Char)));
  if (!copy) return nullptr;
  if (count) std::memcpy(copy, chars, count * sizeof(Char));
  copy[count] = 0;
  return copy;
}

WCHAR* EmptyString() { return NewString<WCHAR>(u"", 0); }

// The range [start, start + count) of a string of `length` units, count -1
// or past the end clipped; false when nothing is taken.
bool MidRange(size_t length, int start, int count, size_t& first, size_t& units) {
  if (length == 0 || count == 0 || start < 0 || static_cast<size_t>(start) >= length) return false;
  first = static_cast<size_t>(start);
  units = length - first;
  if (count > 0 && static_cast<size_t>(count) < units) units = static_cast<size_t>(count);
  return true;
}

// n units, clipped to the length (negative: all).
size_t Clip(size_t length, int n) { return n < 0 || static_cast<size_t>(n) > length ? length : static_cast<size_t>(n); }

template <class Char>
const Char* FindNth(const Char* str, int n, Char sep) {
  if (!str || n < 1) return nullptr;
  for (; *str; ++str)
    if (*str == sep && --n == 0) return str;
  return nullptr;
}

template <class Char>
Char* Field(const Char* str, int n, Char sep) {
  if (!str || n < 1) return nullptr;
  const Char* begin = n == 1 ? str : FindNth(str, n - 1, sep);
  if (!begin) return nullptr;
  if (n > 1) ++begin;
  const Char* end = begin;
  while (*end && *end != sep) ++end;
  return NewString(begin, static_cast<size_t>(end - begin));
}

WCHAR* Lowered(const WCHAR* s) {
  WCHAR* copy = _wcsdup(s);
  return copy ? _wcslwr(copy) : nullptr;
}

// Index of find in str at or after start, -1 when absent (start within str).
int FindFrom(const WCHAR* str, size_t length, const WCHAR* find, size_t start, bool caseSensitive) {
  const size_t findLength = wcslen(find);
  for (size_t i = start; i + findLength <= length; ++i) {
    const int diff = caseSensitive ? wcsncmp(str + i, find, findLength) : _wcsnicmp(str + i, find, findLength);
    if (diff == 0) return static_cast<int>(i);
  }
  return -1;
}

bool OnlyStars(const WCHAR* pattern) {
  while (*pattern == u'*') ++pattern;
  return *pattern == 0;
}

}  // namespace

WCHAR* StrMid(const WCHAR* str, int start, int count) {
  size_t first, units;
  if (!str || !MidRange(wcslen(str), start, count, first, units)) return EmptyString();
  return NewString(str + first, units);
}

void StrMidCopy(const WCHAR* src, WCHAR* dst, int start, int count) {
  if (!dst) return;
  size_t first, units = 0;
  if (src && MidRange(wcslen(src), start, count, first, units)) std::memcpy(dst, src + first, units * sizeof(WCHAR));
  dst[units] = 0;
}

WCHAR* StrLeft(const WCHAR* str, int n) {
  if (!str || n == 0) return EmptyString();
  return NewString(str, Clip(wcslen(str), n));
}

WCHAR* StrRight(const WCHAR* str, int n) {
  if (!str || n == 0) return EmptyString();
  const size_t length = wcslen(str);
  const size_t units = Clip(length, n);
  return NewString(str + length - units, units);
}

WCHAR* StrCopyN(WCHAR* dst, const WCHAR* src, int count) {
  if (!dst) return dst;
  size_t units = src ? Clip(wcslen(src), count) : 0;
  if (units) std::memmove(dst, src, units * sizeof(WCHAR));
  dst[units] = 0;
  return dst;
}

void StrAppendAt(WCHAR* dst, int* pos, const WCHAR* src, int count) {
  if (!dst || !pos || *pos < 0) return;
  StrCopyN(dst + *pos, src, count);
  *pos += static_cast<int>(wcslen(dst + *pos));
}

void StrAppendAtNonEmpty(WCHAR* dst, int* pos, const WCHAR* src, int count) {
  if (dst && dst[0] == 0 && (!src || src[0] == 0)) return;
  StrAppendAt(dst, pos, src, count);
}

const WCHAR* StrFindNoCase(const WCHAR* str, const WCHAR* find) {
  if (!str || !find || !*str || !*find) return nullptr;
  WCHAR* text = Lowered(str);
  WCHAR* needle = Lowered(find);
  const WCHAR* hit = text && needle ? wcsstr(text, needle) : nullptr;
  const WCHAR* result = hit ? str + (hit - text) : nullptr;
  std::free(text);
  std::free(needle);
  return result;
}

int StrFind(const WCHAR* str, const WCHAR* find, int start, bool caseSensitive) {
  if (!str || !find || !*find || start < 0) return -1;
  const size_t length = wcslen(str);
  if (static_cast<size_t>(start) >= length) return -1;
  return FindFrom(str, length, find, static_cast<size_t>(start), caseSensitive);
}

int StrFindChar(const WCHAR* str, WCHAR ch, int start) {
  if (!str || start < 0 || static_cast<size_t>(start) >= wcslen(str)) return -1;
  const WCHAR* hit = wcschr(str + start, ch);
  return hit && ch ? static_cast<int>(hit - str) : -1;
}

int StrReplaceChar(WCHAR* str, WCHAR from, WCHAR to) {
  if (!str) return 0;
  int length = 0;
  for (; str[length]; ++length)
    if (str[length] == from) str[length] = to;
  return length;
}

WCHAR* StrReplaceAll(const WCHAR* str, const WCHAR* find, const WCHAR* replacement, int start, bool caseSensitive) {
  if (!str) return EmptyString();
  const size_t length = wcslen(str);
  if (!find || !*find || start < 0 || static_cast<size_t>(start) >= length) return NewString(str, length);
  if (!replacement) replacement = u"";
  const size_t findLength = wcslen(find);
  const size_t replacementLength = wcslen(replacement);
  // First count the hits, then build the result in one piece.
  size_t hits = 0;
  for (int at = FindFrom(str, length, find, start, caseSensitive); at >= 0;
       at = FindFrom(str, length, find, at + findLength, caseSensitive))
    ++hits;
  auto* out = static_cast<WCHAR*>(
      std::malloc((length - hits * findLength + hits * replacementLength + 1) * sizeof(WCHAR)));
  if (!out) return nullptr;
  size_t from = 0, to = 0;
  for (int at = FindFrom(str, length, find, start, caseSensitive); at >= 0;
       at = FindFrom(str, length, find, at + findLength, caseSensitive)) {
    std::memcpy(out + to, str + from, (at - from) * sizeof(WCHAR));
    to += at - from;
    std::memcpy(out + to, replacement, replacementLength * sizeof(WCHAR));
    to += replacementLength;
    from = at + findLength;
  }
  std::memcpy(out + to, str + from, (length - from) * sizeof(WCHAR));
  out[to + length - from] = 0;
  return out;
}

WCHAR* StrTrimLeft(const WCHAR* str) {
  if (!str) return nullptr;
  while (*str && iswspace(*str)) ++str;
  return NewString(str, wcslen(str));
}

WCHAR* StrTrimRight(const WCHAR* str) {
  if (!str) return nullptr;
  size_t length = wcslen(str);
  while (length && iswspace(str[length - 1])) --length;
  return NewString(str, length);
}

WCHAR* StrTrim(const WCHAR* str) {
  if (!str) return nullptr;
  while (*str && iswspace(*str)) ++str;
  return StrTrimRight(str);
}

WCHAR* StrTrimRightInPlace(WCHAR* str) {
  if (!str) return nullptr;
  size_t length = wcslen(str);
  while (length && iswspace(str[length - 1])) --length;  // CR and LF are white space too
  str[length] = 0;
  return str;
}

int StrCountFields(const WCHAR* str, WCHAR sep) {
  if (!str) return 0;
  int fields = 1;
  for (; *str; ++str)
    if (*str == sep) ++fields;
  return fields;
}

const WCHAR* StrFindNth(const WCHAR* str, int n, WCHAR sep) { return FindNth(str, n, sep); }

WCHAR* StrField(const WCHAR* str, int n, WCHAR sep) { return Field(str, n, sep); }

const char* StrFindNthA(const char* str, int n, char sep) { return FindNth(str, n, sep); }

char* StrFieldA(const char* str, int n, char sep) { return Field(str, n, sep); }

int StrFindNoCaseA(const char* str, const char* find) {
  if (!str || !find || !*find) return -1;
  const size_t length = Length(str), findLength = Length(find);
  for (size_t i = 0; i + findLength <= length; ++i) {
    size_t k = 0;
    while (k < findLength && std::tolower(static_cast<unsigned char>(str[i + k])) ==
                                 std::tolower(static_cast<unsigned char>(find[k])))
      ++k;
    if (k == findLength) return static_cast<int>(i);
  }
  return -1;
}

WCHAR* PathFileName(const WCHAR* path) {
  if (!path) return EmptyString();
  const WCHAR* slash = wcsrchr(path, u'\\');
  const WCHAR* name = slash ? slash + 1 : path;
  return NewString(name, wcslen(name));
}

WCHAR* PathDirectory(const WCHAR* path) {
  if (!path) return EmptyString();
  const WCHAR* slash = wcsrchr(path, u'\\');
  if (!slash) return NewString<WCHAR>(u"\\", 1);
  return NewString(path, static_cast<size_t>(slash - path) + 1);
}

int WildcardMatch(const WCHAR* name, const WCHAR* pattern) {
  if (!name || !pattern) return 0;
  for (; *pattern; ++name, ++pattern) {
    if (*name == 0 && !OnlyStars(pattern)) return -1;
    switch (*pattern) {
      case u'*': {
        while (*pattern == u'*') ++pattern;  // a run of stars is one star
        if (*pattern == 0) return 1;
        for (; *name; ++name) {
          const int result = WildcardMatch(name, pattern);
          if (result != 0) return result;
        }
        return -1;
      }
      case u'?':
        break;
      case u'\\':
        if (pattern[1]) ++pattern;
        [[fallthrough]];
      default:
        if (*name != *pattern) return 0;
    }
  }
  return *name == 0 ? 1 : 0;
}

bool FileNameMatch(const WCHAR* name, const WCHAR* pattern) {
  if (!name || !pattern) return false;
  if (name[0] == u'.' && (pattern[0] == u'?' || pattern[0] == u'*')) return false;
  return WildcardMatch(name, pattern) == 1;
}

WCHAR* NextToken(CeTokenState* state) {
  if (!state || !state->separator) return nullptr;
  if (state->string) {
    state->position = state->string;
    state->string = nullptr;
  }
  WCHAR* token = state->position;
  if (!token) return nullptr;
  WCHAR* cut = *state->separator ? wcschr(token, *state->separator) : nullptr;
  if (cut) {
    *cut = 0;
    state->position = cut + 1;
  } else {
    state->position = nullptr;
  }
  return token;
}
