#include <gtest/gtest.h>

#include "graphics_fixture.h"
#include "qz_blit.h"
#include "qz_fill.h"
#include "qz_pipe.h"
#include "qz_sine.h"

namespace {

class PipeTest : public GraphicsTest {
 protected:
  // Plane 3: 6 x 4, pixel k = 0x300 + k.
  void makePlane() {
    ASSERT_EQ(QZCreatePlane(3, 6, 4, false), 0);
    uint16_t* bits = QZPlaneImageBits(QZGetPlane(3, false));
    for (int k = 0; k < 24; ++k) bits[k] = static_cast<uint16_t>(0x300 + k);
  }
};

TEST(SineTable, ExactAtQuarterTurnsAndTruncated) {
  EXPECT_EQ(QZSineTable[0].sine, 0);
  EXPECT_EQ(QZSineTable[0].negCosine, -256);
  EXPECT_EQ(QZSineTable[64].sine, 256);
  EXPECT_EQ(QZSineTable[64].negCosine, 0);
  EXPECT_EQ(QZSineTable[128].sine, 0);
  EXPECT_EQ(QZSineTable[128].negCosine, 256);
  EXPECT_EQ(QZSineTable[192].sine, -256);
  EXPECT_EQ(QZSineTable[32].sine, 181);  // 181.02 truncated
  EXPECT_EQ(QZSineTable[160].sine, -181);
}

TEST_F(PipeTest, FillsAreCutToTheDrawingPlane) {
  QZGraphicsPipe pipe(256);
  EXPECT_EQ(pipe.fillRect(0x1111, -3, -3, 5, 5, 0, 256), 0);
  EXPECT_EQ(pipe.fillRect(0x2222, 60, 40, 100, 100, 0, 256), 0);
  EXPECT_EQ(pipe.fillGradient(0x0000, 0xFFFF, 10, 10, 2, 2, 0, 256), 0);
  EXPECT_EQ(pipe.fillRect(0x3333, 0, 0, 64, 48, 0, 0), 0);  // level 0: never queued
  EXPECT_EQ(pipe.bytesFree(), 256u - 24 - 24 - 28);
  pipe.flush();
  EXPECT_EQ(pipe.bytesFree(), 256u);
  EXPECT_EQ(pixelAt(0, 0), 0x1111);
  EXPECT_EQ(pixelAt(1, 1), 0x1111);
  EXPECT_EQ(pixelAt(2, 2), 0);
  EXPECT_EQ(pixelAt(63, 47), 0x2222);
  EXPECT_EQ(pixelAt(10, 10), 0);
  EXPECT_EQ(pixelAt(10, 11), QZGradientColour(0, 0xFFFF, 1, 2));
}

TEST_F(PipeTest, UnturnedOpaquePlaneIsASpriteCopy) {
  makePlane();
  QZGraphicsPipe pipe(256);
  EXPECT_EQ(pipe.drawPlaneRotated(3, 20, 20, 0, 256, 0), 0);
  EXPECT_EQ(pipe.drawPlaneRotated(3, 20, 20, 0, 256, 256), 0);  // angle out of range
  EXPECT_EQ(pipe.drawPlaneRotated(9, 20, 20, 0, 256, 0), 0);    // no such plane
  EXPECT_EQ(pipe.bytesFree(), 256u - 28);
  pipe.flush();
  for (int k = 0; k < 24; ++k) EXPECT_EQ(pixelAt(17 + k % 6, 18 + k / 6), 0x300 + k);
  EXPECT_EQ(pixelAt(16, 18), 0);
}

TEST_F(PipeTest, TurnedPlaneByHalfATurn) {
  makePlane();
  QZGraphicsPipe pipe(256);
  pipe.drawPlaneRotated(3, 20, 20, 0, 256, 128);
  pipe.flush();
  // Half a turn: destination (20 + i, 20 + j) shows source (3 - i, 2 - j) where inside.
  EXPECT_EQ(pixelAt(20, 20), 0x300 + 2 * 6 + 3);
  EXPECT_EQ(pixelAt(21, 20), 0x300 + 2 * 6 + 2);
  EXPECT_EQ(pixelAt(20, 21), 0x300 + 1 * 6 + 3);
}

TEST_F(PipeTest, AutoFlushRunsEarlierCommandsFirst) {
  QZGraphicsPipe pipe(50);
  pipe.fillRect(0x1111, 0, 0, 1, 1, 0, 256);
  pipe.fillRect(0x2222, 0, 0, 1, 1, 0, 256);
  EXPECT_EQ(pixelAt(0, 0), 0);
  pipe.fillRect(0x3333, 1, 0, 1, 1, 0, 256);  // no room: the first two run now
  EXPECT_EQ(pixelAt(0, 0), 0x2222);
  EXPECT_EQ(pixelAt(1, 0), 0);
  pipe.flush();
  EXPECT_EQ(pixelAt(1, 0), 0x3333);
  pipe.setAutoFlush(false);
  pipe.fillRect(0x4444, 0, 0, 1, 1, 0, 256);
  pipe.fillRect(0x4444, 0, 0, 1, 1, 0, 256);
  EXPECT_EQ(pipe.fillRect(0x5555, 0, 0, 1, 1, 0, 256), -2);
  EXPECT_EQ(pipe.bytesFree(), 2u);
}

TEST_F(PipeTest, ReleasedPlanesAndSetsAreSkippedAtFlush) {
  makePlane();
  loadBlobs(2, {makeBlob(12, 2, 2, 0x777)});
  QZGraphicsPipe pipe(512);
  pipe.copyPlane(3, 0, 0, 0, 0, 6, 4, 256);
  pipe.drawBlobEntry(QZGetBlobEntry(12), 30, 30, 0, 256);
  pipe.drawBlob(12, 33, 30, 0, 256);
  QZDeletePlane(3);
  QZUnloadBlobSet(2);
  pipe.flush();
  EXPECT_EQ(pixelAt(0, 0), 0);
  EXPECT_EQ(pixelAt(30, 30), 0);
  EXPECT_EQ(pixelAt(33, 30), 0);
  // Drawn while loaded.
  loadBlobs(2, {makeBlob(12, 2, 2, 0x777)});
  pipe.drawBlobEntry(QZGetBlobEntry(12), 30, 30, kQZBlobFlipHorizontal, 256);
  pipe.flush();
  EXPECT_EQ(pixelAt(30, 30), 0x778);
}

}  // namespace
