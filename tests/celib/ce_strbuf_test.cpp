#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ce_strbuf.h"

namespace {

std::u16string Text(const WCHAR* s) { return s ? std::u16string(s) : std::u16string(); }

// The count in front must equal the units before the first NUL.
void ExpectConsistent(const WCHAR* chars) {
  ASSERT_NE(chars, nullptr);
  EXPECT_EQ(CeStrBuf::Length(chars), wcslen(chars));
}

TEST(CeStrBuf, StaticOperationsKeepTheCountInFront) {
  WCHAR* s = CeStrBuf::Alloc(u"hello");
  ExpectConsistent(s);
  EXPECT_EQ(CeStrBuf::Length(s), 5u);

  WCHAR* part = CeStrBuf::Alloc(u"hello", 2);
  EXPECT_EQ(Text(part), u"he");
  ExpectConsistent(part);

  ASSERT_TRUE(CeStrBuf::Append(&s, u" world"));
  EXPECT_EQ(Text(s), u"hello world");
  ExpectConsistent(s);
  ASSERT_TRUE(CeStrBuf::Append(&s, u"!!!", 1));
  EXPECT_EQ(Text(s), u"hello world!");
  ExpectConsistent(s);
  // Appending a piece of itself survives the block moving.
  ASSERT_TRUE(CeStrBuf::Append(&s, s, 5));
  EXPECT_EQ(Text(s), u"hello world!hello");
  ExpectConsistent(s);

  ASSERT_TRUE(CeStrBuf::Assign(&s, u"new"));
  EXPECT_EQ(Text(s), u"new");
  ExpectConsistent(s);

  WCHAR* empty = CeStrBuf::Alloc(nullptr);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(CeStrBuf::Length(empty), 0u);
  EXPECT_EQ(empty[0], 0);

  CeStrBuf::Free(s);
  CeStrBuf::Free(part);
  CeStrBuf::Free(empty);
  CeStrBuf::Free(nullptr);
  EXPECT_EQ(CeStrBuf::Length(nullptr), 0u);
}

TEST(CeStrBuf, AppendRefusals) {
  WCHAR* value = nullptr;
  EXPECT_FALSE(CeStrBuf::Append(&value, u"abc"));  // the null value is not grown
  EXPECT_EQ(value, nullptr);
  EXPECT_FALSE(CeStrBuf::Append(nullptr, u"abc"));
  EXPECT_TRUE(CeStrBuf::Assign(&value, u"abc"));
  EXPECT_FALSE(CeStrBuf::Append(&value, u""));
  EXPECT_FALSE(CeStrBuf::Append(&value, u"x", 0));
  EXPECT_FALSE(CeStrBuf::Append(&value, nullptr));
  EXPECT_EQ(Text(value), u"abc");
  EXPECT_FALSE(CeStrBuf::Assign(nullptr, u"abc"));
  CeStrBuf::Free(value);
}

TEST(CeStrBuf, ClassValue) {
  CeStrBuf a;
  EXPECT_EQ(a.Length(), 0u);
  a += u"abc";  // appending to the empty value takes a copy
  EXPECT_EQ(Text(a), u"abc");
  CeStrBuf b(a);
  EXPECT_NE(static_cast<const WCHAR*>(b), static_cast<const WCHAR*>(a));
  b += a;
  EXPECT_EQ(Text(b), u"abcabc");
  const CeStrBuf& sameAsB = b;
  b = sameAsB;  // assigned to itself
  EXPECT_EQ(Text(b), u"abcabc");
  a = u"xy";
  EXPECT_EQ(a.Length(), 2u);
  WCHAR* copy = a.Copy();
  EXPECT_EQ(Text(copy), u"xy");
  CeStrBuf::Free(copy);
  a.Empty();
  EXPECT_NE(static_cast<const WCHAR*>(a), nullptr);
  EXPECT_EQ(a.Length(), 0u);
}

TEST(CeStrBuf, ComparesInLocaleOrder) {
  CeStrBuf abc(u"abc"), abd(u"abd"), upper(u"ABC"), empty;
  EXPECT_TRUE(abc < abd);
  EXPECT_TRUE(abc <= abd);
  EXPECT_TRUE(abd > abc);
  EXPECT_TRUE(abd >= abc);
  EXPECT_TRUE(abc != abd);
  EXPECT_FALSE(abc == upper);  // case differs: not equal, lower case first
  EXPECT_TRUE(abc < upper);
  EXPECT_TRUE(upper < abd);
  EXPECT_TRUE(abc == CeStrBuf(u"abc"));
  EXPECT_TRUE(abc == u"abc");
  EXPECT_TRUE(empty == u"");
  EXPECT_TRUE(empty == static_cast<const WCHAR*>(nullptr));
  EXPECT_TRUE(empty < abc);
}

TEST(CeStrBuf, AutomationStrings) {
  BSTR s = AllocBstr(u"text");
  EXPECT_EQ(BstrLength(s), 4u);
  BSTR empty = AllocBstr(nullptr);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(BstrLength(empty), 0u);
  EXPECT_EQ(BstrLength(nullptr), 0u);

  EXPECT_FALSE(ReAllocBstr(&s, nullptr));
  EXPECT_EQ(Text(s), u"text");
  EXPECT_TRUE(ReAllocBstr(&s, u"longer text"));
  EXPECT_EQ(BstrLength(s), 11u);
  EXPECT_TRUE(ReAllocBstr(&s, u""));
  EXPECT_EQ(BstrLength(s), 0u);
  BSTR none = nullptr;
  EXPECT_TRUE(ReAllocBstr(&none, u"made"));
  EXPECT_EQ(Text(none), u"made");

  FreeBstr(s);
  FreeBstr(empty);  // empty strings are freed too (the leak check sees it)
  FreeBstr(none);
  FreeBstr(nullptr);
}

}  // namespace
