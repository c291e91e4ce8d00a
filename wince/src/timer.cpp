// Timers. WM_TIMER is never queued: the queue makes one for the earliest due
// timer when it has nothing else, so a timer has at most one pending and
// taking it costs no allocation.
#include <algorithm>
#include <limits>
#include <vector>

#include "clock_internal.h"
#include "window_internal.h"

namespace wince::win {

constinit uint64_t earliestTimerDue = std::numeric_limits<uint64_t>::max();

namespace {

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT interval;
  TIMERPROC proc;
  uint64_t due;
};

constinit std::vector<Timer> timerList;

// Kept with every change of the list, so that a fetch with nothing due looks
// at one number, not at every timer.
void refreshEarliest() {
  earliestTimerDue = std::numeric_limits<uint64_t>::max();
  for (const Timer& timer : timerList) earliestTimerDue = std::min(earliestTimerDue, timer.due);
}

// Ids for timers without a window, out of the range programs pick.
UINT_PTR nextThreadTimerId = 0x7FFF0000;

Timer* findTimer(HWND hwnd, UINT_PTR id) {
  for (Timer& t : timerList) {
    if (t.hwnd == hwnd && t.id == id) return &t;
  }
  return nullptr;
}

}  // namespace

void killWindowTimers(HWND hwnd) {
  if (std::erase_if(timerList, [hwnd](const Timer& t) { return t.hwnd == hwnd; }) != 0) refreshEarliest();
}

void dropTimers() {
  timerList.clear();
  refreshEarliest();
}

bool timerExists(HWND hwnd, UINT_PTR id) { return findTimer(hwnd, id) != nullptr; }

DWORD msUntilNextTimer(uint64_t now) {
  const uint64_t next = nextTimerDue();
  if (next == std::numeric_limits<uint64_t>::max()) return INFINITE;
  if (next <= now) return 0;
  return static_cast<DWORD>(std::min<uint64_t>(next - now, INFINITE - 1));
}

bool takeDueTimer(MSG* msg, HWND filter, uint64_t now, bool remove) {
  if (now < nextTimerDue()) return false;
  Timer* best = nullptr;
  for (Timer& t : timerList) {
    if (t.due > now || !matchesWindowFilter(t.hwnd, filter)) continue;
    if (best == nullptr || t.due < best->due) best = &t;
  }
  if (best == nullptr) return false;
  *msg = MSG{best->hwnd,      WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), static_cast<DWORD>(now),
             stylusPosition()};
  if (remove) {
    best->due = now + best->interval;
    refreshEarliest();
  }
  return true;
}

}  // namespace wince::win

using namespace wince::win;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  if (hwnd != nullptr && !IsWindow(hwnd)) return 0;
  noteGuiThread();
  if (hwnd == nullptr && findTimer(nullptr, id) == nullptr) id = nextThreadTimerId++;
  const UINT interval = std::max<UINT>(elapseMs, 1);
  const uint64_t due = wince::detail::nowMs() + interval;
  if (Timer* t = findTimer(hwnd, id)) {
    t->interval = interval;
    t->proc = proc;
    t->due = due;
  } else {
    timerList.push_back(Timer{hwnd, id, interval, proc, due});
  }
  refreshEarliest();
  return id != 0 ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  const size_t removed = std::erase_if(timerList, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (removed == 0) return FALSE;
  refreshEarliest();
  return TRUE;
}
