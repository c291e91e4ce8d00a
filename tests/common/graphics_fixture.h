// Shared set-up of the graphics tests: a started graphics layer with a
// 16-bit back buffer, resources served from memory, and small builders.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "imgpack_blob.h"
#include "imgpack_png.h"
#include "qz_bitmap.h"
#include "qz_blob.h"
#include "qz_plane.h"
#include "qz_screen.h"

#include "wince/host/png_io.h"

class GraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QZSetScreenDepth(16);
    QZSetGraphicsConfig(QZGraphicsConfig{32, 1400, 130, 0});
    QZSetGraphicsResourceReader([this](uint32_t type, int id, std::vector<uint8_t>* out) -> int16_t {
      const auto it = resources_.find({type, id});
      if (it == resources_.end()) return -5;
      *out = it->second;
      return 0;
    });
    QZSetScreenEnvironment(screenEnvironment());
    ASSERT_EQ(QZStartGraphics(nullptr), 0);
    ASSERT_EQ(QZCreateScreenPlane(screenWidth(), screenHeight()), 0);
  }

  void TearDown() override {
    QZStopGraphics();
    QZSetGraphicsResourceReader(nullptr);
    QZSetScreenOutput(nullptr);
    QZSetScreenEnvironment({});
  }

  // The display the screen layout sees: the runtime's own by default.
  virtual QZScreenEnvironment screenEnvironment() const { return {}; }
  virtual int screenWidth() const { return 64; }
  virtual int screenHeight() const { return 48; }

  void addResource(uint32_t type, int id, std::vector<uint8_t> bytes) { resources_[{type, id}] = std::move(bytes); }

  // Pixels of the drawing plane as one vector (pitch = width).
  static std::vector<uint16_t> drawPixels() {
    const QZPlane* p = QZGetDrawPlane();
    const uint16_t* bits = QZPlaneImageBits(p);
    return std::vector<uint16_t>(bits, bits + static_cast<size_t>(p->pitch) * p->height);
  }
  static uint16_t pixelAt(int x, int y) {
    const QZPlane* p = QZGetDrawPlane();
    return QZPlaneImageBits(p)[static_cast<size_t>(y) * p->pitch + x];
  }

  // Loads a blob set built from the given blobs under a set id.
  void loadBlobs(int setId, const std::vector<imgpack::BlobImage>& blobs,
                 imgpack::BlobStorage storage = imgpack::BlobStorage::Palette) {
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(imgpack::buildBlobSet(blobs, storage, &bytes, &error)) << error;
    addResource(QZFourCC('a', 'B', 'S', 'T'), setId, bytes);
    ASSERT_EQ(QZLoadBlobSet(setId, 0), 0);
  }

  // Compares the drawing plane with a golden PNG; writes the actual picture
  // next to the test's scratch files when they differ (or when the golden
  // file is missing, so that it can be checked by eye and added).
  static void expectGolden(const std::string& name, const std::vector<uint16_t>& pixels, int width, int height) {
    imgpack::Image actual;
    actual.width = width;
    actual.height = height;
    actual.pixels = pixels;
    const std::string golden = std::string(PELLWYN_SOURCE_DIR) + "/tests/platform/golden/" + name + ".png";
    imgpack::Image expected;
    std::string error;
    const bool found = imgpack::readPng(golden, &expected, &error);
    if (!found || expected.pixels != actual.pixels || expected.width != width || expected.height != height) {
      const std::string dir = std::string(PELLWYN_TEST_TMP);
      std::string ignored;
      std::filesystem::create_directories(dir);
      imgpack::writePng(dir + "/" + name + ".png", actual, &ignored);
      FAIL() << (found ? "differs from " : "missing ") << golden << "; actual picture in " << dir << "/" << name
             << ".png";
    }
  }

  std::map<std::pair<uint32_t, int>, std::vector<uint8_t>> resources_;
};

// Collects what the screen update copies into a window-sized picture.
class CaptureOutput : public QZScreenOutput {
 public:
  CaptureOutput(int w, int h, uint16_t fill = 0) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
  void blit(HBITMAP source, int sx, int sy, int w, int h, int dx, int dy) override {
    int sw = 0, sh = 0;
    QZBitmapSize(source, &sw, &sh);
    const uint16_t* bits = QZBitmapPixels(source);
    for (int j = 0; j < h; ++j) {
      for (int i = 0; i < w; ++i) {
        if (dx + i < 0 || dy + j < 0 || dx + i >= width || dy + j >= height || sx + i >= sw || sy + j >= sh) continue;
        pixels[static_cast<size_t>(dy + j) * width + dx + i] = bits[static_cast<size_t>(sy + j) * sw + sx + i];
      }
    }
    ++blits;
  }
  void fillRect(int left, int top, int right, int bottom, uint16_t colour) override {
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
      for (int x = std::max(left, 0); x < std::min(right, width); ++x) pixels[static_cast<size_t>(y) * width + x] = colour;
    }
  }
  int width, height;
  std::vector<uint16_t> pixels;
  int blits = 0;
};

// A blob of w x h whose pixel k is colour base + k, with an optional
// transparency pattern ('.' transparent, anything else opaque), row by row.
inline imgpack::BlobImage makeBlob(int16_t id, int w, int h, uint16_t base, const char* pattern = nullptr) {
  imgpack::BlobImage b;
  b.id = id;
  b.width = w;
  b.height = h;
  for (int k = 0; k < w * h; ++k) b.pixels.push_back(static_cast<uint16_t>(base + k));
  if (pattern) {
    for (int k = 0; k < w * h; ++k) b.opaque.push_back(pattern[k] == '.' ? 0 : 1);
  }
  return b;
}
