#include <gtest/gtest.h>

#include <string>

#include "gdi_test_util.h"
#include "wince/gdi.h"

using namespace gditest;

namespace {

// The picture of a small DIB as text: '.' black, '#' the pen, 'o' the brush.
std::string picture(DibDc& d, uint16_t pen, uint16_t brush) {
  std::string out;
  for (int y = 0; y < d.height; ++y) {
    for (int x = 0; x < d.width; ++x) {
      uint16_t v = d.at(x, y);
      out += v == pen ? '#' : v == brush ? 'o' : v == 0 ? '.' : '?';
    }
    out += '\n';
  }
  return out;
}

TEST(GdiRectangle, OutlineCoversLeftToRightMinusOneAndFillsInside) {
  DibDc d(6, 5);
  d.fill(0);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
  HGDIOBJ oldPen = SelectObject(d.dc, pen), oldBrush = SelectObject(d.dc, brush);
  Rectangle(d.dc, 1, 1, 5, 4);
  EXPECT_EQ(picture(d, kRed, kBlue),
            "......\n"
            ".####.\n"
            ".#oo#.\n"
            ".####.\n"
            "......\n");

  // A one-pixel-high rectangle is a line (the separators drawn in dialogs).
  d.fill(0);
  Rectangle(d.dc, -1, 2, 6, 3);
  EXPECT_EQ(picture(d, kRed, kBlue),
            "......\n"
            "......\n"
            "######\n"
            "......\n"
            "......\n");

  // Without a pen the filled figure is one pixel smaller.
  d.fill(0);
  SelectObject(d.dc, GetStockObject(NULL_PEN));
  Rectangle(d.dc, 1, 1, 5, 4);
  EXPECT_EQ(picture(d, kRed, kBlue),
            "......\n"
            ".ooo..\n"
            ".ooo..\n"
            "......\n"
            "......\n");

  // A null brush leaves the inside alone.
  d.fill(0);
  SelectObject(d.dc, pen);
  SelectObject(d.dc, GetStockObject(NULL_BRUSH));
  Rectangle(d.dc, 0, 0, 3, 3);
  EXPECT_EQ(picture(d, kRed, kBlue),
            "###...\n"
            "#.#...\n"
            "###...\n"
            "......\n"
            "......\n");
  SelectObject(d.dc, oldPen);
  SelectObject(d.dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

TEST(GdiPolyline, LeavesOutTheLastPoint) {
  struct Case {
    const char* name;
    POINT a, b;
    const char* expect;
  } cases[] = {
      {"horizontal", {0, 0}, {3, 0}, "###.\n....\n....\n....\n"},
      {"vertical up", {1, 3}, {1, 0}, "....\n.#..\n.#..\n.#..\n"},
      {"diagonal", {0, 0}, {3, 3}, "#...\n.#..\n..#.\n....\n"},
      {"single point", {2, 2}, {2, 2}, "....\n....\n....\n....\n"},
  };
  for (const Case& c : cases) {
    DibDc d(4, 4);
    d.fill(0);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(d.dc, pen);
    POINT pts[2] = {c.a, c.b};
    EXPECT_TRUE(Polyline(d.dc, pts, 2));
    EXPECT_EQ(picture(d, kRed, kBlue), c.expect) << c.name;
    SelectObject(d.dc, old);
    DeleteObject(pen);
  }
}

TEST(GdiPolyline, JoinedSegmentsAndLineToDrawEveryCornerOnce) {
  DibDc d(4, 4);
  d.fill(0);
  HPEN light = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HPEN dark = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
  // A card frame: light left and top, dark right and bottom.
  HGDIOBJ old = SelectObject(d.dc, light);
  MoveToEx(d.dc, 0, 3, nullptr);
  LineTo(d.dc, 0, 0);
  LineTo(d.dc, 3, 0);
  SelectObject(d.dc, dark);
  LineTo(d.dc, 3, 3);
  LineTo(d.dc, 0, 3);
  EXPECT_EQ(picture(d, kRed, kBlue),
            "###o\n"
            "#..o\n"
            "#..o\n"
            "#ooo\n");
  POINT pos;
  MoveToEx(d.dc, 0, 0, &pos);
  EXPECT_EQ(pos.x, 0);
  EXPECT_EQ(pos.y, 3);
  SelectObject(d.dc, old);
  DeleteObject(light);
  DeleteObject(dark);
}

TEST(GdiFill, FillRectTakesBrushesAndSystemColourIndices) {
  DibDc d(4, 2);
  d.fill(0);
  RECT r{1, 0, 3, 2};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  EXPECT_EQ(FillRect(d.dc, &r, red), 1);
  EXPECT_EQ(d.at(0, 0), kBlack);
  EXPECT_EQ(d.at(1, 0), kRed);
  EXPECT_EQ(d.at(2, 1), kRed);
  EXPECT_EQ(d.at(3, 1), kBlack);
  RECT all{0, 0, 4, 2};
  FillRect(d.dc, &all, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1)));
  EXPECT_EQ(d.at(0, 0), kWhite);  // the window colour
  DeleteObject(red);
}

TEST(GdiPixels, ColourConversionTruncatesAndWidens) {
  DibDc d(2, 1);
  EXPECT_EQ(SetPixel(d.dc, 0, 0, RGB(0xFF, 0x87, 0x0F)), RGB(0xF8, 0x84, 0x08));
  EXPECT_EQ(d.at(0, 0), (0x1F << 11) | (0x21 << 5) | 0x01);
  EXPECT_EQ(GetPixel(d.dc, 0, 0), RGB(0xF8, 0x84, 0x08));
  EXPECT_EQ(GetPixel(d.dc, 2, 0), CLR_INVALID);
  EXPECT_EQ(SetPixel(d.dc, -1, 0, 0), CLR_INVALID);
}

TEST(GdiPixels, InvertRectTwiceRestores) {
  DibDc d(3, 3);
  d.numberPixels();
  RECT r{0, 0, 2, 2};
  InvertRect(d.dc, &r);
  EXPECT_EQ(d.at(0, 0), static_cast<uint16_t>(~1));
  EXPECT_EQ(d.at(2, 2), 9);
  InvertRect(d.dc, &r);
  EXPECT_EQ(d.at(0, 0), 1);
}

TEST(GdiRect, Helpers) {
  RECT a{0, 0, 4, 4}, b{2, 2, 6, 6}, r;
  EXPECT_TRUE(IntersectRect(&r, &a, &b));
  RECT overlap{2, 2, 4, 4};
  EXPECT_TRUE(EqualRect(&r, &overlap));
  RECT far{10, 10, 12, 12};
  EXPECT_FALSE(IntersectRect(&r, &a, &far));
  EXPECT_TRUE(IsRectEmpty(&r));
  EXPECT_TRUE(UnionRect(&r, &a, &b));
  EXPECT_EQ(r.right, 6);
  RECT top{0, 0, 4, 1};
  EXPECT_TRUE(SubtractRect(&r, &a, &top));
  EXPECT_EQ(r.top, 1);
  EXPECT_FALSE(PtInRect(&a, POINT{4, 0}));
  EXPECT_TRUE(PtInRect(&a, POINT{3, 3}));
  InflateRect(&a, 1, 2);
  EXPECT_EQ(a.left, -1);
  EXPECT_EQ(a.bottom, 6);
  OffsetRect(&a, 1, 1);
  EXPECT_EQ(a.left, 0);
}

}  // namespace
