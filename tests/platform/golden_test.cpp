// Pictures drawn through the whole drawing path, compared pixel for pixel
// with small PNG files checked by eye once.
#include <gtest/gtest.h>

#include <cmath>

#include "graphics_fixture.h"
#include "imgpack_pln.h"
#include "qz_blit.h"
#include "qz_colour.h"
#include "qz_fill.h"
#include "qz_font.h"
#include "qz_pipe.h"
#include "qz_pln.h"

namespace {

constexpr uint16_t rgb(int r, int g, int b) { return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)); }

// A 14 x 18 card: rounded transparent corners, a red top-left mark and a
// blue diagonal, so that flips and clipping show.
imgpack::BlobImage card(int16_t id) {
  imgpack::BlobImage b;
  b.id = id;
  b.width = 14;
  b.height = 18;
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 14; ++x) {
      const bool corner = (x == 0 || x == 13) && (y == 0 || y == 17);
      uint16_t c = rgb(240, 240, 230);
      if (x == 0 || x == 13 || y == 0 || y == 17) c = rgb(40, 40, 40);
      if (x >= 2 && x <= 4 && y >= 2 && y <= 5) c = rgb(220, 20, 20);
      if (x > 1 && x < 12 && y > 6 && std::abs((y - 7) - (x - 2)) < 1) c = rgb(20, 40, 220);
      b.pixels.push_back(c);
      b.opaque.push_back(corner ? 0 : 1);
    }
  }
  return b;
}

// A round blob with a soft colour ramp, for levels and additive drawing.
imgpack::BlobImage disc(int16_t id) {
  imgpack::BlobImage b;
  b.id = id;
  b.width = b.height = 16;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const double d = std::hypot(x - 7.5, y - 7.5);
      b.pixels.push_back(rgb(255 - x * 12, 80 + y * 10, 120));
      b.opaque.push_back(d < 7.6 ? 1 : 0);
    }
  }
  return b;
}

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
  ASSERT_EQ(QZCreateScreenPlane(240, 320), 0);
  imgpack::Image felt;
  felt.width = 240;
  felt.height = 320;
  for (int y = 0; y < 320; ++y) {
    for (int x = 0; x < 240; ++x) felt.pixels.push_back(((x / 4 + y / 4) % 2) ? rgb(20, 100, 50) : rgb(24, 110, 56));
  }
  std::vector<uint8_t> pln;
  std::string error;
  ASSERT_TRUE(imgpack::buildPlnPalette(felt, &pln, &error)) << error;
  addResource(QZFourCC('a', 'P', 'L', 'N'), 1, pln);
  ASSERT_EQ(QZLoadPlane(1), 0);
  loadBlobs(1, {card(100), disc(101)}, imgpack::BlobStorage::PalettePacked);
  ASSERT_EQ(QZStartFont(), 0);

  QZDrawPlane(1);
  for (int i = 0; i < 7; ++i) QZDrawBlob(100, 12 + i * 31, 40 + i * 6, i % 2 ? kQZBlobFlipVertical : 0, 256);
  QZDrawBlob(101, 112, 200, kQZBlobAdditive, 256);
  QZSetFont(1);
  QZDrawText(u"Solitaire", 120, 10, 1, QZRGBToIndex(255, 255, 255));
  QZRestoreFont();
  QZSetFont(0);
  QZDrawText(u"Deal 42", 8, 290, 0, QZRGBToIndex(255, 255, 0));
  QZDrawText(u"0:00", 232, 290, 2, QZRGBToIndex(255, 255, 255));
  QZRestoreFont();
  QZDrawLine(8, 286, 232, 286, rgb(255, 255, 255));
  CaptureOutput window(240, 320);
  QZSetScreenOutput(&window);
  QZUpdateScreen(nullptr);
  QZStopFont();
  expectGolden("program_screen", window.pixels, 240, 320);
}

}  // namespace
