// Wide-string helpers and code-page conversion.
#include "wince/text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "wince/host/text.h"
#include "wince/system.h"

namespace {

TEST(TextTest, CompareAndSearch) {
  EXPECT_EQ(wcslen(u""), 0u);
  EXPECT_EQ(wcslen(u"abc"), 3u);
  EXPECT_LT(wcscmp(u"abc", u"abd"), 0);
  EXPECT_GT(wcscmp(u"abc", u"ab"), 0);
  EXPECT_LT(wcscmp(u"a", u"\u00e9"), 0);  // units compare unsigned
  EXPECT_EQ(_wcsicmp(u"Pellwyn", u"PELLWYN"), 0);
  EXPECT_EQ(_wcsicmp(u"\u00c9t\u00c9", u"\u00e9t\u00e9"), 0);
  EXPECT_LT(_wcsicmp(u"apple", u"Banana"), 0);
  EXPECT_EQ(_wcsnicmp(u"abcX", u"ABCy", 3), 0);
  EXPECT_EQ(wcsncmp(u"abcX", u"abcY", 3), 0);

  const WCHAR* path = u"\\Program Files\\x.pdb";
  EXPECT_EQ(wcschr(path, u'\\'), path);
  EXPECT_EQ(wcsrchr(path, u'\\'), path + 14);
  EXPECT_EQ(wcschr(path, u'#'), nullptr);
  EXPECT_EQ(wcschr(path, u'\0'), path + wcslen(path));
  EXPECT_EQ(wcsstr(path, u".pdb"), path + 16);
  EXPECT_EQ(wcsstr(path, u""), path);
  EXPECT_EQ(wcsstr(path, u"pdbx"), nullptr);
}

TEST(TextTest, CopyConcatenateDuplicate) {
  WCHAR buffer[16];
  wcscpy(buffer, u"ab");
  wcscat(buffer, u"cd");
  wcsncat(buffer, u"efgh", 2);
  EXPECT_EQ(std::u16string(buffer), u"abcdef");
  WCHAR padded[5] = {u'#', u'#', u'#', u'#', u'#'};
  wcsncpy(padded, u"ab", 4);
  EXPECT_EQ(std::u16string(padded, 5), std::u16string(u"ab\0\0#", 5));
  wcsncpy(padded, u"abcdef", 4);
  EXPECT_EQ(std::u16string(padded, 5), u"abcd#");  // not terminated, as the C library
  WCHAR* copy = _wcsdup(u"dup");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(std::u16string(copy), u"dup");
  std::free(copy);
  wcscpy(buffer, u"Mixed \u00e9\u00ff");
  EXPECT_EQ(std::u16string(_wcsupr(buffer)), u"MIXED \u00c9\u0178");
  EXPECT_EQ(std::u16string(_wcslwr(buffer)), u"mixed \u00e9\u00ff");
}

TEST(TextTest, CharacterClassesAndNumbers) {
  EXPECT_TRUE(iswspace(u' ') && iswspace(u'\t') && iswspace(u'\u00a0'));
  EXPECT_FALSE(iswspace(u'x'));
  EXPECT_TRUE(iswdigit(u'7'));
  EXPECT_FALSE(iswdigit(u'a'));
  EXPECT_TRUE(iswalpha(u'\u00e9') && iswupper(u'\u00c9') && iswlower(u'\u00df'));
  EXPECT_FALSE(iswalpha(u'\u00d7'));  // multiplication sign
  EXPECT_EQ(towupper(u'\u00f7'), u'\u00f7');
  EXPECT_TRUE(iswpunct(u'!') && !iswpunct(u'a') && iswxdigit(u'F'));

  struct Number {
    const WCHAR* text;
    int base;
    long value;
    size_t consumed;
  };
  const Number numbers[] = {
      {u"  42x", 10, 42, 4}, {u"-17", 10, -17, 3},
      {u"0x1F", 16, 31, 4},  {u"0x1F", 0, 31, 4},
      {u"017", 0, 15, 3},    {u"zz", 10, 0, 0},
      {u"+5", 10, 5, 2},     {u"99999999999999999999", 10, __LONG_MAX__, 20},
  };
  for (const Number& n : numbers) {
    WCHAR* end = nullptr;
    EXPECT_EQ(wcstol(n.text, &end, n.base), n.value) << std::string(n.text, n.text + wcslen(n.text));
    EXPECT_EQ(static_cast<size_t>(end - n.text), n.consumed);
  }
  EXPECT_EQ(_wtoi(u"-123abc"), -123);
  EXPECT_EQ(wcstoul(u"ffffffff", nullptr, 16), 0xFFFFFFFFul);
}

TEST(CodePageTest, Windows1252RoundTripsEveryByte) {
  std::string bytes;
  for (int b = 1; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  WCHAR wide[256];
  ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, bytes.data(), 255, wide, 256), 255);
  EXPECT_EQ(wide[0x80 - 1], 0x20AC);  // euro
  EXPECT_EQ(wide[0x9F - 1], 0x0178);
  EXPECT_EQ(wide[0x81 - 1], 0x0081);  // unassigned byte kept
  EXPECT_EQ(wide[0xE9 - 1], 0x00E9);
  char back[256];
  BOOL usedDefault = TRUE;
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, 255, back, 256, nullptr, &usedDefault), 255);
  EXPECT_EQ(std::string(back, 255), bytes);
  EXPECT_FALSE(usedDefault);
}

TEST(CodePageTest, UnmappableCharactersUseTheDefault) {
  char out[8];
  BOOL usedDefault = FALSE;
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a\u4e2db", -1, out, 8, nullptr, &usedDefault), 4);
  EXPECT_STREQ(out, "a?b");
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u4e2d", 1, out, 8, "*", nullptr), 1);
  EXPECT_EQ(out[0], '*');
}

TEST(CodePageTest, Utf8RoundTripAndInvalidInput) {
  const std::u16string text = u"a\u00e9\u20ac\U0001F600z";
  char utf8[32];
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
  ASSERT_EQ(n, 1 + 2 + 3 + 4 + 1 + 1);
  EXPECT_STREQ(utf8, "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80z");
  WCHAR wide[16];
  ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 16), static_cast<int>(text.size()) + 1);
  EXPECT_EQ(std::u16string(wide), text);

  const char* invalid[] = {"\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82", "\xff"};
  for (const char* bad : invalid) {
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bad, -1, wide, 16), 0) << bad;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    int units = MultiByteToWideChar(CP_UTF8, 0, bad, -1, wide, 16);
    ASSERT_GT(units, 1);
    EXPECT_EQ(wide[0], 0xFFFD);
  }
  EXPECT_EQ(wince::wideToUtf8(u"\xd800x"), "\xef\xbf\xbdx");  // lone surrogate
  EXPECT_EQ(wince::utf8ToWide("\xe2\x82\xac"), u"\u20ac");
}

TEST(CodePageTest, SizesAndErrors) {
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);  // measures with the terminator
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, nullptr, 0), 3);
  WCHAR small[2];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, small, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  struct Bad {
    UINT codePage;
    const char* src;
    int srcBytes;
  };
  const Bad bad[] = {{437, "a", 1}, {CP_ACP, nullptr, 1}, {CP_ACP, "a", 0}, {CP_ACP, "a", -2}};
  for (const Bad& b : bad) {
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(b.codePage, 0, b.src, b.srcBytes, small, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  char narrow[2];
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u20ac", 1, narrow, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

}  // namespace

namespace {

TEST(TextTest, LocaleComparison) {
  struct Case {
    const WCHAR* a;
    int aLength;
    const WCHAR* b;
    DWORD flags;
    int result;
  };
  const Case cases[] = {
      {u"abc", -1, u"abd", 0, CSTR_LESS_THAN},
      {u"abc", -1, u"ABC", 0, CSTR_LESS_THAN},  // lower case first when equal but for case
      {u"ABC", -1, u"abc", 0, CSTR_GREATER_THAN},
      {u"ABC", -1, u"abc", NORM_IGNORECASE, CSTR_EQUAL},
      {u"apple", -1, u"Banana", SORT_STRINGSORT, CSTR_LESS_THAN},  // case does not order letters
      {u"ab", -1, u"abc", 0, CSTR_LESS_THAN},
      {u"abcdef", 3, u"abc", 0, CSTR_EQUAL},
      {u"", -1, u"", 0, CSTR_EQUAL},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareString(LOCALE_USER_DEFAULT, c.flags, c.a, c.aLength, c.b, -1), c.result)
        << wince::wideToUtf8(c.a) << " / " << wince::wideToUtf8(c.b);
  }
  EXPECT_EQ(CompareString(0, 0, nullptr, -1, u"a", -1), 0);
}

TEST(TextTest, AutomationStringsCarryTheirByteCount) {
  BSTR s = SysAllocString(u"card");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SysStringLen(s), 4u);
  EXPECT_EQ(SysStringByteLen(s), 8u);
  DWORD prefix;
  std::memcpy(&prefix, reinterpret_cast<BYTE*>(s) - 4, 4);
  EXPECT_EQ(prefix, 8u);
  EXPECT_EQ(s[4], 0);
  ASSERT_TRUE(SysReAllocStringLen(&s, u"pile of cards", 4));
  EXPECT_EQ(std::u16string(s), u"pile");
  ASSERT_TRUE(SysReAllocString(&s, nullptr));
  EXPECT_EQ(SysStringLen(s), 0u);
  SysFreeString(s);
  BSTR zeros = SysAllocStringLen(nullptr, 3);
  EXPECT_EQ(std::u16string(zeros, 3), std::u16string(3, u'\0'));
  SysFreeString(zeros);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  SysFreeString(nullptr);
  EXPECT_FALSE(SysReAllocString(nullptr, u"x"));
}

}  // namespace
