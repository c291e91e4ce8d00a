// Control of the runtime's clock for the launcher, the back ends and the
// tests (programs read it through wince/clock.h).
#pragma once

#include <cstdint>
#include <functional>

#include "wince/clock.h"

namespace wince {

// Switches to virtual time starting at startMs, on behalf of the calling
// thread (its Sleep advances the clock). Wakes every virtual sleeper.
void useVirtualClock(uint64_t startMs = 0);
// Back to the monotonic real clock (GetTickCount continues from real time).
void useRealClock();
bool virtualClockActive();

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
