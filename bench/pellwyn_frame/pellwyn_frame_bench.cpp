// Pellwyn's frame at 240x320: the idle frame must cost next to nothing, since
// the loop draws only what is dirty; the full redraw shows the other end.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "qz_bitmap.h"
#include "qz_plane.h"
#include "qz_screen.h"
#include "qzf_application.h"
#include "qzf_graphics.h"
#include "qzf_ui.h"

namespace {

const QZGraphicsMode kMode[] = {{'D', 16, 240, 320, 0}};
const QZFModeTable kModes{kMode, 1};
const int16_t kValues[16] = {};

// Draws a plain screen wherever the grid says it is dirty.
class PlainForms : public CQZFFormHandler {
 public:
  using CQZFFormHandler::CQZFFormHandler;
  void drawForms() override {
    CQZFGraphics* g = static_cast<CQZFApplication*>(find(kQZFKindApplication))->getGraphics();
    if (g->grid().isWholeScreen()) {
      g->fillRect(0, 0, 240, 320, 0, 255, 0x0A64);
      return;
    }
    for (const QZRect& r : g->grid().getUpdateList()) g->fillRectangle(r, 0, 255, 0x0A64);
  }
};

class PlainUI : public CQZFUI {
 public:
  using CQZFUI::CQZFUI;

 protected:
  std::unique_ptr<CQZFFormHandler> makeFormHandler() override { return std::make_unique<PlainForms>(this); }
};

class FrameApplication : public CQZFApplication {
 public:
  int16_t preInit(const QZFModeTable** out) override {
    *out = &kModes;
    return 0;
  }
  const int16_t* getValueTable(int) override { return kValues; }

 protected:
  std::unique_ptr<CQZFUI> makeUserInterface() override { return std::make_unique<PlainUI>(this); }
};

// The screen copies go nowhere: the window is not what is measured.
class NullOutput : public QZScreenOutput {
 public:
  void blit(HBITMAP, int, int, int, int, int, int) override {}
  void fillRect(int, int, int, int, uint16_t) override {}
};

struct Frame {
  Frame() {
    QZSetScreenDepth(16);
    QZSetGraphicsConfig(QZGraphicsConfig{10, 1400, 130, 0});
    QZScreenEnvironment environment;
    environment.display = [] { return QZDisplay{240, 320, 16, true, false, 0, 320, 320, false}; };
    environment.modeListed = [](int) { return true; };
    QZSetScreenEnvironment(environment);
    QZSetScreenOutput(&output);
    QZStartGraphics(nullptr);
    app.init();
  }
  ~Frame() {
    app.shutdown();
    QZStopGraphics();
    QZSetScreenOutput(nullptr);
    QZSetScreenEnvironment({});
  }
  NullOutput output;
  FrameApplication app;
};

void BM_IdleFrame(benchmark::State& state) {
  Frame frame;
  frame.app.tick();
  frame.app.drawFrame();
  for (auto _ : state) {
    benchmark::DoNotOptimize(frame.app.tick());
    frame.app.drawFrame();
  }
}
BENCHMARK(BM_IdleFrame);

void BM_FullRedrawFrame(benchmark::State& state) {
  Frame frame;
  for (auto _ : state) {
    frame.app.getGraphics()->invalidateAll();
    benchmark::DoNotOptimize(frame.app.tick());
    frame.app.drawFrame();
  }
}
BENCHMARK(BM_FullRedrawFrame);

// Reference: copying the screen's bytes once.
void BM_ScreenMemcpy(benchmark::State& state) {
  std::vector<uint16_t> from(240 * 320, 0x0A64), to(240 * 320);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * 2);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ScreenMemcpy);

}  // namespace
