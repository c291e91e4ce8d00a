// Plain fills of the drawing plane, planes from bitmaps, and the sprite clip.
#include <gtest/gtest.h>

#include "graphics_fixture.h"
#include "qz_screen_fill.h"
#include "wince/gdi.h"

namespace {

using ScreenFillTest = GraphicsTest;

constexpr uint16_t kWhite = 0xFFFF;
constexpr uint16_t kRed = 0xF800;

TEST_F(ScreenFillTest, FillsTheScreenAndRectanglesByColour) {
  struct Case {
    COLORREF colour;
    uint16_t pixel;
  } cases[] = {{0xFFFFFF, kWhite}, {0, 0}, {RGB(255, 0, 0), kRed}, {RGB(0, 0, 255), 0x001F}};
  for (const Case& c : cases) {
    ASSERT_EQ(QZFillScreen(c.colour), 0);
    EXPECT_EQ(pixelAt(0, 0), c.pixel);
    EXPECT_EQ(pixelAt(63, 47), c.pixel);
  }
  const QZRect rect{10, 5, 4, 3};
  ASSERT_EQ(QZFillRect(RGB(255, 0, 0), &rect), 0);
  EXPECT_EQ(pixelAt(10, 5), kRed);
  EXPECT_EQ(pixelAt(13, 7), kRed);
  EXPECT_EQ(pixelAt(14, 7), 0x001F);  // right and bottom edges are outside
  EXPECT_EQ(pixelAt(13, 8), 0x001F);
  EXPECT_EQ(QZFillRect(0, nullptr), -1);
}

TEST_F(ScreenFillTest, SpriteClipCutsPlaneDrawing) {
  ASSERT_EQ(QZCreatePlane(3, 8, 8, false), 0);
  ASSERT_EQ(QZDrawToPlane(3), 0);
  ASSERT_EQ(QZFillScreen(0xFFFFFF), 0);  // the drawing plane: all of plane 3
  QZDrawToScreen();
  ASSERT_EQ(QZFillScreen(0), 0);
  QZSetClipBounds(2, 1, 3, 2);
  EXPECT_TRUE(QZGetSpriteClip().on);
  ASSERT_EQ(QZSpriteDrawPlane(3, 0, 0, 0, 0, 8, 8), 0);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      EXPECT_EQ(pixelAt(x, y), inside ? kWhite : 0) << x << "," << y;
    }
  }
  const QZRect rect{20, 20, 1, 1};
  QZSetClipRect(&rect);
  EXPECT_EQ(QZGetSpriteClip().rect, rect);
  QZClearClip();
  EXPECT_FALSE(QZGetSpriteClip().on);
  ASSERT_EQ(QZSpriteDrawPlane(3, 0, 0, 0, 0, 8, 8), 0);
  EXPECT_EQ(pixelAt(7, 7), kWhite);
}

TEST_F(ScreenFillTest, BitmapPlanesAreCopies) {
  HBITMAP source = nullptr;
  ASSERT_EQ(QZCreatePlaneBitmap(&source, 5, 4), 0);
  QZBitmapPixels(source)[0] = kRed;
  HBITMAP copy = QZLoadBitmapPlane(source);
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(copy, source);
  int w = 0, h = 0;
  QZBitmapSize(copy, &w, &h);
  EXPECT_EQ(w, 5);
  EXPECT_EQ(h, 4);
  EXPECT_EQ(QZBitmapPixels(copy)[0], kRed);
  QZDeleteBitmap(&copy);
  QZDeleteBitmap(&source);
  EXPECT_EQ(QZLoadBitmapPlane(nullptr), nullptr);
}

}  // namespace
