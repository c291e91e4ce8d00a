#include "base/utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, RoundTripsEveryPlane) {
  const std::u16string text = u"A\u00e9\u20ac\U0001F0A1z";
  const std::string bytes = base::utf16ToUtf8(text);
  EXPECT_EQ(bytes, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x82\xA1z");
  EXPECT_EQ(base::utf8ToUtf16(bytes), text);
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    const char* bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {"\xC0\xAF", u"\uFFFD\uFFFD"},          // overlong slash
      {"\xE2\x82", u"\uFFFD\uFFFD"},          // cut short
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
      {"a\x80" "b", u"a\uFFFDb"},             // stray continuation byte
  };
  for (const Case& c : cases) EXPECT_EQ(base::utf8ToUtf16(c.bytes), c.expected) << c.bytes;
}

TEST(Utf8, LoneSurrogatesBecomeReplacementCharacters) {
  const std::u16string text = {u'a', static_cast<char16_t>(0xD800), u'b', static_cast<char16_t>(0xDC00)};
  EXPECT_EQ(base::utf16ToUtf8(text), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

}  // namespace
