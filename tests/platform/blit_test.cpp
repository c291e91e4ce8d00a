#include <gtest/gtest.h>

#include "graphics_fixture.h"
#include "qz_blit.h"
#include "qz_colour.h"
#include "qz_fill.h"
#include "qz_sine.h"

namespace {

class BlitTest : public GraphicsTest {
 protected:
  // Plane 2: w x h, pixel k = base + k; with a mask, pixels whose k is in
  // `transparent` are transparent.
  void makePlane(int w, int h, uint16_t base, bool withMask = false) {
    ASSERT_EQ(QZCreatePlane(2, w, h, withMask), 0);
    uint16_t* bits = QZPlaneImageBits(QZGetPlane(2, false));
    for (int k = 0; k < w * h; ++k) bits[k] = static_cast<uint16_t>(base + k);
  }
};

TEST_F(BlitTest, TurningTruncatesTowardZero) {
  makePlane(4, 4, 0x100);
  // A quarter turn: source column = (Y - cy) * 256 / 256 + 2, row = -(X - cx) + 2.
  ASSERT_EQ(QZDrawPlaneRotated(QZGetPlane(2, false), 10, 10, 256, 0, 256, 0), 0);
  EXPECT_EQ(pixelAt(10, 10), 0x100 + 2 * 4 + 2);
  EXPECT_EQ(pixelAt(11, 10), 0x100 + 1 * 4 + 2);
  EXPECT_EQ(pixelAt(10, 11), 0x100 + 2 * 4 + 3);
  // Off the top-left corner: numerators between -256 and 0 truncate to source 0.
  QZLLFill16BPP(0, 0, 64, 48, 0, 0, 256);
  const int sine = QZSineTable[8].sine, cosine = -QZSineTable[8].negCosine;
  QZDrawPlaneRotated(QZGetPlane(2, false), 1, 1, sine, cosine, 256, 0);
  int64_t u = (0 - 1) * cosine + (0 - 1) * sine + 2 * 256, v = (0 - 1) * cosine - (0 - 1) * sine + 2 * 256;
  EXPECT_EQ(pixelAt(0, 0), 0x100 + (v / 256) * 4 + u / 256);
  EXPECT_EQ(QZDrawPlaneRotated(nullptr, 0, 0, 0, 256, 256, 0), -3);
  EXPECT_EQ(QZDrawPlaneRotatedById(9, 0, 0, 0, 256, false), -3);
}

TEST_F(BlitTest, TurnedPlaneLevelsAndMask) {
  makePlane(2, 2, 0xF800, true);
  uint16_t* mask = QZPlaneMaskBits(QZGetPlane(2, false));
  mask[0] = 0xFFFF;
  QZLLFill16BPP(0, 0, 64, 48, 0x001F, 0, 256);
  QZDrawPlaneRotatedById(2, 20, 20, 0, 128, false);  // with a mask: drawn pixels blend
  EXPECT_EQ(pixelAt(19, 19), 0x001F);                // mask 0xFFFF: left alone
  EXPECT_EQ(pixelAt(20, 19), QZBlendPixel(0x001F, QZSplit(0xF801), 16));
  QZDrawPlaneRotatedById(2 | 0x4000, 30, 20, 0, 256, false);  // mask ignored: all copied
  EXPECT_EQ(pixelAt(29, 19), 0xF800);
  QZDrawPlaneRotatedById(2, 40, 20, 0, 256, true);  // additive, red saturates
  EXPECT_EQ(pixelAt(40, 20), static_cast<uint16_t>(0xF81F));
  const int16_t records[] = {2, 5, 5, 0, 9, 5, 5, 0, 2, 50, 5, 300};
  EXPECT_EQ(QZDrawPlanesRotated(3, records, 1, 1), 0);
  EXPECT_EQ(pixelAt(6, 6), 0xF803);
}

TEST_F(BlitTest, ScaledPlanes) {
  makePlane(4, 2, 0x200);
  QZDrawPlaneScaled(2, 10, 10, 4096);  // box 8 x 4 at (6, 8)
  EXPECT_EQ(pixelAt(6, 8), 0x200);
  EXPECT_EQ(pixelAt(7, 8), 0x200);
  EXPECT_EQ(pixelAt(8, 9), 0x205);  // source row (9 - 10) * 2048 / 4096 + 1 truncates to 1
  EXPECT_EQ(pixelAt(13, 11), 0x207);
  EXPECT_EQ(pixelAt(14, 11), 0);
  EXPECT_EQ(QZDrawPlaneScaled(2, 10, 10, 0), 0);
  QZDrawPlaneScaled(2, 0, 0, 4096);  // cut at the top-left corner
  EXPECT_EQ(pixelAt(0, 0), 0x206);
  EXPECT_EQ(QZDrawPlaneScaled(9, 0, 0, 2048), -3);
  QZLLFill16BPP(0, 0, 64, 48, 0, 0, 256);
  QZDrawPlaneRotatedScaled(2, 20, 20, 0, 64);  // twice the size, unturned
  EXPECT_EQ(pixelAt(16, 18), 0x200);
  EXPECT_EQ(pixelAt(23, 21), 0x207);
}

TEST_F(BlitTest, PaletteAndTintedCopies) {
  makePlane(4, 2, 0);
  auto* bytes = reinterpret_cast<uint8_t*>(QZPlaneImageBits(QZGetPlane(2, false)));
  for (int k = 0; k < 16; ++k) bytes[k] = static_cast<uint8_t>(k % 3);
  const uint16_t palette[3] = {0x1111, 0x2222, 0x3333};
  EXPECT_EQ(QZSpriteDrawPalette(QZGetPlane(2, false), QZGetDrawPlane(), 0, 0, 4, 2, 1, 1, palette), 0);
  EXPECT_EQ(pixelAt(1, 1), 0x1111);
  EXPECT_EQ(pixelAt(2, 1), 0x2222);
  EXPECT_EQ(pixelAt(1, 2), 0x3333);  // row 1 starts at byte 8 (rows of 2 x pitch bytes)
  makePlane(2, 1, 0x8410);  // mid grey
  const QZRect all{0, 0, 2, 1};
  QZSpriteDrawTinted(QZGetPlane(2, false), QZGetDrawPlane(), &all, 30, 30, 200, -200, 8);
  EXPECT_EQ(pixelAt(30, 30), static_cast<uint16_t>((31 << 11) | (0 << 5) | (17)));
  EXPECT_EQ(QZSpriteDrawTinted(nullptr, QZGetDrawPlane(), &all, 0, 0, 0, 0, 0), -3);
}

TEST_F(BlitTest, ShadowPlaneCoversTheOpaqueArea) {
  QZLLFill16BPP(0, 0, 64, 48, 0xFFFF, 0, 256);
  ASSERT_EQ(QZCreateShadowPlane(4, 10, 10, 8, 6, 4, 0xFFFFFF, 20, 80), 0);
  const QZPlane* shadow = QZGetPlane(4, false);
  ASSERT_NE(shadow, nullptr);
  EXPECT_EQ(shadow->width, 16);
  EXPECT_EQ(shadow->height, 14);
  const uint16_t* pixels = QZPlaneImageBits(shadow);
  EXPECT_EQ(QZPlaneMaskBits(shadow)[7 * 16 + 8], 0);
  EXPECT_GT(pixels[7 * 16 + 8] >> 11, pixels[0] >> 11);  // denser in the middle than at the corner
  EXPECT_LE(pixels[7 * 16 + 8] >> 11, 31 * 80 / 100 + 1);
  // An area with no opaque pixel casts no shadow.
  ASSERT_EQ(QZCreatePlane(5, 8, 8, true), 0);
  QZDrawToPlane(5);
  QZClearPlane16BPP(0xFFFF, 1);
  ASSERT_EQ(QZCreateShadowPlane(6, 0, 0, 8, 8, 2, 0xFFFFFF, 0, 100), 0);
  EXPECT_EQ(QZPlaneMaskBits(QZGetPlane(6, false))[5], 0xFFFF);
}

}  // namespace
