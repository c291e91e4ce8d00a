// Threads, synchronisation, message queues and power notifications.
//
// Threads are never killed: a thread ends by returning from its procedure,
// and the runtime joins it. CloseHandle on a thread only drops the handle
// (the thread runs on, detached from it); at process exit, or when a test
// calls wince::joinAllThreads, every thread still running is joined, so a
// thread must watch its own stop flag.
//
// Waitable handles: threads (signalled when they end), events, and message
// queues (signalled while a message can be read; SetEvent on a queue handle
// wakes its waiter once, the way the power thread is told to stop).
// Timeouts count on the runtime's clock (wince/clock.h), so they are
// deterministic under the virtual clock.
#pragma once

#include "wince/types.h"

typedef void* LPSECURITY_ATTRIBUTES;

// --- Handles ---
BOOL CloseHandle(HANDLE handle);

// --- Threads ---
// The thread starts at once (flags 0) and runs proc(parameter); its exit code
// is the procedure's result. id may be null.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES security, size_t stackSize, LPTHREAD_START_ROUTINE proc, LPVOID parameter,
                    DWORD flags, LPDWORD id);
DWORD GetCurrentThreadId();
HANDLE GetCurrentThread();
#define STILL_ACTIVE 259
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);

// --- Critical sections (recursive: the owner may enter again) ---
typedef struct _CRITICAL_SECTION {
  void* impl;  // owned by the runtime; zero until initialised
} CRITICAL_SECTION, *LPCRITICAL_SECTION;
void InitializeCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);

// --- Events ---
// Manual-reset events stay signalled until ResetEvent; auto-reset events
// release one waiter and reset. name is ignored (no named events).
HANDLE CreateEvent(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState, LPCWSTR name);
inline HANDLE CreateEventW(LPSECURITY_ATTRIBUTES s, BOOL m, BOOL i, LPCWSTR n) { return CreateEvent(s, m, i, n); }
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
BOOL PulseEvent(HANDLE event);

// --- Waits ---
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define MAXIMUM_WAIT_OBJECTS 64
// WAIT_FAILED (ERROR_INVALID_HANDLE) for a handle that is not waitable.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// waitAll FALSE: the lowest signalled index. waitAll TRUE: WAIT_OBJECT_0
// once all are signalled at the same time.
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);

// --- Point-to-point message queues ---
typedef struct MSGQUEUEOPTIONS_OS {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwMaxMessages;  // 0 = no limit
  DWORD cbMaxMessage;   // largest message in bytes
  BOOL bReadAccess;
} MSGQUEUEOPTIONS, *LPMSGQUEUEOPTIONS, *PMSGQUEUEOPTIONS;
#define MSGQUEUE_NOPRECOMMIT 0x00000001
#define MSGQUEUE_ALLOW_BROKEN 0x00000002
#define MSGQUEUE_MSGALERT 0x00000001
// Unnamed queues only (name must be null). Null with
// ERROR_INVALID_PARAMETER for bad options (cbMaxMessage 0).
HANDLE CreateMsgQueue(LPCWSTR name, LPMSGQUEUEOPTIONS options);
// Reads the oldest message into buffer. FALSE with ERROR_INSUFFICIENT_BUFFER
// when it is larger than bufferSize (it stays queued), ERROR_TIMEOUT when
// none arrives in time (also when SetEvent woke the wait and nothing is
// queued), ERROR_INVALID_HANDLE for a bad handle.
BOOL ReadMsgQueue(HANDLE queue, LPVOID buffer, DWORD bufferSize, LPDWORD bytesRead, DWORD timeout, DWORD* flags);
// FALSE with ERROR_INSUFFICIENT_BUFFER when the message is larger than the
// queue's cbMaxMessage; ERROR_OUTOFMEMORY when full and the timeout passes.
BOOL WriteMsgQueue(HANDLE queue, LPVOID buffer, DWORD bytes, DWORD timeout, DWORD flags);
BOOL CloseMsgQueue(HANDLE queue);

// --- Power notifications ---
#define PBT_TRANSITION 0x00000001
#define PBT_RESUME 0x00000002
#define PBT_POWERSTATUSCHANGE 0x00000004
#define PBT_POWERINFOCHANGE 0x00000008
#define POWER_NOTIFY_ALL 0xFFFFFFFF
#define POWER_STATE_ON 0x00010000
#define POWER_STATE_OFF 0x00020000
#define POWER_STATE_SUSPEND 0x00200000
#define POWER_STATE_RESET 0x00800000

// The message a queue receives; Length is the byte count of SystemPowerState
// (the state name with its terminator). sizeof = 12 + 2 * 16.
typedef struct _POWER_BROADCAST {
  DWORD Message;  // PBT_*
  DWORD Flags;    // POWER_STATE_*
  DWORD Length;
  WCHAR SystemPowerState[16];
} POWER_BROADCAST, *PPOWER_BROADCAST;

// Registers the queue for the notification kinds in `flags`; returns a
// handle for StopPowerNotifications, null when the queue handle is bad.
HANDLE RequestPowerNotifications(HANDLE queue, DWORD flags);
BOOL StopPowerNotifications(HANDLE notifications);

namespace wince {

// The desktop's suspend key, the script command and tests call these: each
// writes a PBT_TRANSITION POWER_BROADCAST to every registered queue
// (Flags POWER_STATE_SUSPEND, state "suspend"; then POWER_STATE_ON, "on")
// and to PBT_RESUME listeners on resume. Returns the number of queues that
// received it.
int simulateSuspend();
int simulateResume();

// Joins every thread made by CreateThread that is still running (their stop
// flags must have been set). Tests call it before checking results.
void joinAllThreads();

}  // namespace wince
