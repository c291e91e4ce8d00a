// Pictures drawn through the whole drawing path, compared pixel for pixel
// with small PNG files checked by eye once.
#include <gtest/gtest.h>

#include "golden_scene.h"
#include "graphics_fixture.h"
#include "qz_blit.h"
#include "qz_fill.h"
#include "qz_pipe.h"

namespace {

using golden::card;
using golden::disc;
using golden::rgb;

class GoldenTest : public GraphicsTest {
 protected:
  int screenWidth() const override { return 96; }
  int screenHeight() const override { return 64; }
  void background() { QZFillGradient16BPP(0, 0, 96, 64, rgb(30, 90, 40), rgb(10, 40, 20), 0, 256); }
};

TEST_F(GoldenTest, BlobsWithMasksFlipsClippingLevelsAndAdditive) {
  loadBlobs(1, {card(100), disc(101)});
  background();
  QZDrawBlob(100, 2, 2, 0, 256);
  QZDrawBlob(100, 18, 2, kQZBlobFlipHorizontal, 256);
  QZDrawBlob(100, 34, 2, kQZBlobFlipVertical, 256);
  QZDrawBlob(100, 50, 2, kQZBlobFlipVertical | kQZBlobFlipHorizontal, 256);
  QZDrawBlob(100, -5, 30, kQZBlobFlipHorizontal, 256);  // clipped at the left edge
  QZDrawBlob(100, 89, 50, 0, 256);                      // clipped at the right and bottom
  QZClipBlobsToRectangle(66, 2, 10, 12);
  QZDrawBlob(100, 70, 2, 0, 256);  // clipped to a rectangle
  QZClipBlobsToPlane();
  QZDrawBlob(101, 12, 24, 0, 64);
  QZDrawBlob(101, 28, 24, 0, 128);
  QZDrawBlob(101, 44, 24, 0, 255);
  QZDrawBlob(101, 60, 24, kQZBlobAdditive, 128);
  QZDrawBlob(101, 76, 24, kQZBlobAdditive, 256);
  QZDrawBlob(101, 36, 44, kQZBlobAdditive, 256);
  QZDrawBlob(101, 44, 46, kQZBlobAdditive, 256);  // overlapping adds saturate
  expectGolden("blobs", drawPixels(), 96, 64);
}

TEST_F(GoldenTest, FillsAndGradients) {
  QZLLFill16BPP(0, 0, 96, 64, rgb(200, 200, 200), 0, 256);
  QZFillGradient16BPP(4, 4, 44, 60, rgb(255, 0, 0), rgb(0, 0, 255), 0, 256);
  QZFillGradient16BPP(50, 4, 92, 30, rgb(255, 255, 0), rgb(0, 128, 0), 0, 128);
  QZLLFill16BPP(24, 20, 70, 40, rgb(0, 0, 0), 0, 96);
  QZLLFill16BPP(60, 34, 92, 60, rgb(40, 80, 200), kQZFlagAdditive, 256);
  QZFillGradient16BPP(30, 46, 80, 62, rgb(60, 60, 60), rgb(255, 255, 255), kQZFlagAdditive, 128);
  expectGolden("gradients", drawPixels(), 96, 64);
}

TEST_F(GoldenTest, ScaledAndTurnedPlanes) {
  ASSERT_EQ(QZCreatePlane(2, 20, 12, true), 0);
  QZDrawToPlane(2);
  QZFillGradient16BPP(0, 0, 20, 12, rgb(250, 200, 40), rgb(200, 40, 40), 0, 256);
  QZLLFill16BPP(2, 2, 6, 6, rgb(20, 20, 160), 0, 256);
  QZClearPlane16BPP(0, 1);
  uint16_t* mask = QZPlaneMaskBits(QZGetPlane(2, false));
  for (int x = 0; x < 20; ++x) mask[x] = mask[11 * 20 + x] = (x % 3 == 0) ? 0xFFFF : 0;
  QZDrawToScreen();
  background();
  QZDrawPlaneScaled(2, 14, 14, 2048);
  QZDrawPlaneScaled(2, 46, 14, 3072);
  QZDrawPlaneScaled(2 | 0x4000, 80, 12, 1024);
  QZDrawPlaneRotatedById(2, 14, 44, 32, 256, false);
  QZDrawPlaneRotatedById(2, 40, 44, 96, 128, false);
  QZDrawPlaneRotatedById(2, 62, 44, 200, 256, true);
  QZDrawPlaneRotatedScaled(2, 84, 44, 16, 48);
  QZGraphicsPipe pipe(512);
  pipe.drawPlaneRotated(2, 84, 56, 0, 256, 128);
  pipe.flush();
  expectGolden("planes", drawPixels(), 96, 64);
}


TEST_F(GoldenTest, ScaledScreenUpdateWithBorders) {
  QZScreenEnvironment env;
  env.display = [] { return QZDisplay{96, 64, 16, true, false, 0, 64, 64, false}; };
  QZSetScreenEnvironment(env);
  QZSetGraphicsConfig(QZGraphicsConfig{32, 1400, 130, QZRGBToIndex(0, 0, 102)});
  ASSERT_EQ(QZSetScreenMode(16, 40, 36), 0);
  ASSERT_EQ(QZCreateScreenPlane(40, 36), 0);
  loadBlobs(1, {card(100)});
  QZFillGradient16BPP(0, 0, 40, 36, rgb(30, 90, 40), rgb(10, 40, 20), 0, 256);
  QZDrawBlob(100, 4, 4, 0, 256);
  QZDrawBlob(100, 22, 14, kQZBlobFlipHorizontal, 256);
  CaptureOutput window(96, 64);
  QZSetScreenOutput(&window);
  QZDrawBorders();
  QZUpdateScreen(nullptr);
  expectGolden("screen_update", window.pixels, 96, 64);
}

class ProgramScreenTest : public GraphicsTest {
 protected:
  int screenWidth() const override { return 240; }
  int screenHeight() const override { return 320; }
};

// What the program's first screen is made of: a PLN background, a row of
// blob cards and system-font text, copied to the window.
TEST_F(ProgramScreenTest, BlobsPlnBackgroundAndSystemText) {
  QZScreenEnvironment env;
  env.display = [] { return QZDisplay{240, 320, 16, true, false, 0, 320, 320, false}; };
  QZSetScreenEnvironment(env);
  ASSERT_EQ(QZSetScreenMode(16, 240, 320), 0);
  for (auto& [key, bytes] : golden::programResources()) addResource(key.first, key.second, bytes);
  ASSERT_TRUE(golden::drawProgramScreen());
  CaptureOutput window(240, 320);
  QZSetScreenOutput(&window);
  QZUpdateScreen(nullptr);
  QZStopFont();
  expectGolden("program_screen", window.pixels, 240, 320);
}

}  // namespace
