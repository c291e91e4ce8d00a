// Local date and time, the user's date and time formats, and the pause, on
// the virtual clock (which starts on Wednesday 2 January 2008, 09:00).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "qz_datetime.h"
#include "wince/clock.h"
#include "wince/host/clock.h"

namespace {

class DateTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
      const char* value = std::getenv(name);
      saved_.push_back({name, value ? value : "", value != nullptr});
    }
    setenv("LC_ALL", "en_US.UTF-8", 1);
    wince::useVirtualClock(0);
  }
  void TearDown() override {
    wince::useRealClock();
    for (const Saved& s : saved_) {
      if (s.set) setenv(s.name, s.value.c_str(), 1);
      else unsetenv(s.name);
    }
  }

  struct Saved {
    const char* name;
    std::string value;
    bool set;
  };
  std::vector<Saved> saved_;
};

TEST_F(DateTimeTest, RecordFollowsTheLocalClock) {
  wince::advanceClock((26 * 3600 + 4 * 60 + 5) * 1000ull);  // Thursday 3 January, 11:04:05
  QZDateTime t{};
  QZGetDateTime(&t);
  EXPECT_EQ(t.year, 2008);
  EXPECT_EQ(t.month, 1);
  EXPECT_EQ(t.day, 3);
  EXPECT_EQ(t.hour, 11);
  EXPECT_EQ(t.minute, 4);
  EXPECT_EQ(t.second, 5);
  EXPECT_EQ(t.weekday, 4);
}

TEST_F(DateTimeTest, DelayPassesHundredths) {
  const DWORD before = GetTickCount();
  QZDelay(25);
  EXPECT_EQ(GetTickCount() - before, 250u);
  QZDelay(-3);
  EXPECT_EQ(GetTickCount() - before, 250u);
}

TEST_F(DateTimeTest, FormatsInTheUsersShortFormats) {
  const QZDateTime t{2008, 3, 9, 14, 5, 7, 0};
  char16_t date[16], time[16];
  ASSERT_EQ(QZFormatDateTime(&t, date, time, 16, 16, true), 0);
  EXPECT_EQ(std::u16string(date), u"3/9/2008");
  EXPECT_EQ(std::u16string(time), u"2:05:07 PM");
  ASSERT_EQ(QZFormatTime(&t, time, 16, false), 0);
  EXPECT_EQ(std::u16string(time), u"2:05 PM");

  setenv("LC_ALL", "de_DE.UTF-8", 1);
  ASSERT_EQ(QZFormatDate(&t, date, 16), 0);
  EXPECT_EQ(std::u16string(date), u"09.03.2008");
  ASSERT_EQ(QZFormatTime(&t, time, 16, true), 0);
  EXPECT_EQ(std::u16string(time), u"14:05:07");
}

TEST_F(DateTimeTest, CurrentFormatsUseNow) {
  char16_t date[16], time[16];
  ASSERT_EQ(QZFormatCurrentDateTime(date, time, 16, 16, false), 0);
  EXPECT_EQ(std::u16string(date), u"1/2/2008");
  EXPECT_EQ(std::u16string(time), u"9:00 AM");
  ASSERT_EQ(QZFormatCurrentDate(date, 16), 0);
  EXPECT_EQ(std::u16string(date), u"1/2/2008");
  ASSERT_EQ(QZFormatCurrentTime(time, 16, true), 0);
  EXPECT_EQ(std::u16string(time), u"9:00:00 AM");
}

TEST_F(DateTimeTest, TooSmallBufferOrBadRecordLeavesAnEmptyText) {
  const QZDateTime t{2008, 3, 9, 14, 5, 7, 0};
  QZDateTime bad = t;
  bad.month = 13;
  char16_t date[16] = u"old", small[4] = u"old";
  EXPECT_EQ(QZFormatDate(&t, small, 4), -1);
  EXPECT_EQ(small[0], 0);
  EXPECT_EQ(QZFormatDate(&bad, date, 16), -1);
  EXPECT_EQ(date[0], 0);
  EXPECT_EQ(QZFormatDate(nullptr, date, 16), -1);
  EXPECT_EQ(QZFormatTime(&t, date, 0, true), -1);
  // One part failing fails the pair, the other part is still written.
  char16_t time[16];
  EXPECT_EQ(QZFormatDateTime(&t, small, time, 4, 16, true), -1);
  EXPECT_EQ(std::u16string(time), u"2:05:07 PM");
}

}  // namespace
