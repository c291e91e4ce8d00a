// Pellwyn's frame at 240x320: the idle frame must cost next to nothing, since
// the loop draws only what is dirty; the full redraw shows the other end.
// The program itself, idling in its window, should use next to no CPU time.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
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
    CQZFGraphics* g = findOwner<CQZFApplication>()->getGraphics();
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
  std::span<const int16_t> getValueTable(int) override { return kValues; }

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
    if (app.init() != 0) std::abort();
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

// CPU time of every thread of a process so far, in seconds (the scheduler's
// nanosecond counts); a negative value when the process is gone.
double processCpuSeconds(pid_t pid) {
  namespace fs = std::filesystem;
  double total = 0;
  std::error_code error;
  for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    uint64_t runNs = 0;
    if (std::ifstream(task.path() / "schedstat") >> runNs) total += static_cast<double>(runNs) / 1e9;
  }
  return error ? -1 : total;
}

// CPU seconds per wall second while Pellwyn idles in its window (SDL's
// display-less driver, so no display is needed and waits take real time),
// measured between two points well after its start.
void BM_IdleProcessCpu(benchmark::State& state) {
  namespace fs = std::filesystem;
  using namespace std::chrono_literals;
  const fs::path work = fs::temp_directory_path() / ("pellwyn-idle-" + std::to_string(getpid()));
  fs::create_directories(work);
  const fs::path script = work / "idle.txt";
  std::ofstream(script) << "wait 7000\n";
  for (auto _ : state) {
    const pid_t child = fork();
    if (child == 0) {
      setenv("SDL_VIDEODRIVER", "dummy", 1);
      setenv("WINCE_INSTANCE_NAMESPACE", work.c_str(), 1);
      execl(PELLWYN_PROGRAM, PELLWYN_PROGRAM, "--root", (work / "root").c_str(), "--script", script.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    std::this_thread::sleep_for(2s);
    const auto start = std::chrono::steady_clock::now();
    const double before = processCpuSeconds(child);
    std::this_thread::sleep_for(4s);
    const double after = processCpuSeconds(child);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    int status = 0;
    waitpid(child, &status, 0);
    if (before < 0 || after < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the program did not run");
      break;
    }
    state.counters["cpu_per_wall"] = (after - before) / wall;
  }
  fs::remove_all(work);
}
BENCHMARK(BM_IdleProcessCpu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
