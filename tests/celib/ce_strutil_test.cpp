#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ce_strutil.h"

namespace {

// Takes ownership of a new string; "<null>" stands for a null result.
std::u16string Take(WCHAR* s) {
  std::u16string result = s ? s : u"<null>";
  std::free(s);
  return result;
}

std::string TakeA(char* s) {
  std::string result = s ? s : "<null>";
  std::free(s);
  return result;
}

TEST(CeStrUtil, SubStrings) {
  struct Case {
    const char16_t* str;
    int start, count;
    const char16_t* mid;
  } cases[] = {
      {u"abcdef", 1, 3, u"bcd"}, {u"abcdef", 2, -1, u"cdef"}, {u"abcdef", 4, 99, u"ef"},
      {u"abcdef", 6, 1, u""},    {u"abcdef", -1, 2, u""},     {u"abcdef", 0, 0, u""},
      {u"", 0, 1, u""},          {nullptr, 0, 1, u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Take(StrMid(c.str, c.start, c.count)), c.mid);
    WCHAR buffer[16] = u"garbage";
    StrMidCopy(c.str, buffer, c.start, c.count);
    EXPECT_EQ(std::u16string(buffer), c.mid);
  }
  EXPECT_EQ(Take(StrLeft(u"abcdef", 2)), u"ab");
  EXPECT_EQ(Take(StrLeft(u"abcdef", -1)), u"abcdef");
  EXPECT_EQ(Take(StrLeft(u"abc", 10)), u"abc");
  EXPECT_EQ(Take(StrLeft(u"abc", 0)), u"");
  EXPECT_EQ(Take(StrLeft(nullptr, 2)), u"");
  EXPECT_EQ(Take(StrRight(u"abcdef", 2)), u"ef");
  EXPECT_EQ(Take(StrRight(u"abc", 10)), u"abc");
  EXPECT_EQ(Take(StrRight(u"abc", 0)), u"");
  EXPECT_EQ(Take(StrRight(u"", 3)), u"");
}

TEST(CeStrUtil, CopyAndAppendAt) {
  WCHAR buffer[32];
  EXPECT_EQ(std::u16string(StrCopyN(buffer, u"abcdef", 3)), u"abc");
  EXPECT_EQ(std::u16string(StrCopyN(buffer, u"abcdef", -1)), u"abcdef");
  EXPECT_EQ(std::u16string(StrCopyN(buffer, nullptr, 4)), u"");

  int pos = 0;
  StrAppendAt(buffer, &pos, u"one", -1);
  StrAppendAt(buffer, &pos, u"-two", 2);
  EXPECT_EQ(pos, 5);
  EXPECT_EQ(std::u16string(buffer), u"one-t");

  WCHAR untouched[4] = {0, u'z', 0, 0};
  pos = 0;
  StrAppendAtNonEmpty(untouched, &pos, u"", -1);
  EXPECT_EQ(untouched[1], u'z');
  StrAppendAtNonEmpty(untouched, &pos, u"q", -1);
  EXPECT_EQ(std::u16string(untouched), u"q");
  EXPECT_EQ(pos, 1);
}

TEST(CeStrUtil, Searching) {
  const WCHAR* text = u"Hello World, hello";
  EXPECT_EQ(StrFindNoCase(text, u"WORLD"), text + 6);
  EXPECT_EQ(StrFindNoCase(text, u"xyz"), nullptr);
  EXPECT_EQ(StrFindNoCase(text, u""), nullptr);
  EXPECT_EQ(StrFindNoCase(nullptr, u"a"), nullptr);

  EXPECT_EQ(StrFind(text, u"hello", 0, true), 13);
  EXPECT_EQ(StrFind(text, u"hello", 0, false), 0);
  EXPECT_EQ(StrFind(text, u"hello", 1, false), 13);
  EXPECT_EQ(StrFind(text, u"hello", 14, false), -1);
  EXPECT_EQ(StrFind(text, u"hello", 99, false), -1);
  EXPECT_EQ(StrFind(text, u"hello", -1, false), -1);
  EXPECT_EQ(StrFind(text, u"", 0, true), -1);

  EXPECT_EQ(StrFindChar(text, u'o', 0), 4);
  EXPECT_EQ(StrFindChar(text, u'o', 5), 7);
  EXPECT_EQ(StrFindChar(text, u'q', 0), -1);
  EXPECT_EQ(StrFindChar(text, u'o', 40), -1);
  EXPECT_EQ(StrFindChar(text, 0, 0), -1);

  EXPECT_EQ(StrFindNoCaseA("Some TEXT", "text"), 5);
  EXPECT_EQ(StrFindNoCaseA("Some", "text"), -1);
  EXPECT_EQ(StrFindNoCaseA("Some", ""), -1);
}

TEST(CeStrUtil, Replacing) {
  WCHAR path[] = u"a/b/c";
  EXPECT_EQ(StrReplaceChar(path, u'/', u'\\'), 5);
  EXPECT_EQ(std::u16string(path), u"a\\b\\c");
  EXPECT_EQ(StrReplaceChar(nullptr, u'a', u'b'), 0);

  struct Case {
    const char16_t* str;
    const char16_t* find;
    const char16_t* replacement;
    int start;
    bool caseSensitive;
    const char16_t* result;
  } cases[] = {
      {u"a-b-c", u"-", u"--", 0, true, u"a--b--c"},  // searching goes on after the inserted text
      {u"aaa", u"a", u"aa", 0, true, u"aaaaaa"},
      {u"Cat cat CAT", u"cat", u"dog", 0, false, u"dog dog dog"},
      {u"Cat cat CAT", u"cat", u"dog", 0, true, u"Cat dog CAT"},
      {u"x.x.x", u".", u"", 2, true, u"x.xx"},
      {u"abc", u"", u"z", 0, true, u"abc"},
      {u"abc", u"b", u"z", 3, true, u"abc"},
      {u"abc", u"b", nullptr, 0, true, u"ac"},
      {u"", u"b", u"z", 0, true, u""},
      {nullptr, u"b", u"z", 0, true, u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Take(StrReplaceAll(c.str, c.find, c.replacement, c.start, c.caseSensitive)), c.result);
}

TEST(CeStrUtil, Trimming) {
  EXPECT_EQ(Take(StrTrimLeft(u" \t a b ")), u"a b ");
  EXPECT_EQ(Take(StrTrimRight(u" a b \t")), u" a b");
  EXPECT_EQ(Take(StrTrim(u"  a b  ")), u"a b");
  EXPECT_EQ(Take(StrTrim(u"   ")), u"");
  EXPECT_EQ(StrTrim(nullptr), nullptr);
  EXPECT_EQ(StrTrimLeft(nullptr), nullptr);
  WCHAR line[] = u"value \r\n";
  EXPECT_EQ(std::u16string(StrTrimRightInPlace(line)), u"value");
  EXPECT_EQ(StrTrimRightInPlace(nullptr), nullptr);
}

TEST(CeStrUtil, Fields) {
  const WCHAR* csv = u"one,,three";
  EXPECT_EQ(StrCountFields(csv, u','), 3);
  EXPECT_EQ(StrCountFields(u"", u','), 1);
  EXPECT_EQ(StrCountFields(nullptr, u','), 0);
  EXPECT_EQ(StrFindNth(csv, 2, u','), csv + 4);
  EXPECT_EQ(StrFindNth(csv, 3, u','), nullptr);
  EXPECT_EQ(StrFindNth(csv, 0, u','), nullptr);
  EXPECT_EQ(Take(StrField(csv, 1, u',')), u"one");
  EXPECT_EQ(Take(StrField(csv, 2, u',')), u"");
  EXPECT_EQ(Take(StrField(csv, 3, u',')), u"three");
  EXPECT_EQ(Take(StrField(csv, 4, u',')), u"<null>");  // past the last field: no overrun
  EXPECT_EQ(Take(StrField(csv, 0, u',')), u"<null>");
  EXPECT_EQ(Take(StrField(u"whole", 1, u',')), u"whole");
  EXPECT_EQ(Take(StrField(u"whole", 2, u',')), u"<null>");

  EXPECT_EQ(TakeA(StrFieldA("a;b;c", 2, ';')), "b");
  EXPECT_EQ(TakeA(StrFieldA("a;b;c", 5, ';')), "<null>");
  const char* narrow = "a;b;c";
  EXPECT_EQ(StrFindNthA(narrow, 2, ';'), narrow + 3);
}

TEST(CeStrUtil, Paths) {
  EXPECT_EQ(Take(PathFileName(u"\\Windows\\file.txt")), u"file.txt");
  EXPECT_EQ(Take(PathFileName(u"file.txt")), u"file.txt");
  EXPECT_EQ(Take(PathFileName(u"\\Windows\\")), u"");
  EXPECT_EQ(Take(PathFileName(nullptr)), u"");
  EXPECT_EQ(Take(PathDirectory(u"\\Windows\\file.txt")), u"\\Windows\\");
  EXPECT_EQ(Take(PathDirectory(u"file.txt")), u"\\");
  EXPECT_EQ(Take(PathDirectory(nullptr)), u"");
}

TEST(CeStrUtil, Wildcards) {
  struct Case {
    const char16_t* name;
    const char16_t* pattern;
    int result;
  } cases[] = {
      {u"abc", u"abc", 1},     {u"abc", u"a?c", 1},   {u"abc", u"a\\?c", 0}, {u"a?c", u"a\\?c", 1},
      {u"abc", u"*", 1},       {u"abc", u"a*", 1},    {u"abc", u"*c", 1},    {u"abc", u"*b*", 1},
      {u"abc", u"*x*", -1},    {u"abc", u"ABC", 0},   {u"abc", u"ab", 0},    {u"ab", u"abc", -1},
      {u"", u"*", 1},          {u"", u"", 1},         {u"a", u"", 0},        {u"a\\", u"a\\", 1},
      {u"file.txt", u"*.txt", 1}, {u"file.txt", u"*.t?t", 1}, {u"aaaaaaaaaaaaaaaaaaaaaaaa", u"*a*a*a*a*a*a*b", -1},
      {u"abc", u"a**c", 1},    {u"ac", u"a***c", 1},    {u"", u"**", 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WildcardMatch(c.name, c.pattern), c.result) << std::string(c.pattern, c.pattern + 1);
  // A long run of stars costs no recursion per star.
  const std::u16string stars(100000, u'*');
  EXPECT_EQ(WildcardMatch(u"name", (u"n" + stars + u"e").c_str()), 1);

  EXPECT_FALSE(FileNameMatch(u".hidden", u"*"));
  EXPECT_FALSE(FileNameMatch(u".hidden", u"?hidden"));
  EXPECT_TRUE(FileNameMatch(u".hidden", u".h*"));
  EXPECT_TRUE(FileNameMatch(u"name", u"n*"));
  EXPECT_FALSE(FileNameMatch(u"name", u"x*"));
}

TEST(CeStrUtil, Tokens) {
  WCHAR text[] = u"a,b,,c";
  CeTokenState state;
  state.string = text;
  state.separator = u",";
  std::u16string tokens;
  while (WCHAR* token = NextToken(&state)) tokens += std::u16string(token) + u"|";
  EXPECT_EQ(tokens, u"a|b||c|");
  EXPECT_EQ(NextToken(&state), nullptr);

  WCHAR single[] = u"alone";
  CeTokenState again{nullptr, single, u";"};
  EXPECT_EQ(std::u16string(NextToken(&again)), u"alone");
  EXPECT_EQ(NextToken(&again), nullptr);
  EXPECT_EQ(NextToken(nullptr), nullptr);
}

}  // namespace
