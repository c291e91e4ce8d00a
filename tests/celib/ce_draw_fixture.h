// Drawing tests: screen metrics set per test (the plain screen's put back
// afterwards) and colours as the 16-bit screen stores them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "ce_hidpi.h"
#include "wince/types.h"

inline uint16_t screen(COLORREF c) {
  return static_cast<uint16_t>(((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3));
}

class CeMetricsTest : public ::testing::Test {
 protected:
  void TearDown() override { useMetrics(96, 96, 16); }

  static void useMetrics(int x, int y, int smallIcon) {
    g_HIDPI_LogPixelsX = x;
    g_HIDPI_LogPixelsY = y;
    g_HIDPI_IconPixels = smallIcon;
    g_bIsVGA = x == 192;
    g_HIDPI_VXFontScale = y / 96.0;
  }
};
