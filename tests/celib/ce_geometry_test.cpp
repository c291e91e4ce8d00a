#include <gtest/gtest.h>

#include <type_traits>

#include "ce_geometry.h"

namespace {

static_assert(sizeof(CePoint) == sizeof(POINT) && std::is_standard_layout_v<CePoint>);
static_assert(sizeof(CeSize) == sizeof(SIZE) && std::is_standard_layout_v<CeSize>);
static_assert(sizeof(CeRect) == sizeof(RECT) && std::is_standard_layout_v<CeRect>);

void ExpectRect(const RECT& r, LONG l, LONG t, LONG rr, LONG b) {
  EXPECT_EQ(r.left, l);
  EXPECT_EQ(r.top, t);
  EXPECT_EQ(r.right, rr);
  EXPECT_EQ(r.bottom, b);
}

TEST(CePoint, PackedValueIsSignExtendedPerHalf) {
  const CePoint p(static_cast<DWORD>(0xFFFF0001u));
  EXPECT_EQ(p.x, 1);
  EXPECT_EQ(p.y, -1);
  const CeSize s(static_cast<DWORD>(0x7FFF8000u));
  EXPECT_EQ(s.cx, -32768);
  EXPECT_EQ(s.cy, 32767);
}

TEST(CePoint, ArithmeticMixesPointsAndSizes) {
  CePoint p(10, 20);
  const SIZE sz{3, 4};
  const POINT pt{1, 2};
  EXPECT_EQ(p + sz, CePoint(13, 24));
  EXPECT_EQ(p - sz, CePoint(7, 16));
  // The difference of two points is a size.
  const CeSize d = p - pt;
  EXPECT_EQ(d, CeSize(9, 18));
  EXPECT_EQ(-p, CePoint(-10, -20));
  EXPECT_TRUE(p == CeSize(10, 20));  // a SIZE's fields compare in order
  EXPECT_TRUE(CeSize(10, 20) == p);
  EXPECT_TRUE(p != pt);
  EXPECT_TRUE(pt != p);
  EXPECT_TRUE((POINT{10, 20}) == p);
  p += pt;
  p -= sz;
  EXPECT_EQ(p, CePoint(8, 18));
  p.Offset(2, 2);
  p.Offset(pt);
  p.Offset(sz);
  EXPECT_EQ(p, CePoint(14, 26));

  CeSize s(5, 6);
  s += pt;
  s -= CeSize(1, 1);
  EXPECT_EQ(s, CeSize(5, 7));
  EXPECT_EQ(s + pt, CeSize(6, 9));
}

TEST(CePoint, MovesRectangles) {
  const RECT r{0, 0, 10, 5};
  ExpectRect(CePoint(2, 3) + &r, 2, 3, 12, 8);
  ExpectRect(CePoint(2, 3) - &r, -2, -3, 8, 2);
  ExpectRect(CeSize(1, 1) + &r, 1, 1, 11, 6);
}

TEST(CeRect, ConstructionAndMeasures) {
  ExpectRect(CeRect(), 0, 0, 0, 0);
  const CeRect fromSize(CePoint(5, 6), CeSize(10, 20));
  ExpectRect(fromSize, 5, 6, 15, 26);
  EXPECT_EQ(fromSize.Width(), 10);
  EXPECT_EQ(fromSize.Height(), 20);
  EXPECT_EQ(fromSize.Size(), CeSize(10, 20));
  ExpectRect(CeRect(CePoint(1, 2), CePoint(3, 4)), 1, 2, 3, 4);
  const RECT raw{1, 2, 3, 4};
  ExpectRect(CeRect(&raw), 1, 2, 3, 4);
  EXPECT_EQ(CeRect(-3, -3, 0, 0).CenterPoint(), CePoint(-1, -1));  // towards zero
  EXPECT_EQ(CeRect(0, 0, 7, 9).CenterPoint(), CePoint(3, 4));
}

TEST(CeRect, CornersAreViewsOfTheFields) {
  CeRect r(1, 2, 3, 4);
  r.TopLeft() = CePoint(-1, -2);
  r.BottomRight().Offset(10, 10);
  ExpectRect(r, -1, -2, 13, 14);
  RECT* asRaw = r;
  EXPECT_EQ(asRaw, static_cast<RECT*>(&r));
}

TEST(CeRect, PredicatesAndEquality) {
  EXPECT_TRUE(CeRect().IsRectNull());
  EXPECT_TRUE(CeRect(5, 5, 5, 9).IsRectEmpty());
  EXPECT_FALSE(CeRect(5, 5, 5, 9).IsRectNull());
  const CeRect r(0, 0, 10, 10);
  EXPECT_TRUE(r.PtInRect(CePoint(0, 0)));
  EXPECT_FALSE(r.PtInRect(CePoint(10, 5)));  // right edge is outside
  EXPECT_TRUE(r == CeRect(0, 0, 10, 10));
  EXPECT_TRUE(r != CeRect(0, 0, 10, 11));
  const RECT raw{0, 0, 10, 10};
  EXPECT_TRUE(raw == r);
  EXPECT_FALSE(r != raw);
  CeRect copy;
  copy = static_cast<const RECT&>(r);
  EXPECT_TRUE(copy.EqualRect(r));
  copy.SetRectEmpty();
  EXPECT_TRUE(copy.IsRectNull());
}

TEST(CeRect, InflateAndDeflate) {
  CeRect r(100, 100, 200, 200);
  const RECT by{10, 20, 30, 50};
  r.InflateRect(&by);  // by the other's width (20) and height (30)
  ExpectRect(r, 80, 70, 220, 230);
  r -= &by;
  ExpectRect(r, 100, 100, 200, 200);
  ExpectRect(r + &by, 80, 70, 220, 230);
  ExpectRect(r - &by, 120, 130, 180, 170);
  r.DeflateRect(5, 10);
  ExpectRect(r, 105, 110, 195, 190);
  r.InflateRect(CeSize(5, 10));
  r.DeflateRect(CeSize(1, 1));
  ExpectRect(r, 101, 101, 199, 199);
}

TEST(CeRect, Moves) {
  CeRect r(0, 0, 10, 10);
  r += CePoint(5, 5);
  r -= CeSize(1, 2);
  ExpectRect(r, 4, 3, 14, 13);
  ExpectRect(r + CeSize(1, 1), 5, 4, 15, 14);
  ExpectRect(r - CePoint(4, 3), 0, 0, 10, 10);
  r.OffsetRect(CePoint(-4, -3));
  ExpectRect(r, 0, 0, 10, 10);
}

TEST(CeRect, IntersectionAndUnion) {
  const CeRect a(0, 0, 10, 10);
  const CeRect b(5, 5, 20, 20);
  ExpectRect(a & b, 5, 5, 10, 10);
  ExpectRect(a | b, 0, 0, 20, 20);
  ExpectRect(a & CeRect(50, 50, 60, 60), 0, 0, 0, 0);  // disjoint: all zero
  CeRect c = a;
  c &= b;
  ExpectRect(c, 5, 5, 10, 10);
  c |= CeRect(0, 0, 1, 1);
  ExpectRect(c, 0, 0, 10, 10);
  CeRect rest;
  EXPECT_TRUE(rest.SubtractRect(a, CeRect(0, 0, 10, 4)));
  ExpectRect(rest, 0, 4, 10, 10);
}

}  // namespace
