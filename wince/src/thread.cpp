// Threads, critical sections, events and waits.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "system_handles.h"
#include "thread_internal.h"
#include "wince/clock.h"
#include "wince/host/clock.h"
#include "wince/host/thread.h"
#include "wince/system.h"

namespace {

using wince::detail::kernel;
using wince::detail::KernelObject;

std::atomic<DWORD> g_nextThreadId{1};
thread_local DWORD t_threadId = 0;

// Every std::thread started by CreateThread, until joined.
struct Threads {
  std::mutex mutex;
  std::vector<std::pair<std::shared_ptr<wince::detail::ThreadObject>, std::thread>> running;
  ~Threads() { joinAtExit(); }

  // At exit: join what ends within two seconds; a thread still running
  // then is reported and left to the process's end rather than waited for
  // forever.
  void joinAtExit() {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    std::lock_guard lock(mutex);
    for (auto& entry : running) {
      const std::shared_ptr<wince::detail::ThreadObject>& object = entry.first;
      std::thread& thread = entry.second;
      std::unique_lock k(kernel().mutex);
      bool ended = kernel().changed.wait_until(k, deadline, [&object] { return object->finished; });
      k.unlock();
      if (ended) {
        thread.join();
      } else {
        std::fprintf(stderr, "runtime: thread %u did not stop; not joined at exit\n", object->id);
        thread.detach();
      }
    }
    running.clear();
  }
};

Threads& threads() {
  kernel();  // made first, so it outlives the exit-time joins
  static Threads t;
  return t;
}

// Joins the threads that have ended, so finished threads never pile up.
void reapFinished(Threads& t) {
  std::vector<std::thread> done;
  {
    std::lock_guard k(kernel().mutex);
    auto it = std::stable_partition(t.running.begin(), t.running.end(),
                                    [](const auto& entry) { return !entry.first->finished; });
    for (auto e = it; e != t.running.end(); ++e) done.push_back(std::move(e->second));
    t.running.erase(it, t.running.end());
  }
  for (std::thread& th : done) th.join();
}

}  // namespace

namespace wince::detail {

Kernel& kernel() {
  static Kernel k;
  // Waiters on the virtual clock wake when it advances. Registered here,
  // before anyone can hold the kernel lock, since the clock calls its
  // listeners under its own lock.
  static const int listener = addClockListener([] {
    std::lock_guard lock(k.mutex);
    k.changed.notify_all();
  });
  (void)listener;
  return k;
}

std::shared_ptr<KernelObject> objectOf(HANDLE handle, KernelObject::Kind kind) {
  auto it = kernel().handles.find(handle);
  if (it == kernel().handles.end() || it->second->kind != kind) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return it->second;
}

HANDLE addObject(std::shared_ptr<KernelObject> object) {
  HANDLE handle = newHandleValue();
  std::lock_guard lock(kernel().mutex);
  kernel().handles.emplace(handle, std::move(object));
  return handle;
}

bool waitUntil(std::unique_lock<std::mutex>& lock, DWORD milliseconds, const std::function<bool()>& ready) {
  if (milliseconds == INFINITE) {
    kernel().changed.wait(lock, ready);
    return true;
  }
  const uint64_t deadline = clockNowMs() + milliseconds;
  while (!ready()) {
    uint64_t now = clockNowMs();
    if (now >= deadline) return false;
    auto slice = virtualClockActive() ? std::chrono::milliseconds(50) : std::chrono::milliseconds(deadline - now);
    kernel().changed.wait_for(lock, slice);
  }
  return true;
}

}  // namespace wince::detail

namespace wince {

void joinAllThreads() {
  Threads& t = threads();
  std::vector<std::pair<std::shared_ptr<detail::ThreadObject>, std::thread>> running;
  {
    std::lock_guard lock(t.mutex);
    running.swap(t.running);
  }
  for (auto& entry : running) entry.second.join();
}

}  // namespace wince

BOOL CloseHandle(HANDLE handle) {
  auto& k = kernel();
  std::lock_guard lock(k.mutex);
  if (k.handles.erase(handle) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

DWORD GetCurrentThreadId() {
  if (t_threadId == 0) t_threadId = g_nextThreadId++;
  return t_threadId;
}

HANDLE GetCurrentThread() { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2)); }

HANDLE CreateThread(LPSECURITY_ATTRIBUTES security, size_t stackSize, LPTHREAD_START_ROUTINE proc, LPVOID parameter,
                    DWORD flags, LPDWORD id) {
  if (!proc || (flags & ~static_cast<DWORD>(CREATE_SUSPENDED))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Threads& t = threads();
  {
    std::lock_guard lock(t.mutex);
    reapFinished(t);
  }
  auto object = std::make_shared<wince::detail::ThreadObject>();
  object->id = g_nextThreadId++;
  object->suspended = (flags & CREATE_SUSPENDED) != 0;
  HANDLE handle = wince::detail::addObject(object);
  std::lock_guard lock(t.mutex);
  t.running.emplace_back(object, std::thread([object, proc, parameter] {
                           t_threadId = object->id;
                           {
                             std::unique_lock k(kernel().mutex);
                             kernel().changed.wait(k, [&object] { return !object->suspended; });
                           }
                           DWORD code = proc(parameter);
                           std::lock_guard k(kernel().mutex);
                           object->exitCode = code;
                           object->finished = true;
                           kernel().changed.notify_all();
                         }));
  if (id) *id = object->id;
  return handle;
}

DWORD ResumeThread(HANDLE thread) {
  std::lock_guard lock(kernel().mutex);
  auto object = wince::detail::objectOf(thread, KernelObject::Thread);
  if (!object) return 0xFFFFFFFFu;
  auto& t = static_cast<wince::detail::ThreadObject&>(*object);
  DWORD previous = t.suspended ? 1 : 0;
  t.suspended = false;
  kernel().changed.notify_all();
  return previous;
}

BOOL SetThreadPriority(HANDLE thread, int priority) {
  if (priority < THREAD_PRIORITY_TIME_CRITICAL || priority > THREAD_PRIORITY_IDLE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (thread == GetCurrentThread()) return TRUE;
  std::lock_guard lock(kernel().mutex);
  auto object = wince::detail::objectOf(thread, KernelObject::Thread);
  if (!object) return FALSE;
  static_cast<wince::detail::ThreadObject&>(*object).priority = priority;
  return TRUE;
}

int GetThreadPriority(HANDLE thread) {
  if (thread == GetCurrentThread()) return THREAD_PRIORITY_NORMAL;
  std::lock_guard lock(kernel().mutex);
  auto object = wince::detail::objectOf(thread, KernelObject::Thread);
  return object ? static_cast<wince::detail::ThreadObject&>(*object).priority : THREAD_PRIORITY_ERROR_RETURN;
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  std::lock_guard lock(kernel().mutex);
  auto object = wince::detail::objectOf(thread, KernelObject::Thread);
  if (!object || !exitCode) return FALSE;
  *exitCode = static_cast<wince::detail::ThreadObject&>(*object).exitCode;
  return TRUE;
}

void InitializeCriticalSection(LPCRITICAL_SECTION section) { section->impl = new std::recursive_mutex; }

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
  delete static_cast<std::recursive_mutex*>(section->impl);
  section->impl = nullptr;
}

void EnterCriticalSection(LPCRITICAL_SECTION section) { static_cast<std::recursive_mutex*>(section->impl)->lock(); }
void LeaveCriticalSection(LPCRITICAL_SECTION section) { static_cast<std::recursive_mutex*>(section->impl)->unlock(); }
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) {
  return static_cast<std::recursive_mutex*>(section->impl)->try_lock() ? TRUE : FALSE;
}

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState, LPCWSTR name) {
  return wince::detail::addObject(
      std::make_shared<wince::detail::EventObject>(manualReset != FALSE, initialState != FALSE));
}

// SetEvent also wakes a queue's waiter once.
BOOL SetEvent(HANDLE event) {
  auto& k = kernel();
  std::lock_guard lock(k.mutex);
  auto it = k.handles.find(event);
  if (it != k.handles.end() && it->second->kind == KernelObject::Event) {
    static_cast<wince::detail::EventObject&>(*it->second).set = true;
  } else if (it != k.handles.end() && it->second->kind == KernelObject::Queue) {
    static_cast<wince::detail::QueueObject&>(*it->second).wake = true;
  } else {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  k.changed.notify_all();
  return TRUE;
}

BOOL ResetEvent(HANDLE event) {
  std::lock_guard lock(kernel().mutex);
  auto object = wince::detail::objectOf(event, KernelObject::Event);
  if (!object) return FALSE;
  static_cast<wince::detail::EventObject&>(*object).set = false;
  return TRUE;
}

BOOL EventModify(HANDLE event, DWORD function) {
  if (function == EVENT_SET) return SetEvent(event);
  if (function == EVENT_RESET) return ResetEvent(event);
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  auto& k = kernel();
  std::unique_lock lock(k.mutex);
  std::vector<std::shared_ptr<KernelObject>> objects;
  for (DWORD i = 0; i < count; ++i) {
    auto it = k.handles.find(handles[i]);
    if (it == k.handles.end() || it->second->kind == KernelObject::PowerNotification ||
        it->second->kind == KernelObject::File) {
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    objects.push_back(it->second);
  }
  DWORD which = WAIT_TIMEOUT;
  auto ready = [&] {
    if (waitAll) {
      if (!std::all_of(objects.begin(), objects.end(), [](const auto& o) { return o->signalled(); })) return false;
      for (auto& o : objects) o->consume();
      which = WAIT_OBJECT_0;
      return true;
    }
    for (DWORD i = 0; i < count; ++i) {
      if (objects[i]->signalled()) {
        objects[i]->consume();
        which = WAIT_OBJECT_0 + i;
        return true;
      }
    }
    return false;
  };
  wince::detail::waitUntil(lock, milliseconds, ready);
  return which;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}
