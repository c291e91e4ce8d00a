#include <gtest/gtest.h>

#include "ce_string.h"

namespace {

TEST(CeString, SharingAndEmpty) {
  CeString a(u"text");
  CeString b;
  b = a;
  EXPECT_TRUE(b.SharesBodyWith(a));
  EXPECT_EQ(a.RefCount(), 2);
  const CeString& sameAsB = b;
  b = sameAsB;  // assigned to itself
  EXPECT_EQ(a.RefCount(), 2);
  b = CeString();
  EXPECT_EQ(b.RefCount(), 0);  // null, not a shared empty body
  EXPECT_EQ(b.GetString()[0], 0);
  EXPECT_EQ(a.RefCount(), 1);
  b = u"";
  EXPECT_EQ(b.RefCount(), 0);
  b = static_cast<const WCHAR*>(nullptr);
  EXPECT_EQ(b.RefCount(), 0);
  EXPECT_EQ(CeString::SafeLength(nullptr), -1);
}

TEST(CeString, WritesCopyFirst) {
  CeString a(u"abc");
  CeString b = a;
  EXPECT_TRUE(b.SetAt(1, u'X'));
  EXPECT_EQ(a, CeString(u"abc"));
  EXPECT_EQ(b, CeString(u"aXc"));
  EXPECT_FALSE(b.SharesBodyWith(a));
  b = a;
  b.SetLength(2, false);
  EXPECT_EQ(a, CeString(u"abc"));
  EXPECT_EQ(b, CeString(u"ab"));
}

TEST(CeString, SetLength) {
  CeString s(u"abcdef");
  const WCHAR* before = s.GetString();
  s.SetLength(3, false);
  EXPECT_EQ(s.GetString(), before);  // shortened in place
  EXPECT_EQ(s.GetCapacity(), 3);
  EXPECT_EQ(s, CeString(u"abc"));
  s.SetLength(5, true);
  EXPECT_EQ(s.GetLength(), 5);
  EXPECT_EQ(s.GetString()[5], 0);
  CeString fresh;
  fresh.SetLength(0, true);  // already that long: stays null
  EXPECT_EQ(fresh.RefCount(), 0);
  fresh.SetLength(2, true);
  EXPECT_EQ(fresh.GetLength(), 2);
}

TEST(CeString, AssignFromOwnText) {
  CeString s(u"abcdef");
  s = s.GetString() + 2;
  EXPECT_EQ(s, CeString(u"cdef"));
  s += s;
  EXPECT_EQ(s, CeString(u"cdefcdef"));
}

TEST(CeLibrary, SanitizeFileName) {
  WCHAR name[] = u"a:b*c?.txt";
  EXPECT_EQ(SanitizeFileName(name, true), 1);
  EXPECT_EQ(SanitizeFileName(name, false), 10);
  EXPECT_EQ(CeString(name), CeString(u"a_b_c_.txt"));
  EXPECT_EQ(SanitizeFileName(name, true), 0);
  std::u16string longName(300, u'n');
  EXPECT_EQ(SanitizeFileName(longName.data(), false), 225);
  EXPECT_EQ(longName.size(), 300u);
}

TEST(CeLibrary, MemoryExceptionCode) {
  try {
    CeThrowMemoryException();
    FAIL();
  } catch (const CeStructuredException& e) {
    EXPECT_EQ(e.code, 14u);
    EXPECT_EQ(e.flags, 0u);
    EXPECT_EQ(e.argumentCount, 0u);
  }
}

}  // namespace

namespace {

TEST(CeString, FormatGrowsUntilItFits) {
  CeString s(u"old");
  EXPECT_EQ(s.Format(u"%d-%s", 42, u"x"), 4);
  EXPECT_EQ(s, CeString(u"42-x"));
  std::u16string wide(3000, u'w');
  EXPECT_EQ(s.Format(u"%s!", wide.c_str()), 3001);
  EXPECT_EQ(s.GetLength(), 3001);
  EXPECT_EQ(s.GetString()[3000], u'!');
  CeString error;
  GetErrorText(error, 1234);
  EXPECT_EQ(error, CeString(u"Error 1234 occured"));
}

TEST(CeString, LoadStringOfAMissingIdIsNull) {
  CeString s(u"x");
  EXPECT_EQ(s.LoadString(nullptr, 65000), 0);
  EXPECT_EQ(s.RefCount(), 0);
}

}  // namespace
