// The GUI thread's message queue. Posted messages live in rings that only
// grow, so posting and taking messages allocates nothing once it is warm.
// The GUI thread's own posts go straight into the ring it takes from, with
// no lock; other threads post into an inbox under the mutex, and the GUI
// thread moves the inbox over, in order, before it takes or posts.
// Order of retrieval: messages sent from other threads are delivered first,
// then posted messages (and input) in order, then WM_QUIT, then WM_PAINT,
// then WM_TIMER.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/window.h"
#include "wince/thread.h"
#include "clock_internal.h"
#include "window_internal.h"

namespace wince::win {

namespace {

class MessageRing {
 public:
  bool empty() const { return count_ == 0; }
  size_t size() const { return count_; }
  MSG& at(size_t i) { return buf_[(head_ + i) & mask_]; }
  // The new slot at either end, for the caller to fill field by field (a
  // whole MSG built first and copied in costs a stalled reload of each half).
  MSG& pushBack() {
    if (count_ == capacity_) grow();
    return buf_[(head_ + count_++) & mask_];
  }
  MSG& pushFront() {
    if (count_ == capacity_) grow();
    head_ = (head_ + mask_) & mask_;
    ++count_;
    return buf_[head_];
  }
  void removeAt(size_t i) {
    if (i == 0) {
      head_ = (head_ + 1) & mask_;
    } else {
      for (size_t j = i; j + 1 < count_; ++j) at(j) = at(j + 1);
    }
    --count_;
  }
  // Drops the messages `drop` names, keeping the others in order.
  template <typename Pred>
  void removeIf(Pred drop) {
    size_t kept = 0;
    for (size_t i = 0; i < count_; ++i) {
      if (drop(at(i))) continue;
      if (kept != i) at(kept) = at(i);
      ++kept;
    }
    count_ = kept;
  }
  void clear() { head_ = count_ = 0; }
  // Moves every message of `from` to the back of this ring, in order.
  void takeAll(MessageRing& from) {
    for (size_t i = 0; i < from.count_; ++i) pushBack() = from.at(i);
    from.clear();
  }

 private:
  [[gnu::noinline]] void grow() {
    std::vector<MSG> bigger(capacity_ == 0 ? 64 : capacity_ * 2);
    for (size_t i = 0; i < count_; ++i) bigger[i] = at(i);
    buf_.swap(bigger);
    capacity_ = buf_.size();
    mask_ = capacity_ - 1;
    head_ = 0;
  }

  std::vector<MSG> buf_;
  size_t capacity_ = 0;  // buf_'s size, a power of two
  size_t mask_ = 0;
  size_t head_ = 0;
  size_t count_ = 0;
};

struct CrossSend {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result = 0;
  bool done = false;
};

// Built before any code runs (no guard on each use); the condition variable,
// which cannot be, is built on first use.
struct Queue {
  MessageRing posted;  // the GUI thread's alone: only it posts here and takes
  std::mutex mutex;
  MessageRing inbox;  // posts of other threads, under the mutex
  std::vector<CrossSend*> sends;
  bool quit = false;
  int quitCode = 0;
  // False only when inbox, sends and quit are all empty; set under the
  // mutex, so a look that finds it false may skip the mutex. The mutex
  // orders it: stores are relaxed (a plain store, where an ordered one is a
  // locked exchange on every post).
  std::atomic<bool> pending{false};
  std::atomic<bool> guiKnown{false};
  DWORD guiTid = 0;
  std::atomic<wince::EventSource*> source{nullptr};
  POINT lastPos{};
  DWORD lastTime = 0;
};

constinit Queue theQueue;
thread_local bool onGuiThread = false;  // set on the thread that takes messages

Queue& queue() { return theQueue; }

std::condition_variable& queueChanged() {
  static std::condition_variable changed;
  return changed;
}

bool inRange(UINT msg, UINT min, UINT max) { return (min == 0 && max == 0) || (msg >= min && msg <= max); }

void wakeGuiThread(Queue& q) {
  queueChanged().notify_all();
  if (wince::EventSource* src = q.source.load()) src->wake();
}

void fill(MSG& m, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, DWORD time, POINT pt) {
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = time;
  m.pt = pt;
}

// Moves the other threads' posts behind the GUI thread's own; the caller
// holds the queue's mutex.
void takeInbox(Queue& q) {
  q.inbox.removeIf([](const MSG& m) { return m.hwnd != nullptr && !IsWindow(m.hwnd); });
  q.posted.takeAll(q.inbox);
  q.pending.store(!q.sends.empty() || q.quit, std::memory_order_relaxed);
}

[[gnu::noinline]] void takeInboxLocked(Queue& q) {
  std::lock_guard<std::mutex> lock(q.mutex);
  takeInbox(q);
}

// Other threads post into the inbox, as does the GUI thread until it is
// known; the post wakes the GUI thread.
[[gnu::noinline]] bool postFromOtherThread(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool front) {
  Queue& q = queue();
  const bool fromGui = !q.guiKnown.load(std::memory_order_acquire);
  if (fromGui && hwnd != nullptr && !IsWindow(hwnd)) return false;
  const POINT pt = fromGui ? stylusPosition() : POINT{};
  const DWORD time = GetTickCount();
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    fill(front ? q.inbox.pushFront() : q.inbox.pushBack(), hwnd, msg, wParam, lParam, time, pt);
    q.pending.store(true, std::memory_order_relaxed);
  }
  wakeGuiThread(q);
  return true;
}

// The GUI thread's own post. A post from another thread that came before it
// is already in the inbox (the poster set `pending` before whatever made
// this post follow it), so it is moved over first and keeps its place.
bool post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool front) {
  if (!onGuiThread) [[unlikely]]
    return postFromOtherThread(hwnd, msg, wParam, lParam, front);
  if (hwnd != nullptr && !isLiveWindow(hwnd)) return false;
  Queue& q = queue();
  if (q.pending.load(std::memory_order_relaxed)) [[unlikely]]
    takeInboxLocked(q);
  fill(front ? q.posted.pushFront() : q.posted.pushBack(), hwnd, msg, wParam, lParam,
       static_cast<DWORD>(wince::detail::nowMs()), stylusPosition());
  return true;
}

// Runs the waiting cross-thread sends; `lock` holds the queue's mutex.
void runCrossSends(Queue& q, std::unique_lock<std::mutex>& lock) {
  while (!q.sends.empty()) {
    CrossSend* s = q.sends.front();
    q.sends.erase(q.sends.begin());
    lock.unlock();
    LRESULT r = 0;
    try {
      r = callWindow(s->hwnd, s->msg, s->wParam, s->lParam);
    } catch (...) {
      // The sender must not wait forever; the exception is the GUI thread's.
      lock.lock();
      s->done = true;
      queueChanged().notify_all();
      throw;
    }
    lock.lock();
    s->result = r;
    s->done = true;
    queueChanged().notify_all();
  }
}

enum class Got { None, Message, Quit };

[[gnu::noinline]] bool takeFiltered(Queue& q, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  for (size_t i = 0; i < q.posted.size(); ++i) {
    MSG& m = q.posted.at(i);
    if (matchesWindowFilter(m.hwnd, filter) && inRange(m.message, min, max)) {
      *out = m;
      if (remove) q.posted.removeAt(i);
      return true;
    }
  }
  return false;
}

inline bool takePosted(Queue& q, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  if (filter == nullptr && min == 0 && max == 0) [[likely]] {  // the usual look: the oldest
    *out = q.posted.at(0);
    if (remove) q.posted.removeAt(0);
    return true;
  }
  return takeFiltered(q, out, filter, min, max, remove);
}

bool takeQuitMessage(Queue& q, MSG* out, bool take) {
  std::lock_guard<std::mutex> lock(q.mutex);
  if (!q.quit) return false;
  *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, GetTickCount(), stylusPosition()};
  if (take) {
    q.quit = false;
    q.pending.store(!q.inbox.empty() || !q.sends.empty(), std::memory_order_relaxed);
  }
  return true;
}

// What other threads left: their sends are run, their posts moved over.
[[gnu::noinline]] void takeFromOtherThreads(Queue& q) {
  std::unique_lock<std::mutex> lock(q.mutex);
  runCrossSends(q, lock);
  takeInbox(q);
}

// One retrieval step, on the GUI thread. takeQuit false leaves a pending
// WM_QUIT in place.
Got fetch(MSG* out, HWND filter, UINT min, UINT max, bool remove, bool takeQuit) {
  Queue& q = queue();
  serviceInstanceRequests();
  if (q.pending.load(std::memory_order_relaxed)) [[unlikely]]
    takeFromOtherThreads(q);
  if (!q.posted.empty() && takePosted(q, out, filter, min, max, remove)) return Got::Message;
  if (q.pending.load(std::memory_order_relaxed) && takeQuitMessage(q, out, takeQuit && remove)) return Got::Quit;
  if (anyWindowDirty() && filter != reinterpret_cast<HWND>(-1) && inRange(WM_PAINT, min, max)) {
    if (HWND h = nextWindowToPaint(filter)) {
      *out = MSG{h, WM_PAINT, 0, 0, GetTickCount(), stylusPosition()};
      return Got::Message;
    }
  }
  if (nextTimerDue() != UINT64_MAX && inRange(WM_TIMER, min, max)) {
    const uint64_t now = wince::detail::nowMs();
    if (now >= nextTimerDue() && takeDueTimer(out, filter, now, remove)) return Got::Message;
  }
  return Got::None;
}

void noteRetrieved(const MSG& m) {
  Queue& q = queue();
  q.lastPos = m.pt;
  q.lastTime = m.time;
}

// Nothing to deliver: let the event source, or the queue itself, wait.
void idleWait() {
  Queue& q = queue();
  const DWORD timeout = msUntilNextTimer(wince::clockNowMs());
  if (wince::EventSource* src = q.source.load()) {
    if (src->waitForEvents(timeout)) return;
  }
  const bool isVirtual = wince::virtualClockActive();
  if (isVirtual && timeout != INFINITE) {
    wince::advanceClock(timeout);
    return;
  }
  std::unique_lock<std::mutex> lock(q.mutex);
  auto ready = [&q] { return !q.inbox.empty() || !q.sends.empty() || q.quit; };
  if (timeout == INFINITE || isVirtual) {
    queueChanged().wait(lock, ready);
  } else {
    queueChanged().wait_for(lock, std::chrono::milliseconds(timeout), ready);
  }
}

// Anything GetMessage would hand out now (QS_ALLINPUT).
bool inputWaiting() {
  Queue& q = queue();
  if (!q.posted.empty()) return true;
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    if (!q.inbox.empty() || !q.sends.empty() || q.quit) return true;
  }
  return nextWindowToPaint(nullptr) != nullptr || msUntilNextTimer(wince::clockNowMs()) == 0;
}

}  // namespace

void noteGuiThread() {
  Queue& q = queue();
  if (q.guiKnown.load()) return;
  onGuiThread = true;
  q.guiTid = GetCurrentThreadId();
  q.guiKnown = true;
}

DWORD guiThreadId() {
  noteGuiThread();
  return queue().guiTid;
}

bool isGuiThread() {
  Queue& q = queue();
  return !q.guiKnown.load() || onGuiThread;
}

void postToFront(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) { post(hwnd, msg, wParam, lParam, true); }

void dropPostedFor(HWND hwnd) {
  Queue& q = queue();
  auto forWindow = [hwnd](const MSG& m) { return m.hwnd == hwnd; };
  q.posted.removeIf(forWindow);
  std::lock_guard<std::mutex> lock(q.mutex);
  q.inbox.removeIf(forWindow);
}

void resetQueue() {
  Queue& q = queue();
  q.posted.clear();
  std::lock_guard<std::mutex> lock(q.mutex);
  q.inbox.clear();
  q.quit = false;
  q.quitCode = 0;
  q.pending.store(!q.sends.empty(), std::memory_order_relaxed);
}

}  // namespace wince::win

using namespace wince::win;

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  noteGuiThread();
  MSG m;
  for (;;) {
    const Got got = fetch(&m, hwnd, filterMin, filterMax, true, true);
    if (got != Got::None) {
      noteRetrieved(m);
      if (msg != nullptr) *msg = m;
      return got == Got::Message ? TRUE : FALSE;
    }
    idleWait();
  }
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  noteGuiThread();
  MSG local;
  MSG* out = msg != nullptr ? msg : &local;  // a fetch writes only what it hands out
  const bool remove = (removeFlags & PM_REMOVE) != 0;
  Got got = fetch(out, hwnd, filterMin, filterMax, remove, true);
  if (got == Got::None) {
    if (wince::EventSource* src = queue().source.load()) src->pollEvents();
    got = fetch(out, hwnd, filterMin, filterMax, remove, true);
  }
  if (got == Got::None) return FALSE;
  noteRetrieved(*out);
  return TRUE;
}

BOOL WaitMessage() {
  noteGuiThread();
  MSG m;
  if (fetch(&m, nullptr, 0, 0, false, false) == Got::None) idleWait();
  return TRUE;
}

DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD timeoutMs, DWORD wakeMask, DWORD flags) {
  noteGuiThread();
  Queue& q = queue();
  const uint64_t start = wince::clockNowMs();
  const BOOL waitAll = (flags & MWMO_WAITALL) != 0 ? TRUE : FALSE;
  for (;;) {
    if (wince::EventSource* src = q.source.load()) src->pollEvents();
    if (wakeMask != 0 && inputWaiting()) return WAIT_OBJECT_0 + count;
    if (count > 0) {
      const DWORD r = WaitForMultipleObjects(count, handles, waitAll, 0);
      if (r != WAIT_TIMEOUT) return r;
    }
    if (timeoutMs != INFINITE && wince::clockNowMs() - start >= timeoutMs) return WAIT_TIMEOUT;
    // Posts wake this at once; the objects are looked at again after a
    // short pause.
    std::unique_lock<std::mutex> lock(q.mutex);
    queueChanged().wait_for(lock, std::chrono::milliseconds(1),
                       [&q] { return !q.inbox.empty() || !q.sends.empty() || q.quit; });
  }
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD timeoutMs, DWORD wakeMask) {
  return MsgWaitForMultipleObjectsEx(count, handles, timeoutMs, wakeMask, waitAll ? MWMO_WAITALL : 0);
}

LRESULT DispatchMessage(const MSG* msg) {
  if (msg == nullptr) return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    if (timerExists(msg->hwnd, msg->wParam)) proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  if (msg->hwnd == nullptr) return 0;
  return callWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (isGuiThread()) return callWindow(hwnd, msg, wParam, lParam);
  Queue& q = queue();
  CrossSend s{hwnd, msg, wParam, lParam};
  std::unique_lock<std::mutex> lock(q.mutex);
  q.sends.push_back(&s);
  q.pending = true;
  lock.unlock();
  wakeGuiThread(q);
  lock.lock();
  queueChanged().wait(lock, [&s] { return s.done; });
  return s.result;
}

BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (isGuiThread()) {
    SendMessage(hwnd, msg, wParam, lParam);
    return TRUE;
  }
  return PostMessage(hwnd, msg, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return post(hwnd, msg, wParam, lParam, false) ? TRUE : FALSE;
}

BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  Queue& q = queue();
  if (!q.guiKnown.load() || threadId != q.guiTid) return FALSE;
  return post(nullptr, msg, wParam, lParam, false) ? TRUE : FALSE;
}

void PostQuitMessage(int exitCode) {
  Queue& q = queue();
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    q.quit = true;
    q.pending = true;
    q.quitCode = exitCode;
  }
  queueChanged().notify_all();
}

DWORD GetMessagePos() {
  const POINT p = queue().lastPos;
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

LONG GetMessageTime() { return static_cast<LONG>(queue().lastTime); }

namespace wince {

void setEventSource(EventSource* source) { queue().source = source; }

bool quitPending(int* exitCode) {
  Queue& q = queue();
  std::lock_guard<std::mutex> lock(q.mutex);
  if (q.quit && exitCode != nullptr) *exitCode = q.quitCode;
  return q.quit;
}

bool dispatchPending() {
  noteGuiThread();
  MSG m;
  for (;;) {
    const Got got = fetch(&m, nullptr, 0, 0, true, false);
    if (got == Got::None) return true;
    if (got == Got::Quit) return false;
    noteRetrieved(m);
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
}

bool runFor(uint64_t ms) {
  const uint64_t end = detail::nowMs() + ms;
  for (;;) {
    if (!dispatchPending()) return false;
    if (detail::nowMs() >= end || !detail::clockIsVirtual.load()) return true;
    advanceClockTo(std::min(nextTimerDue(), end));
  }
}

}  // namespace wince
