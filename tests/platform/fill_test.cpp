#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "graphics_fixture.h"
#include "qz_colour.h"
#include "qz_fill.h"
#include "qz_rect.h"

namespace {

using FillTest = GraphicsTest;

TEST_F(FillTest, FillsCutToThePlaneAndFollowTheLevelRules) {
  QZLLFill16BPP(-5, -5, 2, 2, 0x1111, 0, 256);
  QZLLFill16BPP(62, 46, 100, 100, 0x2222, 0, 300);
  EXPECT_EQ(pixelAt(0, 0), 0x1111);
  EXPECT_EQ(pixelAt(1, 1), 0x1111);
  EXPECT_EQ(pixelAt(2, 2), 0);
  EXPECT_EQ(pixelAt(63, 47), 0x2222);
  QZLLFill16BPP(0, 0, 1, 1, 0xFFFF, 0, 0);
  EXPECT_EQ(pixelAt(0, 0), 0x1111);
  QZLLFill16BPP(0, 0, 1, 1, 0xF800, 0, 128);
  EXPECT_EQ(pixelAt(0, 0), QZBlendPixel(0x1111, QZSplit(0xF800), 16));
  QZLLFill16BPP(0, 0, 1, 1, 0xFFFF, kQZFlagAdditive, 256);
  EXPECT_EQ(pixelAt(0, 0), 0xFFFF);
}

// Fills of whole rows and of part rows, in every mode, over a background of
// varied pixels: each pixel is exactly what the per-pixel rule gives.
TEST_F(FillTest, FillsMatchThePerPixelRulesOnEveryPixel) {
  struct Case {
    int flags;
    int level;
  };
  const QZPlane* p = QZGetDrawPlane();
  uint16_t* bits = QZPlaneImageBits(p);
  const size_t n = static_cast<size_t>(p->pitch) * p->height;
  for (const Case c : {Case{0, 256}, Case{0, 128}, Case{0, 40}, Case{kQZFlagAdditive, 256}, Case{kQZFlagAdditive, 90}}) {
    for (const uint16_t colour : {0x0000, 0xF81F, 0x7BEF, 0xFFFF, 0x1234}) {
      for (const int x0 : {0, 3}) {
        std::vector<uint16_t> before(n);
        for (size_t i = 0; i < n; ++i) before[i] = static_cast<uint16_t>(i * 2654435761u >> 7);
        std::copy(before.begin(), before.end(), bits);
        QZLLFill16BPP(x0, 1, p->width, p->height, colour, c.flags, c.level);
        for (size_t i = 0; i < n; ++i) {
          uint16_t want = before[i];
          if (static_cast<int>(i / p->pitch) >= 1 && static_cast<int>(i % p->pitch) >= x0) {
            if (c.flags & kQZFlagAdditive) {
              want = QZAddPixel(want, QZSplit(colour), static_cast<uint32_t>(std::min(c.level, 256) >> 4));
            } else if (c.level < kQZOpaqueLevel) {
              want = QZBlendPixel(want, QZSplit(colour), static_cast<uint32_t>(c.level >> 3));
            } else {
              want = colour;
            }
          }
          ASSERT_EQ(bits[i], want) << "pixel " << i << " colour " << colour << " level " << c.level << " x0 " << x0;
        }
      }
    }
  }
}

TEST_F(FillTest, GradientInterpolatesEachChannelByRow) {
  QZFillGradient16BPP(0, 0, 4, 4, 0x0000, 0xFFFF, 0, 256);
  // Channels widen to 248, 252, 248; row k gets top + (bottom - top) * k / 4.
  EXPECT_EQ(pixelAt(0, 0), 0x0000);
  EXPECT_EQ(pixelAt(3, 1), QZGradientColour(0, 0xFFFF, 1, 4));
  EXPECT_EQ(QZGradientColour(0, 0xFFFF, 1, 4), static_cast<uint16_t>(((62 << 8) & 0xF800) | ((63 << 3) & 0x07E0) | (62 >> 3)));
  EXPECT_EQ(pixelAt(0, 3), QZGradientColour(0, 0xFFFF, 3, 4));
  QZFillGradient16BPP(10, 10, 12, 10, 0x1234, 0xFFFF, 0, 256);  // no rows: nothing
  EXPECT_EQ(pixelAt(10, 10), 0);
  EXPECT_EQ(QZGradientColour(0xF81F, 0x07E0, 0, 1), 0xF81F);  // one row is the top colour
}

TEST_F(FillTest, ClearsAndByteFills) {
  ASSERT_EQ(QZCreatePlane(1, 6, 2, true), 0);
  QZDrawToPlane(1);
  QZClearPlane16BPP(0x5555, 0);
  QZClearPlane16BPP(0xFFFF, 1);
  EXPECT_EQ(pixelAt(5, 1), 0x5555);
  EXPECT_EQ(QZPlaneMaskBits(QZGetPlane(1, false))[11], 0xFFFF);
  QZClearPlane8BPP(0x11);
  QZLLFill8BPP(1, 0, 3, 1, 0x22);
  EXPECT_EQ(pixelAt(0, 0), 0x2211);
  EXPECT_EQ(pixelAt(1, 0), 0x1122);
  EXPECT_EQ(pixelAt(0, 1), 0x1111);
}

TEST(ColourHelpers, TableAndConversions) {
  EXPECT_EQ(QZRGBToIndex(0, 0, 0), 0);
  EXPECT_EQ(QZIndexToRGB565(QZRGBToIndex(0, 0, 0)), 0);
  EXPECT_EQ(QZIndexToRGB565(QZRGBToIndex(255, 255, 255)), 0xFFFF);
  EXPECT_EQ(QZRGBToIndex(255, 0, 0), 180);
  // Equally near to black (0) and the darkest grey (216, value 6): the lower index wins.
  ASSERT_EQ(QZGetColourTable()[216].red, 6);
  EXPECT_EQ(QZRGBToIndex(3, 3, 3), 0);
  EXPECT_EQ(QZRGBToIndex(4, 4, 4), 216);
  uint8_t r = 0, g = 0, b = 0;
  QZSplitRGB565(0xFFFF, &r, &g, &b);
  EXPECT_EQ(r, 0xF8);
  EXPECT_EQ(g, 0xFC);
  EXPECT_EQ(b, 0xF8);
}

TEST(RectHelpers, PointsAndIntersections) {
  QZRect a{}, b{}, out{};
  QZSetRect(&a, 0, 0, 10, 10);
  QZSetRect(&b, 5, 5, 10, 10);
  EXPECT_TRUE(QZPointInRect(9, 9, &a));
  EXPECT_FALSE(QZPointInRect(10, 5, &a));
  QZIntersectRect(&a, &b, &out);
  EXPECT_EQ(out.x, 5);
  EXPECT_EQ(out.w, 5);
  QZSetRect(&b, 20, 0, 5, 5);
  QZIntersectRect(&a, &b, &out);
  EXPECT_EQ(out.w, 0);
  QZCopyRect(&out, &a);
  EXPECT_EQ(out.h, 10);
}

}  // namespace
