#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ce_set.h"

namespace {

using WindowSet = CeSet<HWND, HWND>;

HWND Window(uintptr_t value) { return reinterpret_cast<HWND>(value); }

std::vector<HWND> Keys(const WindowSet& set) {
  std::vector<HWND> keys;
  for (CePosition at = set.GetStartPosition(); at;) {
    HWND key;
    set.GetNextAssoc(at, key);
    keys.push_back(key);
  }
  return keys;
}

TEST(CeSet, EmptySetIteratesNothing) {
  WindowSet set(10);
  EXPECT_EQ(set.GetStartPosition(), nullptr);
  EXPECT_FALSE(set.RemoveKey(Window(0x10)));
  EXPECT_TRUE(Keys(set).empty());
}

TEST(CeSet, KeysInOneBucketAreToldApart) {
  WindowSet set(10);
  // 0x10 and 0x1A0 hash to bucket 1 (0x1A0 >> 4 = 26); 0x13 differs from
  // 0x10 in the low four bits only.
  for (uintptr_t v : {0x10u, 0x13u, 0x1A0u, 0x20u}) set.SetAt(Window(v));
  set.SetAt(Window(0x10));  // present: stays once
  EXPECT_EQ(set.GetCount(), 4);
  std::vector<HWND> keys = Keys(set);
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<HWND>{Window(0x10), Window(0x13), Window(0x20), Window(0x1A0)}));
  EXPECT_TRUE(set.RemoveKey(Window(0x13)));
  EXPECT_FALSE(set.RemoveKey(Window(0x13)));
  EXPECT_TRUE(set.Lookup(Window(0x10)));
  EXPECT_TRUE(set.Lookup(Window(0x1A0)));
  EXPECT_FALSE(set.Lookup(Window(0x13)));
}

TEST(CeSet, RemovingTheLastKeyFreesAndTheSetRebuilds) {
  WindowSet set(2);
  // More keys than one block holds, removed and added again through the
  // free list.
  for (uintptr_t v = 1; v <= 25; ++v) set.SetAt(Window(v << 4));
  EXPECT_EQ(Keys(set).size(), 25u);
  for (uintptr_t v = 1; v <= 25; ++v) EXPECT_TRUE(set.RemoveKey(Window(v << 4)));
  EXPECT_TRUE(set.IsEmpty());
  EXPECT_EQ(set.GetStartPosition(), nullptr);
  set.SetAt(Window(0x40));
  EXPECT_EQ(Keys(set), std::vector<HWND>{Window(0x40)});
  set.RemoveAll();
  EXPECT_EQ(set.GetCount(), 0);
  EXPECT_FALSE(set.Lookup(Window(0x40)));
}

}  // namespace
