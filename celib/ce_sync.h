// Thin wrappers of the runtime's critical sections and events, and the
// waiting routines the worker thread uses. A handle variable may be cleared
// by another thread at any time: the routines read and clear it atomically.
#pragma once

#include "wince/thread.h"
#include "wince/types.h"

class CeCriticalSection {
 public:
  CeCriticalSection() { InitializeCriticalSection(&m_section); }
  CeCriticalSection(const CeCriticalSection&) = delete;
  CeCriticalSection& operator=(const CeCriticalSection&) = delete;
  virtual ~CeCriticalSection() { DeleteCriticalSection(&m_section); }

  void Lock() { EnterCriticalSection(&m_section); }
  void Unlock() { LeaveCriticalSection(&m_section); }
  bool TryLock() { return TryEnterCriticalSection(&m_section) != FALSE; }

 private:
  CRITICAL_SECTION m_section;
};

class CeSyncObject {
 public:
  CeSyncObject(const CeSyncObject&) = delete;
  CeSyncObject& operator=(const CeSyncObject&) = delete;
  virtual ~CeSyncObject();
  HANDLE GetHandle() const { return m_handle; }

 protected:
  explicit CeSyncObject(HANDLE handle) : m_handle(handle) {}

 private:
  HANDLE m_handle;
};

class CeEvent : public CeSyncObject {
 public:
  enum WaitResult { kSignalled = 0, kTimedOut = 1, kAbandoned = 2, kFailed = 3 };

  CeEvent(LPSECURITY_ATTRIBUTES security, bool manualReset, bool initialState, const WCHAR* name)
      : CeSyncObject(CreateEventW(security, manualReset, initialState, name)) {}

  int Wait(DWORD timeout);
  bool Set() { return EventModify(GetHandle(), EVENT_SET) != FALSE; }
  bool Reset() { return EventModify(GetHandle(), EVENT_RESET) != FALSE; }
};

// Waits for the handle held in *variable. A finite timeout is one wait; with
// INFINITE it waits in slices of 150 ms for as long as the variable holds a
// handle. A handle that is (or becomes) cleared counts as done:
// WAIT_OBJECT_0.
DWORD WaitForHandle(HANDLE* variable, DWORD timeout);
// The same, dispatching every message that arrives meanwhile (each one
// restarts the timeout).
DWORD MsgWaitForHandle(HANDLE* variable, DWORD timeout);
// Clears the variable and closes the handle it held, if any.
void CloseAndClear(HANDLE* variable);
