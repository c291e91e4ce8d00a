// BitBlt, TransparentImage, FillRect and DrawText on 16-bit surfaces, and the
// same copies and fills through pixman as the peer.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <vector>

#include "gdi_test_util.h"
#include "wince/gdi.h"

namespace {

using Dib16 = gditest::DibDc;

// Whole-screen copy: the frame flip of a 240x320 or 480x640 device.
void BM_BitBltScreen(benchmark::State& state) {
  int w = static_cast<int>(state.range(0)), h = w * 4 / 3;
  Dib16 src(w, h), dst(w, h);
  for (auto _ : state) BitBlt(dst.dc, 0, 0, w, h, src.dc, 0, 0, SRCCOPY);
  state.SetBytesProcessed(state.iterations() * w * h * 2);
}
BENCHMARK(BM_BitBltScreen)->Arg(240)->Arg(480);

void BM_PixmanCopyScreen(benchmark::State& state) {
  int w = static_cast<int>(state.range(0)), h = w * 4 / 3;
  int stride = w * 2;
  std::vector<uint32_t> a(stride * h / 4), b(stride * h / 4);
  pixman_image_t* src = pixman_image_create_bits(PIXMAN_r5g6b5, w, h, a.data(), stride);
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_r5g6b5, w, h, b.data(), stride);
  for (auto _ : state) pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, w, h);
  state.SetBytesProcessed(state.iterations() * w * h * 2);
  pixman_image_unref(src);
  pixman_image_unref(dst);
}
BENCHMARK(BM_PixmanCopyScreen)->Arg(240)->Arg(480);

// One card picture onto the back buffer: 52 x 70 at a VGA field.
void BM_BitBltCard(benchmark::State& state) {
  Dib16 card(52, 70), field(480, 640);
  int i = 0;
  for (auto _ : state) {
    BitBlt(field.dc, (i * 37) % 400, (i * 53) % 560, 52, 70, card.dc, 0, 0, SRCCOPY);
    ++i;
  }
}
BENCHMARK(BM_BitBltCard);

void BM_TransparentImageMarker(benchmark::State& state) {
  Dib16 marker(44, 44), field(480, 640);
  for (auto _ : state) TransparentImage(field.dc, 10, 10, 44, 44, marker.dc, 0, 0, 44, 44, RGB(255, 255, 255));
}
BENCHMARK(BM_TransparentImageMarker);

void BM_FillRectScreen(benchmark::State& state) {
  Dib16 dst(480, 640);
  HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
  RECT r{0, 0, 480, 640};
  for (auto _ : state) FillRect(dst.dc, &r, brush);
  DeleteObject(brush);
}
BENCHMARK(BM_FillRectScreen);

void BM_PixmanFillScreen(benchmark::State& state) {
  std::vector<uint32_t> a(480 * 640 / 2);
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_r5g6b5, 480, 640, a.data(), 960);
  pixman_color_t green{0, 0x8000, 0, 0xFFFF};
  pixman_image_t* solid = pixman_image_create_solid_fill(&green);
  for (auto _ : state) pixman_image_composite32(PIXMAN_OP_SRC, solid, nullptr, dst, 0, 0, 0, 0, 0, 0, 480, 640);
  pixman_image_unref(solid);
  pixman_image_unref(dst);
}
BENCHMARK(BM_PixmanFillScreen);

void BM_DrawTextLine(benchmark::State& state) {
  Dib16 dst(240, 40);
  LOGFONTW lf{};
  lf.lfHeight = 14;
  HFONT font = CreateFontIndirect(&lf);
  HGDIOBJ old = SelectObject(dst.dc, font);
  SetBkMode(dst.dc, TRANSPARENT);
  RECT r{0, 0, 240, 20};
  for (auto _ : state)
    DrawText(dst.dc, u"Moves: 125  Time: 3:07", -1, &r, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_CENTER);
  SelectObject(dst.dc, old);
  DeleteObject(font);
}
BENCHMARK(BM_DrawTextLine);

}  // namespace
