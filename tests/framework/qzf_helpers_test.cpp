#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "qzf_helpers.h"
#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/system.h"
#include "wince/system.h"

namespace {

std::u16string text(const QZFWChar* s) { return std::u16string(s); }

}  // namespace

TEST(QZFHelpers, ScalingRoundTripsAndTruncatesTowardZero) {
  struct Case {
    int factor;
    int16_t in;
    int32_t up;
    int32_t down;
  } cases[] = {
      {117, 100, 11700, 0}, {128, -1, -128, -1}, {117, -1, -117, 0}, {64, 100, 6400, 1},
      {20, -41, -820, -2},  {43, 86, 3698, 2},   {32, -33, -1056, -2},
  };
  for (const Case& c : cases) {
    const QZFScalePair& p = QZFGetScalePair(c.factor);
    EXPECT_EQ(p.factor, c.factor);
    EXPECT_EQ(p.up(c.in), c.up) << c.factor << " " << c.in;
    EXPECT_EQ(p.down(c.in), c.down) << c.factor << " " << c.in;
  }
  const QZFScalePair& p117 = QZFGetScalePair(117);
  EXPECT_EQ(p117.down(static_cast<int16_t>(p117.up(100))), 100);
  EXPECT_EQ(QZFGetScalePair(99).factor, 128);
}

TEST(QZFHelpers, ReplaceChangesOnlyTheFirstOccurrence) {
  QZFWChar buffer[64] = u"%n of %n";
  QZFWStrReplace(buffer, u"%n", u"three");
  EXPECT_EQ(text(buffer), u"three of %n");
  QZFWStrReplace(buffer, u"absent", u"x");
  EXPECT_EQ(text(buffer), u"three of %n");
  QZFWStrReplace(buffer, u"%n", u"");
  EXPECT_EQ(text(buffer), u"three of ");
  QZFWStrReplace(nullptr, u"a", u"b");  // null arguments do nothing
}

TEST(QZFHelpers, CompareIsUnsignedPerUnit) {
  const QZFWChar high[] = {0xFFFF, 0};
  EXPECT_EQ(QZFWStrCompare(u"a", high), -1);
  EXPECT_EQ(QZFWStrCompare(high, u"a"), 1);
  EXPECT_EQ(QZFWStrCompare(u"ab", u"ab"), 0);
  EXPECT_EQ(QZFWStrCompare(u"ab", u"abc"), -1);
  EXPECT_EQ(QZFStrCompare("b", "a"), 1);
}

TEST(QZFHelpers, NumbersAsDecimalText) {
  QZFWChar buffer[24];
  EXPECT_EQ(text(QZFIntToString(buffer, 0)), u"0");
  EXPECT_EQ(text(QZFIntToString(buffer, -2147483647 - 1)), u"-2147483648");
  EXPECT_EQ(text(QZFUInt64ToString(buffer, UINT64_MAX)), u"18446744073709551615");
  EXPECT_EQ(text(QZFInt64ToString(buffer, INT64_MIN)), u"-9223372036854775808");
}

TEST(QZFHelpers, CopyCatFind) {
  QZFWChar buffer[16] = {};
  QZFWStrCopy(buffer, u"pel");
  QZFWStrCat(buffer, u"lwyn");
  EXPECT_EQ(text(buffer), u"pellwyn");
  EXPECT_EQ(QZFWStrLen(buffer), 7);
  EXPECT_EQ(QZFWStrFind(buffer, u"wyn"), buffer + 4);
  EXPECT_EQ(QZFWStrFind(buffer, u"wynn"), nullptr);
  QZFWChar partial[8] = {u'x', u'x', u'x', u'x', u'x', u'x', u'x', 0};
  QZFWStrCopyN(partial, u"abcdef", 3);
  EXPECT_EQ(text(partial), u"abcxxxx");  // n units, no terminator added
  QZFWStrCopyN(partial, u"ab", 5);       // a shorter text arrives terminated
  EXPECT_EQ(text(partial), u"ab");
  EXPECT_EQ(partial[5], u'x');           // nothing past n units
  char narrow[6] = "yyyyy";
  QZFStrCopyN(narrow, "hi", 4);
  EXPECT_EQ(std::string(narrow), "hi");
  EXPECT_EQ(narrow[4], 'y');
}

TEST(QZFHelpers, FormatStringStaysWithinItsCapacity) {
  QZFWChar buffer[32];
  EXPECT_EQ(text(QZFFormatString(buffer, 32, u"%s %d/%02d %hd%%", u"Deal", -7, 5, 65535)), u"Deal -7/05 -1%");
  EXPECT_EQ(text(QZFFormatString(buffer, 6, u"File: %s", u"qzf_form")), u"File:");
  buffer[0] = u'#';
  QZFFormatString(buffer, 0, u"x");
  EXPECT_EQ(buffer[0], u'#');
}

TEST(QZFHelpers, PlatformForwards) {
  EXPECT_EQ(QZFRandom(0), 0);
  EXPECT_EQ(QZFRandom(1), 0);
  for (int i = 0; i < 50; ++i) {
    const int r = QZFRandom(6);
    EXPECT_TRUE(r >= 0 && r < 6);
  }
  const uint16_t before = QZFGetLanguage();
  QZFSetLanguage(1046);
  EXPECT_EQ(QZFGetLanguage(), 1046);
  QZFSetLanguage(before);
}

TEST(QZFHelpers, BoundedCatAndReplaceNeverPassTheBuffer) {
  QZFWChar buffer[8] = u"abc";
  EXPECT_EQ(text(QZFWStrCat(buffer, 8, u"defghij")), u"abcdefg");
  QZFWChar full[4] = u"abc";
  EXPECT_EQ(text(QZFWStrCat(full, 4, u"x")), u"abc");

  QZFWChar line[12] = u"%n and %n";
  EXPECT_TRUE(QZFWStrReplace(line, 12, u"%n", u"Ann"));
  EXPECT_EQ(text(line), u"Ann and %n");
  EXPECT_FALSE(QZFWStrReplace(line, 11, u"%n", u"Bob"));  // 11 units and the terminator need 12
  EXPECT_EQ(text(line), u"Ann and %n");
  EXPECT_FALSE(QZFWStrReplace(line, 12, u"%x", u""));
  EXPECT_TRUE(QZFWStrReplace(line, 11, u"%n", u"Bo"));
  EXPECT_EQ(text(line), u"Ann and Bo");
}

TEST(QZFHelpers, BatteryForwards) {
  struct Case {
    uint8_t flag, percent;
    int level;
    bool charging;
  };
  const Case cases[] = {{8, 55, 55, true}, {1, 255, 1, false}, {2, 20, 20, false}};
  for (const Case& c : cases) {
    wince::setBatteryForTest(c.flag, c.percent);
    EXPECT_EQ(QZFGetBatteryLevel(), c.level);
    EXPECT_EQ(QZFIsCharging(), c.charging);
  }
  wince::setBatteryForTest(1, 100);
  EXPECT_EQ(QZFGetDeviceCompanyID(), 0u);
}

// On the virtual clock the local date starts on Wednesday 2 January 2008.
TEST(QZFHelpers, YearRangeAndDateForwards) {
  wince::useVirtualClock(0);
  QZFWChar buffer[16];
  EXPECT_EQ(text(QZFFormatYearRange(buffer, 16, 2008)), u"2008");
  EXPECT_EQ(text(QZFFormatYearRange(buffer, 16, 2005)), u"2005-2008");
  EXPECT_EQ(text(QZFFormatYearRange(buffer, 6, 2005)), u"2005-");
  QZFDateTime now{};
  QZFGetDateTime(&now);
  EXPECT_EQ(now.year, 2008);
  EXPECT_EQ(now.weekday, 3);
  const DWORD before = GetTickCount();
  QZFDelay(10);
  EXPECT_EQ(GetTickCount() - before, 100u);
  QZFWChar date[16], time[16];
  EXPECT_EQ(QZFFormatCurrentDateTime(date, time, 16, 16, true), 0);
  EXPECT_EQ(QZFFormatDate(&now, date, 2), -1);
  wince::useRealClock();
}
