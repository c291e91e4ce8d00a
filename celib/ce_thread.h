// A worker-thread base class: derived classes supply the body (Run), which
// watches the stop event. The worker posts kDoneMessage (the body's result
// and the thread id) to the notification window when the body returns.
//
// Threads cannot be killed on this runtime: Terminate asks the worker to
// stop and waits for it to end, and the thread then reports the given exit
// code and posts no done message, as if it had been cut off.
//
// An auto-delete worker belongs to its own thread, which deletes it after
// posting its result: once that message has arrived the object is gone, so
// Stop and Terminate on such a worker only ask it to stop and never wait.
// A derived class whose body uses its own members stops the worker in its
// own destructor (the base destructor runs too late for that).
#pragma once

#include <atomic>

#include "ce_sync.h"
#include "wince/thread.h"
#include "wince/types.h"

class CeThread {
 public:
  static constexpr UINT kDoneMessage = 0x800;

  CeThread(bool autoDelete, HWND notifyWindow, DWORD stopTimeout);
  CeThread(const CeThread&) = delete;
  CeThread& operator=(const CeThread&) = delete;
  // Ends a worker that still has a thread (as Terminate with code 1).
  virtual ~CeThread();

  // From inside the body: ends the worker at once (unwinding the body by an
  // exception, which a catch-all in the body must pass on) with `exitCode`;
  // posts kDoneMessage with 0 and 0. Ignored on other threads.
  virtual void ExitThread(DWORD exitCode);
  // Stops a worker still running first. Creation flags may hold
  // CREATE_SUSPENDED (resume through GetThreadHandle). False when no thread
  // could be made, or when an auto-delete worker still runs.
  virtual bool Start(int priority = THREAD_PRIORITY_NORMAL, size_t stackSize = 0, DWORD creationFlags = 0,
                     LPSECURITY_ATTRIBUTES security = nullptr);
  // Sets the stop event and waits up to the stop timeout (dispatching
  // messages meanwhile when asked) for the worker to end; past it,
  // Terminate(1).
  virtual void Stop(bool pumpMessages);
  // PostThreadMessage to the worker's thread / PostMessage to the
  // notification window; FALSE without one.
  virtual BOOL PostToThread(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL PostToWindow(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void Terminate(DWORD exitCode);

  bool IsRunning() const { return m_running; }
  bool IsStopping() const { return m_stopping; }
  DWORD GetThreadId() const { return m_threadId; }
  HANDLE GetThreadHandle() const { return std::atomic_ref<const HANDLE>(m_thread).load(); }
  // Manual-reset; set while the worker is asked to stop.
  HANDLE GetStopEvent() const { return m_stopEvent.GetHandle(); }

 protected:
  virtual DWORD Run() = 0;
  // Called by Stop once the stop event is set, and around Terminate.
  virtual void OnStop() {}
  virtual void OnTerminating() {}
  virtual void OnTerminated() {}

 private:
  static DWORD WINAPI ThreadProc(LPVOID parameter);
  DWORD RunBody(WPARAM& wParam, LPARAM& lParam);
  void AskToStop();

  HANDLE m_thread = nullptr;
  CeCriticalSection m_section;  // one controller at a time
  std::atomic<bool> m_running{false};
  std::atomic<bool> m_stopping{false};
  HWND m_notifyWindow;
  bool m_autoDelete;
  std::atomic<DWORD> m_threadId{0};
  CeEvent m_stopEvent{nullptr, true, false, nullptr};
  DWORD m_stopTimeout;
  // Set by Terminate: the thread's exit code then, and no done message.
  std::atomic<bool> m_terminated{false};
  std::atomic<DWORD> m_exitCode{0};
};
