#include <gtest/gtest.h>

#include <algorithm>

#include "gdi_test_util.h"
#include "wince/gdi.h"

using namespace gditest;

namespace {

HFONT makeFont(LONG height, LONG weight = FW_NORMAL, const char16_t* face = u"Tahoma") {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  for (int i = 0; face[i] != 0 && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = face[i];
  return CreateFontIndirect(&lf);
}

struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right and bottom exclusive
  bool any() const { return right >= 0; }
};

Ink inkOf(DibDc& d, uint16_t background) {
  Ink ink;
  for (int y = 0; y < d.height; ++y)
    for (int x = 0; x < d.width; ++x)
      if (d.at(x, y) != background) {
        ink.left = std::min(ink.left, x);
        ink.top = std::min(ink.top, y);
        ink.right = std::max(ink.right, x + 1);
        ink.bottom = std::max(ink.bottom, y + 1);
      }
  return ink;
}

// A white 16-bit surface with a font selected.
struct TextFixture {
  DibDc d;
  HFONT font;
  HGDIOBJ old;
  TextFixture(int w, int h, LONG height, LONG weight = FW_NORMAL)
      : d(w, h), font(makeFont(height, weight)), old(SelectObject(d.dc, font)) {
    d.fill(kWhite);
    SetBkMode(d.dc, TRANSPARENT);
  }
  ~TextFixture() {
    SelectObject(d.dc, old);
    DeleteObject(font);
  }
  SIZE extent(const char16_t* s, int n = -1) {
    if (n < 0) n = static_cast<int>(std::char_traits<char16_t>::length(s));
    SIZE size{};
    GetTextExtentPoint32(d.dc, s, n, &size);
    return size;
  }
};

TEST(FontMetrics, PositiveHeightIsTheCellHeightAndNegativeTheCharacterHeight) {
  for (LONG h : {14, 18, 28, 36}) {
    for (LONG weight : {FW_NORMAL, FW_BOLD}) {
      TextFixture t(8, 8, h, weight);
      TEXTMETRICW tm{};
      ASSERT_TRUE(GetTextMetrics(t.d.dc, &tm));
      EXPECT_EQ(tm.tmHeight, h) << h;
      EXPECT_EQ(tm.tmAscent + tm.tmDescent, h) << h;
      EXPECT_GT(tm.tmInternalLeading, 0) << h;
      EXPECT_EQ(tm.tmWeight, weight) << h;
      EXPECT_EQ(t.extent(u"*").cy, h) << h;
    }
  }
  TextFixture t(8, 8, -12);
  TEXTMETRICW tm{};
  GetTextMetrics(t.d.dc, &tm);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);
}

TEST(FontMetrics, ExtentsAddUpCharacterByCharacter) {
  TextFixture t(8, 8, 18);
  SIZE whole = t.extent(u"Klondike");
  int sum = 0;
  for (char16_t c : std::u16string(u"Klondike")) sum += t.extent(&c, 1).cx;
  EXPECT_EQ(whole.cx, sum);
  EXPECT_EQ(t.extent(u"").cx, 0);

  int fit = 0;
  int dx[8] = {};
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPoint(t.d.dc, u"Klondike", 8, whole.cx - 1, &fit, dx, &size));
  EXPECT_EQ(dx[7], whole.cx);
  EXPECT_EQ(fit, 7);
  ASSERT_TRUE(GetTextExtentExPoint(t.d.dc, u"Klondike", 8, dx[2], &fit, nullptr, nullptr));
  EXPECT_EQ(fit, 3);

  TextFixture bold(8, 8, 18, FW_BOLD);
  EXPECT_GT(bold.extent(u"Klondike").cx, whole.cx);
}

TEST(DrawText, InkLiesInsideTheMeasuredCellForEachAlignment) {
  const char16_t* text = u"Spider 1:05";
  struct Case {
    const char* name;
    UINT align;
  } cases[] = {{"left", DT_LEFT}, {"centre", DT_CENTER}, {"right", DT_RIGHT}};
  for (const Case& c : cases) {
    TextFixture t(160, 40, 18);
    SIZE ext = t.extent(text);
    RECT r{10, 5, 150, 5 + ext.cy};
    DrawText(t.d.dc, text, -1, &r, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | c.align);
    Ink ink = inkOf(t.d, kWhite);
    ASSERT_TRUE(ink.any()) << c.name;
    int cellLeft = c.align == DT_LEFT ? 10 : c.align == DT_RIGHT ? 150 - ext.cx : 10 + (140 - ext.cx) / 2;
    EXPECT_GE(ink.left, cellLeft) << c.name;
    EXPECT_LE(ink.left, cellLeft + 2) << c.name;
    EXPECT_LE(ink.right, cellLeft + ext.cx + 1) << c.name;
    EXPECT_GE(ink.right, cellLeft + ext.cx - 2) << c.name;
    EXPECT_GE(ink.top, 5) << c.name;
    EXPECT_LE(ink.bottom, 5 + ext.cy) << c.name;
  }
}

TEST(DrawText, CalcRectMatchesTheExtentAndLeavesPixelsAlone) {
  TextFixture t(100, 40, 14);
  SIZE ext = t.extent(u"Undo");
  RECT r{3, 4, 3, 4};
  int h = DrawText(t.d.dc, u"Undo", -1, &r, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(h, ext.cy);
  EXPECT_EQ(r.right - r.left, ext.cx);
  EXPECT_EQ(r.bottom - r.top, ext.cy);
  EXPECT_FALSE(inkOf(t.d, kWhite).any());

  // Prefix marks take no room unless DT_NOPREFIX keeps them.
  RECT p{0, 0, 0, 0};
  DrawText(t.d.dc, u"&Undo", -1, &p, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(p.right, ext.cx);
  DrawText(t.d.dc, u"&Undo", -1, &p, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
  EXPECT_GT(p.right, ext.cx);
}

TEST(DrawText, WordBreakWrapsAtSpacesAndCountsLines) {
  TextFixture t(200, 100, 14);
  SIZE two = t.extent(u"aaa bbb");
  RECT r{0, 0, two.cx, 0};
  int h = DrawText(t.d.dc, u"aaa bbb ccc", -1, &r, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(h, 2 * two.cy);
  EXPECT_EQ(r.bottom, 2 * two.cy);
  RECT lines{0, 0, 200, 0};
  EXPECT_EQ(DrawText(t.d.dc, u"one\r\ntwo\nthree", -1, &lines, DT_CALCRECT), 3 * two.cy);
}

TEST(DrawText, EndEllipsisKeepsTheLineInsideTheRectangle) {
  TextFixture t(200, 30, 14);
  SIZE full = t.extent(u"Klondike Limited");
  RECT r{0, 0, full.cx / 2, 20};
  DrawText(t.d.dc, u"Klondike Limited", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
  EXPECT_LE(r.right, full.cx / 2);
  EXPECT_GT(r.right, 0);
}

TEST(DrawText, VerticalCentreAndBottom) {
  TextFixture t(100, 60, 14);
  RECT r{0, 0, 100, 60};
  EXPECT_EQ(DrawText(t.d.dc, u"Ok", -1, &r, DT_SINGLELINE | DT_VCENTER), (60 - 14) / 2 + 14);
  Ink centred = inkOf(t.d, kWhite);
  EXPECT_GE(centred.top, (60 - 14) / 2);
  EXPECT_LE(centred.bottom, (60 - 14) / 2 + 14);
  t.d.fill(kWhite);
  EXPECT_EQ(DrawText(t.d.dc, u"Ok", -1, &r, DT_SINGLELINE | DT_BOTTOM), 60);
  EXPECT_GE(inkOf(t.d, kWhite).top, 60 - 14);
}

TEST(TextColours, BackgroundModeDecidesWhetherTheCellIsFilled) {
  TextFixture t(60, 20, 14);
  SetTextColor(t.d.dc, RGB(0, 0, 0));
  SetBkColor(t.d.dc, RGB(255, 0, 0));
  ExtTextOut(t.d.dc, 2, 2, 0, nullptr, u"Hi", 2, nullptr);
  int red = 0, grey = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      uint16_t v = t.d.at(x, y);
      red += v == kRed;
      grey += v != kRed && v != kWhite && v != kBlack;
    }
  EXPECT_EQ(red, 0);
  EXPECT_GT(grey, 0);  // anti-aliased edges

  t.d.fill(kWhite);
  SetBkMode(t.d.dc, OPAQUE);
  SIZE ext = t.extent(u"Hi");
  ExtTextOut(t.d.dc, 2, 2, 0, nullptr, u"Hi", 2, nullptr);
  EXPECT_EQ(t.d.at(2, 2), kRed);
  EXPECT_EQ(t.d.at(2 + ext.cx - 1, 2 + ext.cy - 1), kRed);
  EXPECT_EQ(t.d.at(2 + ext.cx, 2), kWhite);
  EXPECT_EQ(t.d.at(1, 2), kWhite);
}

TEST(TextColours, ExtTextOutOpaqueFillsTheRectangleWithoutText) {
  TextFixture t(10, 10, 14);
  SetBkColor(t.d.dc, RGB(0, 0, 0));
  RECT r{2, 2, 5, 5};
  ExtTextOut(t.d.dc, 0, 0, ETO_OPAQUE, &r, u"", 0, nullptr);
  EXPECT_EQ(t.d.at(2, 2), kBlack);
  EXPECT_EQ(t.d.at(4, 4), kBlack);
  EXPECT_EQ(t.d.at(5, 5), kWhite);
}

TEST(TextColours, TextDrawsOntoThirtyTwoBitSurfaces) {
  DibDc d(40, 20, 32);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) d.at32(x, y) = 0xFFFFFF;
  HFONT font = makeFont(14);
  HGDIOBJ old = SelectObject(d.dc, font);
  SetTextColor(d.dc, RGB(0, 0, 255));
  SetBkMode(d.dc, TRANSPARENT);
  ExtTextOut(d.dc, 1, 1, 0, nullptr, u"W", 1, nullptr);
  bool blue = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) blue |= d.at32(x, y) == 0x0000FF;
  EXPECT_TRUE(blue);
  SelectObject(d.dc, old);
  DeleteObject(font);
}

}  // namespace
