#include <gtest/gtest.h>

#include <vector>

#include "gdi_test_util.h"
#include "wince/gdi.h"

using namespace gditest;

namespace {

// Source pixels are numbered 1 + x + y * width; 0 marks an untouched
// destination pixel. Expected: the source number each destination pixel of
// row `row` holds.
struct ClipCase {
  const char* name;
  int x, y, w, h, sx, sy;
  int row;
  std::vector<uint16_t> expectRow;
};

TEST(GdiBitBlt, ClipsToBothSurfacesAtEveryEdge) {
  // 4x4 source onto a 4x4 destination.
  const ClipCase cases[] = {
      {"inside", 1, 1, 2, 2, 0, 0, 1, {0, 1, 2, 0}},
      {"left edge of destination", -1, 0, 3, 1, 0, 0, 0, {2, 3, 0, 0}},
      {"right edge of destination", 2, 0, 4, 1, 0, 0, 0, {0, 0, 1, 2}},
      {"top edge of destination", 0, -2, 2, 3, 0, 0, 0, {9, 10, 0, 0}},
      {"bottom edge of destination", 0, 3, 2, 3, 0, 0, 3, {1, 2, 0, 0}},
      {"left edge of source", 0, 0, 3, 1, -1, 0, 0, {0, 1, 2, 0}},
      {"right edge of source", 0, 0, 3, 1, 2, 0, 0, {3, 4, 0, 0}},
      {"top edge of source", 0, 0, 1, 2, 0, -1, 1, {1, 0, 0, 0}},
      {"bottom edge of source", 0, 2, 1, 2, 0, 3, 2, {13, 0, 0, 0}},
      {"wholly outside", 5, 0, 2, 2, 0, 0, 0, {0, 0, 0, 0}},
  };
  for (const ClipCase& c : cases) {
    DibDc src(4, 4), dst(4, 4);
    src.numberPixels();
    dst.fill(0);
    EXPECT_TRUE(BitBlt(dst.dc, c.x, c.y, c.w, c.h, src.dc, c.sx, c.sy, SRCCOPY)) << c.name;
    std::vector<uint16_t> row;
    for (int x = 0; x < 4; ++x) row.push_back(dst.at(x, c.row));
    EXPECT_EQ(row, c.expectRow) << c.name;
  }
}

TEST(GdiBitBlt, OverlappingCopyWithinOneBitmapReadsTheSourceAsItWas) {
  struct Case {
    const char* name;
    int dx, dy;
  } cases[] = {{"right", 1, 0}, {"left", -1, 0}, {"down", 0, 1}, {"up", 0, -1}, {"diagonal", 1, 1}};
  for (const Case& c : cases) {
    DibDc d(5, 5);
    d.numberPixels();
    BitBlt(d.dc, 1 + c.dx, 1 + c.dy, 3, 3, d.dc, 1, 1, SRCCOPY);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(d.at(1 + c.dx + x, 1 + c.dy + y), 1 + (1 + x) + (1 + y) * 5) << c.name << " " << x << "," << y;
  }
}

TEST(GdiBitBlt, RasterOperationsCombinePatternSourceAndDestination) {
  const uint16_t s = 0xF0F0, d = 0xCCCC;
  const uint16_t p = 0x07E0;  // the selected brush: pure green
  struct Case {
    const char* name;
    DWORD rop;
    uint16_t expect;
  } cases[] = {
      {"SRCCOPY", SRCCOPY, s},
      {"SRCAND", SRCAND, static_cast<uint16_t>(s & d)},
      {"SRCPAINT", SRCPAINT, static_cast<uint16_t>(s | d)},
      {"SRCINVERT", SRCINVERT, static_cast<uint16_t>(s ^ d)},
      {"SRCERASE", SRCERASE, static_cast<uint16_t>(s & ~d)},
      {"NOTSRCCOPY", NOTSRCCOPY, static_cast<uint16_t>(~s)},
      {"NOTSRCERASE", NOTSRCERASE, static_cast<uint16_t>(~(s | d))},
      {"MERGECOPY", MERGECOPY, static_cast<uint16_t>(p & s)},
      {"MERGEPAINT", MERGEPAINT, static_cast<uint16_t>(~s | d)},
      {"PATCOPY", PATCOPY, p},
      {"PATINVERT", PATINVERT, static_cast<uint16_t>(p ^ d)},
      {"PATPAINT", PATPAINT, static_cast<uint16_t>(p | ~s | d)},
      {"DSTINVERT", DSTINVERT, static_cast<uint16_t>(~d)},
      {"BLACKNESS", BLACKNESS, 0},
      {"WHITENESS", WHITENESS, 0xFFFF},
  };
  for (const Case& c : cases) {
    DibDc src(2, 2), dst(2, 2);
    src.fill(s);
    dst.fill(d);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    HGDIOBJ old = SelectObject(dst.dc, green);
    BitBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, c.rop);
    EXPECT_EQ(dst.at(1, 1), c.expect) << c.name;
    SelectObject(dst.dc, old);
    DeleteObject(green);
  }
}

TEST(GdiBitBlt, ConvertsBetweenDepths) {
  DibDc src16(1, 1, 16), dst32(1, 1, 32);
  src16.at(0, 0) = 0xF81F;  // magenta
  BitBlt(dst32.dc, 0, 0, 1, 1, src16.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(dst32.at32(0, 0), 0xF800F8u);

  DibDc src32(1, 1, 32), dst16(1, 1, 16);
  src32.at32(0, 0) = 0x123456;
  BitBlt(dst16.dc, 0, 0, 1, 1, src32.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(dst16.at(0, 0), ((0x12 >> 3) << 11) | ((0x34 >> 2) << 5) | (0x56 >> 3));
}

TEST(GdiBitBlt, MonochromeSourceTakesTheDestinationsTextAndBackgroundColours) {
  const uint8_t rows[2 * 2] = {0x80, 0, 0x40, 0};  // 2x2: set bits at (0,0) and (1,1)
  HBITMAP mono = CreateBitmap(2, 2, 1, 1, rows);
  HDC monoDc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(monoDc, mono);
  DibDc dst(2, 2);
  SetTextColor(dst.dc, RGB(255, 0, 0));
  SetBkColor(dst.dc, RGB(0, 0, 255));
  BitBlt(dst.dc, 0, 0, 2, 2, monoDc, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.at(0, 0), kBlue);  // 1 bits take the background colour
  EXPECT_EQ(dst.at(1, 0), kRed);
  EXPECT_EQ(dst.at(1, 1), kBlue);

  // Colour to monochrome: the source DC's background colour becomes 1.
  DibDc colour(2, 1);
  colour.at(0, 0) = kGreen;
  colour.at(1, 0) = kWhite;
  SetBkColor(colour.dc, RGB(0, 255, 0));
  BitBlt(monoDc, 0, 0, 2, 1, colour.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(monoDc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(monoDc, 1, 0), RGB(0, 0, 0));
  SelectObject(monoDc, old);
  DeleteObject(mono);
  DeleteDC(monoDc);
}

TEST(GdiStretchBlt, NearestNeighbourScalingAndMirroring) {
  DibDc src(2, 1), dst(4, 2);
  src.at(0, 0) = kRed;
  src.at(1, 0) = kBlue;
  dst.fill(0);
  StretchBlt(dst.dc, 0, 0, 4, 2, src.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dst.at(0, 0), kRed);
  EXPECT_EQ(dst.at(1, 1), kRed);
  EXPECT_EQ(dst.at(2, 0), kBlue);
  EXPECT_EQ(dst.at(3, 1), kBlue);

  dst.fill(0);
  StretchBlt(dst.dc, 3, 0, -4, 1, src.dc, 0, 0, 2, 1, SRCCOPY);  // mirrored
  EXPECT_EQ(dst.at(0, 0), kBlue);
  EXPECT_EQ(dst.at(3, 0), kRed);
  EXPECT_EQ(dst.at(0, 1), 0);
}

TEST(GdiTransparentImage, LeavesOutTheTransparentColour) {
  DibDc src(3, 1), dst(3, 1);
  src.at(0, 0) = kWhite;
  src.at(1, 0) = kRed;
  src.at(2, 0) = kWhite;
  dst.fill(kGreen);
  EXPECT_TRUE(TransparentImage(dst.dc, 0, 0, 3, 1, src.dc, 0, 0, 3, 1, RGB(255, 255, 255)));
  EXPECT_EQ(dst.at(0, 0), kGreen);
  EXPECT_EQ(dst.at(1, 0), kRed);
  EXPECT_EQ(dst.at(2, 0), kGreen);
  // The source may also be given as a bitmap.
  dst.fill(kGreen);
  SelectObject(src.dc, src.old);
  EXPECT_TRUE(TransparentImage(dst.dc, 0, 0, 3, 1, src.bitmap, 0, 0, 3, 1, RGB(255, 255, 255)));
  EXPECT_EQ(dst.at(1, 0), kRed);
  EXPECT_EQ(dst.at(2, 0), kGreen);
  SelectObject(src.dc, src.bitmap);
}

TEST(GdiPatBlt, CheckerPatternInvertTwiceRestoresThePixels) {
  const uint16_t rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  uint8_t bits[16] = {};
  for (int i = 0; i < 8; ++i) bits[i * 2] = static_cast<uint8_t>(rows[i]);
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, bits);
  HBRUSH brush = CreatePatternBrush(pattern);
  DibDc d(10, 10);
  d.numberPixels();
  std::vector<uint16_t> before(d.width * d.height);
  for (int i = 0; i < d.width * d.height; ++i) before[i] = d.at(i % d.width, i / d.width);
  HGDIOBJ old = SelectObject(d.dc, brush);
  SetTextColor(d.dc, RGB(0, 0, 0));
  SetBkColor(d.dc, RGB(0x9B, 0x9B, 0x9B));
  PatBlt(d.dc, 1, 1, 7, 7, PATINVERT);
  // 0 bits of the pattern take the text colour (black: no change), 1 bits
  // the background colour.
  // Row 1 is 0xAA: column 1 is a 0 bit, column 2 a 1 bit.
  EXPECT_EQ(d.at(1, 1), before[1 + 1 * 10]);
  EXPECT_EQ(d.at(2, 1), before[2 + 1 * 10] ^ 0x9CD3);
  EXPECT_EQ(d.at(0, 0), before[0]);  // outside
  PatBlt(d.dc, 1, 1, 7, 7, PATINVERT);
  for (int i = 0; i < d.width * d.height; ++i) EXPECT_EQ(d.at(i % d.width, i / d.width), before[i]) << i;
  SelectObject(d.dc, old);
  DeleteObject(brush);
  DeleteObject(pattern);
}

TEST(GdiClip, DrawingStaysInsideTheClipRegion) {
  DibDc d(6, 6);
  d.fill(0);
  HRGN left = CreateRectRgn(0, 0, 2, 6);
  HRGN right = CreateRectRgn(4, 0, 6, 6);
  HRGN both = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(both, left, right, RGN_OR), COMPLEXREGION);
  SelectClipRgn(d.dc, both);
  EXPECT_EQ(IntersectClipRect(d.dc, 0, 1, 6, 5), COMPLEXREGION);
  RECT all{0, 0, 6, 6};
  FillRect(d.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      bool inside = (x < 2 || x >= 4) && y >= 1 && y < 5;
      EXPECT_EQ(d.at(x, y), inside ? kWhite : kBlack) << x << "," << y;
    }
  RECT box;
  EXPECT_EQ(GetClipBox(d.dc, &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 1);
  EXPECT_EQ(box.right, 6);
  EXPECT_EQ(box.bottom, 5);

  // Excluding a rectangle, then removing the clip.
  SelectClipRgn(d.dc, nullptr);
  ExcludeClipRect(d.dc, 1, 1, 5, 5);
  d.fill(0);
  FillRect(d.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(d.at(0, 0), kWhite);
  EXPECT_EQ(d.at(2, 2), kBlack);
  SelectClipRgn(d.dc, nullptr);
  EXPECT_EQ(GetClipBox(d.dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 6);
  DeleteObject(left);
  DeleteObject(right);
  DeleteObject(both);
}

TEST(GdiRegion, CombineModes) {
  HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(2, 0, 6, 4), r = CreateRectRgn(0, 0, 0, 0);
  RECT box;
  EXPECT_EQ(CombineRgn(r, a, b, RGN_AND), SIMPLEREGION);
  GetRgnBox(r, &box);
  EXPECT_EQ(box.left, 2);
  EXPECT_EQ(box.right, 4);
  EXPECT_EQ(CombineRgn(r, a, b, RGN_OR), SIMPLEREGION);  // joins into one rectangle
  GetRgnBox(r, &box);
  EXPECT_EQ(box.right, 6);
  EXPECT_EQ(CombineRgn(r, a, b, RGN_DIFF), SIMPLEREGION);
  EXPECT_TRUE(PtInRegion(r, 1, 1));
  EXPECT_FALSE(PtInRegion(r, 2, 1));
  EXPECT_EQ(CombineRgn(r, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(r, 3, 3));
  EXPECT_TRUE(PtInRegion(r, 5, 3));
  EXPECT_EQ(CombineRgn(r, a, a, RGN_DIFF), NULLREGION);
  HRGN same = CreateRectRgn(0, 0, 4, 4);
  EXPECT_TRUE(EqualRgn(a, same));
  OffsetRgn(same, 1, 0);
  EXPECT_FALSE(EqualRgn(a, same));
  for (HRGN h : {a, b, r, same}) DeleteObject(h);
}

}  // namespace
