// The graphics wrapper: start failures with their report lines, the level
// conversion, call order between queued and immediate drawing, clipping,
// shadow planes, blob and plane queries, background restore and the copy of
// the frame to the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "qz_font.h"
#include "qz_plane.h"
#include "qz_screen.h"
#include "qzf_application.h"
#include "qzf_graphics.h"
#include "qzf_resource.h"
#include "started_graphics_fixture.h"

namespace {

using namespace started_graphics;

constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kGreen = 0x07E0;
constexpr uint16_t kBlue = 0x001F;
constexpr int kWhiteIndex = 215;  // of the colour table

class GraphicsWrapperTest : public StartedGraphicsTest {
 protected:
  // A plane of one colour; with a mask, every pixel opaque.
  static void makePlane(int id, int w, int h, uint16_t colour, bool withMask = false) {
    ASSERT_EQ(QZCreatePlane(id, w, h, withMask), 0);
    const QZPlane* plane = QZGetPlane(id, false);
    std::fill_n(QZPlaneImageBits(plane), static_cast<size_t>(plane->pitch) * h, colour);
    if (withMask) std::fill_n(QZPlaneMaskBits(plane), static_cast<size_t>(plane->pitch) * h, 0);
  }
  static uint16_t planePixel(int id, int x, int y) {
    const QZPlane* plane = QZGetPlane(id, false);
    return QZPlaneImageBits(plane)[static_cast<size_t>(y) * plane->pitch + x];
  }
  struct Pixel {
    int x, y;
    uint16_t colour;
  };
  // Checks pixels of the drawing plane, or of another picture.
  static void expectPixels(const std::vector<Pixel>& want,
                           const std::function<uint16_t(int, int)>& at = GraphicsTest::pixelAt) {
    for (const Pixel& p : want) EXPECT_EQ(at(p.x, p.y), p.colour) << p.x << "," << p.y;
  }
  // A frame's lists for the dirty rectangles given, nothing covered.
  void dirtyFrame(const std::vector<QZRect>& dirty) {
    g_->clearGrid();
    for (const QZRect& r : dirty) g_->invalidateRectangle(r);
    g_->buildUpdateList();
    g_->computeUncovered();
    g_->buildBackgroundList();
  }
};

TEST_F(GraphicsWrapperTest, StartTakesTheModeAndDrawsTheWholeFirstFrame) {
  CQZFGraphics graphics(&app_);
  loadBlobs(3, {makeBlob(40, 6, 4, 0x1000)});
  QZGetSpriteClip() = QZSpriteClip{true, QZRect{1, 2, 3, 4}};
  QZClipBlobsToRectangle(0, 0, 1, 1);
  ASSERT_EQ(graphics.init(&kPortraitTable, false), 0);
  EXPECT_EQ(graphics.getMode(), 'D');
  EXPECT_EQ(graphics.getScreenWidth(), kWidth);
  EXPECT_EQ(graphics.getScreenHeight(), kHeight);
  EXPECT_GE(graphics.getWindowWidth(), kWidth);
  EXPECT_GE(graphics.getWindowHeight(), kHeight);
  EXPECT_TRUE(graphics.grid().isWholeScreen());
  EXPECT_EQ(graphics.grid().getCellWidth(), 12);
  EXPECT_EQ(graphics.grid().getCellHeight(), 16);
  EXPECT_FALSE(QZGetSpriteClip().on);
  graphics.drawBlob(40, 0, 0, 0, 255);
  graphics.flush();
  EXPECT_NE(pixelAt(3, 3), kBackground) << "blobs clipped to the plane only";
  graphics.shutdown();
  EXPECT_EQ(graphics.getMode(), -1);
  EXPECT_TRUE(app_.reports.empty());
}

TEST_F(GraphicsWrapperTest, StartFailuresAreReportedWithTheirLines) {
  const QZGraphicsMode unusable[] = {{'Z', 16, 4000, 4000, 7}};
  const QZFModeTable unusableTable{unusable, 1};
  for (const QZFModeTable* table : {static_cast<const QZFModeTable*>(nullptr), &unusableTable}) {
    app_.reports.clear();
    CQZFGraphics graphics(&app_);
    EXPECT_EQ(graphics.init(table, false), -11);
    EXPECT_EQ(app_.reports, (std::vector<Report>{{"qzf_graphics", 39, -11}}));
  }

  // Without an application there is nobody to report to or to lend the
  // resource manager.
  CQZFGraphics orphan(nullptr);
  EXPECT_EQ(orphan.init(&kPortraitTable, false), -50);

  // An application that has not made its resource manager yet.
  TestApplication notStarted;
  CQZFGraphics graphics(&notStarted);
  EXPECT_EQ(graphics.init(&kPortraitTable, false), -50);
  EXPECT_EQ(notStarted.reports, (std::vector<Report>{{"qzf_graphics", 73, -50}}));
}

TEST_F(GraphicsWrapperTest, LevelsAreConvertedAndFillsQueuedUntilTheFlush) {
  struct Case {
    int level;
    bool painted;
    bool exact;
  } cases[] = {{255, true, true}, {128, true, false}, {0, false, false}};
  for (const Case& c : cases) {
    g_->fillRect(0, 0, 10, 10, 0, 255, kBackground);
    g_->flush();
    g_->fillRect(0, 0, 10, 10, 0, c.level, kRed);
    EXPECT_EQ(pixelAt(5, 5), kBackground) << "queued, not drawn yet";
    g_->flush();
    EXPECT_EQ(pixelAt(5, 5) != kBackground, c.painted) << c.level;
    EXPECT_EQ(pixelAt(5, 5) == kRed, c.exact) << c.level;
  }

  g_->fillGradient(0, 20, 10, 10, 0, 255, kRed, kBlue);
  g_->flush();
  EXPECT_EQ(pixelAt(3, 20), kRed);
  EXPECT_NE(pixelAt(3, 29), kRed);

  // A frame: four edges of the thickness, the inside untouched.
  g_->drawFrameRectangle(QZRect{10, 40, 20, 10}, 2, 255, kGreen);
  g_->flush();
  expectPixels({{10, 45, kGreen}, {11, 45, kGreen}, {28, 45, kGreen}, {29, 45, kGreen}, {20, 40, kGreen},
                {20, 41, kGreen}, {20, 48, kGreen}, {20, 49, kGreen}, {12, 42, kBackground}, {27, 47, kBackground},
                {9, 45, kBackground}, {30, 45, kBackground}, {20, 50, kBackground}});
}

// Drawing that bypasses the pipe must still land above what was queued
// before it.
TEST_F(GraphicsWrapperTest, ImmediateDrawingLandsAboveEarlierQueuedDrawing) {
  makePlane(5, 20, 20, kBlue);
  makePlane(6, kWidth, kHeight, kBlue);
  struct Case {
    const char* name;
    std::function<void()> draw;
    int x, y;
  } cases[] = {
      {"drawPlane", [&] { g_->drawPlane(5); }, 5, 5},
      {"drawPlaneAt", [&] { g_->drawPlaneAt(5, 0, 0, 30, 30, 20, 20); }, 35, 35},
      {"drawPlaneRect", [&] { g_->drawPlaneRect(5, QZRect{0, 0, 10, 10}, 60, 60); }, 65, 65},
      {"drawLine", [&] { g_->drawLine(0, 100, 50, 100, kBlue); }, 25, 100},
      {"restoreBackgroundFromPlaneNow", [&] { g_->restoreBackgroundFromPlaneNow(QZGetPlane(6, false)); }, 120, 200},
  };
  for (const Case& c : cases) {
    g_->fillRect(0, 0, kWidth, kHeight, 0, 255, kRed);
    c.draw();
    g_->flush();
    EXPECT_EQ(pixelAt(c.x, c.y), kBlue) << c.name;
  }

  g_->fillRect(0, 0, kWidth, kHeight, 0, 255, kRed);
  g_->drawSystemText(u"MMMM", 10, 150, 0, kWhiteIndex);
  g_->flush();
  const std::vector<uint16_t> pixels = drawPixels();
  EXPECT_NE(std::count(pixels.begin(), pixels.end(), kRed), kWidth * kHeight) << "the text is covered";
}

TEST_F(GraphicsWrapperTest, QueuedDrawingKeepsThePlaneAndClipItWasQueuedUnder) {
  makePlane(5, 20, 20, kBlue);
  g_->fillRect(0, 0, 10, 10, 0, 255, kRed);
  g_->drawToPlane(5);
  g_->fillRect(0, 0, 5, 5, 0, 255, kGreen);
  g_->drawToScreen();
  g_->flush();
  EXPECT_EQ(pixelAt(1, 1), kRed);
  EXPECT_EQ(planePixel(5, 1, 1), kGreen);
  EXPECT_EQ(planePixel(5, 8, 8), kBlue);

  loadBlobs(3, {makeBlob(40, 10, 10, 0x1000)});
  g_->drawBlob(40, 100, 0, 0, 255);
  g_->setClipRect(120, 0, 4, 4);
  g_->drawBlob(40, 120, 0, 0, 255);
  g_->copyPlane(5, 0, 0, 10, 10, 120, 20);  // wholly outside the clip
  g_->clearClipRect();
  g_->flush();
  EXPECT_NE(pixelAt(108, 8), kBackground) << "drawn before the clip was set";
  EXPECT_NE(pixelAt(121, 1), kBackground);
  EXPECT_EQ(pixelAt(126, 6), kBackground) << "clipped";
  EXPECT_EQ(pixelAt(121, 21), kBackground) << "plane copies are clipped too";
  EXPECT_FALSE(QZGetSpriteClip().on);

  g_->setClipRectangle(QZRect{0, 200, 4, 4});
  EXPECT_TRUE(QZGetSpriteClip().on);
  g_->disableClipping();
  EXPECT_FALSE(QZGetSpriteClip().on);
  g_->drawBlob(40, 0, 200, 0, 255);
  g_->copyPlaneRectangle(5, QZRect{0, 0, 10, 10}, 20, 200);
  g_->flush();
  EXPECT_NE(pixelAt(8, 208), kBackground);
  EXPECT_EQ(pixelAt(28, 208), kBlue);
}

TEST_F(GraphicsWrapperTest, RotatedPlaneAtAngleZeroIsACopyAboutItsCentre) {
  makePlane(5, 10, 10, kBlue);
  g_->drawPlaneRotated(5, 50, 50, 0, 255, 0);
  g_->drawPlaneRotated(5, 150, 50, 0, 255, 256);  // no such angle: nothing
  g_->flush();
  expectPixels({{45, 45, kBlue}, {54, 54, kBlue}, {44, 44, kBackground}, {55, 55, kBackground},
                {150, 50, kBackground}});
}

TEST_F(GraphicsWrapperTest, ShadowPlaneIsBuiltFromTheSourceInTheShadowColour) {
  makePlane(7, 10, 10, kBlue);
  ASSERT_EQ(g_->makeShadowPlane(8, 7, 2, kRed, 50, 100), 0);
  ASSERT_TRUE(g_->isPlaneLoaded(8));
  EXPECT_EQ(g_->getPlaneWidth(8), 14);
  EXPECT_EQ(g_->getPlaneHeight(8), 14);
  const uint16_t centre = planePixel(8, 7, 7);
  EXPECT_NE(centre & 0xF800, 0) << "red";
  EXPECT_EQ(centre & 0x07FF, 0) << "no green or blue";
  EXPECT_EQ(QZGetDrawPlane(), QZGetScreenPlane());

  // The source may be its own target; an existing target is replaced.
  ASSERT_EQ(g_->makeShadowPlane(7, 7, 3, kGreen, 50, 100), 0);
  EXPECT_EQ(g_->getPlaneWidth(7), 16);
  ASSERT_EQ(g_->makeShadowPlane(8, 7, 1, kGreen, 50, 100), 0);
  EXPECT_EQ(g_->getPlaneWidth(8), 18);
  EXPECT_TRUE(app_.reports.empty());

  EXPECT_EQ(g_->makeShadowPlane(9, 12, 2, kRed, 50, 100), -50);
  EXPECT_EQ(g_->makeShadowPlane(9, 7, 0, kRed, 50, 100), -9);
  EXPECT_EQ(app_.reports, (std::vector<Report>{{"qzf_graphics", 419, -50}, {"qzf_graphics", 425, -9}}));
  EXPECT_EQ(QZGetDrawPlane(), QZGetScreenPlane());
}

TEST_F(GraphicsWrapperTest, AbsentBlobsAndPlanesMeasureZeroAndDrawNothing) {
  EXPECT_EQ(g_->getBlob(40), nullptr);
  EXPECT_EQ(g_->getBlobWidth(40), 0);
  EXPECT_EQ(g_->getBlobHeight(40), 0);
  EXPECT_EQ(g_->drawBlob(40, 0, 0, 0, 255), 0);
  EXPECT_EQ(g_->drawBlobEntry(nullptr, 0, 0, 0, 255), 0);
  EXPECT_FALSE(g_->isBlobSetLoaded(3));
  EXPECT_EQ(g_->refreshBlobSet(3), -1);
  EXPECT_EQ(g_->tintBlobSet(3, 10, 0, 0, -1, 0), -5);
  EXPECT_FALSE(g_->isPlaneLoaded(5));
  EXPECT_EQ(g_->getPlaneWidth(5), 0);
  EXPECT_EQ(g_->getPlaneHeight(5), 0);
  EXPECT_EQ(g_->restoreBackgroundFromPlaneNow(nullptr), -3);

  loadBlobs(3, {makeBlob(40, 6, 4, 0x1000)});
  makePlane(5, 7, 9, kBlue);
  EXPECT_TRUE(g_->isBlobSetLoaded(3));
  EXPECT_EQ(g_->refreshBlobSet(3), 0);
  EXPECT_EQ(g_->tintBlobSet(3, 10, 0, 0, -1, 0), 0);
  ASSERT_NE(g_->getBlob(40), nullptr);
  EXPECT_EQ(g_->getBlobWidth(40), 6);
  EXPECT_EQ(g_->getBlobHeight(40), 4);
  EXPECT_EQ(g_->getPlaneWidth(5), 7);
  EXPECT_EQ(g_->getPlaneHeight(5), 9);
  g_->drawBlobEntry(g_->getBlob(40), 0, 0, 0, 255);
  g_->flush();
  EXPECT_NE(pixelAt(1, 1), kBackground);
}

TEST_F(GraphicsWrapperTest, BackgroundIsRestoredOverTheWholeScreenOrTheBackgroundList) {
  makePlane(6, kWidth, kHeight, kBlue);
  g_->invalidateAll();
  g_->restoreBackgroundFromPlane(6);
  g_->flush();
  EXPECT_EQ(pixelAt(0, 0), kBlue);
  EXPECT_EQ(pixelAt(kWidth - 1, kHeight - 1), kBlue);
  g_->fillBackground(kGreen);
  g_->flush();
  EXPECT_EQ(pixelAt(kWidth - 1, kHeight - 1), kGreen);

  // Row 2, columns 2-3: {24, 32, 24, 16}.
  g_->fillRect(0, 0, kWidth, kHeight, 0, 255, kBackground);
  dirtyFrame({{30, 40, 2, 2}, {40, 40, 2, 2}});
  ASSERT_EQ(g_->grid().getBackgroundList(), (std::vector<QZRect>{{24, 32, 24, 16}}));
  g_->restoreBackgroundFromPlane(6);
  g_->flush();
  expectPixels({{24, 32, kBlue}, {47, 47, kBlue}, {23, 32, kBackground}, {48, 47, kBackground},
                {30, 48, kBackground}});

  g_->fillBackground(kGreen);
  g_->flush();
  EXPECT_EQ(pixelAt(30, 40), kGreen);
  EXPECT_EQ(pixelAt(30, 48), kBackground);

  g_->restoreBackgroundFromPlaneNow(QZGetPlane(6, false));
  EXPECT_EQ(pixelAt(30, 40), kBlue) << "drawn at once";
  EXPECT_EQ(pixelAt(30, 48), kBackground);
}

TEST_F(GraphicsWrapperTest, FlipCopiesTheWholeScreenOrEachUpdateRectangle) {
  g_->invalidateAll();
  g_->buildUpdateList();
  EXPECT_TRUE(g_->grid().getUpdateList().empty());
  output_.blits = 0;
  g_->flip();
  EXPECT_EQ(output_.blits, 1);

  g_->fillRect(0, 0, kWidth, kHeight, 0, 255, kRed);
  g_->flush();
  std::fill(output_.pixels.begin(), output_.pixels.end(), kBackground);
  dirtyFrame({{0, 0, 1, 1}, {200, 300, 1, 1}});
  output_.blits = 0;
  g_->flip();
  EXPECT_EQ(output_.blits, 2);
  auto shown = [&](int x, int y) { return output_.pixels[static_cast<size_t>(y) * kWidth + x]; };
  expectPixels({{11, 15, kRed}, {12, 15, kBackground}, {203, 303, kRed}, {204, 303, kBackground},
                {100, 100, kBackground}},
               shown);
}

TEST_F(GraphicsWrapperTest, FontsAndSystemTextGoThroughTheFontSlots) {
  ASSERT_EQ(g_->setFont(0), 0);
  EXPECT_EQ(g_->getFontHeight(), 14);
  const int wide = g_->getSystemTextWidth(u"Hello");
  EXPECT_GT(wide, g_->getSystemTextWidth(u"He"));
  EXPECT_GT(g_->getSystemTextWidth(u"He"), 0);
  EXPECT_EQ(g_->getSystemTextWidth(u""), 0);
  EXPECT_EQ(g_->getSystemTextWidth(nullptr), 0);
  ASSERT_EQ(g_->switchFont(2), 0);
  EXPECT_EQ(g_->getFontHeight(), 18);
  EXPECT_EQ(g_->restoreFont(), 0);
  EXPECT_EQ(g_->switchFont(9), -1);
}

TEST_F(GraphicsWrapperTest, ShutdownFreesPlanesAndBlobSetsAndLeavesTheTablesUsable) {
  loadBlobs(3, {makeBlob(40, 6, 4, 0x1000)});
  makePlane(5, 7, 9, kBlue);
  g_->shutdown();
  EXPECT_EQ(QZFindBlobSet(3), nullptr);
  EXPECT_EQ(QZGetBlobEntry(40), nullptr);
  EXPECT_EQ(QZGetPlane(5, false), nullptr);
  EXPECT_EQ(QZLoadBlobSet(3, 0), 0);
  EXPECT_NE(QZGetBlobEntry(40), nullptr);
  // Queued operations after the stop fail instead of touching freed memory.
  EXPECT_EQ(g_->fillRect(0, 0, 1, 1, 0, 255, kRed), -50);
}

TEST_F(GraphicsWrapperTest, PlanesAndBlobSetsAreUseCountedThroughTheResourceManager) {
  ASSERT_NE(g_->getResourceManager(), nullptr);
  std::vector<uint8_t> pln(17, 0);
  pln[1] = 17, pln[9] = 4, pln[11] = 2, pln[13] = 1;
  pln.insert(pln.end(), {0x1F, 0x00, 0xE0, 0x07});
  addResource(QZFourCC('a', 'P', 'L', 'N'), 7, pln);
  EXPECT_EQ(g_->loadPlane(7, 0), 0);
  EXPECT_EQ(g_->loadPlane(7, 0), 0);
  g_->releasePlane(7);
  EXPECT_TRUE(g_->isPlaneLoaded(7));
  g_->releasePlane(7);
  EXPECT_FALSE(g_->isPlaneLoaded(7));

  loadBlobs(3, {makeBlob(40, 6, 4, 0x1000)});
  QZUnloadBlobSet(3);  // the resource stays; the manager loads it
  EXPECT_EQ(g_->loadBlobSet(3, 0), 0);
  EXPECT_EQ(g_->copyBlobSet(3, 4, 50), 0);
  EXPECT_TRUE(g_->isBlobSetLoaded(4));
  EXPECT_EQ(g_->getBlobWidth(50), 6);
  g_->releaseBlobSet(4);
  g_->releaseBlobSet(3);
  EXPECT_FALSE(g_->isBlobSetLoaded(3));
  EXPECT_FALSE(g_->isBlobSetLoaded(4));
}

}  // namespace
