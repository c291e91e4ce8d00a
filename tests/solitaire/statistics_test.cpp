// The statistics record: its 8-byte layout, the checked reader, counters
// that stop at their greatest value, and the texts the dialog shows.
#include <gtest/gtest.h>

#include "sol_options.h"
#include "sol_platform.h"
#include "sol_statistics.h"

namespace {

std::u16string Text(const CeString& s) { return s.GetString(); }

TEST(SolStatistics, RecordIsEightLittleEndianBytes) {
  SolStatistics s;
  s.played = 0x0102;
  s.won = 0x0001;
  s.seconds = 0x0A0B0C0D;
  uint8_t bytes[8];
  s.Encode(bytes);
  const uint8_t expected[8] = {0x02, 0x01, 0x01, 0x00, 0x0D, 0x0C, 0x0B, 0x0A};
  EXPECT_EQ(0, memcmp(bytes, expected, 8));
  SolStatistics back;
  ASSERT_TRUE(back.Decode(bytes, 8));
  EXPECT_EQ(back.played, s.played);
  EXPECT_EQ(back.won, s.won);
  EXPECT_EQ(back.seconds, s.seconds);
}

TEST(SolStatistics, ARecordOfAnotherSizeOrWithMoreWinsThanGamesIsRepaired) {
  const uint8_t bytes[9] = {3, 0, 9, 0, 1, 0, 0, 0, 0};
  SolStatistics s;
  EXPECT_FALSE(s.Decode(bytes, 7));
  EXPECT_FALSE(s.Decode(bytes, 9));
  EXPECT_EQ(s.played, 0);
  ASSERT_TRUE(s.Decode(bytes, 8));
  EXPECT_EQ(s.played, 3);
  EXPECT_EQ(s.won, 3);
}

TEST(SolStatistics, CountersSaturateInsteadOfWrapping) {
  SolStatistics s;
  s.played = 65534;
  s.won = 65534;
  s.seconds = 0xFFFFFFF0u;
  s.Add(true, 100);
  EXPECT_EQ(s.played, 65535);
  EXPECT_EQ(s.won, 65535);
  EXPECT_EQ(s.seconds, 0xFFFFFFFFu);
  s.Add(true, 1);
  EXPECT_EQ(s.played, 65535);
  EXPECT_EQ(s.won, 65535);
  EXPECT_EQ(Text(s.WinRate()), u"100%");
}

TEST(SolStatistics, TextsOfRateAndTime) {
  SolStatistics s;
  EXPECT_EQ(Text(s.WinRate()), u"0%");
  s.Add(true, 10);
  s.Add(false, 10);
  s.Add(false, 10);
  EXPECT_EQ(Text(s.WinRate()), u"33%");
  struct Case {
    uint32_t seconds;
    const char16_t* text;
  };
  for (const Case& c : {Case{0, u"0:00"}, Case{59, u"0:59"}, Case{60, u"1:00"}, Case{3725, u"62:05"}}) {
    EXPECT_EQ(Text(SolStatistics::FormatTime(c.seconds)), c.text) << c.seconds;
  }
}

TEST(SolStatistics, StoredAsADwordValueOfEightBytesPerVariant) {
  SolStatistics::Clear(u"StatsTest", "One");
  SolStatistics::Clear(u"StatsTest", "Two");
  SolStatistics::AddGame(u"StatsTest", "One", true, 75);
  SolStatistics::AddGame(u"StatsTest", "One", false, 5);
  const SolStatistics one = SolStatistics::Load(u"StatsTest", "One");
  EXPECT_EQ(one.played, 2);
  EXPECT_EQ(one.won, 1);
  EXPECT_EQ(one.seconds, 80u);
  EXPECT_EQ(SolStatistics::Load(u"StatsTest", "Two").played, 0);
  SolRegKey key;
  ASSERT_TRUE(key.Open(SolRegistryPath(u"StatsTest", SolRegKind::Statistics, "One").GetString()));
  uint8_t bytes[16];
  DWORD size = sizeof bytes;
  DWORD type = 0;
  ASSERT_TRUE(key.Query(u"data", &type, bytes, &size));
  EXPECT_EQ(type, static_cast<DWORD>(kSolRegDword));
  EXPECT_EQ(size, 8u);
}

}  // namespace
