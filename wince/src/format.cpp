// The printf-style formatter with the handheld's rules: in a wide format %s
// is a wide string and %S/%hs a narrow one (code page 1252); l is 32 bits as
// on the device.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "text_internal.h"
#include "wince/host/text.h"
#include "wince/text.h"

namespace {

struct Conversion {
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

// Where the text goes: a string, or a buffer of `room` units (units past
// the room are counted, not written).
class Sink {
 public:
  explicit Sink(std::u16string* text) : text_(text) {}
  Sink(WCHAR* buffer, size_t room) : buffer_(buffer), room_(room) {}

  void put(WCHAR c) {
    if (text_)
      text_->push_back(c);
    else if (length_ < room_)
      buffer_[length_] = c;
    ++length_;
  }
  void put(const WCHAR* s, size_t n) {
    for (size_t i = 0; i < n; ++i) put(s[i]);
  }
  void fill(WCHAR c, size_t n) {
    for (size_t i = 0; i < n; ++i) put(c);
  }
  size_t length() const { return length_; }

 private:
  std::u16string* text_ = nullptr;
  WCHAR* buffer_ = nullptr;
  size_t room_ = 0;
  size_t length_ = 0;
};

// Digits of a number, most significant first, in a fixed array.
struct Digits {
  WCHAR units[72];
  size_t count = 0;

  Digits(unsigned long long v, unsigned base, bool upper) {
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    WCHAR reversed[72];
    do {
      reversed[count++] = static_cast<WCHAR>(set[v % base]);
      v /= base;
    } while (v);
    for (size_t i = 0; i < count; ++i) units[i] = reversed[count - 1 - i];
  }
};

class Formatter {
 public:
  Formatter(Sink& out, va_list* args) : out_(out), args_(args) {}

  void run(const WCHAR* format) {
    for (const WCHAR* p = format; *p;) {
      if (*p != u'%') {
        out_.put(*p++);
        continue;
      }
      const WCHAR* start = p++;
      Conversion conversion;
      p = parseConversion(p, conversion);
      if (!*p) {
        out_.put(start, static_cast<size_t>(p - start));
        break;
      }
      if (!convert(*p, conversion)) out_.put(start, static_cast<size_t>(p + 1 - start));
      ++p;
    }
  }

 private:
  const WCHAR* parseConversion(const WCHAR* p, Conversion& conversion) {
    for (;; ++p) {
      if (*p == u'-')
        conversion.left = true;
      else if (*p == u'0')
        conversion.zero = true;
      else if (*p == u'+')
        conversion.plus = true;
      else if (*p == u' ')
        conversion.space = true;
      else if (*p == u'#')
        conversion.alternate = true;
      else
        break;
    }
    p = parseNumber(p, &conversion.width);
    if (conversion.width < 0) {
      conversion.left = true;
      conversion.width = -conversion.width;
    }
    if (*p == u'.') {
      p = parseNumber(p + 1, &conversion.precision);
      if (conversion.precision < 0) conversion.precision = -1;
    }
    if (*p == u'h') {
      conversion.size = Conversion::Short;
      conversion.narrowText = true;
      ++p;
    } else if (*p == u'l' && p[1] == u'l') {
      conversion.size = Conversion::LongLong;
      p += 2;
    } else if (*p == u'l' || *p == u'w') {
      conversion.size = Conversion::Long;
      conversion.wideText = true;
      ++p;
    } else if (p[0] == u'I' && p[1] == u'6' && p[2] == u'4') {
      conversion.size = Conversion::LongLong;
      p += 3;
    }
    return p;
  }

  const WCHAR* parseNumber(const WCHAR* p, int* value) {
    if (*p == u'*') {
      *value = std::clamp(va_arg(*args_, int), -100000, 100000);
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

  bool convert(WCHAR c, const Conversion& conversion) {
    switch (c) {
      case u'd':
      case u'i':
        signedNumber(conversion);
        return true;
      case u'u':
      case u'x':
      case u'X':
      case u'o':
        unsignedNumber(c, conversion);
        return true;
      case u'p':
        pointer(conversion);
        return true;
      case u'c':
      case u'C':
        character(conversion, c == u'C' ? !conversion.wideText : conversion.narrowText);
        return true;
      case u's':
      case u'S':
        string(conversion, c == u'S' ? !conversion.wideText : conversion.narrowText);
        return true;
      case u'%':
        out_.put(u'%');
        return true;
      case u'e':
      case u'E':
      case u'f':
      case u'g':
      case u'G':
        floating(c, conversion);
        return true;
      default:
        return false;
    }
  }

  void signedNumber(const Conversion& conversion) {
    long long v;
    if (conversion.size == Conversion::LongLong)
      v = va_arg(*args_, long long);
    else if (conversion.size == Conversion::Short)
      v = static_cast<short>(va_arg(*args_, int));
    else
      v = va_arg(*args_, int);
    auto magnitude = static_cast<unsigned long long>(v);
    if (v < 0) magnitude = 0ull - magnitude;
    const WCHAR* prefix = v < 0 ? u"-" : conversion.plus ? u"+" : conversion.space ? u" " : u"";
    number(Digits(magnitude, 10, false), prefix, conversion);
  }

  void unsignedNumber(WCHAR c, const Conversion& conversion) {
    unsigned long long v;
    if (conversion.size == Conversion::LongLong)
      v = va_arg(*args_, unsigned long long);
    else if (conversion.size == Conversion::Short)
      v = static_cast<unsigned short>(va_arg(*args_, unsigned));
    else
      v = va_arg(*args_, unsigned);
    unsigned base = c == u'o' ? 8 : (c == u'u' ? 10 : 16);
    const WCHAR* prefix = u"";
    if (conversion.alternate && v != 0 && base == 16) prefix = c == u'X' ? u"0X" : u"0x";
    if (conversion.alternate && v != 0 && base == 8) prefix = u"0";
    number(Digits(v, base, c == u'X'), prefix, conversion);
  }

  void pointer(const Conversion& conversion) {
    Conversion fixed;
    fixed.width = conversion.width;
    fixed.left = conversion.left;
    fixed.precision = static_cast<int>(sizeof(void*) * 2);
    number(Digits(reinterpret_cast<uintptr_t>(va_arg(*args_, void*)), 16, true), u"", fixed);
  }

  // Precision: minimum digits (0 with value 0 prints nothing); zero padding
  // fills the width between the prefix and the digits.
  void number(const Digits& digits, const WCHAR* prefix, const Conversion& conversion) {
    size_t count = (conversion.precision == 0 && digits.count == 1 && digits.units[0] == u'0') ? 0 : digits.count;
    size_t prefixLength = wcslen(prefix);
    size_t width = static_cast<size_t>(conversion.width);
    size_t zeros = 0;
    size_t precision = conversion.precision >= 0 ? static_cast<size_t>(conversion.precision) : 0;
    if (conversion.precision >= 0)
      zeros = precision > count ? precision - count : 0;
    else if (conversion.zero && !conversion.left && width > prefixLength + count)
      zeros = width - prefixLength - count;
    size_t total = prefixLength + zeros + count;
    size_t padding = width > total ? width - total : 0;
    if (!conversion.left) out_.fill(u' ', padding);
    out_.put(prefix, prefixLength);
    out_.fill(u'0', zeros);
    out_.put(digits.units, count);
    if (conversion.left) out_.fill(u' ', padding);
  }

  void character(const Conversion& conversion, bool narrow) {
    int v = va_arg(*args_, int);
    WCHAR ch = narrow ? wince::detail::widen1252(static_cast<unsigned char>(v)) : static_cast<WCHAR>(v);
    padded(conversion, 1, [&] { out_.put(ch); });
  }

  void string(const Conversion& conversion, bool narrow) {
    size_t limit = conversion.precision >= 0 ? static_cast<size_t>(conversion.precision) : static_cast<size_t>(-1);
    if (narrow) {
      const char* s = va_arg(*args_, const char*);
      if (!s) s = "(null)";
      size_t n = strnlen(s, limit);
      padded(conversion, n, [&] {
        for (size_t i = 0; i < n; ++i) out_.put(wince::detail::widen1252(static_cast<unsigned char>(s[i])));
      });
    } else {
      const WCHAR* s = va_arg(*args_, const WCHAR*);
      if (!s) s = u"(null)";
      size_t n = wcsnlen(s, limit);
      padded(conversion, n, [&] { out_.put(s, n); });
    }
  }

  void floating(WCHAR c, const Conversion& conversion) {
    double v = va_arg(*args_, double);
    char format[32];
    const Conversion& f = conversion;
    std::snprintf(format, sizeof format, "%%%s%s%s%s%s*.*%c", f.left ? "-" : "", f.zero ? "0" : "", f.plus ? "+" : "",
                  f.space ? " " : "", f.alternate ? "#" : "", static_cast<char>(c));
    char text[512];
    int n = std::snprintf(text, sizeof text, format, std::min(conversion.width, 400),
                          std::min(conversion.precision < 0 ? 6 : conversion.precision, 100), v);
    for (int i = 0; i < n && i < static_cast<int>(sizeof text) - 1; ++i) out_.put(static_cast<WCHAR>(text[i]));
  }

  // Writes `length` units through emit, padded with spaces to the width.
  template <typename Emit>
  void padded(const Conversion& conversion, size_t length, Emit emit) {
    size_t width = static_cast<size_t>(conversion.width);
    size_t fill = width > length ? width - length : 0;
    if (!conversion.left) out_.fill(u' ', fill);
    emit();
    if (conversion.left) out_.fill(u' ', fill);
  }

  Sink& out_;
  va_list* args_;
};

void format(Sink& sink, const WCHAR* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  Formatter(sink, &copy).run(format);
  va_end(copy);
}

}  // namespace

namespace wince {

std::u16string formatWideV(const WCHAR* format, va_list args) {
  std::u16string out;
  Sink sink(&out);
  ::format(sink, format, args);
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

// Writes at most count units: -1 (terminated at count-1) when the text does
// not fit with its terminator; a null buffer with count 0 measures.
int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args) {
  if (!buffer) {
    Sink measure(nullptr, 0);
    ::format(measure, format, args);
    return count == 0 ? static_cast<int>(measure.length()) : -1;
  }
  Sink sink(buffer, count);
  ::format(sink, format, args);
  if (sink.length() < count) {
    buffer[sink.length()] = 0;
    return static_cast<int>(sink.length());
  }
  if (count > 0) buffer[count - 1] = 0;
  return -1;
}

int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int n = _vsnwprintf(buffer, count, format, args);
  va_end(args);
  return n;
}

int wvsprintf(WCHAR* buffer, const WCHAR* format, va_list args) {
  Sink sink(buffer, static_cast<size_t>(-1));
  ::format(sink, format, args);
  buffer[sink.length()] = 0;
  return static_cast<int>(sink.length());
}

int wsprintf(WCHAR* buffer, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int n = wvsprintf(buffer, format, args);
  va_end(args);
  return n;
}
