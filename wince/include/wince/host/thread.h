// Threads for the launcher, the back ends and the tests (programs use
// wince/thread.h): power notifications from the desktop, joining threads.
#pragma once

#include "wince/thread.h"

namespace wince {

// The desktop's suspend key, the script command and tests call these: each
// writes a whole POWER_BROADCAST (44 bytes) to every queue registered for
// PBT_TRANSITION: Flags POWER_STATE_SUSPEND and state "suspend", or
// POWER_STATE_ON and "on"; resuming also writes {PBT_RESUME, 0, 0} to queues
// registered for PBT_RESUME. Returns the number of queues written to (a full
// queue is skipped).
int simulateSuspend();
int simulateResume();

// Joins every thread made by CreateThread (their stop flags must have been
// set). Tests call it before checking results. At process exit the runtime
// joins threads that end within two seconds and reports any other.
void joinAllThreads();

}  // namespace wince
