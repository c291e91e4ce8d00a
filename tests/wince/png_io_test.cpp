#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "wince/host/png_io.h"

namespace {

std::string tempPath(const std::string& name) {
  std::filesystem::path dir = std::filesystem::path(PELLWYN_TEST_TMP) / "png";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

TEST(PngIo, Rgb565RoundTripKeepsEveryPixel) {
  const int w = 7, h = 3, stride = 16;  // padded rows
  std::vector<uint16_t> pixels(stride / 2 * h, 0xDEAD);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels[y * stride / 2 + x] = static_cast<uint16_t>(x * 0x1234 + y * 0x0821);
  std::string path = tempPath("round565.png");
  std::string error;
  ASSERT_TRUE(wince::writePng565(path, pixels.data(), w, h, stride, &error)) << error;
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

  wince::RgbImage image;
  ASSERT_TRUE(wince::readPng(path, &image, &error)) << error;
  ASSERT_EQ(image.width, w);
  ASSERT_EQ(image.height, h);
  std::vector<uint16_t> back = wince::toRgb565(image);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) EXPECT_EQ(back[y * w + x], pixels[y * stride / 2 + x]) << x << "," << y;
}

TEST(PngIo, RgbRoundTripAndChannelWidening) {
  const uint8_t rgb[2 * 3] = {1, 2, 3, 250, 251, 252};
  std::string path = tempPath("rgb.png");
  ASSERT_TRUE(wince::writePngRgb(path, rgb, 2, 1, 6));
  wince::RgbImage image;
  ASSERT_TRUE(wince::readPng(path, &image));
  EXPECT_EQ(std::vector<uint8_t>(image.rgb.begin(), image.rgb.end()), std::vector<uint8_t>(rgb, rgb + 6));

  const uint16_t magenta = 0xF81F;
  ASSERT_TRUE(wince::writePng565(path, &magenta, 1, 1, 2));
  ASSERT_TRUE(wince::readPng(path, &image));
  EXPECT_EQ(image.pixel(0, 0)[0], 0xF8);
  EXPECT_EQ(image.pixel(0, 0)[1], 0x00);
  EXPECT_EQ(image.pixel(0, 0)[2], 0xF8);
}

TEST(PngIo, DifferencesAreDescribedForGoldenImageTests) {
  const uint16_t a[4] = {0xFFFF, 0, 0, 0xF800};
  uint16_t b[4] = {0xFFFF, 0, 0, 0xF800};
  wince::RgbImage expected = wince::fromRgb565(a, 2, 2, 4);
  EXPECT_EQ(wince::describeDifference(expected, wince::fromRgb565(b, 2, 2, 4)), "");
  b[1] = 0x0001;  // blue 8 instead of 0
  EXPECT_EQ(wince::describeDifference(expected, wince::fromRgb565(b, 2, 2, 4)),
            "pixel (1,0) is (0,0,8), expected (0,0,0); 1 pixels differ");
  EXPECT_EQ(wince::describeDifference(expected, wince::fromRgb565(b, 2, 2, 4), 8), "");
  EXPECT_EQ(wince::describeDifference(expected, wince::fromRgb565(b, 4, 1, 8)), "size 4x1, expected 2x2");
}

TEST(PngIo, DamagedInputIsReportedNotTrusted) {
  const uint16_t px[4] = {1, 2, 3, 4};
  std::string path = tempPath("good.png");
  ASSERT_TRUE(wince::writePng565(path, px, 2, 2, 4));
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  struct Case {
    const char* name;
    std::vector<uint8_t> data;
  } cases[] = {
      {"empty", {}},
      {"not a PNG", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}},
      {"truncated", std::vector<uint8_t>(bytes.begin(), bytes.begin() + bytes.size() / 2)},
      {"signature only", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8)},
  };
  for (const Case& c : cases) {
    wince::RgbImage image;
    std::string error;
    EXPECT_FALSE(wince::readPngMemory(c.data.data(), c.data.size(), &image, &error)) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
  }
  wince::RgbImage image;
  std::string error;
  // 16384 x 16384: each side within bounds, the whole four times too large
  // for a bitmap; refused from its header, before a gigabyte is decoded.
  EXPECT_FALSE(wince::readPng(std::string(PELLWYN_SOURCE_DIR) + "/tests/wince/resources/huge.png", &image, &error));
  EXPECT_NE(error.find("16384x16384 pixels is larger than the runtime takes"), std::string::npos) << error;
  EXPECT_FALSE(wince::readPng(tempPath("missing.png"), &image, &error));
  EXPECT_FALSE(wince::writePng565(tempPath("no/such/dir.png"), px, 2, 2, 4, &error));
}

}  // namespace
