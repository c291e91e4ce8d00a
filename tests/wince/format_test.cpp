// The formatter: the handheld's printf rules on UTF-16.
#include <gtest/gtest.h>

#include <string>

#include "wince/host/text.h"
#include "wince/text.h"

namespace {

struct Case {
  std::u16string expected;
  std::u16string produced;
};

#define CASE(expected, ...) \
  Case { expected, wince::formatWide(__VA_ARGS__) }

TEST(FormatTest, Conversions) {
  const WCHAR* nullWide = nullptr;
  const char* nullNarrow = nullptr;
  const Case cases[] = {
      CASE(u"Pellwyn-Settings", u"%s-Settings", u"Pellwyn"),
      CASE(u"SaveDir7", u"SaveDir%d", 7),
      CASE(u"a\\b", u"%s\\%s", u"a", u"b"),
      CASE(u"0a|FF|ff", u"%02x|%X|%x", 10, 255, 255),
      CASE(u"File: x.cpp\nLine: 12\nError: -9", u"File: %s\nLine: %d\nError: %d", u"x.cpp", 12, -9),
      CASE(u"QZOnError -16", u"QZOnError %hd", -16),
      CASE(u"-1 65535", u"%hd %hu", 0xFFFF, 0xFFFF),
      CASE(u"4294967295 -1 ffffffff", u"%lu %ld %lx", 0xFFFFFFFFu, -1, 0xFFFFFFFFu),
      CASE(u"narrow|wide|n", u"%hs|%ls|%S", "narrow", u"wide", "n"),
      CASE(u"caf\u00e9 \u20ac", u"%hs", "caf\xe9 \x80"),
      CASE(u"x\u20acy", u"%c%c%hc", u'x', u'\u20ac', 'y'),
      CASE(u"(null)|(null)", u"%s|%hs", nullWide, nullNarrow),
      CASE(u"1:02:03", u"%d:%02d:%02d", 1, 2, 3),
      CASE(u"100%", u"%d%%", 100),
      CASE(u"[   42][42   ][00042][+42][ 42]", u"[%5d][%-5d][%05d][%+d][% d]", 42, 42, 42, 42, 42),
      CASE(u"[-0042][  -42]", u"[%05d][%5d]", -42, -42),
      CASE(u"[0x1f][0X1F][017][0]", u"[%#x][%#X][%#o][%#x]", 31, 31, 15, 0),
      CASE(u"[  007][][abc][ab   ]", u"[%5.3d][%.0d][%.5s][%-5.2s]", 7, 0, u"abc", u"abc"),
      CASE(u"[   ab][ab]", u"[%*s][%.*s]", 5, u"ab", 2, u"abcd"),
      CASE(u"[ab   ]", u"[%*s]", -5, u"ab"),
      CASE(u"-2147483648 2147483647", u"%d %i", -2147483647 - 1, 2147483647),
      CASE(u"18446744073709551615 -5", u"%llu %I64d", ~0ull, -5ll),
      CASE(u"3.50 1e+02", u"%.2f %.0e", 3.5, 100.0),
      CASE(u"%y %", u"%y %"),
  };
  for (const Case& c : cases) EXPECT_EQ(c.produced, c.expected);
}

TEST(FormatTest, PointerIsFixedWidthUpperCaseHex) {
  void* p = reinterpret_cast<void*>(static_cast<uintptr_t>(0xABC));
  std::u16string expected(sizeof(void*) * 2 - 3, u'0');
  EXPECT_EQ(wince::formatWide(u"%p", p), expected + u"ABC");
}

TEST(FormatTest, CountedFormsTruncateSafely) {
  struct Counted {
    size_t count;
    int result;
    std::u16string text;
  };
  const Counted cases[] = {
      {16, 5, u"12345"}, {6, 5, u"12345"}, {5, -1, u"1234"},  // no room for the terminator: -1, still terminated
      {2, -1, u"1"},     {1, -1, u""},
  };
  for (const Counted& c : cases) {
    WCHAR buffer[17];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(_snwprintf(buffer, c.count, u"%d", 12345), c.result) << c.count;
    EXPECT_EQ(std::u16string(buffer), c.text) << c.count;
    EXPECT_EQ(buffer[c.count], u'#') << "wrote past the count " << c.count;
  }
  WCHAR untouched[1] = {u'#'};
  EXPECT_EQ(_snwprintf(untouched, 0, u"%d", 1), -1);
  EXPECT_EQ(untouched[0], u'#');
  EXPECT_EQ(_snwprintf(nullptr, 0, u"%s!", u"abc"), 4);  // measures
}

TEST(FormatTest, UncountedFormsWriteEverything) {
  WCHAR buffer[64];
  EXPECT_EQ(wsprintf(buffer, u"%s %d", u"Btn", 3), 5);
  EXPECT_EQ(std::u16string(buffer), u"Btn 3");
  EXPECT_EQ(swprintf(buffer, u"TheWnd:%s", u"Sol"), 10);
  EXPECT_EQ(std::u16string(buffer), u"TheWnd:Sol");
  EXPECT_EQ(swprintf(buffer, 4, u"%s", u"long"), -1);
  EXPECT_EQ(std::u16string(buffer), u"lon");
}

}  // namespace
