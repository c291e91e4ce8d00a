// Kernel objects behind thread, event and queue handles. One lock guards
// them all; one condition variable wakes every waiter on any change.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "wince/thread.h"

namespace wince::detail {

struct KernelObject {
  enum Kind { Thread, Event, Queue, PowerNotification, File } kind;
  explicit KernelObject(Kind k) : kind(k) {}
  virtual ~KernelObject() = default;
  // Under the lock: whether a wait would return now, and what a successful
  // wait takes away (an auto-reset event's signal, a queue's wake-up).
  virtual bool signalled() const { return false; }
  virtual void consume() {}
};

struct ThreadObject : KernelObject {
  ThreadObject() : KernelObject(Thread) {}
  bool finished = false;
  bool suspended = false;
  int priority = THREAD_PRIORITY_NORMAL;
  DWORD exitCode = STILL_ACTIVE;
  DWORD id = 0;
  bool signalled() const override { return finished; }
};

struct EventObject : KernelObject {
  EventObject(bool manual, bool initial) : KernelObject(Event), manualReset(manual), set(initial) {}
  bool manualReset;
  bool set;
  bool signalled() const override { return set; }
  void consume() override {
    if (!manualReset) set = false;
  }
};

struct QueueObject : KernelObject {
  QueueObject() : KernelObject(Queue) {}
  MSGQUEUEOPTIONS options{};
  std::deque<std::vector<BYTE>> messages;
  // SetEvent on the queue handle: waits return until the next read takes
  // it away, so a reader told to stop never blocks on an empty queue.
  bool wake = false;
  bool signalled() const override { return wake || !messages.empty(); }
};

struct PowerObject : KernelObject {
  PowerObject() : KernelObject(PowerNotification) {}
  std::weak_ptr<QueueObject> queue;
  DWORD flags = 0;
};

// An open file: closing the handle closes the descriptor.
struct FileObject : KernelObject {
  FileObject(int descriptor, DWORD accessMask) : KernelObject(File), fd(descriptor), access(accessMask) {}
  ~FileObject() override;
  int fd;
  DWORD access;
};

struct Kernel {
  std::mutex mutex;
  std::condition_variable changed;
  std::map<HANDLE, std::shared_ptr<KernelObject>> handles;
};

Kernel& kernel();

// Under the kernel lock: the object of a handle, or null (and
// ERROR_INVALID_HANDLE) when it is not one of `kind`.
std::shared_ptr<KernelObject> objectOf(HANDLE handle, KernelObject::Kind kind);
HANDLE addObject(std::shared_ptr<KernelObject> object);

// Waits (lock held by the caller) until ready() or the timeout on the
// runtime clock; true when ready.
bool waitUntil(std::unique_lock<std::mutex>& lock, DWORD milliseconds, const std::function<bool()>& ready);

}  // namespace wince::detail
