#include <gtest/gtest.h>

#include <string>

#include "ce_draw_fixture.h"
#include "ce_font.h"
#include "wince/host/system.h"
#include "wince/host/window.h"
#include "wince/system.h"
#include "wince/window.h"

namespace {

using CeFont = CeMetricsTest;

LOGFONTW fontOf(HFONT font) {
  LOGFONTW lf{};
  EXPECT_EQ(GetObject(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
  DeleteObject(font);
  return lf;
}

TEST_F(CeFont, GetFontScalesTheHeightTowardsZero) {
  struct Case {
    int dpi;
    LONG height;
    LONG expected;
  };
  for (const Case& c : {Case{96, -11, -11}, Case{192, -11, -22}, Case{144, -11, -16}, Case{144, 13, 19}}) {
    useMetrics(c.dpi, c.dpi, 16);
    LOGFONTW lf = fontOf(GetFont(FW_BOLD, c.height, u"Tahoma", 1, 0, 1));
    EXPECT_EQ(lf.lfHeight, c.expected) << c.dpi << " dpi, height " << c.height;
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfStrikeOut, 1);
    EXPECT_EQ(lf.lfCharSet, 255);
    EXPECT_EQ(std::u16string(lf.lfFaceName), u"Tahoma");
  }
}

TEST_F(CeFont, GetNewFontMakesACellHeightFromPoints) {
  useMetrics(192, 192, 32);
  LOGFONTW lf = fontOf(GetNewFont(nullptr, u"Tahoma", 10, FW_NORMAL, 0, 1, NONANTIALIASED_QUALITY, 900));
  EXPECT_EQ(lf.lfHeight, (10 + 2) * 192 / 72);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(lf.lfQuality, NONANTIALIASED_QUALITY);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(lf.lfStrikeOut, 0);
  EXPECT_EQ(lf.lfCharSet, 255);

  useMetrics(96, 96, 16);
  lf = fontOf(GetNewFont(u"Tahoma", 7, FW_BOLD, 1, 0, ANTIALIASED_QUALITY));
  EXPECT_EQ(lf.lfHeight, 12);
  EXPECT_EQ(lf.lfEscapement, 0);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
}

TEST_F(CeFont, FaceNamesAreCutToTheFieldOrLeftEmpty) {
  const std::u16string longFace(40, u'f');
  LOGFONTW lf = fontOf(GetFont(FW_NORMAL, -11, longFace.c_str(), 0, 0, 0));
  EXPECT_EQ(std::u16string(lf.lfFaceName), longFace.substr(0, LF_FACESIZE - 1));
  lf = fontOf(GetNewFont(nullptr, 8, FW_NORMAL, 0, 0, 0));
  EXPECT_EQ(lf.lfFaceName[0], u'\0');
}

TEST_F(CeFont, MetricsComeFromTheScreen) {
  wince::resetWindowing();
  struct Case {
    const char* profile;
    int dpi;
    bool vga;
  };
  for (const Case& c : {Case{"pocketpc-vga", 192, true}, Case{"pocketpc-qvga", 96, false}}) {
    ASSERT_TRUE(wince::selectDeviceProfile(c.profile));
    HIDPI_InitMetrics();
    EXPECT_EQ(g_HIDPI_LogPixelsX, c.dpi) << c.profile;
    EXPECT_EQ(g_HIDPI_LogPixelsY, c.dpi);
    EXPECT_EQ(g_bIsVGA, c.vga);
    EXPECT_EQ(g_HIDPI_VXFontScale, c.dpi / 96.0);
    EXPECT_EQ(g_HIDPI_IconPixels, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(HIDPI_ScaleX(26), (26 * c.dpi + 48) / 96);
  }
  wince::selectDeviceProfile("smartphone");
}

}  // namespace
