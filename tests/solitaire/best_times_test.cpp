// The best-times table: 360 bytes, strict qualification, equal times after
// the older ones, names cut to 15 units.
#include <gtest/gtest.h>

#include <string>

#include "sol_best_times.h"
#include "sol_options.h"
#include "sol_platform.h"

namespace {

std::u16string Name(const SolBestTimes& t, size_t i) { return t.At(i).name; }

TEST(SolBestTimes, EqualTimesGoAfterOlderOnesAndTheTenthDropsOut) {
  SolBestTimes t;
  t.Insert(u"b", 50);
  t.Insert(u"a", 20);
  t.Insert(u"c", 50);
  EXPECT_EQ(Name(t, 0), u"a");
  EXPECT_EQ(Name(t, 1), u"b");
  EXPECT_EQ(Name(t, 2), u"c");
  EXPECT_EQ(t.At(3).seconds, 0u);
  for (int i = 0; i < 7; ++i) t.Insert(u"x", 60);
  EXPECT_EQ(t.At(9).seconds, 60u);
  EXPECT_FALSE(t.Qualifies(60));  // a tie with the tenth does not enter
  EXPECT_TRUE(t.Qualifies(59));
  t.Insert(u"fast", 10);
  EXPECT_EQ(Name(t, 0), u"fast");
  EXPECT_EQ(t.At(9).seconds, 60u);
  EXPECT_EQ(Name(t, 3), u"c");
}

TEST(SolBestTimes, NamesAreCutAndTimeZeroIsNoEmptyEntry) {
  SolBestTimes t;
  t.Insert(u"a name of twenty units", 0);
  EXPECT_EQ(Name(t, 0), u"a name of twent");
  EXPECT_EQ(t.At(0).seconds, 1u);
}

TEST(SolBestTimes, StoredAs360BytesWithEveryNameTerminated) {
  uint8_t bytes[SolBestTimes::kRecordSize];
  for (uint8_t& b : bytes) b = 'A';
  SolBestTimes t;
  EXPECT_FALSE(t.Decode(bytes, sizeof bytes - 1));
  ASSERT_TRUE(t.Decode(bytes, sizeof bytes));
  EXPECT_EQ(Name(t, 0).size(), 15u);
  t.Save(u"BestTest", "One");
  SolRegKey key;
  ASSERT_TRUE(key.Open(SolRegistryPath(u"BestTest", SolRegKind::BestScores, "One").GetString()));
  uint8_t back[400];
  DWORD size = sizeof back;
  DWORD type = 0;
  ASSERT_TRUE(key.Query(u"data", &type, back, &size));
  EXPECT_EQ(size, 360u);
  EXPECT_EQ(type, static_cast<DWORD>(kSolRegDword));
  SolBestTimes loaded;
  loaded.Load(u"BestTest", "One");
  EXPECT_EQ(Name(loaded, 9), Name(t, 9));
}

}  // namespace
