#include <gtest/gtest.h>

#include <sys/wait.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphics_fixture.h"
#include "imgpack_jpeg.h"
#include "imgpack_pln.h"
#include "qz_dct.h"
#include "qz_dct_vector.h"
#include "qz_pln.h"
#include "test_scratch.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A photograph-like test picture: smooth gradients, edges and some texture.
std::vector<uint8_t> picture(int w, int h) {
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
  uint32_t noise = 12345;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int n = static_cast<int>((noise >> 16) & 31) - 16;
      uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
      const double d = std::hypot(x - w / 2.0, y - h / 3.0);
      p[0] = static_cast<uint8_t>(std::clamp(x * 255 / std::max(1, w - 1) + n, 0, 255));
      p[1] = static_cast<uint8_t>(std::clamp(static_cast<int>(128 + 100 * std::sin(d / 6.0)) + n / 2, 0, 255));
      p[2] = static_cast<uint8_t>(((x / 9 + y / 7) % 2) ? 230 : 30);
    }
  }
  return rgb;
}

bool havePrograms() { return std::system("command -v cjpeg >/dev/null 2>&1 && command -v djpeg >/dev/null 2>&1") == 0; }

struct Reference {
  imgpack::DctPayload payload;
  std::vector<uint16_t> pixels;  // djpeg's output packed to RGB565 by truncation
};

// Encodes the picture with cjpeg, and decodes it with djpeg's scalar fast IDCT
// and box chroma.
bool reference(int w, int h, int quality, Reference* out) {
  const fs::path dir = scratchFolder();
  fs::create_directories(dir);
  const std::string base =
      (dir / ("p" + std::to_string(w) + "x" + std::to_string(h) + "q" + std::to_string(quality))).string();
  {
    std::ofstream ppm(base + ".ppm", std::ios::binary);
    ppm << "P6\n" << w << " " << h << "\n255\n";
    const auto rgb = picture(w, h);
    ppm.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
  }
  const std::string q = std::to_string(quality);
  const std::string cmd = "cjpeg -baseline -quality " + q + " -sample 2x2 -outfile " + base + ".jpg " + base +
                          ".ppm && JSIMD_FORCENONE=1 djpeg -dct fast -nosmooth -ppm -outfile " + base + ".out.ppm " +
                          base + ".jpg";
  if (std::system(cmd.c_str()) != 0) return false;
  std::string error;
  if (!imgpack::jpegToDct(readFile(base + ".jpg"), quality, &out->payload, &error)) {
    ADD_FAILURE() << error;
    return false;
  }
  const std::vector<uint8_t> ppm = readFile(base + ".out.ppm");
  const size_t pixelsAt = ppm.size() - static_cast<size_t>(w) * h * 3;
  for (size_t k = 0; k < static_cast<size_t>(w) * h; ++k) {
    const uint8_t* p = &ppm[pixelsAt + 3 * k];
    out->pixels.push_back(static_cast<uint16_t>(((p[0] >> 3) << 11) | ((p[1] >> 2) << 5) | (p[2] >> 3)));
  }
  return true;
}

TEST(DctDecoder, MatchesTheReferenceDecoderBitForBit) {
  if (!havePrograms()) GTEST_SKIP() << "cjpeg/djpeg not installed";
  struct Case {
    int w, h, quality;
  };
  // Whole MCUs, a 20 x 20 picture cropped from four MCUs, odd sizes, and
  // the quality range ends (every quantiser 1 at 100).
  for (const Case c :
       {Case{64, 48, 75}, Case{20, 20, 50}, Case{37, 23, 90}, Case{33, 17, 10}, Case{48, 32, 100}, Case{16, 16, 1}}) {
    Reference ref;
    ASSERT_TRUE(reference(c.w, c.h, c.quality, &ref));
    QZDctDecoder decoder;
    ASSERT_EQ(decoder.readHeader(ref.payload.bytes.data(), ref.payload.bytes.size()), 6);
    ASSERT_EQ(decoder.width(), c.w);
    ASSERT_EQ(decoder.height(), c.h);
    std::vector<uint16_t> pixels(static_cast<size_t>(c.w) * c.h);
    decoder.decode(pixels.data(), c.w);
    size_t differing = 0;
    for (size_t k = 0; k < pixels.size(); ++k) differing += pixels[k] != ref.pixels[k];
    EXPECT_EQ(differing, 0u) << c.w << "x" << c.h << " quality " << c.quality;
  }
}

// Cut data: the MCUs before the cut decode like the reference. After it the
// reference leaves whole MCUs blank while this format reads on in zero bits.
TEST(DctDecoder, CutDataDecodesLikeTheReferenceUpToTheCut) {
  if (!havePrograms()) GTEST_SKIP() << "cjpeg/djpeg not installed";
  Reference full;
  ASSERT_TRUE(reference(64, 48, 75, &full));
  const fs::path dir = scratchFolder();
  std::vector<uint8_t> jpeg = readFile(dir / "p64x48q75.jpg");
  // Cut the entropy-coded data in the middle (never between 0xFF and its 0x00).
  size_t scan = 2;
  while (scan + 4 < jpeg.size() && !(jpeg[scan] == 0xFF && jpeg[scan + 1] == 0xDA))
    scan += 2 + ((jpeg[scan + 2] << 8) | jpeg[scan + 3]);
  const size_t entropy = scan + 2 + ((jpeg[scan + 2] << 8) | jpeg[scan + 3]);
  size_t cut = entropy + (jpeg.size() - entropy) * 2 / 3;
  while (jpeg[cut - 1] == 0xFF) ++cut;
  jpeg.resize(cut);
  std::ofstream(dir / "cut.jpg", std::ios::binary)
      .write(reinterpret_cast<const char*>(jpeg.data()), static_cast<std::streamsize>(jpeg.size()));
  // djpeg warns about the early end (exit status 2) and decodes on with zero bits.
  const std::string cmd = "JSIMD_FORCENONE=1 djpeg -dct fast -nosmooth -ppm -outfile " + (dir / "cut.ppm").string() +
                          " " + (dir / "cut.jpg").string() + " 2>/dev/null";
  const int status = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 2));
  jpeg.insert(jpeg.end(), {0xFF, 0xD9});
  imgpack::DctPayload payload;
  std::string error;
  ASSERT_TRUE(imgpack::rewrapStandardJpeg(jpeg, 75, &payload, &error)) << error;
  QZDctDecoder decoder;
  ASSERT_EQ(decoder.readHeader(payload.bytes.data(), payload.bytes.size()), 6);
  std::vector<uint16_t> pixels(64 * 48);
  decoder.decode(pixels.data(), 64);
  const std::vector<uint8_t> ppm = readFile(dir / "cut.ppm");
  ASSERT_GE(ppm.size(), pixels.size() * 3);
  const size_t at = ppm.size() - pixels.size() * 3;
  size_t differing = 0;
  for (size_t k = 0; k < 64 * 16; ++k) {  // the first MCU row lies well before the cut
    const uint8_t* p = &ppm[at + 3 * k];
    differing += pixels[k] != (((p[0] >> 3) << 11) | ((p[1] >> 2) << 5) | (p[2] >> 3));
  }
  EXPECT_EQ(differing, 0u);
  EXPECT_TRUE(std::equal(pixels.begin(), pixels.begin() + 64 * 16, full.pixels.begin()));
  EXPECT_NE(pixels, full.pixels);
}

// A photograph-like picture without the hard colour edges that 4:2:0
// sampling cannot keep: soft gradients, a lit ball and fine grain.
std::vector<uint8_t> softPicture(int w, int h) {
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
  uint32_t noise = 777;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int n = static_cast<int>((noise >> 16) & 7) - 4;
      const double d = std::hypot(x - w * 0.4, y - h * 0.5) / (h * 0.4);
      const double light = d < 1 ? 1 - d * d * 0.7 : 0.2;
      uint8_t* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
      p[0] = static_cast<uint8_t>(std::clamp(static_cast<int>(200 * light) + x + n, 0, 255));
      p[1] = static_cast<uint8_t>(std::clamp(static_cast<int>(150 * light) + y * 2 + n, 0, 255));
      p[2] = static_cast<uint8_t>(std::clamp(90 + static_cast<int>(60 * std::sin(x / 11.0)) + n, 0, 255));
    }
  }
  return rgb;
}

// Peak signal-to-noise ratio in dB of decoded RGB565 pixels against the
// 8-bit source (each 565 channel widened back to 8 bits).
double psnr(const std::vector<uint16_t>& pixels, const std::vector<uint8_t>& rgb) {
  double squares = 0;
  for (size_t k = 0; k < pixels.size(); ++k) {
    const int r5 = pixels[k] >> 11, g6 = (pixels[k] >> 5) & 63, b5 = pixels[k] & 31;
    const int decoded[3] = {(r5 << 3) | (r5 >> 2), (g6 << 2) | (g6 >> 4), (b5 << 3) | (b5 >> 2)};
    for (int c = 0; c < 3; ++c) {
      const double d = decoded[c] - rgb[3 * k + static_cast<size_t>(c)];
      squares += d * d;
    }
  }
  return 10 * std::log10(255.0 * 255.0 * 3 * static_cast<double>(pixels.size()) / std::max(squares, 1e-9));
}

// JPEG files of any form (as image tools write them) are read through a real
// decoder and written in the fixed form: what the format's decoder makes of
// them stays close to the picture.
TEST(ImagePacker, AnyJpegBecomesTheFixedFormAndDecodesCloseToThePicture) {
  if (!havePrograms()) GTEST_SKIP() << "cjpeg/djpeg not installed";
  struct Case {
    const char* name;
    const char* options;
    bool grey;
  };
  const Case cases[] = {{"optimised tables", "-optimize -quality 75 -sample 2x2", false},
                        {"progressive", "-progressive -quality 90", false},
                        {"4:4:4", "-baseline -quality 75 -sample 1x1", false},
                        {"restarts", "-baseline -quality 75 -sample 2x2 -restart 1", false},
                        {"other quality", "-baseline -quality 40 -sample 2x2", false},
                        {"greyscale", "-grayscale -optimize -quality 80", true},
                        {"fixed form", "-baseline -quality 75 -sample 2x2", false}};
  const int w = 61, h = 37;
  const fs::path dir = scratchFolder();
  fs::create_directories(dir);
  for (const Case& c : cases) {
    std::vector<uint8_t> rgb = softPicture(w, h);
    if (c.grey) {
      for (size_t k = 0; k < rgb.size(); k += 3) {
        const auto y = static_cast<uint8_t>((rgb[k] * 299 + rgb[k + 1] * 587 + rgb[k + 2] * 114 + 500) / 1000);
        rgb[k] = rgb[k + 1] = rgb[k + 2] = y;
      }
    }
    {
      std::ofstream ppm(dir / "source.ppm", std::ios::binary);
      ppm << "P6\n" << w << " " << h << "\n255\n";
      ppm.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    }
    const std::string cmd = std::string("cjpeg ") + c.options + " -outfile " + (dir / "source.jpg").string() + " " +
                            (dir / "source.ppm").string();
    ASSERT_EQ(std::system(cmd.c_str()), 0) << c.name;
    imgpack::DctPayload payload;
    std::string error;
    ASSERT_TRUE(imgpack::jpegToDct(readFile(dir / "source.jpg"), 75, &payload, &error)) << c.name << ": " << error;
    ASSERT_EQ(payload.width, w);
    ASSERT_EQ(payload.height, h);
    QZDctDecoder decoder;
    ASSERT_EQ(decoder.readHeader(payload.bytes.data(), payload.bytes.size()), 6) << c.name;
    EXPECT_EQ(decoder.quality(), 75);
    std::vector<uint16_t> pixels(static_cast<size_t>(w) * h);
    decoder.decode(pixels.data(), w);
    EXPECT_GT(psnr(pixels, rgb), 30.0) << c.name;
  }
}

TEST(ImagePacker, RefusesJpegFilesItCannotRead) {
  if (!havePrograms()) GTEST_SKIP() << "cjpeg/djpeg not installed";
  Reference ref;
  ASSERT_TRUE(reference(64, 48, 75, &ref));
  const std::vector<uint8_t> jpeg = readFile(scratchFolder() / "p64x48q75.jpg");
  imgpack::DctPayload payload;
  std::string error;
  EXPECT_FALSE(imgpack::jpegToDct({'n', 'o', 't', ' ', 'a', ' ', 'J', 'P', 'E', 'G'}, 75, &payload, &error));
  EXPECT_NE(error.find("cannot read the JPEG"), std::string::npos) << error;
  const std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2));
  EXPECT_FALSE(imgpack::jpegToDct(cut, 75, &payload, &error));
  EXPECT_NE(error.find("damaged JPEG"), std::string::npos) << error;
  EXPECT_FALSE(imgpack::jpegToDct({}, 75, &payload, &error));
  EXPECT_FALSE(imgpack::jpegToDct(jpeg, -1, &payload, &error));
  // Optimised tables are no longer taken for the standard ones.
  ASSERT_EQ(std::system(("cjpeg -optimize -quality 75 -sample 2x2 -outfile " + (scratchFolder() / "opt.jpg").string() +
                         " " + (scratchFolder() / "p64x48q75.ppm").string())
                            .c_str()),
            0);
  EXPECT_FALSE(imgpack::rewrapStandardJpeg(readFile(scratchFolder() / "opt.jpg"), 75, &payload, &error));
  EXPECT_EQ(error, "Huffman tables differ from the standard ones");
}

using DctPlnTest = GraphicsTest;

TEST_F(DctPlnTest, PlnImagesCarryDctData) {
  if (!havePrograms()) GTEST_SKIP() << "cjpeg/djpeg not installed";
  Reference ref;
  ASSERT_TRUE(reference(37, 23, 80, &ref));
  const std::vector<uint8_t> pln = imgpack::buildPlnDct(37, 23, ref.payload.bytes);
  QZPlane* plane = QZGetPlane(3, true);
  ASSERT_EQ(QZLoadPlaneFromPlnBytes(plane, pln.data(), pln.size()), 0);
  const uint16_t* bits = QZPlaneImageBits(plane);
  EXPECT_EQ(std::vector<uint16_t>(bits, bits + 37 * 23), ref.pixels);
}

TEST(DctDecoder, QualityScalesTheStandardTables) {
  EXPECT_EQ(QZDctDecoder::scaledQuantiser(0, 0, 50), 16);
  EXPECT_EQ(QZDctDecoder::scaledQuantiser(1, 63, 50), 99);
  for (int quality : {100, 101, 500}) {
    for (int k = 0; k < 64; ++k) EXPECT_EQ(QZDctDecoder::scaledQuantiser(0, k, quality), 1);
  }
  EXPECT_EQ(QZDctDecoder::scaledQuantiser(0, 0, 0), QZDctDecoder::scaledQuantiser(0, 0, 1));
  EXPECT_EQ(QZDctDecoder::scaledQuantiser(1, 63, 1), 255);
  EXPECT_EQ(QZDctDecoder::scaledQuantiser(0, 0, 25), 32);
}

TEST(DctDecoder, RefusesEmptyHeadersAndStarvedData) {
  QZDctDecoder decoder;
  const uint8_t zeroWidth[6] = {0, 0, 5, 0, 50, 0};
  const uint8_t shortHeader[5] = {8, 0, 8, 0, 50};
  // 17 x 16 pixels are two MCUs; one byte of data cannot describe them.
  const uint8_t starved[7] = {17, 0, 16, 0, 50, 0, 0xAA};
  EXPECT_EQ(decoder.readHeader(zeroWidth, sizeof zeroWidth), -1);
  EXPECT_EQ(decoder.readHeader(shortHeader, sizeof shortHeader), -1);
  EXPECT_EQ(decoder.readHeader(starved, sizeof starved), -1);
  const uint8_t enough[8] = {17, 0, 16, 0, 50, 0, 0xAA, 0x55};
  EXPECT_EQ(decoder.readHeader(enough, sizeof enough), 6);
}

TEST(DctDecoder, ReadsStuffingBytesAsDataAndRunsOutIntoZeroBits) {
  // All-ones data: long codes, 0xFF 0x00 pairs are plain data, and runs past
  // the end of a block are absorbed; then the data runs out.
  std::vector<uint8_t> payload = {40, 0, 24, 0, 75, 0};
  for (int i = 0; i < 64; ++i) payload.insert(payload.end(), {0xFF, 0x00, 0xFF, 0xFF});
  QZDctDecoder decoder;
  ASSERT_EQ(decoder.readHeader(payload.data(), payload.size()), 6);
  std::vector<uint16_t> pixels(40 * 24 + 1, 0xABCD);
  decoder.decode(pixels.data(), 40);
  EXPECT_EQ(pixels.back(), 0xABCD);
}

// Data that ends long before the image does decodes exactly as if it went on
// in zero bytes (the decoder stops decoding once only zero bits are left).
TEST(DctDecoder, DataThatEndsEarlyDecodesLikeZeroPadding) {
  std::vector<uint8_t> noise;
  uint32_t state = 99;
  for (int i = 0; i < 300; ++i) noise.push_back(static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 24));
  const std::vector<uint8_t> ones(130, 0xFF);  // one byte per MCU, the least the decoder takes
  for (const std::vector<uint8_t>& data : {noise, ones}) {
    std::vector<uint8_t> payload = {200, 0, 150, 0, 60, 0};
    payload.insert(payload.end(), data.begin(), data.end());
    std::vector<uint8_t> padded = payload;
    padded.resize(payload.size() + (200 / 16 + 1) * (150 / 16 + 1) * 128, 0);  // more than zero bits ever need
    std::vector<uint16_t> cut(200 * 150), whole(200 * 150);
    QZDctDecoder decoder;
    ASSERT_EQ(decoder.readHeader(payload.data(), payload.size()), 6);
    decoder.decode(cut.data(), 200);
    ASSERT_EQ(decoder.readHeader(padded.data(), padded.size()), 6);
    decoder.decode(whole.data(), 200);
    EXPECT_EQ(cut, whole) << data.size() << " bytes of data";
  }
}

// Decodes the payload with the vector loops and with the plain ones; the
// pixels must be the same, whatever the data.
void expectSameWithBothLoops(const std::vector<uint8_t>& payload, const std::string& what) {
  QZDctDecoder vector;
  QZDctDecoder plain(false);
  if (vector.readHeader(payload.data(), payload.size()) < 0) return;
  ASSERT_EQ(plain.readHeader(payload.data(), payload.size()), 6);
  const size_t count = static_cast<size_t>(vector.width()) * vector.height();
  if (count > (1u << 20)) return;
  // One pixel of slack after the image: neither writes past it.
  std::vector<uint16_t> fast(count + 1, 0x1234), slow(count + 1, 0x1234);
  vector.decode(fast.data(), vector.width());
  plain.decode(slow.data(), plain.width());
  size_t differing = 0;
  for (size_t k = 0; k <= count; ++k) differing += fast[k] != slow[k];
  EXPECT_EQ(differing, 0u) << what;
}

std::vector<uint8_t> randomBytes(size_t count, uint32_t seed) {
  std::vector<uint8_t> bytes(count);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
  return bytes;
}

TEST(DctDecoder, VectorLoopsGiveThePlainLoopsBytes) {
  if (!QZDctVectorAvailable()) GTEST_SKIP() << "no vector loops on this processor";
  if (havePrograms()) {
    // Encoded pictures: whole and part MCUs, every quality range.
    struct Case {
      int w, h, quality;
    };
    for (const Case c : {Case{64, 48, 75}, Case{37, 23, 90}, Case{33, 17, 10}, Case{48, 32, 100}, Case{16, 16, 1},
                         Case{240, 320, 50}, Case{31, 9, 97}}) {
      Reference ref;
      ASSERT_TRUE(reference(c.w, c.h, c.quality, &ref));
      const std::string what = std::to_string(c.w) + "x" + std::to_string(c.h) + " q" + std::to_string(c.quality);
      expectSameWithBothLoops(ref.payload.bytes, what);
      // The same data with bytes changed: large coefficients, long runs, odd codes.
      std::vector<uint8_t> damaged = ref.payload.bytes;
      const std::vector<uint8_t> changes = randomBytes(damaged.size(), static_cast<uint32_t>(c.w * c.quality));
      for (size_t k = QZDctDecoder::kHeaderSize; k < damaged.size(); k += 7) damaged[k] ^= changes[k];
      expectSameWithBothLoops(damaged, what + " damaged");
    }
  }
  // Noise under headers of several sizes and qualities: coefficients whose
  // sums and products overflow 32 bits.
  for (const int quality : {1, 25, 60, 100, 1000}) {
    for (const int size : {8, 16, 40, 129}) {
      std::vector<uint8_t> payload = {static_cast<uint8_t>(size),           0,
                                      static_cast<uint8_t>(size + 3),       0,
                                      static_cast<uint8_t>(quality & 0xFF), static_cast<uint8_t>(quality >> 8)};
      const std::vector<uint8_t> data =
          randomBytes(static_cast<size_t>(size) * size, static_cast<uint32_t>(quality + size));
      payload.insert(payload.end(), data.begin(), data.end());
      expectSameWithBothLoops(payload, "noise " + std::to_string(size) + " q" + std::to_string(quality));
    }
  }
  for (const auto& entry : fs::directory_iterator(fs::path(PELLWYN_SOURCE_DIR) / "fuzz/corpus/qz_dct")) {
    expectSameWithBothLoops(readFile(entry.path()), entry.path().filename().string());
  }
}

}  // namespace
