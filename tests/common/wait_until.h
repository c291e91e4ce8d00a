// Waiting for what another thread or process does. A test waits for the
// state it needs, however slowly a busy machine runs the other side; the
// bound is only a guard against a hang, far longer than any healthy wait.
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

namespace test_wait {

// Long enough that only a broken test reaches it, short of CTest's timeout.
inline constexpr std::chrono::seconds kHangGuard{120};
inline constexpr uint32_t kHangGuardMs = 120000;

// Runs step() (pumping messages, moving a virtual clock) until done() holds.
// False when the hang guard ran out first.
template <class Done, class Step>
bool waitUntil(Done done, Step step) {
  const auto giveUp = std::chrono::steady_clock::now() + kHangGuard;
  while (!done()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    step();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

template <class Done>
bool waitUntil(Done done) {
  return waitUntil(done, [] {});
}

}  // namespace test_wait
