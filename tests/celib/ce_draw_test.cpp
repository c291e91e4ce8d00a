#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "../wince/gdi_test_util.h"
#include "ce_draw.h"
#include "ce_draw_fixture.h"

namespace {

using gditest::DibDc;
using CeDraw = CeMetricsTest;

constexpr COLORREF kFrom = RGB(248, 0, 0);
constexpr COLORREF kTo = RGB(0, 0, 248);

// The colour k/d of the way back from kTo to kFrom.
uint16_t blended(int k, int d) { return screen(RGB(248 * k / d, 0, 248 - 248 * k / d)); }

TEST_F(CeDraw, GradientBandsRunFromTheStartToFiveSixths) {
  struct Probe {
    int width;
    int steps;
    int x;
    int k;  // -1: the end colour
  };
  // 60 pixels: the gradient covers 50. 32 steps or 100 steps (more than the
  // pixels) give one-pixel bands; 4 steps give bands of 12 from offset 2.
  const Probe probes[] = {
      {60, 32, 0, 50},  {60, 32, 1, 49},  {60, 32, 25, 25},  {60, 32, 49, 1},  {60, 32, 50, -1},
      {60, 32, 59, -1}, {12, 100, 0, 10}, {12, 100, 5, 5},   {12, 100, 9, 1},  {12, 100, 10, -1},
      {60, 4, 0, 50},   {60, 4, 1, 50},   {60, 4, 2, 48},    {60, 4, 13, 48},  {60, 4, 14, 36},
      {60, 4, 37, 24},  {60, 4, 38, 12},  {60, 4, 49, 12},   {60, 4, 50, -1},
  };
  for (const Probe& p : probes) {
    DibDc dib(p.width + 2, 3);
    dib.fill(gditest::kWhite);
    const RECT r{1, 1, 1 + p.width, 2};
    GradientFillRectEx(dib.dc, &r, kFrom, kTo, p.steps, true);
    const int d = 5 * p.width / 6;
    EXPECT_EQ(dib.at(1 + p.x, 1), p.k < 0 ? screen(kTo) : blended(p.k, d))
        << p.width << " wide, " << p.steps << " steps, x " << p.x;
    EXPECT_EQ(dib.at(0, 1), gditest::kWhite);
    EXPECT_EQ(dib.at(p.width + 1, 1), gditest::kWhite);
    EXPECT_EQ(dib.at(1 + p.x, 0), gditest::kWhite);
  }
}

TEST_F(CeDraw, VerticalGradientSpansTheWidth) {
  DibDc dib(4, 60);
  const RECT r{0, 0, 4, 60};
  GradientFillRectEx(dib.dc, &r, kFrom, kTo, 5, false);  // bands of 10
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(dib.at(x, 0), screen(kFrom));
    EXPECT_EQ(dib.at(x, 15), blended(40, 50));
    EXPECT_EQ(dib.at(x, 55), screen(kTo));
  }
}

TEST_F(CeDraw, DegenerateGradientsStayInside) {
  DibDc dib(8, 8);
  dib.fill(gditest::kWhite);
  const RECT empty{4, 4, 4, 8}, flipped{6, 6, 2, 2};
  GradientFillRectEx(dib.dc, &empty, kFrom, kTo, 32, true);
  GradientFillRectEx(dib.dc, &flipped, kFrom, kTo, 32, false);
  GradientFillRectEx(dib.dc, nullptr, kFrom, kTo, 32, false);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(dib.at(x, y), gditest::kWhite);

  // No steps: the gradient part (five sixths) is all the start colour.
  const RECT r{0, 0, 8, 1};
  GradientFillRectEx(dib.dc, &r, kFrom, kTo, 0, true);
  EXPECT_EQ(dib.at(5, 0), screen(kFrom));
  EXPECT_EQ(dib.at(6, 0), screen(kTo));
}

TEST_F(CeDraw, SubtleGradientEndsAtThreeQuarters) {
  DibDc dib(2, 41);
  dib.fill(gditest::kWhite);
  const RECT r{0, 0, 2, 40};
  DrawSubtleGradient(&r, dib.dc, kFrom, kTo);
  EXPECT_EQ(dib.at(0, 0), screen(kFrom));
  EXPECT_NE(dib.at(1, 15), screen(kFrom));
  EXPECT_NE(dib.at(1, 15), screen(kTo));
  for (int y = 30; y < 40; ++y) EXPECT_EQ(dib.at(1, y), screen(kTo)) << y;
  EXPECT_EQ(dib.at(0, 40), gditest::kWhite);

  // A single row has no steps to spread: it is all the end colour.
  const RECT row{0, 40, 2, 41};
  DrawSubtleGradient(&row, dib.dc, kFrom, kTo);
  EXPECT_EQ(dib.at(0, 40), screen(kTo));
}

TEST_F(CeDraw, GradientColorDarkensByTheIconSize) {
  struct Case {
    int smallIcon;
    COLORREF color;
    int r, g, b;
  };
  for (const Case& c : {Case{16, RGB(200, 50, 66), 134, 0, 0}, Case{32, RGB(200, 50, 66), 150, 0, 16},
                        Case{32, RGB(255, 255, 255), 205, 205, 205}}) {
    useMetrics(96, 96, c.smallIcon);
    int r = -1, g = -1, b = -1;
    SetGradientColor(c.color, r, g, b);
    EXPECT_EQ(r, c.r);
    EXPECT_EQ(g, c.g);
    EXPECT_EQ(b, c.b);
  }
}

TEST_F(CeDraw, ShadeRectInvertsACheckerboardAndTwiceRestores) {
  DibDc dib(10, 8);
  dib.numberPixels();
  std::vector<uint16_t> before;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) before.push_back(dib.at(x, y));
  const uint16_t grey = screen(RGB(0x9B, 0x9B, 0x9B));
  SetTextColor(dib.dc, RGB(1, 2, 3));
  SetBkMode(dib.dc, TRANSPARENT);
  HGDIOBJ brush = GetCurrentObject(dib.dc, OBJ_BRUSH);

  RECT r{2, 1, 5, 4};
  EXPECT_EQ(ShadeRect(dib.dc, &r), 1);
  EXPECT_EQ(r.left, 1);  // even left and odd top move out by one
  EXPECT_EQ(r.top, 0);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 1 && x <= 5 && y <= 4;  // right and bottom inclusive
      const uint16_t was = before[y * 10 + x];
      EXPECT_EQ(dib.at(x, y), inside && (x + y) % 2 ? was ^ grey : was) << x << "," << y;
    }
  }
  EXPECT_EQ(GetTextColor(dib.dc), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(dib.dc), TRANSPARENT);
  EXPECT_EQ(GetCurrentObject(dib.dc, OBJ_BRUSH), brush);

  RECT again{2, 1, 5, 4};
  ShadeRect(dib.dc, &again);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(dib.at(x, y), before[y * 10 + x]) << x << "," << y;
}

TEST_F(CeDraw, DrawLineMakesAPenOnlyWhenGivenNone) {
  DibDc dib(12, 12);
  dib.fill(gditest::kWhite);
  HGDIOBJ pen = GetCurrentObject(dib.dc, OBJ_PEN);
  RECT across{1, 1, 11, 1};
  DrawLine(dib.dc, across, nullptr);
  int rows = 0;
  for (int y = 0; y < 12; ++y) rows += dib.at(5, y) == gditest::kBlack;
  EXPECT_EQ(rows, 2);  // two logical pixels wide
  EXPECT_EQ(dib.at(5, 1), gditest::kBlack);
  EXPECT_EQ(GetCurrentObject(dib.dc, OBJ_PEN), pen);

  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  RECT down{8, 4, 8, 10};
  DrawLine(dib.dc, down, red);
  EXPECT_EQ(dib.at(8, 6), gditest::kRed);
  EXPECT_EQ(dib.at(9, 6), gditest::kWhite);
  EXPECT_EQ(GetCurrentObject(dib.dc, OBJ_PEN), pen);
  EXPECT_TRUE(DeleteObject(red));  // not left selected
}

TEST_F(CeDraw, PaintRectFillsWidthAndHeight) {
  DibDc dib(6, 6);
  dib.fill(gditest::kWhite);
  PaintRect(dib.dc, 1, 2, 3, 2, RGB(0, 255, 0));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(dib.at(x, y), x >= 1 && x < 4 && y >= 2 && y < 4 ? gditest::kGreen : gditest::kWhite);
}

}  // namespace
