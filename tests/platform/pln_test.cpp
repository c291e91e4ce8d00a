#include <gtest/gtest.h>

#include <vector>

#include "graphics_fixture.h"
#include "imgpack_lz.h"
#include "imgpack_pln.h"
#include "qz_pln.h"

namespace {

std::vector<uint8_t> header(uint32_t dataLength, int w, int h, uint8_t flags, uint8_t transparent, uint8_t count) {
  return {0,
          17,
          0,
          0,
          0,
          0,
          static_cast<uint8_t>(dataLength >> 24),
          static_cast<uint8_t>(dataLength >> 16),
          static_cast<uint8_t>(dataLength >> 8),
          static_cast<uint8_t>(dataLength),
          static_cast<uint8_t>(w >> 8),
          static_cast<uint8_t>(w),
          static_cast<uint8_t>(h >> 8),
          static_cast<uint8_t>(h),
          flags,
          transparent,
          count};
}

// A palette image: palette entry i is colour 0x100 + i.
std::vector<uint8_t> paletteImage(int w, int h, uint8_t flags, uint8_t transparent, int count,
                                  const std::vector<uint8_t>& indices) {
  std::vector<uint8_t> b = header(0, w, h, flags, transparent, static_cast<uint8_t>(count & 0xFF));
  for (int i = 0; i < count; ++i) b.insert(b.end(), {static_cast<uint8_t>(i), 1});
  const auto stream = imgpack::encodeLZ(indices.data(), indices.size());
  b.insert(b.end(), stream.begin(), stream.end());
  return b;
}

std::vector<uint16_t> planePixels(const QZPlane* p) {
  const uint16_t* bits = QZPlaneImageBits(p);
  return std::vector<uint16_t>(bits, bits + static_cast<size_t>(p->width) * p->height);
}

class PlnTest : public GraphicsTest {
 protected:
  QZPlane* entry() { return QZGetPlane(4, true); }
};

TEST_F(PlnTest, RawPixelsAreCopiedUpToWhatTheImageHolds) {
  std::vector<uint8_t> b = header(12, 3, 2, 0, 0, 0);
  for (uint8_t v : {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0xEE, 0xEE}) b.push_back(v);
  ASSERT_EQ(QZLoadPlaneFromPlnBytes(entry(), b.data(), b.size()), 0);
  EXPECT_EQ(planePixels(entry()), (std::vector<uint16_t>{0x0201, 0x0403, 0x0605, 0x0807, 0x0A09, 0x0C0B}));
  // A data length past the bytes that are there copies what is there.
  b = header(1000, 3, 2, 0x0E, 0, 0);  // an unknown encoding reads as raw
  b.insert(b.end(), {0x34, 0x12});
  ASSERT_EQ(QZLoadPlaneFromPlnBytes(entry(), b.data(), b.size()), 0);
  EXPECT_EQ(planePixels(entry()), (std::vector<uint16_t>{0x1234, 0, 0, 0, 0, 0}));
}

TEST_F(PlnTest, PaletteIndicesExpandWithTheTransparentIndex) {
  const std::vector<uint8_t> indices = {0, 3, 1, 3, 2, 0};
  const auto b = paletteImage(3, 2, 0x03, 3, 4, indices);
  ASSERT_EQ(QZLoadPlaneFromPlnBytes(entry(), b.data(), b.size()), 0);
  EXPECT_EQ(planePixels(entry()), (std::vector<uint16_t>{0x100, 0, 0x101, 0, 0x102, 0x100}));
  const uint16_t* mask = QZPlaneMaskBits(entry());
  EXPECT_EQ(std::vector<uint16_t>(mask, mask + 6), (std::vector<uint16_t>{0, 0xFFFF, 0, 0xFFFF, 0, 0}));
  EXPECT_EQ(entry()->transparentIndex, 3);
}

TEST_F(PlnTest, PaletteCountZeroReadsAFullPalette) {
  const auto b = paletteImage(2, 1, 0x02, 0, 256, {255, 7});
  ASSERT_EQ(QZLoadPlaneFromPlnBytes(entry(), b.data(), b.size()), 0);
  EXPECT_EQ(planePixels(entry()), (std::vector<uint16_t>{0x1FF, 0x107}));
  EXPECT_EQ(QZPlaneMaskBits(entry()), nullptr);
}

TEST_F(PlnTest, MalformedImagesLeaveTheEntryUnused) {
  std::vector<uint8_t> dctWrongSize = header(6, 16, 16, 0x04, 0, 0);
  dctWrongSize.insert(dctWrongSize.end(), {8, 0, 16, 0, 50, 0});
  std::vector<uint8_t> dctShort = header(4, 16, 16, 0x04, 0, 0);
  dctShort.insert(dctShort.end(), {16, 0, 16, 0});
  std::vector<uint8_t> dctLengthPastEnd = header(60, 16, 16, 0x04, 0, 0);
  dctLengthPastEnd.insert(dctLengthPastEnd.end(), {16, 0, 16, 0, 50, 0});
  std::vector<uint8_t> shortPalette = header(0, 2, 2, 0x02, 0, 4);
  shortPalette.insert(shortPalette.end(), {1, 2, 3});
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"fewer indices than pixels", paletteImage(3, 2, 0x02, 0, 4, {0, 1, 2})},
      {"more indices than pixels", paletteImage(2, 1, 0x02, 0, 4, {0, 1, 2, 3, 0, 1})},
      {"DCT size differs from the image", dctWrongSize},
      {"DCT data shorter than its header", dctShort},
      {"DCT length past the end", dctLengthPastEnd},
      {"palette past the end", shortPalette},
      {"short header", std::vector<uint8_t>(10, 0)},
      {"zero width", header(0, 0, 4, 0, 0, 0)},
      {"header length past the end", [] {
         auto b = header(0, 1, 1, 0, 0, 0);
         b[1] = 200;
         return b;
       }()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(QZLoadPlaneFromPlnBytes(entry(), c.bytes.data(), c.bytes.size()), -1) << c.name;
    EXPECT_FALSE(entry()->inUse) << c.name;
    EXPECT_EQ(entry()->image, nullptr) << c.name;
  }
}

TEST_F(PlnTest, PlanesLoadFromPlnResourcesByIndex) {
  imgpack::Image image;
  image.width = 5;
  image.height = 3;
  for (int k = 0; k < 15; ++k) {
    image.pixels.push_back(static_cast<uint16_t>(0x2000 + (k % 4)));
    image.opaque.push_back(k % 5 != 0);
  }
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(imgpack::buildPlnPalette(image, &bytes, &error)) << error;
  addResource(QZFourCC('a', 'P', 'L', 'N'), 5, bytes);
  addResource(QZFourCC('a', 'P', 'L', 'N'), 6, imgpack::buildPlnRaw(image));
  EXPECT_EQ(QZLoadPlane(2005), 0);
  EXPECT_EQ(QZGetPlane(5, false), QZGetPlane(0x4000 | 2005, false));
  EXPECT_EQ(QZLoadPlane(5), 0);  // already in use
  EXPECT_EQ(QZLoadPlane(6), 0);
  EXPECT_EQ(QZLoadPlane(7), -5);
  EXPECT_EQ(QZLoadPlane(32), -3);
  const QZPlane* masked = QZGetPlane(5, false);
  const uint16_t* mask = QZPlaneMaskBits(masked);
  for (int k = 0; k < 15; ++k) {
    EXPECT_EQ(QZPlaneImageBits(masked)[k], image.opaque[k] ? image.pixels[k] : 0) << k;
    EXPECT_EQ(mask[k], image.opaque[k] ? 0 : 0xFFFF) << k;
  }
  EXPECT_EQ(planePixels(QZGetPlane(6, false)), image.pixels);
  EXPECT_EQ(QZLoadAllPlanes(), 0);
  EXPECT_NE(QZGetPlane(5, false), nullptr);
  EXPECT_EQ(QZGetPlane(8, false), nullptr);
}

}  // namespace
