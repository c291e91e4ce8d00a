// Token replacement, code-page conversion, string copies and wide formatting
// of the platform layer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../wince/string_block.h"
#include "qz_text_utils.h"
#include "wince/host/resource.h"
#include "wince/wince.h"

namespace {

TEST(SystemText, ReplaceAllReplacesEveryOccurrence) {
  struct Case {
    const char16_t* text;
    const char16_t* token;
    const char16_t* replacement;
    int capacity;
    int result;
    std::u16string expected;
  } cases[] = {
      {u"%n of %n", u"%n", u"12", 32, 2, u"12 of 12"},
      {u"aaa", u"a", u"aa", 32, 3, u"aaaaaa"},      // the replacement holds the token: no endless loop
      {u"abc", u"x", u"y", 32, 0, u"abc"},
      {u"abc", u"", u"y", 32, 0, u"abc"},
      {u"#a#", u"#", u"", 32, 2, u"a"},
      {u"ab", u"b", u"xyz", 4, -10, u"ab"},          // "axyz" needs 5 units
      {u"ab", u"b", u"xy", 4, 1, u"axy"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    std::vector<char16_t> buffer(static_cast<size_t>(c.capacity));
    std::u16string(c.text).copy(buffer.data(), buffer.size());
    buffer[std::u16string(c.text).size()] = 0;
    EXPECT_EQ(QZReplaceAll(buffer.data(), c.capacity, c.token, c.replacement), c.result);
    EXPECT_EQ(std::u16string(buffer.data()), c.expected);
  }
  EXPECT_EQ(QZReplaceAll(nullptr, 8, u"a", u"b"), 0);
}

TEST(SystemText, ReplaceAllStaysWithinTheWorkBuffer) {
  std::vector<char16_t> big(4096, 0);
  std::u16string text(600, u'x');
  text.copy(big.data(), text.size());
  EXPECT_EQ(QZReplaceAll(big.data(), 4096, u"x", u"yy"), -10);  // 1200 units > 1023
  EXPECT_EQ(std::u16string(big.data()), text);
  EXPECT_EQ(QZReplaceAll(big.data(), 4096, u"x", u"y"), 600);
}

class SystemStrings : public ::testing::Test {
 protected:
  void SetUp() override {
    strings_ = stringBlock(500, {u"twelve", u"", std::u16string(300, u'z')});
    entry_ = {nullptr, 6, nullptr, 500 / 16 + 1, reinterpret_cast<const BYTE*>(strings_.data()),
              static_cast<DWORD>(strings_.size() * 2)};
    table_ = {&entry_, 1};
    wince::registerResourceTable(&table_);
  }
  void TearDown() override { wince::unregisterResourceTable(&table_); }

  std::vector<WORD> strings_;
  wince::ResourceEntry entry_{};
  wince::ResourceTable table_{};
};

TEST_F(SystemStrings, StringCopiesAreCutAt255) {
  EXPECT_EQ(std::u16string(QZLoadStringCopy(500).get()), u"twelve");
  EXPECT_EQ(QZLoadStringCopy(501), nullptr);  // empty
  EXPECT_EQ(QZLoadStringCopy(499), nullptr);  // absent
  EXPECT_EQ(std::u16string(QZLoadStringCopy(502).get()), std::u16string(255, u'z'));
}

TEST_F(SystemStrings, ReplaceAllWithAStringResource) {
  char16_t text[32] = u"#n and #n";
  EXPECT_EQ(QZReplaceAllWithString(text, 32, u"#n", 500), 2);
  EXPECT_EQ(std::u16string(text), u"twelve and twelve");
  EXPECT_EQ(QZReplaceAllWithString(text, 32, u"and", 499), -5);
  EXPECT_EQ(std::u16string(text), u"twelve and twelve");
}

TEST(SystemText, CodePageConversionsAreCutAt259) {
  char narrow[QZ_CONVERT_UNITS];
  char16_t wide[QZ_CONVERT_UNITS];
  EXPECT_EQ(QZWideToNarrow(u"Caf\u00e9 \u20ac", narrow), 6);
  EXPECT_EQ(std::string(narrow), "Caf\xe9 \x80");
  EXPECT_EQ(QZNarrowToWide("Caf\xe9", wide), 4);
  EXPECT_EQ(std::u16string(wide), u"Caf\u00e9");
  EXPECT_EQ(QZNarrowToWide("", wide), 0);
  EXPECT_EQ(wide[0], 0);
  narrow[0] = 'x';
  EXPECT_EQ(QZWideToNarrow(nullptr, narrow), 0);
  EXPECT_EQ(narrow[0], 0);
  const std::u16string longText(400, u'w');
  EXPECT_EQ(QZWideToNarrow(longText.c_str(), narrow), 259);
  EXPECT_EQ(std::string(narrow), std::string(259, 'w'));
  const std::string longNarrow(400, 'n');
  EXPECT_EQ(QZNarrowToWide(longNarrow.c_str(), wide), 259);
  EXPECT_EQ(std::u16string(wide), std::u16string(259, u'n'));
}

TEST(SystemText, FormatWideKeepsToItsCapacity) {
  char16_t out[12];
  EXPECT_EQ(QZFormatWide(out, 12, u"%s=%d", u"deal", 42), 7);
  EXPECT_EQ(std::u16string(out), u"deal=42");
  EXPECT_EQ(QZFormatWide(out, 6, u"%s=%d", u"deal", 42), -1);
  EXPECT_EQ(std::u16string(out), u"deal=");
  EXPECT_EQ(QZFormatWide(out, 0, u"x"), -1);
}

}  // namespace
