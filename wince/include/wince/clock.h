// The one clock of the runtime. GetTickCount is monotonic milliseconds since
// the runtime started. Headless runs and tests switch to a virtual clock that
// moves only when told (advanceClock, Sleep on the clock's thread, or the
// message loop helpers in window.h), so timers fire deterministically.
#pragma once

#include <cstdint>
#include <functional>

#include "wince/types.h"

DWORD GetTickCount();

// Real clock: blocks the calling thread. Virtual clock: on the thread that
// switched the clock to virtual time, advances the clock by ms at once; on any
// other thread, blocks until the virtual time has reached now + ms (or the
// clock goes back to real time).
void Sleep(DWORD ms);

namespace wince {

// Switches to virtual time starting at startMs, on behalf of the calling
// thread (its Sleep advances the clock). Wakes every virtual sleeper.
void useVirtualClock(uint64_t startMs = 0);
// Back to the monotonic real clock (GetTickCount continues from real time).
void useRealClock();
bool virtualClockActive();

// Milliseconds, 64-bit: virtual time, or real time since the runtime started.
uint64_t clockNowMs();

// Virtual clock only (ignored on the real clock): moves time forward and
// wakes virtual sleepers and clock listeners.
void advanceClock(uint64_t ms);
// Moves virtual time to t when t is later than now.
void advanceClockTo(uint64_t t);

// Called (on the advancing thread, outside any runtime lock) after each
// virtual advance, for waits with timeouts in other parts of the runtime.
// Returns an id for removeClockListener.
int addClockListener(std::function<void()> listener);
void removeClockListener(int id);

}  // namespace wince
