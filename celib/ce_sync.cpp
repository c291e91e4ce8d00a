#include "ce_sync.h"

#include <atomic>

#include "wince/window.h"

namespace {

constexpr DWORD kInfiniteSlice = 150;

HANDLE Load(HANDLE* variable) { return std::atomic_ref<HANDLE>(*variable).load(); }

// A wait that failed because another thread closed and cleared the handle
// meanwhile is a finished wait.
DWORD Settle(HANDLE* variable, HANDLE waited, DWORD result) {
  return result == WAIT_FAILED && Load(variable) != waited ? WAIT_OBJECT_0 : result;
}

}  // namespace

CeSyncObject::~CeSyncObject() {
  if (m_handle) CloseHandle(m_handle);
}

int CeEvent::Wait(DWORD timeout) {
  switch (WaitForSingleObject(GetHandle(), timeout)) {
    case WAIT_OBJECT_0:
      return kSignalled;
    case WAIT_TIMEOUT:
      return kTimedOut;
    case WAIT_ABANDONED:
      return kAbandoned;
    default:
      return kFailed;
  }
}

DWORD WaitForHandle(HANDLE* variable, DWORD timeout) {
  if (!variable) return WAIT_FAILED;
  if (timeout != INFINITE) {
    HANDLE handle = Load(variable);
    return handle ? Settle(variable, handle, WaitForSingleObject(handle, timeout)) : WAIT_OBJECT_0;
  }
  while (HANDLE handle = Load(variable)) {
    const DWORD result = Settle(variable, handle, WaitForSingleObject(handle, kInfiniteSlice));
    if (result != WAIT_TIMEOUT) return result;
  }
  return WAIT_OBJECT_0;
}

DWORD MsgWaitForHandle(HANDLE* variable, DWORD timeout) {
  if (!variable) return WAIT_FAILED;
  while (HANDLE handle = Load(variable)) {
    const DWORD result = MsgWaitForMultipleObjectsEx(1, &handle, timeout, QS_ALLINPUT, 0);
    if (result != WAIT_OBJECT_0 + 1) return Settle(variable, handle, result);
    MSG message;
    if (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&message);
  }
  return WAIT_OBJECT_0;
}

void CloseAndClear(HANDLE* variable) {
  if (!variable) return;
  if (HANDLE handle = std::atomic_ref<HANDLE>(*variable).exchange(nullptr)) CloseHandle(handle);
}
