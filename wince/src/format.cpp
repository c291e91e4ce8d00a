// The printf-style formatter with the handheld's rules: in a wide format %s
// is a wide string and %S/%hs a narrow one (code page 1252); l is 32 bits as
// on the device.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "text_internal.h"
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

// Where the text goes: a string, or a buffer of `room` units (units past
// the room are counted, not written).
class Sink {
 public:
  explicit Sink(std::u16string* text) : text_(text) {}
  Sink(WCHAR* buffer, size_t room) : buffer_(buffer), room_(room) {}

  void put(WCHAR c) {
    if (text_) text_->push_back(c);
    else if (length_ < room_) buffer_[length_] = c;
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
      Spec spec;
      p = parseSpec(p, spec);
      if (!*p) {
        out_.put(start, static_cast<size_t>(p - start));
        break;
      }
      if (!convert(*p, spec)) out_.put(start, static_cast<size_t>(p + 1 - start));
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

  bool convert(WCHAR c, const Spec& spec) {
    switch (c) {
      case u'd':
      case u'i': signedNumber(spec); return true;
      case u'u':
      case u'x':
      case u'X':
      case u'o': unsignedNumber(c, spec); return true;
      case u'p': pointer(spec); return true;
      case u'c':
      case u'C': character(spec, c == u'C' ? !spec.wideText : spec.narrowText); return true;
      case u's':
      case u'S': string(spec, c == u'S' ? !spec.wideText : spec.narrowText); return true;
      case u'%': out_.put(u'%'); return true;
      case u'e':
      case u'E':
      case u'f':
      case u'g':
      case u'G': floating(c, spec); return true;
      default: return false;
    }
  }

  void signedNumber(const Spec& spec) {
    long long v;
    if (spec.size == Spec::LongLong) v = va_arg(*args_, long long);
    else if (spec.size == Spec::Short) v = static_cast<short>(va_arg(*args_, int));
    else v = va_arg(*args_, int);
    unsigned long long magnitude = v < 0 ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    const WCHAR* prefix = v < 0 ? u"-" : spec.plus ? u"+" : spec.space ? u" " : u"";
    number(Digits(magnitude, 10, false), prefix, spec);
  }

  void unsignedNumber(WCHAR c, const Spec& spec) {
    unsigned long long v;
    if (spec.size == Spec::LongLong) v = va_arg(*args_, unsigned long long);
    else if (spec.size == Spec::Short) v = static_cast<unsigned short>(va_arg(*args_, unsigned));
    else v = va_arg(*args_, unsigned);
    unsigned base = c == u'o' ? 8 : (c == u'u' ? 10 : 16);
    const WCHAR* prefix = u"";
    if (spec.alternate && v != 0 && base == 16) prefix = c == u'X' ? u"0X" : u"0x";
    if (spec.alternate && v != 0 && base == 8) prefix = u"0";
    number(Digits(v, base, c == u'X'), prefix, spec);
  }

  void pointer(const Spec& spec) {
    Spec fixed;
    fixed.width = spec.width;
    fixed.left = spec.left;
    fixed.precision = static_cast<int>(sizeof(void*) * 2);
    number(Digits(reinterpret_cast<uintptr_t>(va_arg(*args_, void*)), 16, true), u"", fixed);
  }

  // Precision: minimum digits (0 with value 0 prints nothing); zero padding
  // fills the width between the prefix and the digits.
  void number(const Digits& digits, const WCHAR* prefix, const Spec& spec) {
    size_t count = (spec.precision == 0 && digits.count == 1 && digits.units[0] == u'0') ? 0 : digits.count;
    size_t prefixLength = wcslen(prefix);
    size_t width = static_cast<size_t>(spec.width);
    size_t zeros = 0;
    if (spec.precision >= 0) zeros = static_cast<size_t>(spec.precision) > count ? spec.precision - count : 0;
    else if (spec.zero && !spec.left && width > prefixLength + count) zeros = width - prefixLength - count;
    size_t total = prefixLength + zeros + count;
    size_t padding = width > total ? width - total : 0;
    if (!spec.left) out_.fill(u' ', padding);
    out_.put(prefix, prefixLength);
    out_.fill(u'0', zeros);
    out_.put(digits.units, count);
    if (spec.left) out_.fill(u' ', padding);
  }

  void character(const Spec& spec, bool narrow) {
    int v = va_arg(*args_, int);
    WCHAR ch = narrow ? wince::detail::widen1252(static_cast<unsigned char>(v)) : static_cast<WCHAR>(v);
    padded(spec, 1, [&] { out_.put(ch); });
  }

  void string(const Spec& spec, bool narrow) {
    size_t limit = spec.precision >= 0 ? static_cast<size_t>(spec.precision) : static_cast<size_t>(-1);
    if (narrow) {
      const char* s = va_arg(*args_, const char*);
      if (!s) s = "(null)";
      size_t n = strnlen(s, limit);
      padded(spec, n, [&] {
        for (size_t i = 0; i < n; ++i) out_.put(wince::detail::widen1252(static_cast<unsigned char>(s[i])));
      });
    } else {
      const WCHAR* s = va_arg(*args_, const WCHAR*);
      if (!s) s = u"(null)";
      size_t n = wcsnlen(s, limit);
      padded(spec, n, [&] { out_.put(s, n); });
    }
  }

  void floating(WCHAR c, const Spec& spec) {
    double v = va_arg(*args_, double);
    char format[32];
    std::snprintf(format, sizeof format, "%%%s%s%s%s%s*.*%c", spec.left ? "-" : "", spec.zero ? "0" : "",
                  spec.plus ? "+" : "", spec.space ? " " : "", spec.alternate ? "#" : "", static_cast<char>(c));
    char text[512];
    int n = std::snprintf(text, sizeof text, format, std::min(spec.width, 400),
                          std::min(spec.precision < 0 ? 6 : spec.precision, 100), v);
    for (int i = 0; i < n && i < static_cast<int>(sizeof text) - 1; ++i) out_.put(static_cast<WCHAR>(text[i]));
  }

  // Writes `length` units through emit, padded with spaces to the width.
  template <typename Emit>
  void padded(const Spec& spec, size_t length, Emit emit) {
    size_t width = static_cast<size_t>(spec.width);
    size_t fill = width > length ? width - length : 0;
    if (!spec.left) out_.fill(u' ', fill);
    emit();
    if (spec.left) out_.fill(u' ', fill);
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
