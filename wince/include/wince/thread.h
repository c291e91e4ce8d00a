// Threads, synchronisation, message queues and power notifications.
//
// Threads are never killed: a thread ends by returning from its procedure,
// and the runtime joins it. CloseHandle on a thread only drops the handle
// (the thread runs on); wince::joinAllThreads and process exit join the
// threads, so a thread must watch its own stop flag.
//
// Waitable handles: threads (signalled when they end), events, and message
// queues (signalled while a message can be read, and after SetEvent on the
// queue handle until the next ReadMsgQueue: the way a power thread is told
// to stop).
// Timeouts count on the runtime's clock (wince/clock.h), so they are
// deterministic under the virtual clock.
#pragma once

#include "wince/types.h"

typedef void* LPSECURITY_ATTRIBUTES;

// --- Handles ---
BOOL CloseHandle(HANDLE handle);

// --- Threads ---
#define CREATE_SUSPENDED 0x00000004
// The thread runs proc(parameter), at once or (CREATE_SUSPENDED) after
// ResumeThread; its exit code is the procedure's result. id may be null.
// There is no way to end another thread: threads are asked to stop.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES security, size_t stackSize, LPTHREAD_START_ROUTINE proc, LPVOID parameter,
                    DWORD flags, LPDWORD id);
// Starts a suspended thread: returns the previous suspend count (1, then 0),
// 0xFFFFFFFF for a bad handle.
DWORD ResumeThread(HANDLE thread);
// Priorities are recorded and reported, not applied (the host schedules).
#define THREAD_PRIORITY_TIME_CRITICAL 0
#define THREAD_PRIORITY_HIGHEST 1
#define THREAD_PRIORITY_ABOVE_NORMAL 2
#define THREAD_PRIORITY_NORMAL 3
#define THREAD_PRIORITY_BELOW_NORMAL 4
#define THREAD_PRIORITY_LOWEST 5
#define THREAD_PRIORITY_ABOVE_IDLE 6
#define THREAD_PRIORITY_IDLE 7
#define THREAD_PRIORITY_ERROR_RETURN 0x7FFFFFFF
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);
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
#define EVENT_PULSE 1
#define EVENT_RESET 2
#define EVENT_SET 3
// EVENT_SET and EVENT_RESET as SetEvent and ResetEvent; EVENT_PULSE is
// refused (ERROR_NOT_SUPPORTED).
BOOL EventModify(HANDLE event, DWORD function);

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
// ERROR_INVALID_PARAMETER for bad options (cbMaxMessage 0). The one handle
// both reads and writes. CloseMsgQueue and CloseHandle both close it.
HANDLE CreateMsgQueue(LPCWSTR name, LPMSGQUEUEOPTIONS options);
// Reads the oldest message into buffer. FALSE with ERROR_INSUFFICIENT_BUFFER
// when it is larger than bufferSize (it stays queued), ERROR_TIMEOUT when
// none arrives in time or when a SetEvent on the queue is pending and nothing
// is queued (the read takes the SetEvent away), ERROR_INVALID_HANDLE for a
// bad handle.
BOOL ReadMsgQueue(HANDLE queue, LPVOID buffer, DWORD bufferSize, LPDWORD bytesRead, DWORD timeout, DWORD* flags);
// FALSE with ERROR_INSUFFICIENT_BUFFER when the message is larger than the
// queue's cbMaxMessage; ERROR_TIMEOUT when the queue stays full (a
// dwMaxMessages limit) until the timeout passes.
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
