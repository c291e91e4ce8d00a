#include <gtest/gtest.h>

#include <vector>

#include "graphics_fixture.h"
#include "qz_blob.h"
#include "qz_colour.h"
#include "qz_fill.h"

namespace {

constexpr uint16_t kBack = 0x1234;

// A hand-made one-blob palette set (identity palette of 8 entries) with the
// given mask runs; pixel indices 1, 2, 3, ... in drawing order.
std::vector<uint8_t> rawSet(int16_t id, int w, int h, const std::vector<uint8_t>& runs, int pixelCount) {
  std::vector<uint8_t> s = {0, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 8, 0, 8};
  for (int i = 0; i < 8; ++i) s.insert(s.end(), {static_cast<uint8_t>(i), 0});
  s.insert(s.end(), {static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id), 0, static_cast<uint8_t>(w), 0,
                     static_cast<uint8_t>(h), static_cast<uint8_t>(runs.empty() ? 0 : 1), 0, 0,
                     static_cast<uint8_t>(runs.size()), 0, static_cast<uint8_t>(pixelCount)});
  s.insert(s.end(), runs.begin(), runs.end());
  for (int i = 0; i < pixelCount; ++i) s.push_back(static_cast<uint8_t>(1 + i % 7));
  return s;
}

class BlobTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    QZLLFill16BPP(0, 0, 64, 48, kBack, 0, 256);
  }

  // The plane as text: '.' for the background, '#' for anything else, for
  // a w x h window at (x, y).
  static std::string shape(int x, int y, int w, int h) {
    std::string s;
    for (int j = 0; j < h; ++j) {
      for (int i = 0; i < w; ++i) s += pixelAt(x + i, y + j) == kBack ? '.' : '#';
      s += '\n';
    }
    return s;
  }
};

TEST_F(BlobTest, MaskRunsCarryAcrossRows) {
  struct Case {
    const char* name;
    std::vector<uint8_t> runs;
    int opaque;
    const char* expected;
  };
  const Case cases[] = {
      {"3,5 then 0,8", {3, 5, 0, 8}, 13, "...#####\n########\n"},
      {"2,4,2 then an opaque run", {2, 4, 2, 8}, 12, "..####..\n########\n"},
      {"long run split as 255,0,rest", {0, 8, 8}, 8, "########\n........\n"},
  };
  for (const Case& c : cases) {
    QZLLFill16BPP(0, 0, 64, 48, kBack, 0, 256);
    addResource(QZFourCC('a', 'B', 'S', 'T'), 7, rawSet(300, 8, 2, c.runs, c.opaque));
    ASSERT_EQ(QZLoadBlobSet(7, 0), 0) << c.name;
    ASSERT_EQ(QZDrawBlob(300, 0, 0, 0, 256), 0) << c.name;
    EXPECT_EQ(shape(0, 0, 8, 2), c.expected) << c.name;
    QZUnloadBlobSet(7);
  }
}

TEST_F(BlobTest, CorruptSetsAreRefused) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  auto patched = [](std::vector<uint8_t> s, size_t at, uint8_t v) {
    s[at] = v;
    return s;
  };
  const std::vector<uint8_t> good = rawSet(300, 8, 2, {3, 5, 0, 8}, 13);
  const size_t dir = 15 + 16;
  const Case cases[] = {
      {"row sums past the width", rawSet(300, 8, 2, {3, 6, 0, 7}, 13)},
      {"runs run out", rawSet(300, 8, 2, {3, 5}, 5)},
      {"pixel count differs from the opaque runs", rawSet(300, 8, 2, {3, 5, 0, 8}, 12)},
      {"mask past the data", patched(good, dir + 9, 200)},
      {"negative count", patched(good, 10, 0x80)},
      {"directory past the end", patched(good, 11, 40)},
      {"header length past the end", patched(good, 0, 0x7F)},
      {"short header", std::vector<uint8_t>(good.begin(), good.begin() + 12)},
      {"packed data that is not a stream", patched(good, 13, 1)},
  };
  for (const Case& c : cases) {
    QZBlobSet set;
    EXPECT_EQ(set.decode(c.bytes.data(), c.bytes.size()), -1) << c.name;
    EXPECT_EQ(set.count, 0) << c.name;
  }
  QZBlobSet set;
  EXPECT_EQ(set.decode(good.data(), good.size()), 0);
}

TEST_F(BlobTest, StoragesRoundTripThroughTheEncoder) {
  const char* pattern = "..##.." ".####." "######" "#....#";
  int set = 10;
  for (auto storage : {imgpack::BlobStorage::Palette, imgpack::BlobStorage::PalettePacked, imgpack::BlobStorage::Direct}) {
    loadBlobs(set, {makeBlob(static_cast<int16_t>(set), 6, 4, 0x4000, pattern)}, storage);
    QZLLFill16BPP(0, 0, 64, 48, kBack, 0, 256);
    ASSERT_EQ(QZDrawBlob(set, 1, 1, 0, 256), 0);
    for (int k = 0; k < 24; ++k) {
      const uint16_t expected = pattern[k] == '.' ? kBack : static_cast<uint16_t>(0x4000 + k);
      EXPECT_EQ(pixelAt(1 + k % 6, 1 + k / 6), expected) << "pixel " << k;
    }
    ++set;
  }
}

TEST_F(BlobTest, FlipsTurnTheBlob) {
  loadBlobs(1, {makeBlob(5, 3, 2, 0x100, "##." "#..")});
  struct Case {
    int flags;
    const char* expected;
  };
  const Case cases[] = {
      {0, "##.\n#..\n"},
      {kQZBlobFlipVertical, "#..\n##.\n"},
      {kQZBlobFlipHorizontal, ".##\n..#\n"},
      {kQZBlobFlipVertical | kQZBlobFlipHorizontal, "..#\n.##\n"},
  };
  for (const Case& c : cases) {
    QZLLFill16BPP(0, 0, 64, 48, kBack, 0, 256);
    QZDrawBlob(5, 10, 10, c.flags, 256);
    EXPECT_EQ(shape(10, 10, 3, 2), c.expected) << c.flags;
  }
  QZDrawBlob(5, 10, 10, kQZBlobFlipVertical | kQZBlobFlipHorizontal, 256);
  EXPECT_EQ(pixelAt(12, 11), 0x100);  // source (0, 0) lands bottom right
}

TEST_F(BlobTest, ClippedFlippedBlobIsTheCropOfTheFlippedBlob) {
  const char* pattern = "#.##.#" "##..##" "..####" "#.#.#.";
  loadBlobs(1, {makeBlob(9, 6, 4, 0x200, pattern)});
  for (int flags : {0, 0x0800, 0x1000, 0x1800}) {
    // Unclipped reference in the middle of the plane.
    QZLLFill16BPP(0, 0, 64, 48, kBack, 0, 256);
    QZDrawBlob(9, 20, 20, flags, 256);
    std::vector<uint16_t> whole;
    for (int j = 0; j < 4; ++j) {
      for (int i = 0; i < 6; ++i) whole.push_back(pixelAt(20 + i, 20 + j));
    }
    // Half off the left and top edges, then off the right and bottom edges.
    for (auto [x, y] : {std::pair{-3, -2}, std::pair{61, 46}}) {
      QZLLFill16BPP(0, 0, 64, 48, kBack, 0, 256);
      QZDrawBlob(9, x, y, flags, 256);
      for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 6; ++i) {
          if (x + i < 0 || y + j < 0 || x + i >= 64 || y + j >= 48) continue;
          EXPECT_EQ(pixelAt(x + i, y + j), whole[j * 6 + i]) << "flags " << flags << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST_F(BlobTest, ClipModesAndTheFinalPlaneClip) {
  loadBlobs(1, {makeBlob(3, 4, 4, 0x300)});
  QZClipBlobsToRectangle(10, 10, 2, 20);
  QZDrawBlob(3, 8, 8, 0, 256);
  EXPECT_EQ(shape(8, 8, 4, 4), "....\n....\n..##\n..##\n");
  QZClipBlobsToRectangle(10, 0, 20, 20);
  EXPECT_EQ(QZDrawBlob(3, 6, 0, 0, 256), 0);  // x + w == L: width 0, nothing drawn
  EXPECT_EQ(shape(6, 0, 4, 4), "....\n....\n....\n....\n");
  // No clipping asked for: still kept inside the plane.
  QZUnclipBlobs();
  EXPECT_EQ(QZDrawBlob(3, 62, 46, 0, 256), 0);
  EXPECT_EQ(QZDrawBlob(3, -2, -2, kQZBlobNoClip, 256), 0);
  EXPECT_EQ(shape(62, 46, 2, 2), "##\n##\n");
  EXPECT_EQ(pixelAt(0, 0), 0x300 + 10);
  QZClipBlobsToPlane();
}

TEST_F(BlobTest, LevelsBlendAndAdd) {
  const uint16_t source = 0xF81F, dest = 0x07E0 | 0x0010;  // magenta over green
  loadBlobs(1, {makeBlob(4, 1, 1, source)});
  auto drawOver = [&](int flags, int level) {
    QZLLFill16BPP(0, 0, 1, 1, dest, 0, 256);
    QZDrawBlob(4, 0, 0, flags, level);
    return pixelAt(0, 0);
  };
  auto blend = [](uint32_t d, uint32_t s, uint32_t e) {
    const uint32_t ds = QZSplit(static_cast<uint16_t>(d)), ss = QZSplit(static_cast<uint16_t>(s));
    const uint32_t t = (ds + (((ss - ds) * e) >> 5)) & 0x07E0F81Fu;
    return static_cast<uint16_t>((t & 0xFFFF) | (t >> 16));
  };
  EXPECT_EQ(drawOver(0, 256), source);
  EXPECT_EQ(drawOver(0, 128), blend(dest, source, 16));
  EXPECT_EQ(drawOver(0, 255), blend(dest, source, 31));
  EXPECT_NE(drawOver(0, 255), source);
  EXPECT_EQ(drawOver(0, 0), dest);
  // Additive at 256: red 31 + 0, green 63 + 0, blue 16 + 31 saturates at 31.
  EXPECT_EQ(drawOver(kQZBlobAdditive, 256), 0xFFFF);
  // Additive at 128 adds half the source: blue 16 + 15 = 31, red 0 + 15.
  EXPECT_EQ(drawOver(kQZBlobAdditive, 128), static_cast<uint16_t>((15 << 11) | 0x07E0 | 31));
}

TEST_F(BlobTest, DrawingWritesTheHitPlane) {
  ASSERT_EQ(QZCreatePlane(3, 8, 8, true), 0);
  ASSERT_EQ(QZDrawToPlane(3), 0);
  QZClearPlane16BPP(0xFFFF, 1);
  loadBlobs(1, {makeBlob(6, 2, 2, 0x500, "#..#")});
  QZDrawBlob(6, 1, 1, 0, 256);
  const uint16_t* mask = QZPlaneMaskBits(QZGetPlane(3, false));
  EXPECT_EQ(mask[1 * 8 + 1], 0);
  EXPECT_EQ(mask[1 * 8 + 2], 0xFFFF);
  EXPECT_EQ(mask[2 * 8 + 2], 0);
}

// Opaque runs of every length the row copy treats apart (short, around the
// 16-byte pieces, past the long-row cut), drawn on a plane without a hit
// mask (the straight copy) and on one with it (the general span loop): both
// must give the blob's own pixels exactly.
TEST_F(BlobTest, OpaqueRunsOfEveryLengthCopyExactly) {
  const int lengths[] = {1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33, 64, 127, 128, 129, 140};
  const int w = 150, h = static_cast<int>(std::size(lengths));
  std::string pattern;
  for (int j = 0; j < h; ++j) {
    const int lead = j % 5;
    for (int i = 0; i < w; ++i) pattern += i >= lead && i < lead + lengths[j] ? '#' : '.';
  }
  loadBlobs(1, {makeBlob(11, w, h, 0x100, pattern.c_str())}, imgpack::BlobStorage::Direct);
  for (const bool hitMask : {false, true}) {
    ASSERT_EQ(QZCreatePlane(4, w + 10, h + 4, hitMask), 0);
    ASSERT_EQ(QZDrawToPlane(4), 0);
    QZLLFill16BPP(0, 0, w + 10, h + 4, kBack, 0, 256);
    ASSERT_EQ(QZDrawBlob(11, 3, 2, 0, 256), 0);
    const uint16_t* bits = QZPlaneImageBits(QZGetPlane(4, false));
    const int pitch = QZGetPlane(4, false)->pitch;
    for (int j = 0; j < h + 4; ++j) {
      for (int i = 0; i < w + 10; ++i) {
        const int bx = i - 3, by = j - 2;
        const bool inside = bx >= 0 && by >= 0 && bx < w && by < h && pattern[by * w + bx] == '#';
        const uint16_t expected = inside ? static_cast<uint16_t>(0x100 + by * w + bx) : kBack;
        ASSERT_EQ(bits[j * pitch + i], expected) << "hit mask " << hitMask << " at " << i << "," << j;
      }
    }
    QZDrawToScreen();
    QZDeletePlane(4);
  }
}

TEST_F(BlobTest, HitTestFollowsTheRuns) {
  // Row 0: transparent 2, opaque 3, transparent 1.
  loadBlobs(1, {makeBlob(8, 6, 2, 0x600, "..###." "######")});
  struct Case {
    int px, py, hit;
  };
  const Case cases[] = {
      {10, 10, 0},  // rel x 0: the first run (transparent)
      {12, 10, 0},  // rel x 2 = end of the transparent run reports that run
      {13, 10, 1},  {15, 10, 1},  // rel x 5 = end of the opaque run
      {16, 10, 0},  {16, 11, 1},  // the right end is included
      {12, 12, 0},  // rel row = height
      {9, 10, 0},   {10, 13, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(QZCheckForPointInBlob(8, 10, 10, c.px, c.py), c.hit) << c.px << "," << c.py;
  EXPECT_EQ(QZCheckForPointInBlob(2047, 0, 0, 0, 0), 0);
}

TEST_F(BlobTest, BatchStopsAtABadId) {
  loadBlobs(1, {makeBlob(1, 1, 1, 0x111), makeBlob(2, 1, 1, 0x222)});
  const int16_t records[] = {1, 0, 0, static_cast<int16_t>(2 | 0x1000), 1, 0, 1500, 2, 0, 1, 3, 0};
  EXPECT_EQ(QZDrawBlobs(4, records), -1);
  EXPECT_EQ(pixelAt(0, 0), 0x111);
  EXPECT_EQ(pixelAt(1, 0), 0x222);
  EXPECT_EQ(pixelAt(3, 0), kBack);
}

TEST_F(BlobTest, UnloadedIdsCannotBeDrawn) {
  loadBlobs(4, {makeBlob(20, 2, 2, 0x700)});
  EXPECT_EQ(QZLoadBlobSet(4, 0), 0);  // already loaded
  EXPECT_EQ(QZCheckBlobSet(4), 0);
  EXPECT_EQ(QZUnloadBlobSet(4), 0);
  EXPECT_EQ(QZCheckBlobSet(4), -1);
  EXPECT_EQ(QZUnloadBlobSet(4), -1);
  EXPECT_EQ(QZDrawBlob(20, 0, 0, 0, 256), -1);
  EXPECT_EQ(QZLoadBlobSet(99, 0), -5);
  EXPECT_EQ(QZDrawBlob(3000, 0, 0, 0, 256), -1);  // 3000 & 0x7FF = 952: empty slot
}

TEST_F(BlobTest, CopiesAndTints) {
  loadBlobs(1, {makeBlob(30, 2, 1, 0x0000), makeBlob(31, 1, 1, 0x0841)});
  ASSERT_EQ(QZCopyBlobSet(1, 2, 40), 0);
  EXPECT_EQ(QZCopyBlobSet(9, 3, 50), -5);
  ASSERT_EQ(QZTintBlobSet(2, 16, -8, 300, -1, 0), 0);
  QZDrawBlob(40, 0, 0, 0, 256);
  QZDrawBlob(30, 0, 1, 0, 256);
  EXPECT_EQ(pixelAt(0, 0), static_cast<uint16_t>((2 << 11) | (0 << 5) | 31));  // red 0+16, green clamps at 0
  EXPECT_EQ(pixelAt(0, 1), 0x0000);                                             // the source set is untouched
  // With a key set only pixels whose key pixel has the key colour change.
  ASSERT_EQ(QZCopyBlobSet(1, 3, 60), 0);
  ASSERT_EQ(QZTintBlobSet(3, 255, 0, 0, 1, 0x0001), 0);
  QZDrawBlob(60, 0, 2, 0, 256);
  EXPECT_EQ(pixelAt(0, 2), 0x0000);
  EXPECT_EQ(pixelAt(1, 2), 0xF801);
  EXPECT_EQ(QZTintBlobSet(3, 0, 0, 0, 7, 0), -5);
}

TEST_F(BlobTest, PixelsAtEachDepth) {
  EXPECT_EQ(QZSetPixel(3, 2, 0xBEEF), 0);
  EXPECT_EQ(QZGetPixel(2000 + 31, 0, 0), 0);  // no such plane
  EXPECT_EQ(pixelAt(3, 2), 0xBEEF);
  EXPECT_EQ(QZSetPixel(64, 0, 1), -1);
  const int16_t records[] = {0, 0, 0x1111, 70, 0, 0x2222};
  EXPECT_EQ(QZSetPixels(records, 2), 16);
  EXPECT_EQ(pixelAt(0, 0), 0x1111);
  QZSetScreenDepth(2);
  QZSetPixel(1, 0, 5);
  QZSetPixel(2, 0, 2);
  QZSetScreenDepth(16);
  EXPECT_EQ(pixelAt(0, 0), static_cast<uint16_t>((0x1111 & 0xC3FF) | (3 << 12) | (2 << 10)));
}

}  // namespace
