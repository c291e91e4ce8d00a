// Per-frame drawing at 240x320 and 480x640 and DCT decoding, each with a
// reference measured in the same run.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "imgpack_blob.h"
#include "imgpack_jpeg.h"
#include "qz_blob.h"
#include "qz_dct.h"
#include "qz_fill.h"
#include "qz_plane.h"
#include "qz_screen.h"

namespace {

// libjpeg-turbo's scalar path, like for like with ours.
const int kScalarReference = setenv("JSIMD_FORCENONE", "1", 1);

constexpr int kCards = 52;

// A 36 x 48 card face with rounded corners and a pattern of its own.
imgpack::BlobImage cardFace(int index) {
  imgpack::BlobImage b;
  b.id = static_cast<int16_t>(index);
  b.width = 36;
  b.height = 48;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 36; ++x) {
      const int cx = x < 3 ? 3 - x : (x > 32 ? x - 32 : 0), cy = y < 3 ? 3 - y : (y > 44 ? y - 44 : 0);
      b.opaque.push_back(cx * cx + cy * cy <= 9 ? 1 : 0);
      const bool ink = ((x * 7 + y * 3 + index * 5) % 23) < 3 + index % 4;
      b.pixels.push_back(ink ? static_cast<uint16_t>((index % 2) ? 0xD800 : 0x0000) : static_cast<uint16_t>(0xFFDF - (y / 12)));
    }
  }
  return b;
}

// The graphics layer with a back buffer of the given size and one full set
// of card faces loaded.
struct Scene {
  explicit Scene(int width, int height) : w(width), h(height) {
    QZSetGraphicsConfig(QZGraphicsConfig{32, 1400, 130, 0});
    std::vector<imgpack::BlobImage> cards;
    for (int i = 0; i < kCards; ++i) cards.push_back(cardFace(i));
    imgpack::buildBlobSet(cards, imgpack::BlobStorage::PalettePacked, &set, &error);
    QZSetGraphicsResourceReader([this](uint32_t, int, std::vector<uint8_t>* out) -> int16_t {
      *out = set;
      return 0;
    });
    QZStartGraphics(nullptr);
    QZCreateScreenPlane(w, h);
    QZLoadBlobSet(1, 0);
    QZCreatePlane(1, w, h, false);
    QZDrawToPlane(1);
    QZFillGradient16BPP(0, 0, w, h, 0x0320, 0x0100, 0, 256);
    QZDrawToScreen();
  }
  ~Scene() { QZStopGraphics(); }
  // Cards laid out over the whole screen, as a game's tableau.
  void drawCards(int flags, int level, int xOffset = 0) const {
    for (int i = 0; i < kCards; ++i) {
      QZDrawBlob(i, xOffset + (i % 13) * (w / 13), (i / 13) * (h / 5) + 4, flags, level);
    }
  }
  int w, h;
  std::vector<uint8_t> set;
  std::string error;
};

void setBytes(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

// --- Blob drawing of a full set of card faces ---

void BM_CardsOpaque(benchmark::State& state) {
  Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) s.drawCards(0, 256);
  setBytes(state, kCards * 36 * 48 * 2);
}
void BM_CardsBlend128(benchmark::State& state) {
  Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) s.drawCards(0, 128);
  setBytes(state, kCards * 36 * 48 * 2);
}
void BM_CardsAdditive(benchmark::State& state) {
  Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) s.drawCards(kQZBlobAdditive, 256);
  setBytes(state, kCards * 36 * 48 * 2);
}
void BM_CardsFlippedClipped(benchmark::State& state) {
  Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) s.drawCards(kQZBlobFlipHorizontal | kQZBlobFlipVertical, 256, -12);
  setBytes(state, kCards * 36 * 48 * 2);
}
// Reference: memcpy of the same card rows.
void BM_CardsMemcpyReference(benchmark::State& state) {
  std::vector<uint16_t> dst(static_cast<size_t>(state.range(0)) * state.range(1)), src(36 * 48);
  for (auto _ : state) {
    for (int i = 0; i < kCards; ++i) {
      for (int y = 0; y < 48; ++y) std::memcpy(&dst[(static_cast<size_t>(y) + (i / 13) * 60) * state.range(0) + (i % 13) * 18], &src[y * 36], 72);
    }
    benchmark::ClobberMemory();
  }
  setBytes(state, kCards * 36 * 48 * 2);
}
// Reference: pixman compositing the same card rectangles, r5g6b5 OVER with an a8 mask.
void BM_CardsPixmanReference(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  std::vector<uint16_t> dst(static_cast<size_t>(w) * h), card(36 * 48, 0xFFDF);
  std::vector<uint8_t> alpha(40 * 48, 0xFF);
  pixman_image_t* d = pixman_image_create_bits(PIXMAN_r5g6b5, w, h, reinterpret_cast<uint32_t*>(dst.data()), w * 2);
  pixman_image_t* c = pixman_image_create_bits(PIXMAN_r5g6b5, 36, 48, reinterpret_cast<uint32_t*>(card.data()), 72);
  pixman_image_t* m = pixman_image_create_bits(PIXMAN_a8, 36, 48, reinterpret_cast<uint32_t*>(alpha.data()), 40);
  for (auto _ : state) {
    for (int i = 0; i < kCards; ++i) {
      pixman_image_composite32(PIXMAN_OP_OVER, c, m, d, 0, 0, 0, 0, (i % 13) * (w / 13), (i / 13) * (h / 5) + 4, 36, 48);
    }
  }
  pixman_image_unref(d);
  pixman_image_unref(c);
  pixman_image_unref(m);
  setBytes(state, kCards * 36 * 48 * 2);
}

// --- Full-screen fill and gradient ---

void BM_FillScreen(benchmark::State& state) {
  Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) QZLLFill16BPP(0, 0, s.w, s.h, 0x1234, 0, 256);
  setBytes(state, static_cast<size_t>(s.w) * s.h * 2);
}
void BM_FillScreenBlend(benchmark::State& state) {
  Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) QZLLFill16BPP(0, 0, s.w, s.h, 0x1234, 0, 128);
  setBytes(state, static_cast<size_t>(s.w) * s.h * 2);
}
void BM_GradientScreen(benchmark::State& state) {
  Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) QZFillGradient16BPP(0, 0, s.w, s.h, 0xF800, 0x001F, 0, 256);
  setBytes(state, static_cast<size_t>(s.w) * s.h * 2);
}
void BM_ScreenMemcpyReference(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0)) * state.range(1);
  std::vector<uint16_t> a(n, 1), b(n);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), n * 2);
    benchmark::ClobberMemory();
  }
  setBytes(state, n * 2);
}
void BM_FillPixmanReference(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  std::vector<uint16_t> dst(static_cast<size_t>(w) * h);
  for (auto _ : state) {
    pixman_fill(reinterpret_cast<uint32_t*>(dst.data()), w / 2, 16, 0, 0, w, h, 0x1234);
    benchmark::ClobberMemory();
  }
  setBytes(state, static_cast<size_t>(w) * h * 2);
}

// --- Scaled screen update: 240x320 doubled to 480x640 ---

void BM_ScalePlane(benchmark::State& state) {
  std::vector<uint16_t> src(240 * 320, 7), dst(480 * 640);
  for (auto _ : state) {
    QZScalePlane(src.data(), 240, 320, dst.data(), 480, 4096, 0, 0, 479, 639);
    benchmark::ClobberMemory();
  }
  setBytes(state, dst.size() * 2);
}
void BM_ScalePixmanReference(benchmark::State& state) {
  std::vector<uint16_t> src(240 * 320, 7), dst(480 * 640);
  pixman_image_t* s = pixman_image_create_bits(PIXMAN_r5g6b5, 240, 320, reinterpret_cast<uint32_t*>(src.data()), 480);
  pixman_image_t* d = pixman_image_create_bits(PIXMAN_r5g6b5, 480, 640, reinterpret_cast<uint32_t*>(dst.data()), 960);
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
  pixman_image_set_transform(s, &t);
  pixman_image_set_filter(s, PIXMAN_FILTER_NEAREST, nullptr, 0);
  for (auto _ : state) pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, 480, 640);
  pixman_image_unref(s);
  pixman_image_unref(d);
  setBytes(state, dst.size() * 2);
}

// --- A whole frame at 480x640: background, a full tableau of cards, a toolbar ---

void BM_FullFrame(benchmark::State& state) {
  Scene s(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    QZDrawPlane(1);
    s.drawCards(0, 256);
    QZFillGradient16BPP(0, s.h - 40, s.w, s.h, 0x4208, 0x0000, 0, 200);
  }
}

// --- DCT decoding of a 480x640 picture ---

struct Photo {
  Photo() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "pellwyn_bench_graphics";
    std::filesystem::create_directories(dir);
    const std::string ppm = (dir / "photo.ppm").string(), jpg = (dir / "photo.jpg").string();
    {
      std::ofstream out(ppm, std::ios::binary);
      out << "P6\n480 640\n255\n";
      for (int y = 0; y < 640; ++y) {
        for (int x = 0; x < 480; ++x) {
          const double d = std::hypot(x - 240.0, y - 200.0);
          out.put(static_cast<char>(x * 255 / 479));
          out.put(static_cast<char>(128 + 100 * std::sin(d / 9.0)));
          out.put(static_cast<char>(((x / 13 + y / 11) % 2) ? 220 : 40));
        }
      }
    }
    if (std::system(("cjpeg -baseline -quality 75 -sample 2x2 -outfile " + jpg + " " + ppm).c_str()) == 0) {
      std::ifstream in(jpg, std::ios::binary);
      jpeg.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove_all(dir);
    if (jpeg.empty()) return;
    std::string error;
    imgpack::jpegToDct(jpeg, 75, &payload, &error);
  }
  std::vector<uint8_t> jpeg;
  imgpack::DctPayload payload;
};

const Photo& photo() {
  static const Photo p;
  return p;
}

void BM_DctDecode(benchmark::State& state) {
  const Photo& p = photo();
  std::vector<uint16_t> pixels(480 * 640);
  for (auto _ : state) {
    QZDctDecoder decoder;
    decoder.readHeader(p.payload.bytes.data(), p.payload.bytes.size());
    decoder.decode(pixels.data(), 480);
    benchmark::ClobberMemory();
  }
  setBytes(state, pixels.size() * 2);
}

void BM_DctLibjpegScalarReference(benchmark::State& state) {
  const Photo& p = photo();
  std::vector<uint16_t> pixels(480 * 640);
  for (auto _ : state) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, p.jpeg.data(), static_cast<unsigned long>(p.jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_IFAST;
    cinfo.do_fancy_upsampling = FALSE;
    cinfo.out_color_space = JCS_RGB565;
    cinfo.dither_mode = JDITHER_NONE;
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = reinterpret_cast<JSAMPROW>(&pixels[static_cast<size_t>(cinfo.output_scanline) * 480]);
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
  }
  setBytes(state, pixels.size() * 2);
}

#define SIZES ->Args({240, 320})->Args({480, 640})
BENCHMARK(BM_CardsOpaque) SIZES;
BENCHMARK(BM_CardsBlend128) SIZES;
BENCHMARK(BM_CardsAdditive) SIZES;
BENCHMARK(BM_CardsFlippedClipped) SIZES;
BENCHMARK(BM_CardsMemcpyReference) SIZES;
BENCHMARK(BM_CardsPixmanReference) SIZES;
BENCHMARK(BM_FillScreen) SIZES;
BENCHMARK(BM_FillScreenBlend) SIZES;
BENCHMARK(BM_GradientScreen) SIZES;
BENCHMARK(BM_ScreenMemcpyReference) SIZES;
BENCHMARK(BM_FillPixmanReference) SIZES;
BENCHMARK(BM_ScalePlane);
BENCHMARK(BM_ScalePixmanReference);
BENCHMARK(BM_FullFrame) SIZES;
BENCHMARK(BM_DctDecode);
BENCHMARK(BM_DctLibjpegScalarReference);

}  // namespace
