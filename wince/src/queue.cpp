// The GUI thread's message queue. Posted messages live in a ring that only
// grows, so posting and taking messages allocates nothing once it is warm.
// Order of retrieval: messages sent from other threads are delivered first,
// then posted messages (and input) in order, then WM_QUIT, then WM_PAINT,
// then WM_TIMER.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/window.h"
#include "wince/thread.h"
#include "window_internal.h"

namespace wince::win {

namespace {

class MessageRing {
 public:
  bool empty() const { return count_ == 0; }
  size_t size() const { return count_; }
  MSG& at(size_t i) { return buf_[(head_ + i) & (buf_.size() - 1)]; }
  // The new slot at either end, for the caller to fill field by field (a
  // whole MSG built first and copied in costs a stalled reload of each half).
  MSG& pushBack() {
    grow();
    return buf_[(head_ + count_++) & (buf_.size() - 1)];
  }
  MSG& pushFront() {
    grow();
    head_ = (head_ + buf_.size() - 1) & (buf_.size() - 1);
    ++count_;
    return buf_[head_];
  }
  void removeAt(size_t i) {
    for (size_t j = i; j + 1 < count_; ++j) at(j) = at(j + 1);
    --count_;
  }
  void clear() { head_ = count_ = 0; }

 private:
  void grow() {
    if (count_ < buf_.size()) return;
    std::vector<MSG> bigger(buf_.empty() ? 64 : buf_.size() * 2);
    for (size_t i = 0; i < count_; ++i) bigger[i] = at(i);
    buf_.swap(bigger);
    head_ = 0;
  }

  std::vector<MSG> buf_;  // size is a power of two
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

struct Queue {
  std::mutex mutex;
  std::condition_variable changed;
  MessageRing posted;
  std::deque<CrossSend*> sends;
  bool quit = false;
  int quitCode = 0;
  // False only when posted, sends and quit are all empty; set under the
  // mutex, so a fetch that finds it false may skip the mutex. The mutex
  // orders it: stores are relaxed (a plain store, where an ordered one is a
  // locked exchange on every post).
  std::atomic<bool> pending{false};
  std::atomic<bool> guiKnown{false};
  std::thread::id guiThread;
  DWORD guiTid = 0;
  std::atomic<wince::EventSource*> source{nullptr};
  POINT lastPos{};
  DWORD lastTime = 0;
};

Queue& queue() {
  static Queue q;
  return q;
}

bool inRange(UINT msg, UINT min, UINT max) { return (min == 0 && max == 0) || (msg >= min && msg <= max); }

void wakeGuiThread(Queue& q) {
  q.changed.notify_all();
  if (wince::EventSource* src = q.source.load()) src->wake();
}

bool post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool front) {
  Queue& q = queue();
  const bool fromGui = isGuiThread();
  if (fromGui && hwnd != nullptr && !IsWindow(hwnd)) return false;
  const DWORD time = GetTickCount();
  const POINT pt = fromGui ? stylusPosition() : POINT{};
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    MSG& m = front ? q.posted.pushFront() : q.posted.pushBack();
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = time;
    m.pt = pt;
    q.pending.store(true, std::memory_order_relaxed);
  }
  // Only the GUI thread waits for posts (the other waiters wait for their
  // sends to be done): its own post has no one to wake. A post from before
  // the GUI thread is known wakes it all the same.
  if (!(fromGui && q.guiKnown.load())) wakeGuiThread(q);
  return true;
}

// Runs the waiting cross-thread sends; `lock` holds the queue's mutex.
void runCrossSends(Queue& q, std::unique_lock<std::mutex>& lock) {
  while (!q.sends.empty()) {
    CrossSend* s = q.sends.front();
    q.sends.pop_front();
    lock.unlock();
    LRESULT r = 0;
    try {
      r = callWindow(s->hwnd, s->msg, s->wParam, s->lParam);
    } catch (...) {
      // The sender must not wait forever; the exception is the GUI thread's.
      lock.lock();
      s->done = true;
      q.changed.notify_all();
      throw;
    }
    lock.lock();
    s->result = r;
    s->done = true;
    q.changed.notify_all();
  }
}

enum class Got { None, Message, Quit };

// One retrieval step. takeQuit false leaves a pending WM_QUIT in place.
Got fetch(MSG* out, HWND filter, UINT min, UINT max, bool remove, bool takeQuit) {
  Queue& q = queue();
  serviceInstanceRequests();
  if (q.pending.load(std::memory_order_relaxed)) {
    std::unique_lock<std::mutex> lock(q.mutex);
    runCrossSends(q, lock);
    for (size_t i = 0; i < q.posted.size();) {
      MSG& m = q.posted.at(i);
      if (m.hwnd != nullptr && !IsWindow(m.hwnd)) {  // its window died: drop it
        q.posted.removeAt(i);
        continue;
      }
      if (matchesWindowFilter(m.hwnd, filter) && inRange(m.message, min, max)) {
        *out = m;
        if (remove) q.posted.removeAt(i);
        return Got::Message;
      }
      ++i;
    }
    if (q.quit) {
      *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, GetTickCount(), stylusPosition()};
      if (takeQuit && remove) q.quit = false;
      return Got::Quit;
    }
    q.pending.store(!q.posted.empty(), std::memory_order_relaxed);
  }
  if (filter != reinterpret_cast<HWND>(-1) && inRange(WM_PAINT, min, max)) {
    if (HWND h = nextWindowToPaint(filter)) {
      *out = MSG{h, WM_PAINT, 0, 0, GetTickCount(), stylusPosition()};
      return Got::Message;
    }
  }
  if (inRange(WM_TIMER, min, max) && takeDueTimer(out, filter, wince::clockNowMs(), remove)) return Got::Message;
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
  auto ready = [&q] { return !q.posted.empty() || !q.sends.empty() || q.quit; };
  if (timeout == INFINITE || isVirtual) {
    q.changed.wait(lock, ready);
  } else {
    q.changed.wait_for(lock, std::chrono::milliseconds(timeout), ready);
  }
}

// Anything GetMessage would hand out now (QS_ALLINPUT).
bool inputWaiting() {
  Queue& q = queue();
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    if (!q.posted.empty() || !q.sends.empty() || q.quit) return true;
  }
  return nextWindowToPaint(nullptr) != nullptr || msUntilNextTimer(wince::clockNowMs()) == 0;
}

}  // namespace

void noteGuiThread() {
  Queue& q = queue();
  if (q.guiKnown.load()) return;
  q.guiThread = std::this_thread::get_id();
  q.guiTid = GetCurrentThreadId();
  q.guiKnown = true;
}

DWORD guiThreadId() {
  noteGuiThread();
  return queue().guiTid;
}

bool isGuiThread() {
  Queue& q = queue();
  return !q.guiKnown.load() || q.guiThread == std::this_thread::get_id();
}

bool matchesWindowFilter(HWND hwnd, HWND filter) {
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return hwnd == nullptr;
  return hwnd == filter || IsChild(filter, hwnd);
}

void postToFront(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) { post(hwnd, msg, wParam, lParam, true); }

void resetQueue() {
  Queue& q = queue();
  std::lock_guard<std::mutex> lock(q.mutex);
  q.posted.clear();
  q.quit = false;
  q.quitCode = 0;
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
  MSG m;
  const bool remove = (removeFlags & PM_REMOVE) != 0;
  Got got = fetch(&m, hwnd, filterMin, filterMax, remove, true);
  if (got == Got::None) {
    if (wince::EventSource* src = queue().source.load()) src->pollEvents();
    got = fetch(&m, hwnd, filterMin, filterMax, remove, true);
  }
  if (got == Got::None) return FALSE;
  noteRetrieved(m);
  if (msg != nullptr) *msg = m;
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
    q.changed.wait_for(lock, std::chrono::milliseconds(1),
                       [&q] { return !q.posted.empty() || !q.sends.empty() || q.quit; });
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
  q.changed.wait(lock, [&s] { return s.done; });
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
  q.changed.notify_all();
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
  const uint64_t end = clockNowMs() + ms;
  for (;;) {
    if (!dispatchPending()) return false;
    if (clockNowMs() >= end || !virtualClockActive()) return true;
    advanceClockTo(std::min(nextTimerDue(), end));
  }
}

}  // namespace wince
