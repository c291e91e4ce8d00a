#include <gtest/gtest.h>

#include "sol_utils.h"
#include "wince/host/resource.h"
#include "wince/resource.h"

namespace {

struct Entry {
  int key;
  int order;
};

int ByKey(const void* a, const void* b, void*) {
  return static_cast<const Entry*>(a)->key - static_cast<const Entry*>(b)->key;
}

TEST(Utils, SortArrayIsStable) {
  Entry e[] = {{3, 0}, {1, 1}, {3, 2}, {2, 3}, {1, 4}, {3, 5}, {0, 6}, {2, 7}};
  SortArray(e, 8, sizeof(Entry), ByKey, nullptr);
  const int expected[] = {6, 1, 4, 3, 7, 0, 2, 5};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(e[i].order, expected[i]) << i;
  SortArray(e, 1, sizeof(Entry), ByKey, nullptr);
  SortArray(e, 8, 0, ByKey, nullptr);
}

TEST(Utils, FindText) {
  const CeStringA text("ab\ncd\n");
  EXPECT_EQ(FindText(text, "\n", 0, true), 2);
  EXPECT_EQ(FindText(text, "\n", 3, true), 5);
  EXPECT_EQ(FindText(text, "\n", 100, false), 5);
  EXPECT_EQ(FindText(text, "\n", 4, false), 2);
  EXPECT_EQ(FindText(CeStringA("abc"), "\n", 0, true), -1);
  EXPECT_EQ(FindText(text, "", 0, true), -1);
  EXPECT_EQ(FindText(text, "a", -1, true), -1);
}

TEST(Utils, MidText) {
  CeStringA out("old");
  EXPECT_EQ(MidText(out, CeStringA("hello"), 1, 3), 3);
  EXPECT_EQ(out, CeStringA("ell"));
  EXPECT_EQ(MidText(out, CeStringA("hello"), 3, 10), 2);
  EXPECT_EQ(MidText(out, CeStringA("hello"), 9, 2), 1);  // past the end: the last character
  EXPECT_EQ(out, CeStringA("o"));
  EXPECT_EQ(MidText(out, CeStringA(), 4, 2), 0);  // an empty source gives an empty text
  EXPECT_EQ(MidText(out, CeStringA("hello"), 1, 0), 0);
  EXPECT_TRUE(out.IsEmpty());
}

TEST(Utils, AppendBytesGrowsWithRoom) {
  CeStringA text;
  AppendBytes(text, "abc", 3);
  EXPECT_EQ(text.GetCapacity(), 7);
  AppendBytes(text, "de", 2);
  EXPECT_EQ(text.GetCapacity(), 7);
  EXPECT_EQ(text, CeStringA("abcde"));
  AppendBytes(text, "xyz", 0);
  const CeStringA shared = text;
  AppendBytes(text, "f", 1);
  EXPECT_EQ(shared, CeStringA("abcde"));
  EXPECT_TRUE(CopyBeforeWrite(text));
}

TEST(Utils, WidenMasksTheTopBit) {
  CeString wide;
  WidenText("Klondike \xE9", wide);
  EXPECT_EQ(wide.GetLength(), 10);
  EXPECT_EQ(wide.GetString()[9], 0x69);
  EXPECT_EQ(wide, CeString(u"Klondike i"));
  const CeString copy = wide;
  EXPECT_TRUE(SetCharAt(wide, 0, u'k'));
  EXPECT_EQ(copy.GetString()[0], u'K');
  EXPECT_FALSE(SetCharAt(wide, 10, u'x'));
}

TEST(Utils, LoadResourceData) {
  static const BYTE kBytes[] = {1, 2, 3};
  static const wince::ResourceEntry kEntries[] = {{u"SOLDB", 0, nullptr, 3950, kBytes, sizeof kBytes}};
  static const wince::ResourceTable kTable = {kEntries, 1};
  wince::registerResourceTable(&kTable);
  size_t size = 0;
  EXPECT_EQ(LoadResourceData(3950, u"soldb", size), kBytes);
  EXPECT_EQ(size, 3u);
  size = 7;
  EXPECT_EQ(LoadResourceData(3951, u"SOLDB", size), nullptr);
  EXPECT_EQ(size, 0u);
  wince::unregisterResourceTable(&kTable);
}

}  // namespace
