#include <gtest/gtest.h>

#include <vector>

#include "graphics_fixture.h"
#include "qz_fill.h"
#include "qz_screen.h"

namespace {

QZDisplay fullScreen(int w, int h) { return QZDisplay{w, h, 16, true, false, 0, h, h, false}; }

class ScreenTest : public GraphicsTest {
 protected:
  void useDisplay(const QZDisplay& d, std::vector<int> listed = {}) {
    QZScreenEnvironment env;
    env.display = [d] { return d; };
    env.modeListed = [listed](int id) { return std::find(listed.begin(), listed.end(), id) != listed.end(); };
    QZSetScreenEnvironment(env);
  }
};

TEST_F(ScreenTest, LayoutScalesAndCentres) {
  struct Case {
    const char* name;
    QZDisplay display;
    int logicalW, logicalH;
    bool scaling;
    int scale, destW, destH, offsetX, offsetY;
  };
  const Case cases[] = {
      {"exact fit", fullScreen(240, 320), 240, 320, false, 2048, 240, 320, 0, 0},
      {"shorter usable area", fullScreen(240, 294), 240, 320, true, 1881, 220, 293, -10, 0},
      {"double size", fullScreen(480, 640), 240, 320, true, 4096, 480, 640, 0, 0},
      {"176x220 on 176x180", fullScreen(176, 180), 176, 220, true, 1675, 143, 179, -16, 0},
      {"ratio 2457 stays unscaled and centred", fullScreen(240, 320), 200, 320, false, 2048, 200, 320, -20, 0},
      {"menu bars without input panel answer", QZDisplay{240, 320, 16, false, false, 0, 0, 0, false}, 240, 268,
       false, 2048, 240, 268, 0, 0},
  };
  for (const Case& c : cases) {
    useDisplay(c.display);
    ASSERT_EQ(QZSetScreenMode(16, c.logicalW, c.logicalH), 0) << c.name;
    const QZScreenLayout& l = QZGetScreenLayout();
    EXPECT_EQ(l.scaling, c.scaling) << c.name;
    EXPECT_EQ(l.scale, c.scale) << c.name;
    EXPECT_EQ(l.destination.w, c.destW) << c.name;
    EXPECT_EQ(l.destination.h, c.destH) << c.name;
    EXPECT_EQ(l.offsetX, c.offsetX) << c.name;
    EXPECT_EQ(l.offsetY, c.offsetY) << c.name;
  }
  // The 176 x 220 case's borders: sides fill the rest, one-pixel strips top and bottom.
  useDisplay(fullScreen(176, 180));
  QZSetScreenMode(16, 176, 220);
  const QZScreenLayout& l = QZGetScreenLayout();
  EXPECT_EQ(l.borders[0], (QZRect{0, 0, 17, 181}));
  EXPECT_EQ(l.borders[1], (QZRect{158, 0, 18, 181}));
  EXPECT_EQ(l.borders[2], (QZRect{0, 0, 176, 2}));
  EXPECT_EQ(l.borders[3], (QZRect{0, 179, 176, 2}));
  EXPECT_EQ(QZSetScreenMode(32, 176, 220), -17);
  EXPECT_EQ(QZSetDefaultScreenMode(16), 0);
  EXPECT_EQ(QZGetScreenWidth(), 160);
  EXPECT_EQ(QZIsLandscape(), 0);
}

TEST_F(ScreenTest, ChoosingAGraphicsMode) {
  const QZGraphicsMode table[] = {
      {1, 16, 176, 220, 0}, {2, 16, 240, 320, 0}, {3, 16, 480, 640, 0}, {4, 16, 240, 320, -1}, {5, 32, 240, 320, 0},
  };
  int16_t mode = 0, index = 0, supported = 0, listed = 0;
  useDisplay(fullScreen(240, 320), {1, 2, 3});
  EXPECT_EQ(QZChooseGraphicsMode(5, table, &mode, &index, &supported, &listed), 0);
  EXPECT_EQ(mode, 2);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(supported, 2);  // entries are read from the last: 5 is 32-bit, 4 is for another device
  EXPECT_EQ(listed, 2);
  useDisplay(fullScreen(480, 640), {1, 2, 3});
  EXPECT_EQ(QZChooseGraphicsMode(5, table, &mode, &index, &supported, &listed), 0);
  EXPECT_EQ(mode, 3);
  useDisplay(fullScreen(480, 640), {1, 2});  // nearest scale wins: 240 x 320 doubled
  EXPECT_EQ(QZChooseGraphicsMode(5, table, &mode, &index, &supported, &listed), 0);
  EXPECT_EQ(mode, 2);
  useDisplay(fullScreen(240, 320), {});
  EXPECT_EQ(QZChooseGraphicsMode(5, table, &mode, &index, &supported, &listed), -17);
  EXPECT_EQ(mode, 99);
  EXPECT_EQ(listed, 99);
}


TEST_F(ScreenTest, ScaledUpdateOfARectangle) {
  useDisplay(fullScreen(480, 640));
  ASSERT_EQ(QZSetScreenMode(16, 240, 320), 0);
  ASSERT_EQ(QZCreateScreenPlane(240, 320), 0);
  for (int y = 0; y < 320; ++y) QZLLFill16BPP(0, y, 240, y + 1, static_cast<uint16_t>(y), 0, 256);
  QZLLFill16BPP(10, 0, 11, 320, 0xFFFF, 0, 256);
  CaptureOutput capture(480, 640, 0xDEAD);
  QZSetScreenOutput(&capture);
  EXPECT_EQ(QZUpdateScreenRect(10, 20, 3, 2), 0);
  EXPECT_EQ(capture.blits, 1);
  EXPECT_EQ(capture.pixels[40 * 480 + 20], 0xFFFF);
  EXPECT_EQ(capture.pixels[41 * 480 + 21], 0xFFFF);
  EXPECT_EQ(capture.pixels[43 * 480 + 25], 21);
  EXPECT_EQ(capture.pixels[44 * 480 + 25], 0xDEAD);  // outside the rectangle's scaled part
  EXPECT_EQ(capture.pixels[40 * 480 + 26], 0xDEAD);
  QZUpdateScreen(nullptr);
  EXPECT_EQ(capture.pixels[639 * 480 + 479], 319);
}

TEST_F(ScreenTest, UnscaledUpdateIsCentred) {
  useDisplay(fullScreen(240, 320));
  ASSERT_EQ(QZSetScreenMode(16, 200, 320), 0);
  ASSERT_EQ(QZCreateScreenPlane(200, 320), 0);
  QZLLFill16BPP(0, 0, 200, 320, 0x1234, 0, 256);
  CaptureOutput capture(240, 320, 0xDEAD);
  QZSetScreenOutput(&capture);
  QZDrawBorders();
  QZUpdateScreen(nullptr);
  EXPECT_EQ(capture.pixels[20], 0x1234);
  EXPECT_EQ(capture.pixels[19], 0);  // border colour: colour-table entry 0, black
  EXPECT_EQ(capture.pixels[220], 0);
  QZLLFill16BPP(5, 5, 6, 6, 0x4321, 0, 256);
  QZUpdateScreenRect(5, 5, 1, 1);
  EXPECT_EQ(capture.pixels[5 * 240 + 25], 0x4321);
}

TEST_F(ScreenTest, RotatedCopies) {
  useDisplay(fullScreen(64, 48));
  ASSERT_EQ(QZSetScreenMode(16, 64, 48), 0);
  ASSERT_EQ(QZCreatePlane(1, 64, 48, false), 0);
  QZLLFill16BPP(0, 0, 2, 1, 0x0F0F, 0, 256);
  QZCopyPlaneRotated(QZGetScreenPlane(), QZGetPlane(1, false), &QZGetScreenLayout().logical);
  const uint16_t* turned = QZPlaneImageBits(QZGetPlane(1, false));
  EXPECT_EQ(turned[47 * 64 + 63], 0x0F0F);
  EXPECT_EQ(turned[47 * 64 + 62], 0x0F0F);
  EXPECT_EQ(turned[47 * 64 + 61], 0);
  CaptureOutput capture(64, 48);
  QZSetScreenOutput(&capture);
  const QZRect corner{0, 0, 2, 1};
  EXPECT_EQ(QZUpdateScreenRotated(&corner, 1), 0);
  EXPECT_EQ(capture.pixels[0], 0x0F0F);
  EXPECT_EQ(capture.pixels[1], 0x0F0F);
  EXPECT_EQ(QZUpdateScreenRotated(&corner, 9), -3);
}

}  // namespace

namespace {

TEST_F(ScreenTest, TheDeviceDisplayWithAndWithoutFullScreen) {
  const QZDisplay full = QZQueryDisplay(true);
  EXPECT_EQ(full.width, 240);
  EXPECT_EQ(full.height, 320);
  useDisplay(full);
  QZSetScreenMode(16, 240, 320);
  EXPECT_EQ(QZGetWindowHeight(), 320);
  const QZDisplay windowed = QZQueryDisplay(false);
  ASSERT_TRUE(windowed.sipKnown);
  useDisplay(windowed);
  QZSetScreenMode(16, 240, 320);
  // Usable height: the visible desktop, less the menu bar when the panel starts elsewhere.
  const int expected = windowed.visibleBottom - windowed.visibleTop - (windowed.sipTop != windowed.visibleBottom ? 26 : 0);
  EXPECT_EQ(QZGetWindowHeight(), expected);
  EXPECT_LT(QZGetWindowHeight(), 320);
  EXPECT_TRUE(QZGetScreenLayout().scaling);
}

}  // namespace
