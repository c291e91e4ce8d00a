// The printf-style formatter with the handheld's rules: in a wide format %s
// is a wide string and %S/%hs a narrow one (code page 1252); l is 32 bits as
// on the device.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "wince/text.h"

namespace {

struct Spec {
  bool left = false;
  bool zero = false;
  bool plus = false;
  bool space = false;
  bool alternate = false;
  int width = 0;
  int precision = -1;
  enum Size { Default, Short, Long, LongLong } size = Default;
  bool narrowText = false;  // h prefix on s/c
  bool wideText = false;    // l or w prefix on s/c
};

class Formatter {
 public:
  Formatter(std::u16string& out, va_list* args) : out_(out), args_(args) {}

  void run(const WCHAR* format) {
    for (const WCHAR* p = format; *p;) {
      if (*p != u'%') {
        out_.push_back(*p++);
        continue;
      }
      const WCHAR* start = p++;
      Spec spec;
      p = parseSpec(p, spec);
      if (!*p) {
        out_.append(start, p);
        break;
      }
      if (!convert(*p, spec)) out_.append(start, p + 1);
      ++p;
    }
  }

 private:
  const WCHAR* parseSpec(const WCHAR* p, Spec& spec) {
    for (;; ++p) {
      if (*p == u'-') spec.left = true;
      else if (*p == u'0') spec.zero = true;
      else if (*p == u'+') spec.plus = true;
      else if (*p == u' ') spec.space = true;
      else if (*p == u'#') spec.alternate = true;
      else break;
    }
    p = parseNumber(p, &spec.width);
    if (spec.width < 0) {
      spec.left = true;
      spec.width = -spec.width;
    }
    if (*p == u'.') {
      p = parseNumber(p + 1, &spec.precision);
      if (spec.precision < 0) spec.precision = -1;
    }
    if (*p == u'h') {
      spec.size = Spec::Short;
      spec.narrowText = true;
      ++p;
    } else if (*p == u'l' && p[1] == u'l') {
      spec.size = Spec::LongLong;
      p += 2;
    } else if (*p == u'l' || *p == u'w') {
      spec.size = Spec::Long;
      spec.wideText = true;
      ++p;
    } else if (p[0] == u'I' && p[1] == u'6' && p[2] == u'4') {
      spec.size = Spec::LongLong;
      p += 3;
    }
    return p;
  }

  const WCHAR* parseNumber(const WCHAR* p, int* value) {
    if (*p == u'*') {
      *value = va_arg(*args_, int);
      return p + 1;
    }
    int v = 0;
    while (*p >= u'0' && *p <= u'9') {
      v = std::min(v * 10 + (*p - u'0'), 100000);
      ++p;
    }
    *value = v;
    return p;
  }

  bool convert(WCHAR c, const Spec& spec) {
    switch (c) {
      case u'd':
      case u'i':
        signedNumber(spec);
        return true;
      case u'u':
      case u'x':
      case u'X':
      case u'o':
        unsignedNumber(c, spec);
        return true;
      case u'p':
        pointer(spec);
        return true;
      case u'c':
      case u'C':
        character(spec, c == u'C' ? !spec.wideText : spec.narrowText);
        return true;
      case u's':
      case u'S':
        string(spec, c == u'S' ? !spec.wideText : spec.narrowText);
        return true;
      case u'%':
        out_.push_back(u'%');
        return true;
      case u'e':
      case u'E':
      case u'f':
      case u'g':
      case u'G':
        floating(c, spec);
        return true;
      default:
        return false;
    }
  }

  void signedNumber(const Spec& spec) {
    long long v;
    if (spec.size == Spec::LongLong) v = va_arg(*args_, long long);
    else if (spec.size == Spec::Short) v = static_cast<short>(va_arg(*args_, int));
    else v = va_arg(*args_, int);
    unsigned long long magnitude = v < 0 ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    std::u16string prefix;
    if (v < 0) prefix = u"-";
    else if (spec.plus) prefix = u"+";
    else if (spec.space) prefix = u" ";
    number(digits(magnitude, 10, false), prefix, spec);
  }

  void unsignedNumber(WCHAR c, const Spec& spec) {
    unsigned long long v;
    if (spec.size == Spec::LongLong) v = va_arg(*args_, unsigned long long);
    else if (spec.size == Spec::Short) v = static_cast<unsigned short>(va_arg(*args_, unsigned));
    else v = va_arg(*args_, unsigned);
    int base = c == u'o' ? 8 : (c == u'u' ? 10 : 16);
    std::u16string prefix;
    if (spec.alternate && v != 0 && base == 16) prefix = c == u'X' ? u"0X" : u"0x";
    if (spec.alternate && v != 0 && base == 8) prefix = u"0";
    number(digits(v, base, c == u'X'), prefix, spec);
  }

  void pointer(const Spec& spec) {
    auto v = reinterpret_cast<uintptr_t>(va_arg(*args_, void*));
    std::u16string text = digits(v, 16, true);
    text.insert(0, sizeof(void*) * 2 - text.size(), u'0');
    pad(text, spec.width, spec.left);
  }

  static std::u16string digits(unsigned long long v, int base, bool upper) {
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::u16string text;
    do {
      text.push_back(static_cast<WCHAR>(set[v % static_cast<unsigned>(base)]));
      v /= static_cast<unsigned>(base);
    } while (v);
    std::reverse(text.begin(), text.end());
    return text;
  }

  // Precision: minimum digits (0 with value 0 prints nothing); zero padding
  // fills the width between the prefix and the digits.
  void number(std::u16string text, const std::u16string& prefix, const Spec& spec) {
    if (spec.precision >= 0) {
      if (spec.precision == 0 && text == u"0") text.clear();
      if (static_cast<int>(text.size()) < spec.precision) text.insert(0, spec.precision - text.size(), u'0');
    } else if (spec.zero && !spec.left) {
      int room = spec.width - static_cast<int>(prefix.size() + text.size());
      if (room > 0) text.insert(0, static_cast<size_t>(room), u'0');
    }
    pad(prefix + text, spec.width, spec.left);
  }

  void character(const Spec& spec, bool narrow) {
    int v = va_arg(*args_, int);
    WCHAR ch = static_cast<WCHAR>(v);
    if (narrow) {
      char byte = static_cast<char>(v);
      MultiByteToWideChar(CP_ACP, 0, &byte, 1, &ch, 1);
    }
    pad(std::u16string(1, ch), spec.width, spec.left);
  }

  void string(const Spec& spec, bool narrow) {
    std::u16string text;
    if (narrow) {
      const char* s = va_arg(*args_, const char*);
      if (!s) s = "(null)";
      size_t n = spec.precision >= 0 ? strnlen(s, static_cast<size_t>(spec.precision)) : std::strlen(s);
      text.resize(n);
      if (n) MultiByteToWideChar(CP_ACP, 0, s, static_cast<int>(n), text.data(), static_cast<int>(n));
    } else {
      const WCHAR* s = va_arg(*args_, const WCHAR*);
      if (!s) s = u"(null)";
      size_t n = spec.precision >= 0 ? wcsnlen(s, static_cast<size_t>(spec.precision)) : wcslen(s);
      text.assign(s, n);
    }
    pad(text, spec.width, spec.left);
  }

  void floating(WCHAR c, const Spec& spec) {
    double v = va_arg(*args_, double);
    char format[32];
    std::snprintf(format, sizeof format, "%%%s%s%s%s%s*.*%c", spec.left ? "-" : "", spec.zero ? "0" : "",
                  spec.plus ? "+" : "", spec.space ? " " : "", spec.alternate ? "#" : "", static_cast<char>(c));
    char text[512];
    int n = std::snprintf(text, sizeof text, format, std::min(spec.width, 400), std::min(spec.precision < 0 ? 6 : spec.precision, 100), v);
    for (int i = 0; i < n && i < static_cast<int>(sizeof text) - 1; ++i) out_.push_back(static_cast<WCHAR>(text[i]));
  }

  void pad(const std::u16string& text, int width, bool left) {
    size_t fill = width > static_cast<int>(text.size()) ? static_cast<size_t>(width) - text.size() : 0;
    if (!left) out_.append(fill, u' ');
    out_ += text;
    if (left) out_.append(fill, u' ');
  }

  std::u16string& out_;
  va_list* args_;
};

// Copies the result into a counted buffer: -1 (terminated at count-1) when
// it does not fit with its terminator.
int store(const std::u16string& text, WCHAR* buffer, size_t count) {
  if (!buffer) return count == 0 ? static_cast<int>(text.size()) : -1;
  if (text.size() < count) {
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = 0;
    return static_cast<int>(text.size());
  }
  if (count > 0) {
    std::copy_n(text.begin(), count - 1, buffer);
    buffer[count - 1] = 0;
  }
  return -1;
}

int storeUnbounded(const std::u16string& text, WCHAR* buffer) {
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = 0;
  return static_cast<int>(text.size());
}

}  // namespace

namespace wince {

std::u16string formatWideV(const WCHAR* format, va_list args) {
  std::u16string out;
  va_list copy;
  va_copy(copy, args);
  Formatter(out, &copy).run(format);
  va_end(copy);
  return out;
}

std::u16string formatWide(const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  std::u16string out = formatWideV(format, args);
  va_end(args);
  return out;
}

}  // namespace wince

int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args) {
  return store(wince::formatWideV(format, args), buffer, count);
}

int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int n = _vsnwprintf(buffer, count, format, args);
  va_end(args);
  return n;
}

int wvsprintf(WCHAR* buffer, const WCHAR* format, va_list args) {
  return storeUnbounded(wince::formatWideV(format, args), buffer);
}

int wsprintf(WCHAR* buffer, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int n = wvsprintf(buffer, format, args);
  va_end(args);
  return n;
}

