// Timer ticks and posted messages through the runtime's queue, with the
// allocations each one costs, beside a mutex-and-deque queue doing the same
// post-and-take work.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <new>

#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/window.h"
#include "wince/window.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// Counts every allocation of the process, so a benchmark can report how many
// its loop made. The replacements pair malloc with free themselves, which the
// compiler's new/delete matching cannot see.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size != 0 ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

LRESULT CALLBACK countingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  static long ticks = 0;
  if (msg == WM_TIMER || msg == WM_USER) {
    benchmark::DoNotOptimize(++ticks);
    return 0;
  }
  return DefWindowProc(h, msg, wp, lp);
}

HWND benchWindow() {
  wince::resetWindowing();
  wince::useVirtualClock(0);
  WNDCLASSW wc{};
  wc.lpfnWndProc = countingProc;
  wc.lpszClassName = u"Bench";
  RegisterClass(&wc);
  return CreateWindowEx(0, u"Bench", u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

void reportAllocations(benchmark::State& state, long before) {
  state.counters["allocs/iter"] =
      benchmark::Counter(static_cast<double>(allocations.load() - before), benchmark::Counter::kAvgIterations);
}

// The 10 ms game tick: the clock moves to the due time and the tick is
// taken and dispatched.
void BM_TimerTick(benchmark::State& state) {
  HWND w = benchWindow();
  SetTimer(w, 1, 10, nullptr);
  wince::runFor(100);  // warm
  const long before = allocations.load();
  for (auto _ : state) wince::runFor(10);
  reportAllocations(state, before);
  wince::resetWindowing();
}
BENCHMARK(BM_TimerTick);

void BM_PostAndDispatch(benchmark::State& state) {
  HWND w = benchWindow();
  MSG m;
  PostMessage(w, WM_USER, 0, 0);
  PeekMessage(&m, nullptr, 0, 0, PM_REMOVE);  // warm
  const long before = allocations.load();
  for (auto _ : state) {
    PostMessage(w, WM_USER, 0, 0);
    PeekMessage(&m, nullptr, 0, 0, PM_REMOVE);
    DispatchMessage(&m);
  }
  reportAllocations(state, before);
  wince::resetWindowing();
}
BENCHMARK(BM_PostAndDispatch);

// The peer: the simplest thread-safe queue, posting and taking the same
// message.
void BM_DequeQueuePeer(benchmark::State& state) {
  std::mutex mutex;
  std::deque<MSG> queue;
  const long before = allocations.load();
  for (auto _ : state) {
    {
      std::lock_guard<std::mutex> lock(mutex);
      queue.push_back(MSG{nullptr, WM_USER, 0, 0, 0, POINT{}});
    }
    std::lock_guard<std::mutex> lock(mutex);
    MSG m = queue.front();
    queue.pop_front();
    benchmark::DoNotOptimize(m);
  }
  reportAllocations(state, before);
}
BENCHMARK(BM_DequeQueuePeer);

}  // namespace
