// The one clock of the runtime. GetTickCount is monotonic milliseconds since
// the runtime started. Headless runs and tests switch to a virtual clock that
// moves only when told (wince/host/clock.h: advanceClock, Sleep on the
// clock's thread, or the message loop helpers of wince/host/window.h), so
// timers fire deterministically.
#pragma once

#include <cstdint>

#include "wince/types.h"

DWORD GetTickCount();

// Real clock: blocks the calling thread. Virtual clock: on the thread that
// switched the clock to virtual time, advances the clock by ms at once; on any
// other thread, blocks until the virtual time has reached now + ms (or the
// clock goes back to real time).
void Sleep(DWORD ms);

namespace wince {

// Milliseconds, 64-bit: virtual time, or real time since the runtime started.
uint64_t clockNowMs();

}  // namespace wince
