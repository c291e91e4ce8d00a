#include "wince/clock.h"
#include "wince/host/clock.h"

#include "clock_internal.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace wince {

// Read on every look at the time: built before any code runs, so a read
// takes no guard. The virtual time is advanced without the mutex and set with
// it.
constinit std::atomic<bool> detail::clockIsVirtual{false};
constinit std::atomic<uint64_t> detail::clockVirtualNow{0};

namespace {

using detail::clockIsVirtual;
using detail::clockVirtualNow;

constinit std::atomic<int> sleepers{0};  // threads waiting in Sleep on `advanced`

struct ClockState {
  std::mutex mutex;
  std::condition_variable advanced;
  std::thread::id owner;  // the thread whose Sleep advances
  // The real tick count runs from the host's start, as a device's runs from its
  // own: two runs of a program never begin at the same tick (the programs seed
  // their deals from it).
  std::chrono::steady_clock::time_point realStart{};

  std::recursive_mutex listenerMutex;
  std::vector<std::pair<int, std::function<void()>>> listeners;
  std::atomic<size_t> listenerCount{0};  // entries in listeners, read without the lock
  int nextListenerId = 1;
  int notifying = 0;  // depth of notifyListeners on the listener lock
};

void trimListeners(ClockState& s) {
  if (s.notifying == 0) std::erase_if(s.listeners, [](const auto& e) { return !e.second; });
  s.listenerCount = s.listeners.size();
}

ClockState& state() {
  static ClockState s;
  return s;
}

uint64_t realNowMs(const ClockState& s) {
  auto d = std::chrono::steady_clock::now() - s.realStart;
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
}

// Listeners are called by index under a recursive lock, so a listener may add
// or remove listeners and no copy of the list is made per advance.
void notifyListeners(ClockState& s) {
  if (s.listenerCount.load() == 0) return;  // the usual case: no lock per advance
  std::lock_guard<std::recursive_mutex> lock(s.listenerMutex);
  ++s.notifying;
  for (size_t i = 0; i < s.listeners.size(); ++i) {
    if (s.listeners[i].second) s.listeners[i].second();
  }
  --s.notifying;
  trimListeners(s);
}

}  // namespace

uint64_t detail::realClockNowMs() { return realNowMs(state()); }

void useVirtualClock(uint64_t startMs) {
  ClockState& s = state();
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    clockVirtualNow = startMs;
    s.owner = std::this_thread::get_id();
    clockIsVirtual = true;
  }
  s.advanced.notify_all();
}

void useRealClock() {
  ClockState& s = state();
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    clockIsVirtual = false;
  }
  s.advanced.notify_all();
  notifyListeners(s);
}

bool virtualClockActive() { return clockIsVirtual.load(); }

uint64_t clockNowMs() { return detail::nowMs(); }

// Moves the clock without its mutex: a sleeper counts itself before it
// reads the time, and the clock reads the count after it moves, both in
// sequential order, so either the sleeper sees the new time or the clock sees
// the sleeper and wakes it under the mutex.
void advanceClockTo(uint64_t t) {
  uint64_t now = clockVirtualNow.load();
  do {
    if (!clockIsVirtual.load() || t <= now) return;
  } while (!clockVirtualNow.compare_exchange_weak(now, t));
  ClockState& s = state();
  if (sleepers.load() != 0) {
    std::lock_guard<std::mutex> lock(s.mutex);
    s.advanced.notify_all();
  }
  notifyListeners(s);
}

void advanceClock(uint64_t ms) {
  if (ms == 0 || !virtualClockActive()) return;
  advanceClockTo(clockNowMs() + ms);
}

int addClockListener(std::function<void()> listener) {
  ClockState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.listenerMutex);
  int id = s.nextListenerId++;
  s.listeners.emplace_back(id, std::move(listener));
  s.listenerCount = s.listeners.size();
  return id;
}

void removeClockListener(int id) {
  ClockState& s = state();
  std::lock_guard<std::recursive_mutex> lock(s.listenerMutex);
  for (auto& entry : s.listeners) {
    // Cleared in place (a listener may be running); trimmed when idle.
    if (entry.first == id) entry.second = nullptr;
  }
  trimListeners(s);
}

}  // namespace wince

DWORD GetTickCount() { return static_cast<DWORD>(wince::clockNowMs()); }

void Sleep(DWORD ms) {
  wince::ClockState& s = wince::state();
  if (!wince::detail::clockIsVirtual.load()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return;
  }
  std::unique_lock<std::mutex> lock(s.mutex);
  if (std::this_thread::get_id() == s.owner) {
    lock.unlock();
    wince::advanceClock(ms);
    return;
  }
  const uint64_t deadline = wince::detail::clockVirtualNow + ms;
  ++wince::sleepers;
  s.advanced.wait(lock,
                  [&] { return !wince::detail::clockIsVirtual.load() || wince::detail::clockVirtualNow >= deadline; });
  --wince::sleepers;
}
