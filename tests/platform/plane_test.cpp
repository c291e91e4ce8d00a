#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "graphics_fixture.h"
#include "qz_fill.h"
#include "qz_font.h"
#include "qz_resource_manager.h"

namespace {

class PlaneTest : public GraphicsTest {
 protected:
  // Plane 2: 10 x 4, pixel (x, y) = 0x100 * y + x.
  void makeSprite(bool withMask) {
    ASSERT_EQ(QZCreatePlane(2, 10, 4, withMask), 0);
    uint16_t* bits = QZPlaneImageBits(QZGetPlane(2, false));
    for (int k = 0; k < 40; ++k) bits[k] = static_cast<uint16_t>(0x100 * (k / 10) + k % 10);
    QZLLFill16BPP(0, 0, 64, 48, 0xAAAA, 0, 256);
  }
};

TEST_F(PlaneTest, IdsNameTableIndexes) {
  ASSERT_EQ(QZCreatePlane(5, 4, 4, false), 0);
  EXPECT_EQ(QZGetPlane(2005, false), QZGetPlane(5, false));
  EXPECT_EQ(QZGetPlane(0x4000 | 2005, false), QZGetPlane(5, false));
  EXPECT_EQ(QZGetPlane(2032, true), nullptr);
  EXPECT_EQ(QZGetPlane(6, false), nullptr);
  EXPECT_NE(QZGetPlane(6, true), nullptr);
  EXPECT_EQ(QZCreatePlane(40, 4, 4, false), -3);
  EXPECT_EQ(QZCreatePlane(6, 0, 4, false), -2);
  EXPECT_EQ(QZDeletePlane(6), -3);
  EXPECT_EQ(QZGetPlane(5, false)->pitch, 4);
  // Re-creating frees the old bitmaps; deleting the drawing plane falls back to the screen.
  ASSERT_EQ(QZDrawToPlane(5), 0);
  ASSERT_EQ(QZCreatePlane(5, 3, 3, true), 0);
  EXPECT_EQ(QZGetDrawPlane(), QZGetScreenPlane());
  ASSERT_EQ(QZDrawToPlane(5), 0);
  EXPECT_EQ(QZDeletePlane(5), 0);
  EXPECT_EQ(QZGetDrawPlane(), QZGetScreenPlane());
  EXPECT_EQ(QZDrawToPlane(5), -3);
}

TEST_F(PlaneTest, SpriteDrawClipsAgainstBothPlanes) {
  makeSprite(false);
  ASSERT_EQ(QZSpriteDraw(QZGetPlane(2, false), 0, 0, -4, 0, 10, 1), 0);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(pixelAt(x, 0), 4 + x);
  EXPECT_EQ(pixelAt(6, 0), 0xAAAA);
  // Source rectangle running past the source plane's bottom and right edges.
  QZSpriteDrawPlane(2, 8, 2, 30, 30, 5, 5);
  EXPECT_EQ(pixelAt(30, 30), 0x208);
  EXPECT_EQ(pixelAt(31, 31), 0x309);
  EXPECT_EQ(pixelAt(32, 30), 0xAAAA);
  EXPECT_EQ(pixelAt(30, 32), 0xAAAA);
  EXPECT_EQ(QZSpriteDraw(nullptr, 0, 0, 0, 0, 1, 1), -3);
  EXPECT_EQ(QZDrawPlane(9), -3);
}

TEST_F(PlaneTest, SpriteClipRectangle) {
  makeSprite(false);
  QZSpriteClip& clip = QZGetSpriteClip();
  clip = {true, {10, 10, 5, 5}};
  EXPECT_EQ(QZSpriteDraw(QZGetPlane(2, false), 0, 0, 16, 10, 10, 4), 0);  // wholly right of the clip
  EXPECT_EQ(pixelAt(16, 10), 0xAAAA);
  QZSpriteDraw(QZGetPlane(2, false), 0, 0, 8, 9, 10, 4);
  EXPECT_EQ(pixelAt(10, 10), 0x102);
  EXPECT_EQ(pixelAt(14, 12), 0x306);
  EXPECT_EQ(pixelAt(15, 10), 0xAAAA);
  EXPECT_EQ(pixelAt(9, 10), 0xAAAA);
  clip.on = false;
}

TEST_F(PlaneTest, MaskedSpriteKeepsTheDestination) {
  makeSprite(true);
  uint16_t* mask = QZPlaneMaskBits(QZGetPlane(2, false));
  for (int k = 0; k < 40; ++k) mask[k] = (k % 2) ? 0xFFFF : 0;
  const int16_t records[] = {2, 0, 0, 4, 1, 5, 5, 9, 0, 0, 1, 1, 0, 0};
  QZSpriteDrawPlanes(2, records);
  EXPECT_EQ(pixelAt(5, 5), 0x000);
  EXPECT_EQ(pixelAt(6, 5), 0xAAAA);
  EXPECT_EQ(pixelAt(7, 5), 0x002);
}

TEST_F(PlaneTest, ClipCopyReportsWhatIsLeft) {
  makeSprite(false);
  const QZPlane* source = QZGetPlane(2, false);
  const QZPlane* dest = QZGetDrawPlane();
  int sx = 0, sy = 0, dx = -10, dy = 0, w = 10, h = 4;
  EXPECT_EQ(QZClipCopy(source, dest, &sx, &sy, &dx, &dy, &w, &h), 0);  // dx + w == 0: nothing left
  sx = 0, sy = 0, dx = 60, dy = 46, w = 10, h = 4;
  EXPECT_EQ(QZClipCopy(source, dest, &sx, &sy, &dx, &dy, &w, &h), 1);
  EXPECT_EQ(w, 4);
  EXPECT_EQ(h, 2);
  sx = -3, sy = 0, dx = 0, dy = 0, w = 10, h = 4;
  EXPECT_EQ(QZClipCopy(source, dest, &sx, &sy, &dx, &dy, &w, &h), 1);
  EXPECT_EQ(dx, 3);
  EXPECT_EQ(w, 7);
}

}  // namespace

namespace {

TEST_F(PlaneTest, PlanesLoadFromProgramBitmapsWithTheirMasks) {
  ASSERT_EQ(QZLoadPlane(2003), 0);
  const QZPlane* p = QZGetPlane(3, false);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->width, 5);
  EXPECT_EQ(p->height, 3);
  const uint16_t* bits = QZPlaneImageBits(p);
  const uint16_t* mask = QZPlaneMaskBits(p);
  ASSERT_NE(bits, nullptr);
  ASSERT_NE(mask, nullptr);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const uint16_t expected = static_cast<uint16_t>((((x * 64) & 0xF8) << 8) | (((y * 80) & 0xFC) << 3) | (((x * y * 40) & 0xF8) >> 3));
      EXPECT_EQ(bits[y * 5 + x], expected) << x << "," << y;
      EXPECT_EQ(mask[y * 5 + x], (x + y) % 2 ? 0xFFFF : 0) << x << "," << y;
    }
  }
  ASSERT_EQ(QZLoadPlane(4), 0);  // no mask bitmap: none
  EXPECT_EQ(QZPlaneMaskBits(QZGetPlane(4, false)), nullptr);
  QZSetBitmapBase(1);  // plane 3 now names bitmap 2004
  QZDeletePlane(3);
  ASSERT_EQ(QZLoadPlane(3), 0);
  EXPECT_EQ(QZPlaneMaskBits(QZGetPlane(3, false)), nullptr);
  QZSetBitmapBase(0);
}

}  // namespace

namespace {

TEST_F(PlaneTest, WithoutAReaderResourcesComeFromTheResourceManager) {
  QZSetGraphicsResourceReader(nullptr);
  CQZResourceManager::instance().reset();
  CQZResourceManager::instance().addSource(std::make_unique<CQZResourceSourceEXE>());
  EXPECT_EQ(QZLoadBlobSet(7, 0), 0);
  EXPECT_EQ(QZDrawBlob(2, 0, 0, 0, 256), 0);
  EXPECT_NE(pixelAt(0, 0), 0);
  EXPECT_EQ(QZLoadBlobSet(8, 0), -5);
  WCHAR text[1024] = {};
  EXPECT_EQ(QZCopyStringToBuffer(text, 7100), 0);
  EXPECT_EQ(std::u16string(text), u"Deal");
  CQZResourceManager::instance().reset();
}

}  // namespace
