// The clock's time for the queue's every look: read inline, without a call.
#pragma once

#include <atomic>
#include <cstdint>

namespace wince::detail {

extern std::atomic<bool> clockIsVirtual;
extern std::atomic<uint64_t> clockVirtualNow;  // advanced without a lock
uint64_t realClockNowMs();

inline uint64_t nowMs() { return clockIsVirtual.load() ? clockVirtualNow.load() : realClockNowMs(); }

}  // namespace wince::detail
