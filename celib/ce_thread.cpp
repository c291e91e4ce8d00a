#include "ce_thread.h"

#include "wince/clock.h"
#include "wince/window.h"

namespace {

// Thrown by ExitThread through the body up to the thread procedure.
struct ExitRequest {
  DWORD code;
};

}  // namespace

CeThread::CeThread(bool autoDelete, HWND notifyWindow, DWORD stopTimeout)
    : m_notifyWindow(notifyWindow), m_autoDelete(autoDelete), m_stopTimeout(stopTimeout) {}

CeThread::~CeThread() {
  if (GetThreadHandle()) Terminate(1);
  CloseAndClear(&m_thread);
}

DWORD CeThread::RunBody(WPARAM& wParam, LPARAM& lParam) {
  // A worker terminated before its body began never runs it.
  if (m_terminated) return m_exitCode;
  try {
    const DWORD result = Run();
    wParam = result;
    lParam = m_threadId;
    return result;
  } catch (const ExitRequest& exit) {
    wParam = 0;
    lParam = 0;
    return exit.code;
  }
}

DWORD WINAPI CeThread::ThreadProc(LPVOID parameter) {
  auto* self = static_cast<CeThread*>(parameter);
  self->m_running = true;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD result = self->RunBody(wParam, lParam);
  self->m_stopEvent.Reset();
  self->m_running = false;
  if (self->m_terminated)
    result = self->m_exitCode;
  else
    self->PostToWindow(kDoneMessage, wParam, lParam);
  const bool autoDelete = self->m_autoDelete;
  // For a worker its owner keeps, clearing the handle is the last touch:
  // the owner may delete it as soon as it sees the handle gone.
  CloseAndClear(&self->m_thread);
  if (autoDelete) {
    // A controller still inside Stop or Terminate finishes first.
    self->m_section.Lock();
    self->m_section.Unlock();
    delete self;
  }
  return result;
}

void CeThread::ExitThread(DWORD exitCode) {
  if (GetCurrentThreadId() == m_threadId) throw ExitRequest{exitCode};
}

bool CeThread::Start(int priority, size_t stackSize, DWORD creationFlags, LPSECURITY_ATTRIBUTES security) {
  m_section.Lock();
  if (m_autoDelete && GetThreadHandle()) {
    m_section.Unlock();
    return false;
  }
  while (m_running || m_stopping || GetThreadHandle()) Stop(true);
  m_stopEvent.Reset();
  m_terminated = false;
  DWORD id = 0;
  // Made suspended so that the handle and id are stored before it runs.
  HANDLE thread = CreateThread(security, stackSize, ThreadProc, this, CREATE_SUSPENDED, &id);
  if (thread) {
    m_threadId = id;
    std::atomic_ref<HANDLE>(m_thread).store(thread);
    SetThreadPriority(thread, priority);
  }
  m_section.Unlock();
  // Last, touching nothing of the object: an auto-delete worker may end and
  // delete itself at once.
  if (thread && !(creationFlags & CREATE_SUSPENDED)) ResumeThread(thread);
  return thread != nullptr;
}

void CeThread::AskToStop() {
  m_stopEvent.Set();
  Sleep(1);
}

void CeThread::Stop(bool pumpMessages) {
  m_section.Lock();
  // Whether there is a worker is decided before asking: it may end at once.
  const bool hadThread = GetThreadHandle() != nullptr;
  AskToStop();
  if (!hadThread) {
    m_running = false;
    m_stopping = false;
    m_stopEvent.Reset();
    m_section.Unlock();
    return;
  }
  if (m_autoDelete) {
    OnStop();
    m_section.Unlock();
    return;
  }
  m_stopping = true;
  Sleep(1);
  OnStop();
  const DWORD waited = pumpMessages ? MsgWaitForHandle(&m_thread, m_stopTimeout) : WaitForHandle(&m_thread, m_stopTimeout);
  if (waited == WAIT_TIMEOUT) Terminate(1);
  m_stopping = false;
  m_stopEvent.Reset();
  m_section.Unlock();
}

void CeThread::Terminate(DWORD exitCode) {
  m_section.Lock();
  OnTerminating();
  HANDLE thread = GetThreadHandle();
  if (thread && m_autoDelete) {
    AskToStop();  // the worker ends and deletes itself
    m_section.Unlock();
    return;
  }
  if (thread) {
    m_exitCode = exitCode;
    m_terminated = true;
    AskToStop();
    ResumeThread(thread);  // a thread made suspended ends without its body
    WaitForHandle(&m_thread, INFINITE);
  }
  OnTerminated();
  m_running = false;
  CloseAndClear(&m_thread);
  m_stopEvent.Reset();
  m_section.Unlock();
}

BOOL CeThread::PostToThread(UINT message, WPARAM wParam, LPARAM lParam) {
  return m_threadId ? PostThreadMessage(m_threadId, message, wParam, lParam) : FALSE;
}

BOOL CeThread::PostToWindow(UINT message, WPARAM wParam, LPARAM lParam) {
  return m_notifyWindow ? PostMessage(m_notifyWindow, message, wParam, lParam) : FALSE;
}
