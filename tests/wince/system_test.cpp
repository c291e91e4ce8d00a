// Device profiles, system information, language, time and date formats.
#include "wince/system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/system.h"
#include "wince/text.h"

namespace {

class SystemTest : public ::testing::Test {
 protected:
  void TearDown() override {
    wince::selectDeviceProfile("smartphone");
    wince::setDisplayOrientationForTest(DMDO_0);
    wince::setOrientationQuerySupportedForTest(true);
    wince::setDisplayRotatableForTest(false);
  }
};

std::u16string platformString(UINT action) {
  WCHAR text[100] = {};
  EXPECT_TRUE(SystemParametersInfo(action, sizeof text, text, 0));
  return text;
}

TEST_F(SystemTest, ProfilesSetScreenDpiAndPlatform) {
  struct Case {
    const char* name;
    int width, height;
    std::u16string platform;
    LONG baseUnits;
    int workTop;
    int scrollBar;
  };
  const Case cases[] = {
      {"smartphone", 240, 320, u"SmartPhone", MAKELONG(6, 13), 26, 13},
      {"pocketpc-vga", 480, 640, u"PocketPC", MAKELONG(12, 26), 52, 26},
      {"pocketpc-qvga", 240, 320, u"PocketPC", MAKELONG(6, 13), 26, 13},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(wince::selectDeviceProfile(c.name));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), c.width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), c.height);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), c.scrollBar);
    EXPECT_EQ(GetDialogBaseUnits(), c.baseUnits);
    EXPECT_EQ(platformString(SPI_GETPLATFORMTYPE), c.platform);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.top, c.workTop);
    EXPECT_EQ(work.right, c.width);
    EXPECT_EQ(work.bottom, c.height);
  }
  EXPECT_FALSE(wince::selectDeviceProfile("palm"));
  EXPECT_STREQ(wince::deviceProfile().name, "pocketpc-qvga");  // unchanged
}

TEST_F(SystemTest, PlatformQueriesCheckTheBufferAndAction) {
  WCHAR small[4];
  SetLastError(0);
  EXPECT_FALSE(SystemParametersInfo(SPI_GETPLATFORMTYPE, sizeof small, small, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_FALSE(SystemParametersInfo(12345, 0, small, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(platformString(SPI_GETOEMINFO).empty());
}

TEST_F(SystemTest, VersionProcessorMemoryAndBattery) {
  OSVERSIONINFO v{};
  v.dwOSVersionInfoSize = sizeof v;
  ASSERT_TRUE(GetVersionEx(&v));
  EXPECT_EQ(v.dwMajorVersion, 5u);
  EXPECT_EQ(v.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_CE));
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  EXPECT_NE(info.dwProcessorType, static_cast<DWORD>(PROCESSOR_INTEL_PENTIUM));
  MEMORYSTATUS memory;
  GlobalMemoryStatus(&memory);
  EXPECT_GT(memory.dwAvailPhys, 0u);
  EXPECT_LE(memory.dwAvailPhys, memory.dwTotalPhys);
  wince::setBatteryForTest(BATTERY_FLAG_LOW, BATTERY_PERCENTAGE_UNKNOWN);
  SYSTEM_POWER_STATUS_EX power;
  ASSERT_TRUE(GetSystemPowerStatusEx(&power, TRUE));
  EXPECT_EQ(power.BatteryFlag, BATTERY_FLAG_LOW);
  EXPECT_EQ(power.BatteryLifePercent, BATTERY_PERCENTAGE_UNKNOWN);
  wince::setBatteryForTest(BATTERY_FLAG_HIGH, 100);
}

TEST_F(SystemTest, LanguageComesFromTheLocaleVariables) {
  struct Case {
    const char* lcAll;
    const char* lang;
    LANGID id;
  };
  const Case cases[] = {
      {"", "de_DE.UTF-8", 0x0407}, {"", "pt_BR.UTF-8", 0x0416}, {"", "pt_PT", 0x0816},
      {"", "nb_NO.UTF-8", 0x0414}, {"", "C", 0x0409},           {"", "", 0x0409},
      {"fr_FR", "de_DE", 0x040c},  {"", "it", 0x0410},          {"", "es_ES@euro", 0x040a},
  };
  for (const Case& c : cases) {
    setenv("LC_ALL", c.lcAll, 1);
    setenv("LC_MESSAGES", "", 1);
    setenv("LANG", c.lang, 1);
    EXPECT_EQ(GetUserDefaultLangID(), c.id) << c.lcAll << "/" << c.lang;
  }
  unsetenv("LC_ALL");
}

TEST_F(SystemTest, LocalTimeFollowsTheVirtualClock) {
  wince::useVirtualClock(0);
  wince::advanceClock((24 * 3600 + 3 * 3600 + 4 * 60 + 5) * 1000ull + 6);
  SYSTEMTIME t;
  GetLocalTime(&t);
  wince::useRealClock();
  EXPECT_EQ(t.wYear, 2008);
  EXPECT_EQ(t.wMonth, 1);
  EXPECT_EQ(t.wDay, 3);
  EXPECT_EQ(t.wDayOfWeek, 4);  // Thursday
  EXPECT_EQ(t.wHour, 12);
  EXPECT_EQ(t.wMinute, 4);
  EXPECT_EQ(t.wSecond, 5);
  EXPECT_EQ(t.wMilliseconds, 6);
}

TEST_F(SystemTest, DateAndTimeFormats) {
  const SYSTEMTIME t{2008, 3, 0, 9, 14, 5, 7, 0};  // Sunday 9 March 2008, 14:05:07
  const SYSTEMTIME morning{2008, 3, 0, 9, 0, 5, 7, 0};
  struct Case {
    bool date;
    LCID locale;
    DWORD flags;
    const SYSTEMTIME* time;
    const WCHAR* picture;
    std::u16string expected;
  };
  const Case cases[] = {
      {true, 0x0409, DATE_SHORTDATE, &t, nullptr, u"3/9/2008"},
      {true, 0x0407, DATE_SHORTDATE, &t, nullptr, u"09.03.2008"},
      {true, 0x0416, DATE_SHORTDATE, &t, nullptr, u"09/03/2008"},
      {true, 0x0409, DATE_LONGDATE, &t, nullptr, u"Sunday, March 09, 2008"},
      {true, 0x0409, 0, &t, u"ddd d MMM yy 'at' yyyy", u"Sun 9 Mar 08 at 2008"},
      {false, 0x0409, 0, &t, nullptr, u"2:05:07 PM"},
      {false, 0x0409, TIME_NOSECONDS, &t, nullptr, u"2:05 PM"},
      {false, 0x0409, TIME_NOSECONDS, &morning, nullptr, u"12:05 AM"},
      {false, 0x0409, TIME_FORCE24HOURFORMAT, &t, nullptr, u"14:05:07"},
      {false, 0x0409, TIME_NOMINUTESORSECONDS | TIME_NOTIMEMARKER, &t, nullptr, u"2"},
      {false, 0x0407, TIME_NOSECONDS, &t, nullptr, u"14:05"},
      {false, 0x0410, TIME_NOSECONDS, &morning, nullptr, u"0.05"},
  };
  for (const Case& c : cases) {
    WCHAR out[64];
    int n = c.date ? GetDateFormat(c.locale, c.flags, c.time, c.picture, out, 64)
                   : GetTimeFormat(c.locale, c.flags, c.time, c.picture, out, 64);
    EXPECT_EQ(n, static_cast<int>(c.expected.size()) + 1);
    EXPECT_EQ(std::u16string(out), c.expected);
  }
  WCHAR small[4];
  EXPECT_EQ(GetDateFormat(0x0409, DATE_SHORTDATE, &t, nullptr, nullptr, 0), 9);
  SetLastError(0);
  EXPECT_EQ(GetDateFormat(0x0409, DATE_SHORTDATE, &t, nullptr, small, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  SYSTEMTIME bad = t;
  bad.wMonth = 13;
  EXPECT_EQ(GetDateFormat(0x0409, DATE_SHORTDATE, &bad, nullptr, small, 4), 0);
}

TEST_F(SystemTest, DisplayOrientationIsFixedUnlessATestRotatesIt) {
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_DISPLAYQUERYORIENTATION;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
  mode.dmFields = DM_DISPLAYORIENTATION;
  mode.dmDisplayOrientation = 99;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(mode.dmDisplayOrientation, static_cast<DWORD>(DMDO_0));
  mode.dmDisplayOrientation = DMDO_90;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, 0, nullptr), DISP_CHANGE_BADMODE);

  wince::setDisplayOrientationForTest(DMDO_270);
  mode.dmDisplayOrientation = 0;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(mode.dmDisplayOrientation, static_cast<DWORD>(DMDO_270));
  wince::setOrientationQuerySupportedForTest(false);
  mode.dmFields = DM_DISPLAYQUERYORIENTATION;
  EXPECT_NE(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, nullptr, nullptr, 0, nullptr), DISP_CHANGE_BADPARAM);
}

TEST_F(SystemTest, ARotatableDisplayTakesTheFourOrientationsOnly) {
  wince::setDisplayRotatableForTest(true);
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_DISPLAYORIENTATION;
  mode.dmDisplayOrientation = DMDO_90;
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_RESET, nullptr), DISP_CHANGE_SUCCESSFUL);
  mode.dmDisplayOrientation = 3;  // not an orientation
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_RESET, nullptr), DISP_CHANGE_BADMODE);
  EXPECT_EQ(ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(mode.dmDisplayOrientation, static_cast<DWORD>(DMDO_90));
}

TEST_F(SystemTest, LocalHeapAndMissingSystemMessages) {
  auto* zeroed = static_cast<BYTE*>(LocalAlloc(LPTR, 16));
  ASSERT_NE(zeroed, nullptr);
  EXPECT_EQ(zeroed[15], 0);
  zeroed = static_cast<BYTE*>(LocalReAlloc(zeroed, 64, LMEM_MOVEABLE));
  ASSERT_NE(zeroed, nullptr);
  EXPECT_EQ(zeroed[15], 0);
  EXPECT_EQ(LocalFree(zeroed), nullptr);
  EXPECT_EQ(LocalFree(nullptr), nullptr);

  LPWSTR text = reinterpret_cast<LPWSTR>(0x1);
  EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 5, 0x0800,
                          reinterpret_cast<LPWSTR>(&text), 0, nullptr),
            0u);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
}

TEST(StructuredExceptions, CarryCodeFlagsAndAtMostFifteenArguments) {
  try {
    RaiseException(0xFFFFFFECu, 0, 0, nullptr);
    FAIL();
  } catch (const StructuredException& e) {
    EXPECT_EQ(e.code, 0xFFFFFFECu);
    EXPECT_EQ(e.flags, 0u);
    EXPECT_EQ(e.argumentCount, 0u);
  }
  ULONG_PTR arguments[20];
  for (int i = 0; i < 20; ++i) arguments[i] = static_cast<ULONG_PTR>(100 + i);
  try {
    RaiseException(14, EXCEPTION_NONCONTINUABLE, 20, arguments);
    FAIL();
  } catch (const StructuredException& e) {
    EXPECT_EQ(e.flags, static_cast<DWORD>(EXCEPTION_NONCONTINUABLE));
    EXPECT_EQ(e.argumentCount, 15u);  // the rest are dropped, not read past the copy
    EXPECT_EQ(e.arguments[14], 114u);
  }
  // A count without an argument array carries nothing.
  try {
    RaiseException(14, 0, 3, nullptr);
    FAIL();
  } catch (const StructuredException& e) {
    EXPECT_EQ(e.argumentCount, 0u);
  }
}

}  // namespace
